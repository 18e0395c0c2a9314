// quill-cli lint in-process over generated libraries of 10,000 and 40,000
// functions, beside a plain pass of the line reader over the same two files:
// the ratio of the two shows whether the check stays linear.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "bench/BenchMain.h"
#include "bench/GeneratedLibrary.h"
#include "cli/CliApp.h"
#include "cli/CliOutput.h"
#include "core/files/ReadTextLine.h"

namespace {

namespace fs = std::filesystem;
using quill::bench::BenchFolder;
using quill::bench::GeneratedLibrary;

// Header lines of the generated libraries are about 200 bytes.
constexpr std::size_t kHeaderBytesPerFunction = 200;

const GeneratedLibrary& Library(std::size_t functions) {
    static std::map<std::size_t, GeneratedLibrary> libraries;
    auto it = libraries.find(functions);
    if (it == libraries.end()) {
        it = libraries
                 .emplace(functions, quill::bench::GenerateLibrary(
                                         BenchFolder(), functions * kHeaderBytesPerFunction,
                                         "lint" + std::to_string(functions)))
                 .first;
    }
    return it->second;
}

void Lint(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    int status = -1;
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        quill::cli::CliOutput output(out, err);
        status = quill::cli::RunQuillCli({"quill-cli", "lint", library.headerPath}, output);
        outputBytes = static_cast<std::size_t>(out.tellp());
    }
    if (status != 0) {
        state.SkipWithError("lint warned about the generated library");
    }
    state.counters["functions"] = static_cast<double>(library.entries.size());
    state.counters["outputBytes"] = static_cast<double>(outputBytes);
}

// The reference: every line of the header and its source through the reader.
void ReadBothFiles(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    std::size_t lines = 0;
    for (auto _ : state) {
        lines = 0;
        for (const std::string& path : {library.headerPath, library.sourcePath}) {
            quill::TextFile file;
            file.Open(path);
            std::string line;
            while (quill::ReadTextLine(file, line)) {
                ++lines;
            }
        }
    }
    state.counters["lines"] = static_cast<double>(lines);
}

BENCHMARK(Lint)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadBothFiles)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
