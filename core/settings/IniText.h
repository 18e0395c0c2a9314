#pragma once
// The settings file as text: its lines, what each means, and the edits the
// settings operations make. No file access here.
//
// Rules: section and key names match without regard to ASCII case; sections
// of one name (in any spelling) are read as one, and the first of a repeated
// key wins; blanks around "=" and around names and values are ignored; lines
// starting with ";" are comments; CRLF and LF line ends are both read. Every
// line not touched by an edit keeps its bytes.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quill {

// How the file's bytes encode its text. UTF-16 files are held as UTF-8.
enum class IniEncoding { Bytes, Utf8WithMark, Utf16LE, Utf16BE };

enum class IniLineKind { Blank, Comment, Section, Key, Other };

// One physical line: its text without the line end, the line end as the file
// has it ("\r\n", "\n" or "" for a last line without one), and its meaning.
struct IniLine {
    std::string text;
    std::string end;
    IniLineKind kind = IniLineKind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed
};

struct IniDocument {
    IniEncoding encoding = IniEncoding::Bytes;
    std::vector<IniLine> lines;
};

// The document a file's bytes hold; a byte-order mark sets the encoding.
IniDocument ParseIni(const std::string& fileBytes);

// The file's bytes for `document`, in its encoding; nullopt when the text
// cannot be put in that encoding (bytes that are no UTF-8 in a UTF-16 file).
std::optional<std::string> SerialiseIni(const IniDocument& document);

// The value of the first `key` in the sections named `section`.
std::optional<std::string> IniValue(const IniDocument& document, const std::string& section,
                                    const std::string& key);

// The key names of every section named `section`, in file order, each once
// under its first spelling.
std::vector<std::string> IniKeys(const IniDocument& document, const std::string& section);

// Names and values that would change the structure of the file when written
// (a line break starts a new line, "]" ends a section name, "=" ends a key
// name, a leading ";" or "[" makes a comment or a header) are refused, and so
// are key names that would be read back otherwise than written (blanks at
// either end are not part of a name).
bool IsWritableSectionName(const std::string& section);
bool IsWritableKeyName(const std::string& key);
bool IsWritableValue(const std::string& value);

// Why `key` cannot be a key name, completing "a name that ...": "holds \"=\"",
// "holds a line break", "begins or ends with a blank", "begins with \";\"",
// "begins with \"[\"" or "is empty"; "" when it can.
std::string KeyNameProblem(const std::string& key);

// The edits return whether anything changed.

// Sets the first `key` of the section, or adds it after the last key of the
// first section of that name, or adds the section at the end of the file.
bool SetIniValue(IniDocument& document, const std::string& section, const std::string& key,
                 const std::string& value);

// Removes every line of `key` in the sections named `section`.
bool DeleteIniKey(IniDocument& document, const std::string& section, const std::string& key);

// Removes every section named `section` and, unless `entries` is empty, adds
// one at the end of the file holding them in their order. Entries whose name
// repeats an earlier one ignoring case, or that could not be written one by
// one, are left out.
bool ReplaceIniSection(IniDocument& document, const std::string& section,
                       const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace quill
