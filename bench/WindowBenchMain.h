#pragma once
// The main function of a benchmark that drives Qt widgets: an application on
// the offscreen platform unless told otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>
#include <optional>
#include <string>

#include "core/platform/Platform.h"
#include "core/settings/AppPaths.h"

namespace quill::bench {

// A program folder for Quill: its settings file "Quill.ini" inside it.
inline AppPaths AppPathsIn(const std::string& folder) {
    AppPaths paths;
    paths.programFolder = folder + "/";
    paths.appFolder = paths.programFolder;
    paths.settingsFile = paths.programFolder + "Quill.ini";
    paths.displayName = "Quill";
    return paths;
}

// Answers every message box with OK and every dialog with a cancel; counts
// the messages, which a sound run never shows.
class SilentPlatform : public Platform {
public:
    int ShowMessage(const std::string&, unsigned, const std::string&) override {
        ++messages;
        return kAnswerOk;
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return {}; }
    bool StartProgram(const std::string&, const std::string&) override { return true; }
    bool OpenInTextEditor(const std::string&) override { return true; }
    int RunProgramAndWait(const std::string&, std::string&) override { return 0; }
    bool PlaceOnClipboard(const std::string&) override { return true; }

    int messages = 0;
};

// Runs the benchmarks named on the command line; `release` lets go of the
// widgets the benchmarks kept before the application ends.
inline int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& release) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    release();
    benchmark::Shutdown();
    return 0;
}

}  // namespace quill::bench
