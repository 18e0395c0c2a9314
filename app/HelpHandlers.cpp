// The help button, the F1 key, the helpers button and the setup button.

#include "app/HelpDecisions.h"
#include "app/HelpStarter.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "app/SetupDialog.h"

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

}  // namespace

void MainWindow::ShowHelp() {
    CloseSelectionLists();
    Launch(platform, HelpButtonStart(ReadHelpSettings(paths), paths.programFolder + kNotesFileName,
                                     ThisHost(), RealFileFacts()));
}

bool MainWindow::ShowHelpForKey() {
    // The selection lists stay as they are.
    Launch(platform, HelpKeyStart(ReadHelpSettings(paths), paths.programFolder + kNotesFileName,
                                  ThisHost(), RealFileFacts()));
    return true;
}

void MainWindow::RunHelperProgram() {
    Launch(platform, HelperProgramStart(helperProgram));
}

void MainWindow::OpenSetupDialog() {
    CloseSelectionLists();
    SetupDialog::Open(platform, paths, this);
}

}  // namespace quill
