#pragma once
// The desktop implementation of the platform seam, on Qt.

#include <QString>

#include "platform/Platform.h"

namespace quill {

class QtPlatform : public Platform {
public:
    int ShowMessage(const std::string& text, unsigned style, const std::string& caption) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool StartProgram(const std::string& program, const std::string& parameters) override;
    bool OpenInTextEditor(const std::string& path) override;
    int RunCommandLine(const std::string& commandLine) override;
    bool PlaceOnClipboard(const std::string& text) override;
};

// The file dialog's type list entry for a filter: the display name when it
// already names its pattern in parentheses, else the name with the pattern.
QString FilterEntry(const FileFilter& filter);

}  // namespace quill
