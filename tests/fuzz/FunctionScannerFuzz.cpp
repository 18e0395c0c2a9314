// Runs both scans over arbitrary lines and checks what every entry looks like.
#include "FuzzSupport.h"
#include "core/files/ReadTextLine.h"
#include "core/library/FunctionScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    quill::FunctionScanner header(quill::LibraryKind::Header);
    quill::FunctionScanner assembler(quill::LibraryKind::Assembler);
    for (std::string line = quill::ReadTextLine(file); !line.empty();
         line = quill::ReadTextLine(file)) {
        if (auto entry = header.Scan(line)) {
            const char first = entry->empty() ? '\0' : (*entry)[0];
            Check((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'));
            Check(entry->find('(') != std::string::npos && entry->find('(') > 0);
            Check(entry->find(')') != std::string::npos && entry->find(')') > 0);
            Check(entry->find('\t') == std::string::npos);
            Check(entry->find("  ") == std::string::npos);
            Check(entry->size() <= 2 * line.size());
        }
        if (auto entry = assembler.Scan(line)) {
            Check(entry->size() >= 4 && entry->find(')') + 1 == entry->size());
            Check(entry->find_first_of(" \t\r\n\v\f") != 0);
        }
    }
    (void)quill::LibraryKindOf(bytes);  // any text is accepted
    return 0;
}
