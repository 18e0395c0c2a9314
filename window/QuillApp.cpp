#include "window/QuillApp.h"

#include <QString>
#include <QTimer>

#include "core/help/HelpDecisions.h"
#include "core/platform/Platform.h"
#include "core/settings/ProgramPaths.h"
#include "core/settings/SettingsLocation.h"
#include "core/settings/SettingsSaving.h"
#include "core/settings/SettingsStore.h"
#include "core/text/TextOps.h"
#include "window/MainWindow.h"
#include "window/platform/QtText.h"

namespace quill {

namespace {

constexpr std::size_t kIntroReadLimit = 1023;

}  // namespace

std::string AppFolderText(const std::string& programFolder) {
    return ToBytes(ToQString(programFolder).toLower());
}

QuillApp::QuillApp(Platform& platform, std::string executablePath, std::string configFolder)
    : platform_(platform),
      executablePath_(std::move(executablePath)),
      configFolder_(std::move(configFolder)) {}

void QuillApp::StartUp() {
    programFolder = ProgramFolderOf(executablePath_);
    appFolder = AppFolderText(programFolder);
    displayName = DisplayNameOf(executablePath_);
    settingsFile = LocateSettingsFile(programFolder, configFolder_);
    if (!settingsFile.empty() && (settingsFile.back() == '/' || settingsFile.back() == '\\')) {
        settingsFile += "Quill.ini";
    }

    const AppPaths paths{appFolder, programFolder, settingsFile, displayName};
    MainWindow window(platform_, paths);
    {
        // The start-up is one action: it shows one failure to save at most.
        const SettingsAction startUp;
        // Creates the settings file on a first run.
        SaveSetting(platform_, paths, "Last", "AppPath", appFolder);

        if (IsIntroMode(GetSetting("Last", "Intro", "yes", kIntroReadLimit, settingsFile))) {
            // Opened through the folder as it really is; a missing file or
            // editor goes unreported.
            platform_.OpenInTextEditor(programFolder + "Quill.txt");
        }
        window.OnInitDialog();
    }

    if (openHook_) {
        QTimer::singleShot(0, &window, [this, &window] { openHook_(window); });
    }
    window.exec();
}

}  // namespace quill
