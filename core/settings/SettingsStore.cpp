#include "core/settings/SettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>

#include "core/files/DescriptorCalls.h"
#include "core/files/FileBytes.h"
#include "core/files/FileReplacement.h"
#include "core/files/RegularFile.h"
#include "core/files/UpdateLock.h"
#include "core/settings/IniText.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::seconds kUpdateWait(kSettingsUpdateWaitSeconds);

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

SettingsWriteResult Failed(SettingsFault fault, int error = 0) {
    return SettingsWriteResult{fault, error};
}

// The fault behind a system error of locking, making or replacing the file.
// A read-only file is found before (FileWriteError), so a refusal here is
// the folder's.
SettingsWriteResult FailedWith(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return Failed(SettingsFault::FolderReadOnly, error);
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return Failed(SettingsFault::DiskFull, error);
        case ETIMEDOUT:
            return Failed(SettingsFault::LockTimedOut, error);
        default:
            return Failed(SettingsFault::WriteFailed, error);
    }
}

// Whether the file at `p` may be written: the system's own answer, which
// knows the super-user, access lists and read-only file systems.
SettingsWriteResult FileWriteCheck(const fs::path& p) {
#ifdef _WIN32
    if (_waccess(p.c_str(), 2) == 0) {
        return {};
    }
#else
    if (access(p.c_str(), W_OK) == 0) {
        return {};
    }
#endif
    return errno == EROFS ? Failed(SettingsFault::FolderReadOnly, EROFS)
                          : Failed(SettingsFault::FileReadOnly, errno);
}

// Reads the file, lets `change` edit it and writes the result back when
// anything changed (`change` returns false when nothing did), all under the
// update lock. `createIfMissing` allows a new file to be made.
template <typename Change>
SettingsWriteResult UpdateFile(const std::string& settingsFile, bool createIfMissing,
                               Change change) {
    if (settingsFile.empty()) {
        return Failed(SettingsFault::WriteFailed, ENOENT);
    }
    fs::path target(settingsFile);
    std::error_code ec;
    // Write through a symbolic link to the file it names instead of
    // replacing the link itself.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) {
            return Failed(SettingsFault::WriteFailed, ec.value());
        }
        target = resolved;
    }
    // What cannot be a settings file fails before a lock file is made for it.
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Failed(SettingsFault::NotAFile);
    }
    if (!createIfMissing && !fs::exists(status)) {
        return {};  // nothing to remove
    }
    const UpdateLock lock(fs::path(target).concat(".lock"), kUpdateWait);
    if (!lock.Held()) {
        return FailedWith(lock.Error());
    }
    RemoveLeftoverTemporaries(target);
    const FileContent content = ReadSettingsFile(target.string());
    if (content.exists && !content.readable) {
        return Failed(SettingsFault::Unreadable);
    }
    if (!content.exists && !createIfMissing) {
        return {};
    }
    IniDocument document = content.exists ? ParseIni(content.bytes) : IniDocument();
    if (!change(document)) {
        return {};
    }
    const std::optional<std::string> bytes = SerialiseIni(document);
    if (!bytes) {
        return Failed(SettingsFault::UnwritableText);
    }
    if (content.exists && *bytes == content.bytes) {
        return {};
    }
    if (content.exists) {
        if (const SettingsWriteResult check = FileWriteCheck(target); !check) {
            return check;
        }
    }
    const std::error_code replaced = ReplaceFileAtomically(target, *bytes);
    return replaced ? FailedWith(replaced.value()) : SettingsWriteResult{};
}

bool IsWritable(const SettingValue& setting) {
    return IsWritableSectionName(setting.section) && IsWritableKeyName(setting.key) &&
           IsWritableValue(setting.value);
}

}  // namespace

std::string SettingsFaultText(const SettingsWriteResult& result) {
    switch (result.fault) {
        case SettingsFault::None:
            return "";
        case SettingsFault::UnwritableText:
            return "the file cannot hold that text";
        case SettingsFault::NotAFile:
            return "it is not a file";
        case SettingsFault::Unreadable:
            return "the file cannot be read";
        case SettingsFault::FileReadOnly:
            return "the file is read-only";
        case SettingsFault::FolderReadOnly:
            return "the folder is read-only";
        case SettingsFault::LockTimedOut:
            return "another copy of Quill kept it locked for more than " +
                   std::to_string(kSettingsUpdateWaitSeconds) + " seconds";
        case SettingsFault::DiskFull:
            return "the disk is full";
        case SettingsFault::WriteFailed:
            break;
    }
    return result.error == 0
               ? "it could not be written"
               : "it could not be written (" + std::string(std::strerror(result.error)) + ")";
}

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

SettingsWriteResult WriteSetting(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& settingsFile) {
    return WriteSettings({{section, key, value}}, settingsFile);
}

SettingsWriteResult WriteSettings(const std::vector<SettingValue>& values,
                                  const std::string& settingsFile) {
    if (!std::all_of(values.begin(), values.end(), IsWritable)) {
        return Failed(SettingsFault::UnwritableText);
    }
    return UpdateFile(settingsFile, true, [&](IniDocument& document) {
        bool changed = false;
        for (const SettingValue& setting : values) {
            changed = SetIniValue(document, setting.section, setting.key, setting.value) || changed;
        }
        return changed;
    });
}

SettingsWriteResult DeleteSettingKey(const std::string& section, const std::string& key,
                                     const std::string& settingsFile) {
    return UpdateFile(settingsFile, false,
                      [&](IniDocument& document) { return DeleteIniKey(document, section, key); });
}

SettingsWriteResult ReplaceSettingSection(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries,
    const std::string& settingsFile) {
    return RebuildSettingSection(
        section, [&](const std::vector<std::string>&) { return entries; }, settingsFile);
}

SettingsWriteResult RebuildSettingSection(
    const std::string& section,
    const std::function<std::vector<std::pair<std::string, std::string>>(
        const std::vector<std::string>& keys)>& rebuild,
    const std::string& settingsFile) {
    if (!IsWritableSectionName(section)) {
        return Failed(SettingsFault::UnwritableText);
    }
    // A missing file is made only for a section that is not empty; whether it
    // is, only the rebuild can tell, and only from the file, which is empty.
    const bool createIfMissing = !rebuild({}).empty();
    return UpdateFile(settingsFile, createIfMissing, [&](IniDocument& document) {
        return ReplaceIniSection(document, section, rebuild(IniKeys(document, section)));
    });
}

}  // namespace quill
