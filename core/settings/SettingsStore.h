#pragma once
// Access to the settings file ("Quill.ini"). Each operation opens the file,
// does its work and closes it again: nothing is cached between calls. The
// text rules are those of core/settings/IniText.h.
//
// Several copies of the program may share one file: each change reads,
// edits and replaces the file under a lock (a file beside it named
// "<file>.lock"), so no copy's change is lost, and the replacement is atomic,
// so a failed write leaves the old file intact. A change that leaves the
// file's bytes as they are does not write it.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quill {

// Why a change did not reach the settings file.
enum class SettingsFault {
    None,
    UnwritableText,  // a name or value the file cannot hold (IniText.h)
    NotAFile,        // a folder, device or the like stands at the path
    Unreadable,      // the file is there but cannot be read, so it is not replaced
    FileReadOnly,    // the file may not be written
    FolderReadOnly,  // no file can be made in its folder (every change makes one)
    LockTimedOut,    // another copy held the lock for the whole wait
    DiskFull,        // no room on the disk (or over the quota)
    WriteFailed,     // any other failure; `error` tells which
};

struct SettingsWriteResult {
    SettingsFault fault = SettingsFault::None;
    int error = 0;  // the system's errno behind the fault, 0 when none is known

    explicit operator bool() const { return fault == SettingsFault::None; }
};

// The reason in words that end "Could not save the settings to <file>: ",
// e.g. "the file is read-only"; "" for no fault.
std::string SettingsFaultText(const SettingsWriteResult& result);

// How long a change waits for another copy's change to finish.
inline constexpr int kSettingsUpdateWaitSeconds = 5;

// One key of a change of several.
struct SettingValue {
    std::string section;
    std::string key;
    std::string value;
};

// The value of `key` in `section`, or `defaultText` when the file, the section
// or the key is missing; cut to `limit` - 1 bytes (limit counts the terminator).
std::string GetSetting(const std::string& section, const std::string& key,
                       const std::string& defaultText, std::size_t limit,
                       const std::string& settingsFile);

// Every key name of `section` in file order, however many.
std::vector<std::string> GetAllSettingKeys(const std::string& section,
                                           const std::string& settingsFile);

// Sets `key` = `value`, creating the file, the section (at the end of the
// file) and the key (at the end of its section) when missing.
SettingsWriteResult WriteSetting(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& settingsFile);

// Sets every key as WriteSetting does, all in one replacement of the file:
// either all of them reach it or none. Nothing is written when any of them
// could not be.
SettingsWriteResult WriteSettings(const std::vector<SettingValue>& values,
                                  const std::string& settingsFile);

// Removes `key` from `section`; nothing happens when it is missing.
SettingsWriteResult DeleteSettingKey(const std::string& section, const std::string& key,
                                     const std::string& settingsFile);

// Removes `section` and writes it anew at the end of the file holding
// `entries` in their order, in one replacement of the file: a crash never
// leaves the section half written. With no entries the section is removed.
SettingsWriteResult ReplaceSettingSection(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries,
    const std::string& settingsFile);

// ReplaceSettingSection with the entries that `rebuild` makes from the key
// names the section holds when the lock is held (as GetAllSettingKeys gives
// them): a rebuild never works from a copy that another program has changed
// since.
SettingsWriteResult RebuildSettingSection(
    const std::string& section,
    const std::function<std::vector<std::pair<std::string, std::string>>(
        const std::vector<std::string>& keys)>& rebuild,
    const std::string& settingsFile);

}  // namespace quill
