#pragma once
// A platform seam for tests: records every call and answers from queues the
// test fills beforehand, so that nothing ever waits for a user.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace quill {

struct PlatformCall {
    enum class Kind { Message, ChooseFile, StartProgram, OpenInTextEditor, RunCommand, Clipboard };
    Kind kind = Kind::Message;
    std::string text;          // message text, program, document path, command line, clipboard text
    std::string caption;       // message box caption
    unsigned style = 0;        // message box style
    FileDialogRequest dialog;  // what the file dialog was opened with
};

using Messages = std::vector<std::pair<std::string, unsigned>>;  // text and style

class RecordingPlatform : public Platform {
public:
    using Kind = PlatformCall::Kind;

    int ShowMessage(const std::string& text, unsigned style, const std::string& caption) override {
        PlatformCall& call = Record(Kind::Message, text);
        call.caption = caption;
        call.style = style;
        if (messageAnswers.empty()) {
            return (style & 0x0Fu) == 4u ? kAnswerYes : kAnswerOk;  // OK, or Yes for a question
        }
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        Record(Kind::ChooseFile, request.title).dialog = request;
        // When no file is queued, the dialog is cancelled.
        std::optional<std::string> chosen;
        if (!chosenFiles.empty()) {
            chosen = chosenFiles.front();
            chosenFiles.pop_front();
        }
        return chosen;
    }
    bool StartProgram(const std::string& program, const std::string&) override {
        Record(Kind::StartProgram, program);
        return true;
    }
    bool OpenInTextEditor(const std::string& path) override {
        Record(Kind::OpenInTextEditor, path);
        return true;
    }
    int RunCommandLine(const std::string& commandLine) override {
        Record(Kind::RunCommand, commandLine);
        return 0;
    }
    bool PlaceOnClipboard(const std::string& text) override {
        Record(Kind::Clipboard, text);
        if (clipboardWorks && !clipboardHeld) {
            clipboardText = text;
        }
        return clipboardWorks;
    }

    std::vector<PlatformCall> CallsOf(Kind kind) const {
        std::vector<PlatformCall> found;
        for (const PlatformCall& call : calls) {
            if (call.kind == kind) {
                found.push_back(call);
            }
        }
        return found;
    }
    Messages MessagesShown() const {
        Messages messages;
        for (const PlatformCall& call : CallsOf(Kind::Message)) {
            messages.emplace_back(call.text, call.style);
        }
        return messages;
    }
    void Clear() { calls.clear(); }

    std::vector<PlatformCall> calls;                     // every call, in order
    std::deque<int> messageAnswers;                      // answers of the next message boxes
    std::deque<std::optional<std::string>> chosenFiles;  // results of the next file dialogs
    // Whether memory can be had for clipboard text (false: PlaceOnClipboard
    // fails); whether another program holds the clipboard (nothing is placed,
    // no failure); the text the clipboard holds.
    bool clipboardWorks = true;
    bool clipboardHeld = false;
    std::string clipboardText;

private:
    PlatformCall& Record(Kind kind, const std::string& text) {
        calls.push_back(PlatformCall{kind, text, "", 0, {}});
        return calls.back();
    }
};

}  // namespace quill
