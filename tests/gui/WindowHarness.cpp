#include "WindowHarness.h"

#include <QDir>
#include <QFileInfo>
#include <fstream>

#include "app/SettingsStore.h"

namespace quill {

WindowHarness::WindowHarness(bool initialise) {
    folder = dir.path().toStdString() + "/";
    AppPaths paths;
    paths.programFolder = folder;
    paths.appFolder = folder;
    paths.settingsFile = folder + "Quill.ini";
    paths.displayName = "Quill";
    window = std::make_unique<MainWindow>(platform, paths);
    if (initialise) {
        window->OnInitDialog();
    }
}

WindowHarness::~WindowHarness() = default;

std::string WindowHarness::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string path = folder + name;
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::string WindowHarness::Setting(const std::string& section, const std::string& key) const {
    return GetSetting(section, key, "<missing>", 10000, folder + "Quill.ini");
}

void WindowHarness::SetSetting(const std::string& section, const std::string& key,
                               const std::string& value) const {
    WriteSetting(section, key, value, folder + "Quill.ini");
}

}  // namespace quill
