#pragma once
// Everything that leaves the process or waits for the user goes through this
// interface, so that the window code runs unchanged under tests (with a
// recording double) and on the desktop (QtPlatform).
//
// Texts are 8-bit byte strings in the local code page, like the rest of the
// program.

#include <optional>
#include <string>
#include <vector>

namespace quill {

// Message box styles: icon plus buttons, with the values Windows gives them.
enum MessageStyle : unsigned {
    kStyleStop = 16,                 // stop icon, OK
    kStyleQuestionYesNo = 36,        // question icon, Yes and No
    kStyleExclamation = 48,          // exclamation icon, OK
    kStyleInformation = 64,          // information icon, OK
    kStyleStopSystemModal = 0x1010,  // stop icon, OK, above every other window
};

// Answers of a message box, with the values Windows gives them.
enum MessageAnswer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// One entry of a file dialog's type list: " Header(*.h)" with "*.h".
struct FileFilter {
    std::string displayName;
    std::string pattern;
    bool operator==(const FileFilter&) const = default;
};

// What the library file dialog is opened with.
struct FileDialogRequest {
    std::string title;
    std::string initialName;          // text of the file name field, may be empty
    std::string initialFolder;        // folder the dialog shows first, may be empty
    std::vector<FileFilter> filters;  // the first one is selected at first
    std::string fileNameLabel = "&Library";
    std::string acceptLabel = "&Select";
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a modal message box with `caption` as its title and returns the
    // answer (kAnswerOk, kAnswerYes, ...).
    virtual int ShowMessage(const std::string& text, unsigned style,
                            const std::string& caption) = 0;

    // Runs the file dialog; the full path of the chosen file, or nothing when
    // the user cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;

    // Starts `program` without waiting for it; `parameters`, when not empty,
    // is handed over as one argument. False when it could not be started.
    virtual bool StartProgram(const std::string& program, const std::string& parameters) = 0;

    // Opens a text document (the notes file) in the desktop's text editor,
    // without waiting. False when nothing could be started.
    virtual bool OpenInTextEditor(const std::string& path) = 0;

    // Runs the program file `programPath` and waits until it ends. The path is
    // taken literally: no arguments, no command interpreter, no search along
    // the program path (a relative path is taken from the current folder).
    // The window is repainted meanwhile but takes no input. `output` receives
    // what the program wrote to its standard output (its first 64 KiB; on
    // Windows nothing). Returns the exit status, or -1 when the program could
    // not be started.
    virtual int RunProgramAndWait(const std::string& programPath, std::string& output) = 0;

    // Places `text` on the clipboard as plain text. False when no memory could
    // be had for it (the caller reports that). A clipboard held open by
    // another program is not an error: the text is not placed, the former
    // content stays, and the result is true.
    virtual bool PlaceOnClipboard(const std::string& text) = 0;
};

}  // namespace quill
