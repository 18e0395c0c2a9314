#pragma once
// The application object: works out where the program and its settings are,
// records the program folder, opens the notes file in intro mode and runs the
// main window.

#include <functional>
#include <string>

namespace quill {

class MainWindow;
class Platform;

// The program folder as recorded under "AppPath": in lower case.
std::string AppFolderText(const std::string& programFolder);

class QuillApp {
public:
    // `configFolder` is the user's configuration folder, used for the
    // settings file when the program folder cannot keep it.
    QuillApp(Platform& platform, std::string executablePath, std::string configFolder);

    // Runs the program; returns once the main window has closed.
    void StartUp();

    // Called with the running window once its modal loop has started (tests
    // drive and close the window from here).
    void SetWindowOpenHook(std::function<void(MainWindow&)> hook) { openHook_ = std::move(hook); }

    std::string appFolder;      // lower case, ending with a separator
    std::string programFolder;  // as it really is, ending with a separator
    std::string settingsFile;
    std::string displayName;

private:
    Platform& platform_;
    std::string executablePath_;
    std::string configFolder_;
    std::function<void(MainWindow&)> openHook_;
};

}  // namespace quill
