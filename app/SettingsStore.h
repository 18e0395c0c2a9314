#pragma once
// Access to the settings file ("Quill.ini"). Each operation opens the file,
// does its work and closes it again: nothing is cached between calls. The
// text rules are those of app/IniText.h.
//
// Several copies of the program may share one file: each change reads,
// edits and replaces the file under a lock (a file beside it named
// "<file>.lock"), so no copy's change is lost, and the replacement is atomic,
// so a failed write leaves the old file intact.

#include <string>
#include <utility>
#include <vector>

namespace quill {

// The value of `key` in `section`, or `defaultText` when the file, the section
// or the key is missing; cut to `limit` - 1 bytes (limit counts the terminator).
std::string GetSetting(const std::string& section, const std::string& key,
                       const std::string& defaultText, std::size_t limit,
                       const std::string& settingsFile);

// Every key name of `section` in file order, however many.
std::vector<std::string> GetAllSettingKeys(const std::string& section,
                                           const std::string& settingsFile);

// Sets `key` = `value`, creating the file, the section (at the end of the
// file) and the key (at the end of its section) when missing. False when the
// file could not be written; callers may ignore it.
bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& settingsFile);

// Removes `key` from `section`; nothing happens when it is missing.
bool DeleteSettingKey(const std::string& section, const std::string& key,
                      const std::string& settingsFile);

// Removes `section` and writes it anew at the end of the file holding
// `entries` in their order, in one replacement of the file: a crash never
// leaves the section half written. With no entries the section is removed.
bool ReplaceSettingSection(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& settingsFile);

}  // namespace quill
