#include "core/settings/SettingsSaving.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/platform/Platform.h"
#include "core/settings/AppPaths.h"

namespace quill {

namespace {

// A failure to show once its action has ended.
struct Pending {
    Platform* platform = nullptr;
    std::string settingsFile;
    std::string caption;
    SettingsWriteResult result;
    std::vector<std::string> unsaved;
};

// The user action under way; the program has one thread.
struct ActionState {
    int depth = 0;
    std::optional<Pending> failure;  // its first failure, with every note
    bool lockMissed = false;         // it waited for the lock in vain
};

ActionState& Action() {
    static ActionState state;
    return state;
}

void AddNote(Pending& failure, const std::string& unsaved) {
    if (!unsaved.empty() && std::find(failure.unsaved.begin(), failure.unsaved.end(), unsaved) ==
                                failure.unsaved.end()) {
        failure.unsaved.push_back(unsaved);
    }
}

void Show(const Pending& failure) {
    std::string notes;
    for (const std::string& note : failure.unsaved) {
        notes += (notes.empty() ? "" : "\n") + note;
    }
    failure.platform->ShowMessage(
        SettingsNotSavedMessage(failure.settingsFile, failure.result, notes), kStyleExclamation,
        failure.caption);
}

}  // namespace

SettingsAction::SettingsAction() {
    if (Action().depth++ == 0) {
        Action().failure.reset();
        Action().lockMissed = false;
    }
}

SettingsAction::~SettingsAction() {
    ActionState& action = Action();
    if (--action.depth == 0 && action.failure) {
        const Pending failure = std::move(*action.failure);
        action.failure.reset();
        Show(failure);
    }
}

std::string SettingsNotSavedMessage(const std::string& settingsFile,
                                    const SettingsWriteResult& result, const std::string& unsaved) {
    std::string text =
        "Could not save the settings to " + settingsFile + ": " + SettingsFaultText(result) + ".";
    if (!unsaved.empty()) {
        text += "\n" + unsaved;
    }
    return text;
}

bool SaveSettings(Platform& platform, const AppPaths& paths,
                  const std::function<SettingsWriteResult()>& change, const std::string& unsaved) {
    ActionState& action = Action();
    if (action.depth > 0 && action.lockMissed) {
        AddNote(*action.failure, unsaved);
        return false;
    }
    const SettingsWriteResult result = change();
    if (result) {
        return true;
    }
    Pending failure{&platform, paths.settingsFile, paths.displayName, result, {}};
    if (action.depth == 0) {
        AddNote(failure, unsaved);
        Show(failure);
        return false;
    }
    if (!action.failure) {
        action.failure = std::move(failure);
        action.lockMissed = result.fault == SettingsFault::LockTimedOut;
    }
    AddNote(*action.failure, unsaved);
    return false;
}

bool SaveSetting(Platform& platform, const AppPaths& paths, const std::string& section,
                 const std::string& key, const std::string& value, const std::string& unsaved) {
    return SaveSettings(
        platform, paths, [&] { return WriteSetting(section, key, value, paths.settingsFile); },
        unsaved);
}

}  // namespace quill
