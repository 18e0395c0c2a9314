#pragma once
// A MainWindow on a temporary program folder with the recording platform.

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "RecordingPlatform.h"
#include "app/MainWindow.h"

namespace quill {

class WindowHarness {
public:
    // Builds the window; with `initialise` it also runs OnInitDialog.
    explicit WindowHarness(bool initialise = true);
    ~WindowHarness();

    // Writes `bytes` to `name` under the temporary folder (folders made as
    // needed) and returns the full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;

    // Full path of `name` under the temporary folder.
    std::string PathOf(const std::string& name) const { return folder + name; }

    std::string Setting(const std::string& section, const std::string& key) const;
    void SetSetting(const std::string& section, const std::string& key,
                    const std::string& value) const;

    QTemporaryDir dir;
    std::string folder;  // ends with "/"
    RecordingPlatform platform;
    std::unique_ptr<MainWindow> window;
};

}  // namespace quill
