// quill-cli lookup and lint on one large generated header that is its own
// documenting file (200 MB, or QUILL_BENCH_LARGE_MB), beside wc -l reading
// the same file once, run in turns so that both meet the same machine load.
// The programs run as children (see bench/ChildProcess.h for how their CPU
// time and peak memory are taken); counters give medians, the median ratio
// of each pair and the peak memory against the file's size.
//
// Two headers: one with a documentation block before every prototype, and
// one of prototypes alone, where no lookup finds a block.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchMain.h"
#include "bench/ChildProcess.h"
#include "bench/GeneratedLibrary.h"

namespace {

namespace fs = std::filesystem;
using quill::bench::BenchFolder;
using quill::bench::ChildRun;
using quill::bench::GeneratedLibrary;
using quill::bench::Median;
using quill::bench::Run;

std::size_t FileBytes() {
    return quill::bench::MegabytesFromEnvironment("QUILL_BENCH_LARGE_MB", 200);
}

const GeneratedLibrary& DocumentedHeader() {
    static const GeneratedLibrary library =
        quill::bench::GenerateDocumentedHeader(BenchFolder(), FileBytes());
    return library;
}

const GeneratedLibrary& PlainHeader() {
    static const GeneratedLibrary library =
        quill::bench::GeneratePlainHeader(BenchFolder(), FileBytes());
    return library;
}

// Runs `command` (with the header's path appended by the caller) against
// wc -l on the header, `iterations` pairs; lint exits with 1 when it warns.
void AgainstWcL(benchmark::State& state, const GeneratedLibrary& library,
                const std::vector<std::string>& command) {
    const std::string& path = library.headerPath;
    if (const int fd = open(path.c_str(), O_RDONLY); fd >= 0) {
        fsync(fd);
        close(fd);
    }
    Run({"wc", "-l", path});  // the file in the page cache for every pair
    std::vector<double> wc, cli, wall, ratio, peak, peakRatio;
    const double fileMiB = static_cast<double>(fs::file_size(path)) / (1024 * 1024);
    for (auto _ : state) {
        const ChildRun read = Run({"wc", "-l", path});
        const ChildRun run = Run(command, 1);
        if (read.cpuSeconds < 0 || run.cpuSeconds < 0) {
            state.SkipWithError("wc or quill-cli failed");
            return;
        }
        state.SetIterationTime(run.wallSeconds);
        wc.push_back(read.cpuSeconds);
        cli.push_back(run.cpuSeconds);
        wall.push_back(run.wallSeconds);
        ratio.push_back(run.cpuSeconds / std::max(read.cpuSeconds, 1e-3));
        peak.push_back(run.peakMiB);
        peakRatio.push_back(run.peakMiB / fileMiB);
    }
    state.counters["wc_ms"] = Median(wc) * 1e3;
    state.counters["cli_cpu_ms"] = Median(cli) * 1e3;
    state.counters["cli_wall_ms"] = Median(wall) * 1e3;
    state.counters["cli_vs_wc"] = Median(ratio);
    state.counters["peak_MiB"] = Median(peak);
    state.counters["peak_vs_file"] = Median(peakRatio);
    state.counters["file_MiB"] = fileMiB;
    state.counters["functions"] = static_cast<double>(library.entries.size());
}

// The last function: the whole file is read before its line is met.
void LookupDocumented(benchmark::State& state) {
    const GeneratedLibrary& library = DocumentedHeader();
    AgainstWcL(state, library,
               {QUILL_CLI_PATH, "lookup", library.headerPath, library.entries.back()});
}
void LintDocumented(benchmark::State& state) {
    const GeneratedLibrary& library = DocumentedHeader();
    AgainstWcL(state, library, {QUILL_CLI_PATH, "lint", library.headerPath});
}
void LookupPlain(benchmark::State& state) {
    const GeneratedLibrary& library = PlainHeader();
    AgainstWcL(state, library,
               {QUILL_CLI_PATH, "lookup", library.headerPath, library.entries.back()});
}
void LintPlain(benchmark::State& state) {
    const GeneratedLibrary& library = PlainHeader();
    AgainstWcL(state, library, {QUILL_CLI_PATH, "lint", library.headerPath});
}

BENCHMARK(LookupDocumented)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LintDocumented)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LookupPlain)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LintPlain)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
