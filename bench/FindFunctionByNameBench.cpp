// A keystroke in the open function list of 20,000 functions, as the user
// types a piece of a name: the name search, the highlight, the scroll and the
// repaint of the list and its field, offscreen. The reference measured in
// the same run is a plain copy of the list's entries. A frame is 16.7 ms.
//
//   quill-bench-find --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "WindowBenchMain.h"
#include "core/library/FunctionNameSearch.h"
#include "core/platform/Platform.h"
#include "core/settings/SettingsStore.h"
#include "window/MainWindow.h"
#include "window/widgets/FunctionListBox.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFunctions = 20000;
constexpr const char* kWanted = "GLAPI void APIENTRY glUniform4f(GLint location, GLfloat v0)";

using quill::bench::SilentPlatform;

// A header of 20,000 prototypes named like a graphics library's, one of them
// the wanted one, and a window started on it with the function list open.
struct Setup {
    Setup() {
        folder = fs::temp_directory_path() /
                 ("quill-bench-find-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        const std::string header = (folder / "glbig.h").string();
        const char* const verbs[] = {"Uniform", "Vertex", "Program", "Texture", "Buffer"};
        const char* const kinds[] = {"1f", "2i", "3fv", "4ui", "Matrix4fv"};
        std::ofstream out(header, std::ios::binary);
        for (int i = 0; i < kFunctions - 1; ++i) {
            out << "GLAPI void APIENTRY gl" << verbs[i % 5] << kinds[(i / 5) % 5] << "Ext" << i
                << "(GLint location, GLsizei count);\n";
            entries.push_back(std::string("GLAPI void APIENTRY gl") + verbs[i % 5] +
                              kinds[(i / 5) % 5] + "Ext" + std::to_string(i) +
                              "(GLint location, GLsizei count)");
        }
        out << kWanted << ";\n";
        entries.emplace_back(kWanted);
        out.close();
        const quill::AppPaths paths = quill::bench::AppPathsIn(folder.string());
        quill::WriteSetting("Libraries", header, "Yes", paths.settingsFile);
        window = std::make_unique<quill::MainWindow>(platform, paths);
        window->OnInitDialog();
        window->show();
        functions = window->findChild<quill::FunctionListBox*>("FunctionCombo");
        Open();
    }
    ~Setup() {
        window.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void Open() {
        functions->showPopup();
        QCoreApplication::processEvents();
    }
    void Close() {
        functions->hidePopup();
        QCoreApplication::processEvents();
    }
    // One keystroke into the open list, painted.
    void Key(int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(functions->view(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(functions->view(), &release);
        QCoreApplication::processEvents();
    }
    std::string Highlighted() const {
        return functions->TextAt(functions->view()->currentIndex().row());
    }

    fs::path folder;
    std::vector<std::string> entries;
    SilentPlatform platform;
    std::unique_ptr<quill::MainWindow> window;
    quill::FunctionListBox* functions = nullptr;
};

// The window must go before the application object does.
std::unique_ptr<Setup>& SetupHolder() {
    static std::unique_ptr<Setup> setup;
    return setup;
}

Setup& TheSetup() {
    if (!SetupHolder()) {
        SetupHolder() = std::make_unique<Setup>();
    }
    return *SetupHolder();
}

// The reference: a plain copy of the 20,000 entries.
void CopyTheList(benchmark::State& state) {
    const std::vector<std::string>& entries = TheSetup().entries;
    for (auto _ : state) {
        std::vector<std::string> copy(entries);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyTheList)->Unit(benchmark::kMicrosecond);

// Typing "uniform4f" and taking it back with Backspace, one key an iteration.
void KeystrokeInOpenList(benchmark::State& state) {
    Setup& setup = TheSetup();
    const QString word = QStringLiteral("uniform4f");
    setup.Close();
    setup.Open();
    for (const QChar c : word) {
        setup.Key(0, QString(c));
    }
    if (setup.Highlighted() != kWanted || setup.functions->count() != kFunctions) {
        state.SkipWithError("typing the name did not find its function");
        return;
    }
    std::size_t step = 0;
    for (auto _ : state) {
        const std::size_t at = step++ % (2 * word.size());
        if (at < static_cast<std::size_t>(word.size())) {
            setup.Key(Qt::Key_Backspace, QString());
        } else {
            setup.Key(0, QString(word[static_cast<qsizetype>(at) - word.size()]));
        }
    }
}
BENCHMARK(KeystrokeInOpenList)->Unit(benchmark::kMicrosecond);

// What each opening of the list adds: the searchable names of its entries.
void NamesAtOpening(benchmark::State& state) {
    const std::vector<std::string>& entries = TheSetup().entries;
    for (auto _ : state) {
        std::vector<std::string> names = quill::SearchableNames(entries);
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(NamesAtOpening)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunWindowBenchmarks(argc, argv, [] { SetupHolder().reset(); });
}
