// Opening the function list on a large library, measured as the user meets
// it: the whole RefreshFunctionList handler of a real MainWindow offscreen
// (scan, fill FunctionCombo, open the library for the view, look the first
// function up, put its block into SourcePane). Before each opening the pane
// shows the whole library, as it does after start-up or ShowButton.

#include <benchmark/benchmark.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "WindowBenchMain.h"
#include "bench/GeneratedLibrary.h"
#include "core/platform/Platform.h"
#include "core/settings/SettingsStore.h"
#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"
#include "window/widgets/SourceView.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMegabyte = 1024 * 1024;

using quill::bench::SilentPlatform;

// A program folder holding a generated library of the given size, listed
// and selected in its settings file, and a window started on it.
struct Setup {
    explicit Setup(std::size_t megabytes) {
        folder = fs::temp_directory_path() /
                 ("quill-bench-window-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        library = quill::bench::GenerateLibrary(folder, megabytes * kMegabyte);
        const quill::AppPaths paths = quill::bench::AppPathsIn(folder.string());
        quill::WriteSetting("Libraries", library.headerPath, "Yes", paths.settingsFile);
        window = std::make_unique<quill::MainWindow>(platform, paths);
        window->OnInitDialog();
        functionCombo = window->findChild<quill::NotifyingComboBox*>("FunctionCombo");
        sourcePane = window->findChild<quill::SourceView*>("SourcePane");
        showButton = window->findChild<QPushButton*>("ShowButton");
    }

    ~Setup() {
        window.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    fs::path folder;
    quill::bench::GeneratedLibrary library;
    SilentPlatform platform;
    std::unique_ptr<quill::MainWindow> window;
    quill::NotifyingComboBox* functionCombo = nullptr;
    quill::SourceView* sourcePane = nullptr;
    QPushButton* showButton = nullptr;
};

// The reference beside each figure: counting the lines of `path` with the
// standard library; the count and the seconds it took.
std::pair<std::size_t, double> CountLines(const std::string& path) {
    const auto started = std::chrono::steady_clock::now();
    std::ifstream in(path, std::ios::binary);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    return {lines,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()};
}

// The windows must go before the application object does.
std::map<std::size_t, std::unique_ptr<Setup>>& Setups() {
    static std::map<std::size_t, std::unique_ptr<Setup>> setups;
    return setups;
}

Setup& SetupFor(std::size_t megabytes) {
    std::unique_ptr<Setup>& setup = Setups()[megabytes];
    if (!setup) {
        setup = std::make_unique<Setup>(megabytes);
    }
    return *setup;
}

void RefreshFunctionList(benchmark::State& state) {
    Setup& setup = SetupFor(static_cast<std::size_t>(state.range(0)));
    quill::NotifyingComboBox& functionCombo = *setup.functionCombo;
    for (auto _ : state) {
        state.PauseTiming();
        setup.showButton->click();
        state.ResumeTiming();

        // What the list announces just before it opens.
        emit functionCombo.droppedDown();
    }

    // The run counts only if it did the whole job.
    const std::string shown = setup.sourcePane->Text();
    if (setup.platform.messages != 0 ||
        functionCombo.count() != static_cast<int>(setup.library.entries.size()) ||
        shown.rfind("/**", 0) != 0 || shown.find(functionCombo.TextAt(0)) == std::string::npos) {
        state.SkipWithError("the list or the documentation block is not what was generated");
    }
    state.counters["line_count_ms"] = CountLines(setup.library.headerPath).second * 1000;
    state.counters["entries"] = static_cast<double>(functionCombo.count());
    state.counters["header_MB"] = static_cast<double>(setup.library.headerBytes) / kMegabyte;
    state.counters["source_MB"] = static_cast<double>(setup.library.sourceBytes) / kMegabyte;
}
BENCHMARK(RefreshFunctionList)
    ->Arg(1)
    ->Arg(10)
    ->Arg(15)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Start-up with a library of 6.5 million prototypes (about 200 MB) selected:
// the window scans it into FunctionCombo, shows it in SourcePane and is
// painted. Beside it, a plain count of the file's lines as the reference.
// Peak memory of the whole process is reported as peak_MB.
void StartUpOnDenseLibrary(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("quill-bench-dense-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    const std::size_t entries = static_cast<std::size_t>(state.range(0));
    const std::string header = quill::bench::GenerateDenseHeader(folder, entries);
    const quill::AppPaths paths = quill::bench::AppPathsIn(folder.string());
    quill::WriteSetting("Libraries", header, "Yes", paths.settingsFile);
    SilentPlatform platform;
    int shownLines = 0;
    for (auto _ : state) {
        quill::MainWindow window(platform, paths);
        window.OnInitDialog();
        window.show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        shownLines = window.findChild<quill::SourceView*>("SourcePane")->LineCount();
        state.ResumeTiming();
    }
    const auto [lines, countSeconds] = CountLines(header);
    state.counters["line_count_s"] = countSeconds;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(header)) / kMegabyte;
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["shown_lines"] = static_cast<double>(shownLines);
#ifndef _WIN32
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
#endif
    // The pane counts the empty line after the last line feed.
    if (platform.messages != 0 || static_cast<std::size_t>(shownLines) != lines + 1) {
        state.SkipWithError("a message was shown, or the pane does not show the library");
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
}
BENCHMARK(StartUpOnDenseLibrary)->Arg(6500000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunWindowBenchmarks(argc, argv, [] { Setups().clear(); });
}
