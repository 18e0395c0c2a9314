#pragma once
// A platform seam for tests: records every call and answers from queues the
// test fills beforehand, so that nothing ever waits for a user.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace quill {

struct PlatformCall {
    enum class Kind { Message, ChooseFile, StartProgram, OpenInTextEditor, RunCommand, Clipboard };
    Kind kind = Kind::Message;
    std::string text;          // message text, program, document path, command line, clipboard text
    std::string caption;       // message box caption
    unsigned style = 0;        // message box style
    std::string parameters;    // parameters of a started program
    FileDialogRequest dialog;  // what the file dialog was opened with
};

class RecordingPlatform : public Platform {
public:
    int ShowMessage(const std::string& text, unsigned style, const std::string& caption) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool StartProgram(const std::string& program, const std::string& parameters) override;
    bool OpenInTextEditor(const std::string& path) override;
    int RunCommandLine(const std::string& commandLine) override;
    bool PlaceOnClipboard(const std::string& text) override;

    // Every call, in order.
    std::vector<PlatformCall> calls;

    // The calls of one kind, in order.
    std::vector<PlatformCall> CallsOf(PlatformCall::Kind kind) const;
    // Texts of the message boxes shown, in order.
    std::vector<std::string> Messages() const;
    void Clear() { calls.clear(); }

    // Answers of the next message boxes; when empty, OK (or Yes for a
    // question).
    std::deque<int> messageAnswers;
    // Results of the next file dialogs; when empty, the dialog is cancelled.
    std::deque<std::optional<std::string>> chosenFiles;
    // Statuses of the next command lines; when empty, `commandStatus`.
    std::deque<int> commandStatuses;
    int commandStatus = 0;
    // Whether started programs and opened documents report success.
    bool startsSucceed = true;
    // Whether memory can be had for clipboard text (false: PlaceOnClipboard
    // fails); the text the clipboard holds.
    bool clipboardWorks = true;
    // Another program holds the clipboard: nothing is placed, no failure.
    bool clipboardHeld = false;
    std::string clipboardText;
};

}  // namespace quill
