#pragma once
// Access to the INI settings file ("Quill.ini"). Each operation opens the file,
// does its work and closes it again: nothing is cached between calls.
//
// Rules: section and key names match without regard to ASCII case; the first
// of a repeated section or key wins; blanks around "=" and around names and
// values are ignored; lines starting with ";" are comments; CRLF and LF line
// ends are both read. Writes replace the file atomically (temporary file in
// the same folder, then rename), so a failed write leaves the old file intact.

#include <string>
#include <utility>
#include <vector>

namespace quill {

// The value of `key` in `section`, or `defaultText` when the file, the section
// or the key is missing; cut to `limit` - 1 bytes (limit counts the terminator).
std::string GetSetting(const std::string& section, const std::string& key,
                       const std::string& defaultText, std::size_t limit,
                       const std::string& settingsFile);

// The key names of `section` in file order; the names together, each with its
// terminator, fit in `limit` bytes and names beyond that are left out.
std::vector<std::string> GetSettingKeys(const std::string& section, std::size_t limit,
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

// Removes `section` with all its keys.
bool DeleteSettingSection(const std::string& section, const std::string& settingsFile);

// Removes `section` and writes it anew at the end of the file holding
// `entries` in their order, in one replacement of the file: a crash never
// leaves the section half written. With no entries the section is removed.
bool ReplaceSettingSection(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& settingsFile);

}  // namespace quill
