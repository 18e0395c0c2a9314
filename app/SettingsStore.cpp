#include "app/SettingsStore.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>

#include "source/TextOps.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBlanks = " \t\r\v\f";
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

enum class LineKind { Blank, Comment, Section, Key, Other };

// One physical line of the file: its bytes without the line end, the line end
// as the file has it ("\r\n", "\n" or "" for a last line without one), and
// what the line means.
struct IniLine {
    std::string text;
    std::string end;
    LineKind kind = LineKind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed
};

void Classify(IniLine& line, bool firstLine) {
    std::string body = line.text;
    if (firstLine && StartsWith(body, kUtf8Bom)) {
        body.erase(0, 3);
    }
    body = Trim(body);
    line.name.clear();
    line.value.clear();
    if (body.empty()) {
        line.kind = LineKind::Blank;
    } else if (body[0] == ';') {
        line.kind = LineKind::Comment;
    } else if (body[0] == '[') {
        line.kind = LineKind::Section;
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
        line.kind = line.name.empty() ? LineKind::Other : LineKind::Key;
    }
}

std::vector<IniLine> ParseLines(const std::string& content) {
    std::vector<IniLine> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        IniLine line;
        const std::size_t lf = content.find('\n', start);
        std::size_t stop = lf == std::string::npos ? content.size() : lf;
        std::size_t textEnd = stop;
        if (lf != std::string::npos && textEnd > start && content[textEnd - 1] == '\r') {
            --textEnd;
        }
        line.text = content.substr(start, textEnd - start);
        line.end =
            lf == std::string::npos ? std::string() : content.substr(textEnd, lf + 1 - textEnd);
        Classify(line, lines.empty());
        lines.push_back(std::move(line));
        start = lf == std::string::npos ? content.size() : lf + 1;
    }
    return lines;
}

// The file's content; nullopt when it is missing (or is no regular file).
// `unreadable` is set when it exists but could not be read.
std::optional<std::string> ReadWholeFile(const std::string& path, bool& unreadable) {
    unreadable = false;
    std::error_code ec;
    const fs::path p(path);
    const fs::file_status status = fs::status(p, ec);
    if (ec || !fs::exists(status)) {
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        unreadable = true;
        return std::nullopt;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        unreadable = true;
        return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        unreadable = true;
        return std::nullopt;
    }
    return content;
}

std::vector<IniLine> LoadLines(const std::string& settingsFile) {
    bool unreadable = false;
    const std::optional<std::string> content = ReadWholeFile(settingsFile, unreadable);
    return content ? ParseLines(*content) : std::vector<IniLine>();
}

// Index range [begin, end) of the lines belonging to the first section named
// `section`: begin is the header line, end the next header or the end of file.
struct SectionRange {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<IniLine>& lines,
                                        const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && EqualsIgnoringCase(lines[i].name, section)) {
            std::size_t end = i + 1;
            while (end < lines.size() && lines[end].kind != LineKind::Section) {
                ++end;
            }
            return SectionRange{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<IniLine>& lines, const SectionRange& range,
                                   const std::string& key) {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (lines[i].kind == LineKind::Key && EqualsIgnoringCase(lines[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::string> KeysOf(const std::string& section, const std::string& settingsFile) {
    const std::vector<IniLine> lines = LoadLines(settingsFile);
    std::vector<std::string> keys;
    const std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) {
        return keys;
    }
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (lines[i].kind != LineKind::Key) {
            continue;
        }
        // A repeated key is listed once, under its first spelling.
        bool seen = false;
        for (const std::string& k : keys) {
            if (EqualsIgnoringCase(k, lines[i].name)) {
                seen = true;
                break;
            }
        }
        if (!seen) {
            keys.push_back(lines[i].name);
        }
    }
    return keys;
}

std::string NativeLineEnd() {
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

// The line end the file uses (that of its first line), or the platform's own
// for a new file or one without any line end.
std::string LineEndOf(const std::vector<IniLine>& lines) {
    for (const IniLine& line : lines) {
        if (!line.end.empty()) {
            return line.end;
        }
    }
    return NativeLineEnd();
}

std::string Serialise(const std::vector<IniLine>& lines) {
    std::size_t size = 0;
    for (const IniLine& line : lines) {
        size += line.text.size() + line.end.size();
    }
    std::string out;
    out.reserve(size);
    for (const IniLine& line : lines) {
        out += line.text;
        out += line.end;
    }
    return out;
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// Names and values that would change the structure of the file when written
// (a line break starts a new line, "]" ends a section name, "=" ends a key
// name, a leading ";" or "[" makes a comment or a header) are refused.
bool SafeSectionName(const std::string& section) {
    return !Trim(section).empty() && !HasLineBreak(section) &&
           section.find(']') == std::string::npos;
}

bool SafeKeyName(const std::string& key) {
    const std::string trimmed = Trim(key);
    return !trimmed.empty() && !HasLineBreak(key) && key.find('=') == std::string::npos &&
           trimmed[0] != ';' && trimmed[0] != '[';
}

bool FileIsReadOnly(const fs::path& p) {
#ifdef _WIN32
    return _waccess(p.c_str(), 2) != 0;
#else
    return access(p.c_str(), W_OK) != 0;
#endif
}

fs::path TemporaryPathBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937_64 random{static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}())};
    std::ostringstream name;
    name << target.filename().string() << ".tmp-" << std::hex << random() << '-'
         << counter.fetch_add(1);
    return target.parent_path() / fs::path(name.str());
}

// A new file at `path`, never one that is already there; -1 on failure
// (errno tells why).
int CreateNewFile(const fs::path& path) {
#ifdef _WIN32
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

// Writes everything, makes it durable and closes the file.
bool WriteSyncClose(int fd, const std::string& content) {
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        const std::size_t chunk = std::min<std::size_t>(content.size() - done, 1 << 20);
#ifdef _WIN32
        const int n = _write(fd, content.data() + done, static_cast<unsigned>(chunk));
#else
        const ssize_t n = write(fd, content.data() + done, chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
#endif
        ok = n > 0;
        if (ok) {
            done += static_cast<std::size_t>(n);
        }
    }
#ifdef _WIN32
    ok = ok && _commit(fd) == 0;
    ok = _close(fd) == 0 && ok;
#else
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
#endif
    return ok;
}

// Writes `content` to a new file beside `target` and renames it over
// `target`, so that readers see either the old or the new file, never a part.
bool ReplaceFile(const fs::path& target, const std::string& content) {
    std::error_code ec;
    fs::path tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tmp = TemporaryPathBeside(target);
        fd = CreateNewFile(tmp);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    bool ok = WriteSyncClose(fd, content);
    if (ok) {
        // Keep the permissions the settings file had.
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old)) {
            fs::permissions(tmp, old.permissions(), ec);
        }
        fs::rename(tmp, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(tmp, ec);
    }
    return ok;
}

// Reads the file, lets `change` edit its lines and writes the result back
// when anything changed. `change` returns false when nothing changed.
// `createIfMissing` allows a new file to be made.
template <typename Change>
bool UpdateFile(const std::string& settingsFile, bool createIfMissing, Change change) {
    if (settingsFile.empty()) {
        return false;
    }
    fs::path target(settingsFile);
    std::error_code ec;
    // Write through a symbolic link to the file it names instead of
    // replacing the link itself.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) {
            return false;
        }
        target = resolved;
    }
    bool unreadable = false;
    const std::optional<std::string> content = ReadWholeFile(target.string(), unreadable);
    if (unreadable) {
        return false;
    }
    if (!content && !createIfMissing) {
        return true;  // nothing to remove
    }
    if (content && FileIsReadOnly(target)) {
        return false;
    }
    std::vector<IniLine> lines = content ? ParseLines(*content) : std::vector<IniLine>();
    if (!change(lines)) {
        return true;
    }
    return ReplaceFile(target, Serialise(lines));
}

IniLine MakeLine(std::string text, const std::string& end) {
    IniLine line;
    line.text = std::move(text);
    line.end = end;
    Classify(line, false);
    return line;
}

// Adds `section` with `keyLines` at the end of the file, after one blank line.
void AppendSection(std::vector<IniLine>& lines, const std::string& section,
                   const std::vector<std::string>& keyLines, const std::string& eol) {
    if (!lines.empty()) {
        if (lines.back().end.empty()) {
            lines.back().end = eol;
        }
        if (lines.back().kind != LineKind::Blank) {
            lines.push_back(MakeLine("", eol));
        }
    }
    lines.push_back(MakeLine("[" + section + "]", eol));
    for (const std::string& keyLine : keyLines) {
        lines.push_back(MakeLine(keyLine, eol));
    }
}

}  // namespace

std::string GetSetting(const std::string& section, const std::string& key,
                       const std::string& defaultText, std::size_t limit,
                       const std::string& settingsFile) {
    std::string result = defaultText;
    const std::vector<IniLine> lines = LoadLines(settingsFile);
    if (const std::optional<SectionRange> range = FindSection(lines, section)) {
        if (const std::optional<std::size_t> at = FindKey(lines, *range, key)) {
            result = lines[*at].value;
        }
    }
    if (limit == 0) {
        return {};
    }
    if (result.size() > limit - 1) {
        result.resize(limit - 1);
    }
    return result;
}

std::vector<std::string> GetSettingKeys(const std::string& section, std::size_t limit,
                                        const std::string& settingsFile) {
    std::vector<std::string> keys = KeysOf(section, settingsFile);
    // Each name takes its length plus a terminator, and the list as a whole
    // one more terminator; names that do not fit are left out.
    const std::size_t room = limit == 0 ? 0 : limit - 1;
    std::size_t used = 0;
    std::size_t fitting = 0;
    while (fitting < keys.size() && used + keys[fitting].size() + 1 <= room) {
        used += keys[fitting].size() + 1;
        ++fitting;
    }
    keys.resize(fitting);
    return keys;
}

std::vector<std::string> GetAllSettingKeys(const std::string& section,
                                           const std::string& settingsFile) {
    return KeysOf(section, settingsFile);
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& settingsFile) {
    if (!SafeSectionName(section) || !SafeKeyName(key) || HasLineBreak(value)) {
        return false;
    }
    return UpdateFile(settingsFile, true, [&](std::vector<IniLine>& lines) {
        const std::string eol = LineEndOf(lines);
        const std::string keyLine = key + "=" + value;
        const std::optional<SectionRange> range = FindSection(lines, section);
        if (!range) {
            AppendSection(lines, section, {keyLine}, eol);
            return true;
        }
        if (const std::optional<std::size_t> at = FindKey(lines, *range, key)) {
            if (lines[*at].text == keyLine) {
                return false;
            }
            lines[*at].text = keyLine;
            Classify(lines[*at], *at == 0);
            return true;
        }
        // After the last line of the section that is not blank or a comment
        // (the header when there is none), so trailing blank lines and the
        // comments that lead into the next section stay where they are.
        std::size_t after = range->header;
        for (std::size_t i = range->header + 1; i < range->end; ++i) {
            if (lines[i].kind == LineKind::Key || lines[i].kind == LineKind::Other) {
                after = i;
            }
        }
        if (lines[after].end.empty()) {
            lines[after].end = eol;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                     MakeLine(keyLine, eol));
        return true;
    });
}

bool DeleteSettingKey(const std::string& section, const std::string& key,
                      const std::string& settingsFile) {
    return UpdateFile(settingsFile, false, [&](std::vector<IniLine>& lines) {
        const std::optional<SectionRange> range = FindSection(lines, section);
        if (!range) {
            return false;
        }
        // Every line of the key goes, so a repeated one does not come back.
        bool changed = false;
        std::size_t end = range->end;
        for (std::size_t i = range->header + 1; i < end;) {
            if (lines[i].kind == LineKind::Key && EqualsIgnoringCase(lines[i].name, key)) {
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
                --end;
                changed = true;
            } else {
                ++i;
            }
        }
        return changed;
    });
}

bool DeleteSettingSection(const std::string& section, const std::string& settingsFile) {
    return UpdateFile(settingsFile, false, [&](std::vector<IniLine>& lines) {
        // Every section of that name goes, so a repeated one does not come back.
        bool changed = false;
        while (const std::optional<SectionRange> range = FindSection(lines, section)) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                        lines.begin() + static_cast<std::ptrdiff_t>(range->end));
            changed = true;
        }
        return changed;
    });
}

bool ReplaceSettingSection(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& settingsFile) {
    if (!SafeSectionName(section)) {
        return false;
    }
    // Keys that could not be written one by one are left out, and so is a
    // key that repeats an earlier one ignoring case, as single writes would.
    std::vector<std::string> keyLines;
    std::vector<std::string> written;
    for (const auto& entry : entries) {
        const std::string& key = entry.first;
        if (!SafeKeyName(key) || HasLineBreak(entry.second)) {
            continue;
        }
        const bool repeated = std::any_of(written.begin(), written.end(), [&](const auto& k) {
            return EqualsIgnoringCase(k, key);
        });
        if (!repeated) {
            written.push_back(key);
            keyLines.push_back(key + "=" + entry.second);
        }
    }
    return UpdateFile(settingsFile, !keyLines.empty(), [&](std::vector<IniLine>& lines) {
        const std::string eol = LineEndOf(lines);
        bool changed = false;
        while (const std::optional<SectionRange> range = FindSection(lines, section)) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                        lines.begin() + static_cast<std::ptrdiff_t>(range->end));
            changed = true;
        }
        if (keyLines.empty()) {
            return changed;
        }
        AppendSection(lines, section, keyLines, eol);
        return true;
    });
}

}  // namespace quill
