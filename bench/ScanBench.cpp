// The core's file work on generated libraries of 1 MB and 10 MB: the scan into
// function entries, the source view text, and plain line reading, beside a
// reader that takes one byte per call to show what the buffer saves.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "bench/BenchMain.h"
#include "bench/GeneratedLibrary.h"
#include "core/files/ReadTextLine.h"
#include "core/library/FunctionScanner.h"
#include "core/library/LibrarySource.h"
#include "core/library/VendorScanner.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using quill::bench::BenchFolder;
using quill::bench::GeneratedLibrary;

constexpr std::size_t kMegabyte = 1024 * 1024;

// Generated once per size and kept for the whole run.
const GeneratedLibrary& Library(std::size_t megabytes) {
    static std::map<std::size_t, GeneratedLibrary> libraries;
    auto it = libraries.find(megabytes);
    if (it == libraries.end()) {
        it = libraries
                 .emplace(megabytes,
                          quill::bench::GenerateLibrary(BenchFolder(), megabytes * kMegabyte,
                                                        "genlib" + std::to_string(megabytes)))
                 .first;
    }
    return it->second;
}

void ScanHeader(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    std::size_t entries = 0;
    for (auto _ : state) {
        const quill::LibraryScan scan = quill::ScanLibraryFile(library.headerPath);
        entries = scan.entries.size();
        benchmark::DoNotOptimize(scan.entries.data());
    }
    if (entries != library.entries.size()) {
        state.SkipWithError("the scan did not find every generated prototype");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * library.headerBytes));
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(ScanHeader)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The same header in vendor mode: the generated prototypes are one a line,
// so both scans find the same entries.
void ScanHeaderVendorMode(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    std::size_t entries = 0;
    for (auto _ : state) {
        const quill::LibraryScan scan = quill::ScanLibraryFile(library.headerPath, true);
        entries = scan.entries.size();
        benchmark::DoNotOptimize(scan.entries.data());
    }
    if (entries != library.entries.size()) {
        state.SkipWithError("the vendor scan did not find every generated prototype");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * library.headerBytes));
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(ScanHeaderVendorMode)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The source view of the header and of the C source (twice the size).
void SourceView(benchmark::State& state, bool cSource) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    const std::string& path = cSource ? library.sourcePath : library.headerPath;
    const std::size_t bytes = cSource ? library.sourceBytes : library.headerBytes;
    for (auto _ : state) {
        const quill::LibrarySource source = quill::ReadLibrarySource(path);
        benchmark::DoNotOptimize(source.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
void SourceViewHeader(benchmark::State& state) {
    SourceView(state, false);
}
void SourceViewCSource(benchmark::State& state) {
    SourceView(state, true);
}
BENCHMARK(SourceViewHeader)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(SourceViewCSource)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Every line of the C source through ReadTextLine, nothing else done with it:
// what a lookup that never finds its entry costs at least.
void ReadAllLines(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        quill::TextFile file;
        file.Open(library.sourcePath);
        std::size_t lines = 0;
        for (std::string_view line = file.NextLine(); !line.empty(); line = file.NextLine()) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * library.sourceBytes));
}
BENCHMARK(ReadAllLines)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The same lines taken one byte per call: through the C library's stream
// (one fread of 1 byte each), and straight from the system (one read call of
// 1 byte each, as an unbuffered file object does).
template <typename NextByte>
std::size_t CountLinesByteByByte(NextByte next) {
    std::size_t lines = 0;
    for (;;) {
        std::string line;
        int c = 0;
        while (line.size() < quill::kMaxLineBytes && (c = next()) >= 0) {
            line += static_cast<char>(c);
            if (c == '\n') {
                break;
            }
        }
        const std::size_t nul = line.find('\0');
        if (nul != std::string::npos) {
            line.resize(nul);
        }
        if (line.empty()) {
            return lines;
        }
        ++lines;
    }
}

void ReadAllLinesFreadPerByte(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::FILE* file = std::fopen(library.sourcePath.c_str(), "rb");
        if (file == nullptr) {
            state.SkipWithError("cannot open the generated source");
            break;
        }
        const std::size_t lines = CountLinesByteByByte([file] {
            unsigned char byte = 0;
            return std::fread(&byte, 1, 1, file) == 1 ? static_cast<int>(byte) : -1;
        });
        std::fclose(file);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * library.sourceBytes));
}
BENCHMARK(ReadAllLinesFreadPerByte)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void ReadAllLinesSystemCallPerByte(benchmark::State& state) {
    const GeneratedLibrary& library = Library(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
#ifdef _WIN32
        const int fd = _open(library.sourcePath.c_str(), _O_RDONLY | _O_BINARY);
#else
        const int fd = open(library.sourcePath.c_str(), O_RDONLY);
#endif
        if (fd < 0) {
            state.SkipWithError("cannot open the generated source");
            break;
        }
        const std::size_t lines = CountLinesByteByByte([fd] {
            unsigned char byte = 0;
#ifdef _WIN32
            return _read(fd, &byte, 1) == 1 ? static_cast<int>(byte) : -1;
#else
            return read(fd, &byte, 1) == 1 ? static_cast<int>(byte) : -1;
#endif
        });
#ifdef _WIN32
        _close(fd);
#else
        close(fd);
#endif
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * library.sourceBytes));
}
// Only the smaller library: one call per byte of 20 MB takes seconds.
BENCHMARK(ReadAllLinesSystemCallPerByte)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
