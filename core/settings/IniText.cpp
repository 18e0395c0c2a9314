#include "core/settings/IniText.h"

#include <unordered_set>

#include "core/text/TextOps.h"
#include "core/text/Utf16Text.h"

namespace quill {

namespace {

constexpr const char* kBlanks = " \t\r\v\f";
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

void Classify(IniLine& line) {
    const std::string body = Trim(line.text);
    line.name.clear();
    line.value.clear();
    if (body.empty()) {
        line.kind = IniLineKind::Blank;
    } else if (body[0] == ';') {
        line.kind = IniLineKind::Comment;
    } else if (body[0] == '[') {
        line.kind = IniLineKind::Section;
        const std::size_t close = body.find(']', 1);
        line.name =
            Trim(body.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    } else {
        const std::size_t eq = body.find('=');
        line.name = Trim(body.substr(0, eq));
        if (eq != std::string::npos) {
            line.value = Trim(body.substr(eq + 1));
        }
        // A line without a name cannot be looked up or listed.
        line.kind = line.name.empty() ? IniLineKind::Other : IniLineKind::Key;
    }
}

IniLine MakeLine(std::string text, const std::string& end) {
    IniLine line;
    line.text = std::move(text);
    line.end = end;
    Classify(line);
    return line;
}

std::vector<IniLine> SplitLines(const std::string& text) {
    std::vector<IniLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t stop = lf == std::string::npos ? text.size() : lf;
        std::size_t textEnd = stop;
        if (lf != std::string::npos && textEnd > start && text[textEnd - 1] == '\r') {
            --textEnd;
        }
        lines.push_back(MakeLine(
            text.substr(start, textEnd - start),
            lf == std::string::npos ? std::string() : text.substr(textEnd, lf + 1 - textEnd)));
        start = lf == std::string::npos ? text.size() : lf + 1;
    }
    return lines;
}

std::string NativeLineEnd() {
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

// The line end the file uses (that of its first line that has one), or the
// platform's own for a new file or one without any line end.
std::string LineEndOf(const std::vector<IniLine>& lines) {
    for (const IniLine& line : lines) {
        if (!line.end.empty()) {
            return line.end;
        }
    }
    return NativeLineEnd();
}

// Calls `visit(index)` for each line inside a section named `section` (not
// for the headers themselves); stops early when `visit` returns false.
template <typename Visit>
void ForEachLineOf(const std::vector<IniLine>& lines, const std::string& sectionName, Visit visit) {
    const std::string section = Trim(sectionName);
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == IniLineKind::Section) {
            inside = EqualsIgnoringCase(lines[i].name, section);
        } else if (inside && !visit(i)) {
            return;
        }
    }
}

std::optional<std::size_t> FindKey(const std::vector<IniLine>& lines, const std::string& section,
                                   const std::string& keyName) {
    const std::string key = Trim(keyName);
    std::optional<std::size_t> found;
    ForEachLineOf(lines, section, [&](std::size_t i) {
        if (lines[i].kind == IniLineKind::Key && EqualsIgnoringCase(lines[i].name, key)) {
            found = i;
        }
        return !found;
    });
    return found;
}

// Adds `section` with `keyLines` at the end, after one blank line.
void AppendSection(std::vector<IniLine>& lines, const std::string& section,
                   const std::vector<std::string>& keyLines, const std::string& eol) {
    if (!lines.empty()) {
        if (lines.back().end.empty()) {
            lines.back().end = eol;
        }
        if (lines.back().kind != IniLineKind::Blank) {
            lines.push_back(MakeLine("", eol));
        }
    }
    lines.push_back(MakeLine("[" + section + "]", eol));
    for (const std::string& keyLine : keyLines) {
        lines.push_back(MakeLine(keyLine, eol));
    }
}

// Moves line `from` to `to` (to <= from) while lines are filtered in place.
void KeepAt(std::vector<IniLine>& lines, std::size_t to, std::size_t from) {
    if (to != from) {
        lines[to] = std::move(lines[from]);
    }
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

IniDocument ParseIni(const std::string& fileBytes) {
    IniDocument document;
    if (StartsWith(fileBytes, "\xFF\xFE")) {
        document.encoding = IniEncoding::Utf16LE;
        document.lines = SplitLines(Utf16ToUtf8(fileBytes, 2, true));
    } else if (StartsWith(fileBytes, "\xFE\xFF")) {
        document.encoding = IniEncoding::Utf16BE;
        document.lines = SplitLines(Utf16ToUtf8(fileBytes, 2, false));
    } else if (StartsWith(fileBytes, kUtf8Mark)) {
        document.encoding = IniEncoding::Utf8WithMark;
        document.lines = SplitLines(fileBytes.substr(3));
    } else {
        document.lines = SplitLines(fileBytes);
    }
    return document;
}

std::optional<std::string> SerialiseIni(const IniDocument& document) {
    std::size_t size = 0;
    for (const IniLine& line : document.lines) {
        size += line.text.size() + line.end.size();
    }
    std::string text;
    text.reserve(size + 3);
    if (document.encoding == IniEncoding::Utf8WithMark) {
        text = kUtf8Mark;
    }
    for (const IniLine& line : document.lines) {
        text += line.text;
        text += line.end;
    }
    switch (document.encoding) {
        case IniEncoding::Utf16LE:
            return Utf8ToUtf16(text, true);
        case IniEncoding::Utf16BE:
            return Utf8ToUtf16(text, false);
        default:
            return text;
    }
}

std::optional<std::string> IniValue(const IniDocument& document, const std::string& section,
                                    const std::string& key) {
    if (const std::optional<std::size_t> at = FindKey(document.lines, section, key)) {
        return document.lines[*at].value;
    }
    return std::nullopt;
}

std::vector<std::string> IniKeys(const IniDocument& document, const std::string& section) {
    std::vector<std::string> keys;
    std::unordered_set<std::string> seen;
    ForEachLineOf(document.lines, section, [&](std::size_t i) {
        const IniLine& line = document.lines[i];
        if (line.kind == IniLineKind::Key && seen.insert(ToLowerAscii(line.name)).second) {
            keys.push_back(line.name);
        }
        return true;
    });
    return keys;
}

bool IsWritableSectionName(const std::string& section) {
    return !Trim(section).empty() && !HasLineBreak(section) &&
           section.find(']') == std::string::npos;
}

std::string KeyNameProblem(const std::string& key) {
    if (HasLineBreak(key)) {
        return "holds a line break";
    }
    if (key.find('=') != std::string::npos) {
        return "holds \"=\"";
    }
    const std::string trimmed = Trim(key);
    if (trimmed.empty()) {
        return "is empty";
    }
    if (trimmed != key) {
        return "begins or ends with a blank";
    }
    if (key[0] == ';' || key[0] == '[') {
        return std::string("begins with \"") + key[0] + "\"";
    }
    return "";
}

bool IsWritableKeyName(const std::string& key) {
    return KeyNameProblem(key).empty();
}

bool IsWritableValue(const std::string& value) {
    return !HasLineBreak(value);
}

bool SetIniValue(IniDocument& document, const std::string& section, const std::string& key,
                 const std::string& value) {
    std::vector<IniLine>& lines = document.lines;
    const std::string eol = LineEndOf(lines);
    const std::string keyLine = key + "=" + value;
    if (const std::optional<std::size_t> at = FindKey(lines, section, key)) {
        if (lines[*at].text == keyLine) {
            return false;
        }
        lines[*at].text = keyLine;
        Classify(lines[*at]);
        return true;
    }
    // After the last line of the first section of that name that is not
    // blank or a comment (its header when there is none), so trailing blank
    // lines and the comments that lead into the next section stay in place.
    std::optional<std::size_t> after;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == IniLineKind::Section) {
            if (after) {
                break;
            }
            if (EqualsIgnoringCase(lines[i].name, Trim(section))) {
                after = i;
            }
        } else if (after &&
                   (lines[i].kind == IniLineKind::Key || lines[i].kind == IniLineKind::Other)) {
            after = i;
        }
    }
    if (!after) {
        AppendSection(lines, section, {keyLine}, eol);
        return true;
    }
    if (lines[*after].end.empty()) {
        lines[*after].end = eol;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*after) + 1, MakeLine(keyLine, eol));
    return true;
}

bool DeleteIniKey(IniDocument& document, const std::string& section, const std::string& keyName) {
    const std::string key = Trim(keyName);
    std::vector<IniLine>& lines = document.lines;
    std::vector<bool> drop(lines.size(), false);
    bool changed = false;
    ForEachLineOf(lines, section, [&](std::size_t i) {
        if (lines[i].kind == IniLineKind::Key && EqualsIgnoringCase(lines[i].name, key)) {
            drop[i] = true;
            changed = true;
        }
        return true;
    });
    if (changed) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!drop[i]) {
                KeepAt(lines, kept++, i);
            }
        }
        lines.resize(kept);
    }
    return changed;
}

bool ReplaceIniSection(IniDocument& document, const std::string& section,
                       const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::string> keyLines;
    std::unordered_set<std::string> written;
    for (const auto& [key, value] : entries) {
        if (IsWritableKeyName(key) && IsWritableValue(value) &&
            written.insert(ToLowerAscii(Trim(key))).second) {
            keyLines.push_back(key + "=" + value);
        }
    }
    std::vector<IniLine>& lines = document.lines;
    const std::string eol = LineEndOf(lines);
    bool changed = false;
    bool inside = false;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == IniLineKind::Section) {
            inside = EqualsIgnoringCase(lines[i].name, Trim(section));
        }
        if (inside) {
            changed = true;
        } else {
            KeepAt(lines, kept++, i);
        }
    }
    lines.resize(kept);
    if (keyLines.empty()) {
        return changed;
    }
    AppendSection(lines, section, keyLines, eol);
    return true;
}

}  // namespace quill
