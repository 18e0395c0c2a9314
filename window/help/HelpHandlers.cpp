// The help button, the F1 key, the helpers button and the setup button.

#include "core/help/HelpDecisions.h"
#include "core/help/HelpStarter.h"
#include "core/platform/Platform.h"
#include "core/settings/SettingsStore.h"
#include "window/MainWindow.h"
#include "window/dialogs/SetupDialog.h"

namespace quill {

namespace {

constexpr std::size_t kReadLimit = 1000;

// "Intro", "Browser" and "Url" as the settings file holds them now, the
// help folder read through the program folder as it really is.
HelpSettings ReadHelpSettings(const AppPaths& paths) {
    HelpSettings settings;
    settings.intro = GetSetting("Last", "Intro", "Yes", kReadLimit, paths.settingsFile);
    settings.browser =
        GetSetting("Last", "Browser", kDefaultBrowser, kReadLimit, paths.settingsFile);
    settings.url =
        HelpFolderOnDisk(GetSetting("Last", "Url", paths.appFolder, kReadLimit, paths.settingsFile),
                         paths.appFolder, paths.programFolder);
    return settings;
}

// Help that cannot be shown says why, in a message box captioned `caption`,
// rather than leave the key or the button without an answer.
void StartHelp(Platform& platform, const HelpStart& start, const std::string& browserSetting,
               const std::string& caption) {
    if (!Launch(platform, start)) {
        platform.ShowMessage(HelpNotStartedMessage(start, browserSetting), kStyleExclamation,
                             caption);
    }
}

}  // namespace

void MainWindow::ShowHelp() {
    CloseSelectionLists();
    const HelpSettings settings = ReadHelpSettings(paths);
    StartHelp(platform,
              HelpButtonStart(settings, paths.programFolder + kNotesFileName, ThisHost(),
                              RealFileFacts()),
              settings.browser, paths.displayName);
}

bool MainWindow::ShowHelpForKey() {
    // The selection lists stay as they are.
    const HelpSettings settings = ReadHelpSettings(paths);
    StartHelp(
        platform,
        HelpKeyStart(settings, paths.programFolder + kNotesFileName, ThisHost(), RealFileFacts()),
        settings.browser, paths.displayName);
    return true;
}

void MainWindow::RunHelperProgram() {
    if (!Launch(platform, HelperProgramStart(helperProgram))) {
        platform.ShowMessage("Could not start the helper program\n" + helperProgram,
                             kStyleExclamation, paths.displayName);
    }
}

void MainWindow::OpenSetupDialog() {
    CloseSelectionLists();
    SetupDialog::Open(platform, paths, this);
}

}  // namespace quill
