// Runs both scans over arbitrary lines and checks what every entry looks like.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "source/FunctionScanner.h"
#include "source/ReadTextLine.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    quill::FunctionScanner header(quill::LibraryKind::Header);
    quill::FunctionScanner assembler(quill::LibraryKind::Assembler);
    for (std::string line = quill::ReadTextLine(file); !line.empty();
         line = quill::ReadTextLine(file)) {
        if (auto entry = header.Scan(line)) {
            Check(!entry->empty() && IsAsciiLetter((*entry)[0]));
            Check(entry->find('(') != std::string::npos && entry->find('(') > 0);
            Check(entry->find(')') != std::string::npos && entry->find(')') > 0);
            Check(entry->find('\t') == std::string::npos);
            Check(entry->find("  ") == std::string::npos);
            Check(entry->size() <= 2 * line.size());
        }
        if (auto entry = assembler.Scan(line)) {
            Check(entry->size() >= 4 && entry->back() == ')');
            Check(entry->find(')') + 1 == entry->size());
            Check(entry->find_first_of(" \t\r\n\v\f") != 0);
        }
    }
    // The kind test accepts any text.
    (void)quill::LibraryKindOf(bytes);
    return 0;
}
