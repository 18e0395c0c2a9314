// Arbitrary bytes as a settings file, then writes of keys and values taken
// from the input ("key\x01value\x02key\x01value..."): the text written back
// keeps every other byte, and a read of it gives every key its last value.
#include <map>

#include "FuzzSupport.h"
#include "core/settings/IniText.h"
#include "core/text/TextOps.h"

namespace {

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos
               ? std::string()
               : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsUtf16(quill::IniEncoding encoding) {
    return encoding == quill::IniEncoding::Utf16LE || encoding == quill::IniEncoding::Utf16BE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const EntryAndFile input = SplitEntry(data, size, 128);
    quill::IniDocument document = quill::ParseIni(input.file);
    if (!IsUtf16(document.encoding) || input.file.size() % 2 == 0) {
        Check(quill::SerialiseIni(document) == input.file);
    }
    // Keys of [Last] as they were (one per name, ignoring case), then the writes.
    std::map<std::string, std::string> expected;
    for (const auto& key : quill::IniKeys(document, "Last")) {
        Check(expected
                  .emplace("Last\n" + quill::ToLowerAscii(key),
                           quill::IniValue(document, "Last", key).value())
                  .second);
    }
    for (std::size_t start = 0; start < input.entry.size();) {
        const std::size_t stop = std::min(input.entry.find('\x02', start), input.entry.size());
        const std::string entry = input.entry.substr(start, stop - start);
        start = stop + 1;
        const std::size_t cut = std::min(entry.find('\x01'), entry.size());
        const std::string key = entry.substr(0, cut);
        const std::string value = cut < entry.size() ? entry.substr(cut + 1) : "";
        if (!quill::IsWritableKeyName(key) || !quill::IsWritableValue(value)) {
            continue;
        }
        quill::IniDocument changed = document;
        quill::SetIniValue(changed, "Libraries", key, value);
        const auto bytes = quill::SerialiseIni(changed);
        if (!bytes) {
            Check(IsUtf16(document.encoding));  // only UTF-16 refuses some text
            continue;
        }
        document = quill::ParseIni(*bytes);
        expected["Libraries\n" + quill::ToLowerAscii(Trimmed(key))] = Trimmed(value);
    }
    for (const auto& [where, value] : expected) {
        const std::size_t cut = where.find('\n');
        Check(quill::IniValue(document, where.substr(0, cut), where.substr(cut + 1)) == value);
    }
    return 0;
}
