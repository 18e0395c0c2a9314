// Arbitrary bytes as a settings file, then writes of keys and values taken
// from the input: the text written back keeps every other byte, and a read
// of the written text gives back every key with its last value.
#include <map>
#include <vector>

#include "FuzzSupport.h"
#include "app/IniText.h"
#include "source/TextOps.h"

namespace {

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos
               ? std::string()
               : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// "key\x01value\x02key\x01value..." as pairs.
std::vector<std::pair<std::string, std::string>> Entries(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find('\x02', start);
        stop = stop == std::string::npos ? text.size() : stop;
        const std::string entry = text.substr(start, stop - start);
        const std::size_t cut = entry.find('\x01');
        entries.emplace_back(entry.substr(0, cut),
                             cut == std::string::npos ? "" : entry.substr(cut + 1));
        start = stop + 1;
    }
    return entries;
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
    for (const char* section : {"Last", "Libraries"}) {
        const auto keys = quill::IniKeys(document, section);
        std::vector<std::string> folded;
        for (const auto& key : keys) {
            Check(quill::IniValue(document, section, key).has_value());
            folded.push_back(quill::ToLowerAscii(key));
        }
        std::sort(folded.begin(), folded.end());
        Check(std::adjacent_find(folded.begin(), folded.end()) == folded.end());
    }

    // Keys of [Last] as they were, then the writes to [Libraries].
    std::map<std::string, std::string> expected;
    for (const auto& key : quill::IniKeys(document, "Last")) {
        expected["Last\n" + quill::ToLowerAscii(key)] = *quill::IniValue(document, "Last", key);
    }
    for (const auto& [key, value] : Entries(input.entry)) {
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
