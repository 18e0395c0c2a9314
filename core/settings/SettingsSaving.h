#pragma once
// Changes of the settings file made for the user, and the message when one
// does not reach the file. The message names the file and the reason, and,
// where the user's change stays only in the window, says so.
//
// A user action (a click, a start-up) may make several changes. Their
// failures are shown in one message when the action ends: the first one's
// reason and what each left unsaved. Once the lock could not be had, the
// action's other changes are not tried, since each would wait as long again.

#include <functional>
#include <string>

#include "core/settings/SettingsStore.h"

namespace quill {

class Platform;
struct AppPaths;

// One user action, from construction to destruction; actions inside
// another are part of it.
class SettingsAction {
public:
    SettingsAction();
    ~SettingsAction();
    SettingsAction(const SettingsAction&) = delete;
    SettingsAction& operator=(const SettingsAction&) = delete;
};

// "Could not save the settings to <file>: <reason>.", followed on a line of
// its own by `unsaved` when that is not empty.
std::string SettingsNotSavedMessage(const std::string& settingsFile,
                                    const SettingsWriteResult& result, const std::string& unsaved);

// Runs `change` (one call of the settings store) and shows its failure as
// above, with the exclamation icon and the program's caption: at the end of
// the action, or at once outside any. True when the change reached the file.
bool SaveSettings(Platform& platform, const AppPaths& paths,
                  const std::function<SettingsWriteResult()>& change,
                  const std::string& unsaved = "");

// SaveSettings with WriteSetting.
bool SaveSetting(Platform& platform, const AppPaths& paths, const std::string& section,
                 const std::string& key, const std::string& value, const std::string& unsaved = "");

}  // namespace quill
