// Choosing a function of a vendor-style library: a 200 KB header in Inc/
// whose value groups and enums the documentation names, a 250 KB source in
// Src/ that documents the functions. Beside it, a plain line-by-line read of
// the same source as the reference to compare with on this machine.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/BenchMain.h"
#include "bench/GeneratedVendorLibrary.h"
#include "core/ChooseFunction.h"
#include "core/files/ReadTextLine.h"
#include "core/library/LibraryDeclarations.h"

namespace {

namespace fs = std::filesystem;
using quill::bench::BenchFolder;
using quill::bench::GeneratedLibrary;

constexpr std::size_t kHeaderBytes = 200 * 1024;
constexpr std::size_t kSourceBytes = 250 * 1024;

const GeneratedLibrary& Library() {
    static const GeneratedLibrary library =
        quill::bench::GenerateVendorLibrary(BenchFolder(), kHeaderBytes, kSourceBytes);
    return library;
}

// The last function of the header: its block stands furthest into the source.
void ChooseWithDeclarationsKept(benchmark::State& state) {
    const GeneratedLibrary& library = Library();
    quill::LibraryDeclarations declarations;
    declarations.AddFile(library.headerPath);
    std::size_t suggested = 0;
    for (auto _ : state) {
        const quill::FunctionChoice choice =
            quill::ChooseFunction({library.headerPath, library.entries.back(), "", &declarations});
        suggested = choice.suggestions[0].values.size() + choice.suggestions[1].values.size() +
                    choice.suggestions[2].values.size();
        benchmark::DoNotOptimize(choice.documentation.parameterCount);
    }
    // Four @arg values, eight group values, six enumerators.
    if (suggested != 18) {
        state.SkipWithError("the vendor conventions did not find every value");
    }
}
BENCHMARK(ChooseWithDeclarationsKept)->Unit(benchmark::kMillisecond);

// The same with the declarations read for the choice itself, as quill-cli
// params does.
void ChooseReadingDeclarations(benchmark::State& state) {
    const GeneratedLibrary& library = Library();
    for (auto _ : state) {
        const quill::FunctionChoice choice =
            quill::ChooseFunction({library.headerPath, library.entries.back(), ""});
        benchmark::DoNotOptimize(choice.documentation.parameterCount);
    }
}
BENCHMARK(ChooseReadingDeclarations)->Unit(benchmark::kMillisecond);

// The declarations index: one pass over the header when the library is chosen.
void IndexHeaderDeclarations(benchmark::State& state) {
    const GeneratedLibrary& library = Library();
    for (auto _ : state) {
        quill::LibraryDeclarations declarations;
        declarations.AddFile(library.headerPath);
        benchmark::DoNotOptimize(declarations.Enum("vnd_enum0_t"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * library.headerBytes));
}
BENCHMARK(IndexHeaderDeclarations)->Unit(benchmark::kMillisecond);

// Reference: every line of header and source through the line reader.
void ReadHeaderAndSourceLines(benchmark::State& state) {
    const GeneratedLibrary& library = Library();
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const std::string& path : {library.headerPath, library.sourcePath}) {
            quill::TextFile file;
            file.Open(path);
            for (std::string line; quill::ReadTextLine(file, line);) {
                ++lines;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * (library.headerBytes + library.sourceBytes)));
}
BENCHMARK(ReadHeaderAndSourceLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
