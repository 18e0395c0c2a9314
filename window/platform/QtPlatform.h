#pragma once
// The desktop implementation of the platform seam, on Qt.

#include <QString>

#include "core/platform/Platform.h"

namespace quill {

class QtPlatform : public Platform {
public:
    int ShowMessage(const std::string& text, unsigned style, const std::string& caption) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool StartProgram(const std::string& program, const std::string& parameters) override;
    bool OpenInTextEditor(const std::string& path) override;
    int RunProgramAndWait(const std::string& programPath, std::string& output) override;
    bool PlaceOnClipboard(const std::string& text) override;
};

// The file dialog's pattern for a filter's pattern: "*.*" lists every file,
// also those without a dot in their name.
QString FilterPattern(const std::string& pattern);

// The file dialog's type list entry for a filter: its display name, then
// its pattern in parentheses (the dialog shows the display name only).
QString FilterEntry(const FileFilter& filter);

}  // namespace quill
