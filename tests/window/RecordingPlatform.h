#pragma once
// A platform seam for tests: logs every call as one line of text and answers
// from queues the test fills beforehand, so that nothing ever waits for a
// user.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

namespace quill {

class RecordingPlatform : public Platform {
public:
    // "message <style> <caption>: <text>"; OK, or Yes for a question, unless
    // an answer is queued.
    int ShowMessage(const std::string& text, unsigned style, const std::string& caption) override {
        log.push_back("message " + std::to_string(style) + " " + caption + ": " + text);
        if (whileMessageShows) {
            whileMessageShows(text);
        }
        return Next(messageAnswers).value_or((style & 0x0Fu) == 4u ? kAnswerYes : kAnswerOk);
    }
    // "dialog: <title> at <file name> in <folder>"; cancelled unless a file
    // is queued.
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        log.push_back("dialog: " + request.title + " at " + request.initialName + " in " +
                      request.initialFolder);
        return Next(chosenFiles).value_or(std::nullopt);
    }
    bool StartProgram(const std::string& program, const std::string& parameters) override {
        return Log("start: " + program + " " + parameters, startsWork);
    }
    bool OpenInTextEditor(const std::string& path) override {
        return Log("editor: " + path, startsWork);
    }
    // "run: <path>"; the next queued status, else 0, and output, else none.
    int RunProgramAndWait(const std::string& programPath, std::string& output) override {
        log.push_back("run: " + programPath);
        output = Next(runOutputs).value_or("");
        return Next(runStatuses).value_or(0);
    }
    // "clipboard: <text>"; false (no memory) unless the clipboard works.
    bool PlaceOnClipboard(const std::string& text) override {
        return Log("clipboard: " + text, clipboardWorks);
    }

    std::vector<std::string> log;
    std::deque<int> messageAnswers;
    std::deque<int> runStatuses;  // -1: the program could not be started
    std::deque<std::string> runOutputs;
    std::deque<std::optional<std::string>> chosenFiles;
    // Runs while a message box is open, as another program would.
    std::function<void(const std::string& text)> whileMessageShows;
    bool clipboardWorks = true;
    bool startsWork = true;  // false: StartProgram and OpenInTextEditor fail

private:
    bool Log(const std::string& line, bool result) {
        log.push_back(line);
        return result;
    }
    template <typename T>
    static std::optional<T> Next(std::deque<T>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        T next = queue.front();
        queue.pop_front();
        return next;
    }
};

// The log line of a message box of the window, whose caption is "Quill".
inline std::string Msg(unsigned style, const std::string& text) {
    return "message " + std::to_string(style) + " Quill: " + text;
}

}  // namespace quill
