#include "app/QuillApp.h"

#include <QString>
#include <QTimer>

#include "app/MainWindow.h"
#include "app/SettingsLocation.h"
#include "app/SettingsSaving.h"
#include "app/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "source/TextOps.h"

namespace quill {

namespace {

constexpr std::size_t kIntroReadLimit = 1023;

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::size_t LastSeparator(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::string::npos;
}

}  // namespace

std::string ProgramFolderOf(const std::string& executablePath) {
    const std::size_t last = LastSeparator(executablePath);
    return last == std::string::npos ? std::string() : executablePath.substr(0, last + 1);
}

std::string AppFolderText(const std::string& programFolder) {
    return ToBytes(ToQString(programFolder).toLower());
}

std::string DisplayNameOf(const std::string& executablePath) {
    const std::size_t last = LastSeparator(executablePath);
    std::string name = last == std::string::npos ? executablePath : executablePath.substr(last + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

bool IsIntroMode(const std::string& introSetting) {
    return EqualsIgnoringCase(introSetting, "yes");
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
