#include "RecordingPlatform.h"

namespace quill {

int RecordingPlatform::ShowMessage(const std::string& text, unsigned style,
                                   const std::string& caption) {
    PlatformCall call;
    call.kind = PlatformCall::Kind::Message;
    call.text = text;
    call.caption = caption;
    call.style = style;
    calls.push_back(call);
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return (style & 0x0Fu) == 4u ? kAnswerYes : kAnswerOk;
}

std::optional<std::string> RecordingPlatform::ChooseFile(const FileDialogRequest& request) {
    PlatformCall call;
    call.kind = PlatformCall::Kind::ChooseFile;
    call.text = request.title;
    call.dialog = request;
    calls.push_back(call);
    if (chosenFiles.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
}

bool RecordingPlatform::StartProgram(const std::string& program, const std::string& parameters) {
    PlatformCall call;
    call.kind = PlatformCall::Kind::StartProgram;
    call.text = program;
    call.parameters = parameters;
    calls.push_back(call);
    return startsSucceed;
}

bool RecordingPlatform::OpenInTextEditor(const std::string& path) {
    PlatformCall call;
    call.kind = PlatformCall::Kind::OpenInTextEditor;
    call.text = path;
    calls.push_back(call);
    return startsSucceed;
}

int RecordingPlatform::RunCommandLine(const std::string& commandLine) {
    PlatformCall call;
    call.kind = PlatformCall::Kind::RunCommand;
    call.text = commandLine;
    calls.push_back(call);
    if (!commandStatuses.empty()) {
        const int status = commandStatuses.front();
        commandStatuses.pop_front();
        return status;
    }
    return commandStatus;
}

bool RecordingPlatform::PlaceOnClipboard(const std::string& text) {
    PlatformCall call;
    call.kind = PlatformCall::Kind::Clipboard;
    call.text = text;
    calls.push_back(call);
    if (!clipboardWorks) {
        return false;
    }
    if (!clipboardHeld) {
        clipboardText = text;
    }
    return true;
}

std::vector<PlatformCall> RecordingPlatform::CallsOf(PlatformCall::Kind kind) const {
    std::vector<PlatformCall> found;
    for (const PlatformCall& call : calls) {
        if (call.kind == kind) {
            found.push_back(call);
        }
    }
    return found;
}

std::vector<std::string> RecordingPlatform::Messages() const {
    std::vector<std::string> texts;
    for (const PlatformCall& call : CallsOf(PlatformCall::Kind::Message)) {
        texts.push_back(call.text);
    }
    return texts;
}

}  // namespace quill
