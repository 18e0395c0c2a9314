#include "app/SettingsStore.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/FileReplacement.h"
#include "app/IniText.h"
#include "app/UpdateLock.h"
#include "source/FileBytes.h"
#include "source/RegularFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quill {

namespace fs = std::filesystem;

namespace {

// How long a change waits for another copy's change to finish. An update
// takes milliseconds; a copy that holds the lock longer is hung, and the
// change then fails rather than hang this copy too.
constexpr std::chrono::milliseconds kUpdateWait(5000);

struct FileContent {
    bool exists = false;
    bool readable = true;
    std::string bytes;
};

// Missing and unreadable files differ only for a change, which must not
// replace a file it could not read.
FileContent ReadSettingsFile(const std::string& path) {
    FileContent content;
    FileBytesRead read = FileBytes(path, kMaxInputFileBytes);
    std::error_code ec;
    content.exists =
        read.outcome == FileReadOutcome::Read || fs::exists(fs::status(fs::path(path), ec));
    content.readable = read.outcome == FileReadOutcome::Read;
    content.bytes = std::move(read.bytes);
    return content;
}

IniDocument LoadDocument(const std::string& settingsFile) {
    const FileContent content = ReadSettingsFile(settingsFile);
    return content.readable ? ParseIni(content.bytes) : IniDocument();
}

bool FileIsReadOnly(const fs::path& p) {
#ifdef _WIN32
    return _waccess(p.c_str(), 2) != 0;
#else
    return access(p.c_str(), W_OK) != 0;
#endif
}

// Reads the file, lets `change` edit it and writes the result back when
// anything changed (`change` returns false when nothing did), all under the
// update lock. `createIfMissing` allows a new file to be made.
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
    // What cannot be a settings file fails before a lock file is made for it.
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return false;
    }
    if (!createIfMissing && !fs::exists(status)) {
        return true;  // nothing to remove
    }
    const UpdateLock lock(fs::path(target).concat(".lock"), kUpdateWait);
    if (!lock.Held()) {
        return false;
    }
    RemoveLeftoverTemporaries(target);
    const FileContent content = ReadSettingsFile(target.string());
    if (content.exists && !content.readable) {
        return false;
    }
    if (!content.exists && !createIfMissing) {
        return true;
    }
    if (content.exists && FileIsReadOnly(target)) {
        return false;
    }
    IniDocument document = content.exists ? ParseIni(content.bytes) : IniDocument();
    if (!change(document)) {
        return true;
    }
    const std::optional<std::string> bytes = SerialiseIni(document);
    return bytes && ReplaceFileAtomically(target, *bytes);
}

}  // namespace

std::string GetSetting(const std::string& section, const std::string& key,
                       const std::string& defaultText, std::size_t limit,
                       const std::string& settingsFile) {
    if (limit == 0) {
        return {};
    }
    std::string result = IniValue(LoadDocument(settingsFile), section, key).value_or(defaultText);
    if (result.size() > limit - 1) {
        result.resize(limit - 1);
    }
    return result;
}

std::vector<std::string> GetAllSettingKeys(const std::string& section,
                                           const std::string& settingsFile) {
    return IniKeys(LoadDocument(settingsFile), section);
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& settingsFile) {
    if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || !IsWritableValue(value)) {
        return false;
    }
    return UpdateFile(settingsFile, true, [&](IniDocument& document) {
        return SetIniValue(document, section, key, value);
    });
}

bool DeleteSettingKey(const std::string& section, const std::string& key,
                      const std::string& settingsFile) {
    return UpdateFile(settingsFile, false,
                      [&](IniDocument& document) { return DeleteIniKey(document, section, key); });
}

bool ReplaceSettingSection(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& settingsFile) {
    if (!IsWritableSectionName(section)) {
        return false;
    }
    const bool anyWritable = std::any_of(entries.begin(), entries.end(), [](const auto& entry) {
        return IsWritableKeyName(entry.first) && IsWritableValue(entry.second);
    });
    return UpdateFile(settingsFile, anyWritable, [&](IniDocument& document) {
        return ReplaceIniSection(document, section, entries);
    });
}

}  // namespace quill
