// quill-cli functions against wc -l on the same header corpus, run in turns
// in one benchmark so that both meet the same machine load. Each iteration
// starts both programs with their output thrown away and takes the CPU time
// (user + system) of each from the system, and its peak memory from the
// process itself as it exits. Counters give the medians and the median
// ratio of the pairs.
//
// Corpora: a generated one of the shape of large vendor headers (24 MB, or
// QUILL_BENCH_CORPUS_MB), and, where /usr/include holds enough, the largest
// headers installed on this machine put together.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchMain.h"
#include "bench/ChildProcess.h"
#include "bench/GeneratedCorpus.h"

namespace {

namespace fs = std::filesystem;
using quill::bench::BenchFolder;
using quill::bench::ChildRun;
using quill::bench::Median;
using quill::bench::Run;

std::size_t CorpusBytes() {
    return quill::bench::MegabytesFromEnvironment("QUILL_BENCH_CORPUS_MB", 24);
}

const std::string& GeneratedCorpusPath() {
    static const std::string path =
        quill::bench::GenerateCorpus((BenchFolder() / "corpus.h").string(), CorpusBytes()).path;
    return path;
}

// The largest headers under /usr/include, whole, until 24 MB are together;
// "" when there are not that many.
const std::string& InstalledHeadersPath() {
    static const std::string path = [] {
        std::vector<std::pair<std::uintmax_t, fs::path>> headers;
        std::error_code ec;
        for (fs::recursive_directory_iterator it("/usr/include", ec), end; !ec && it != end;
             it.increment(ec)) {
            if (it->is_regular_file(ec) && it->path().extension() == ".h") {
                headers.emplace_back(it->file_size(ec), it->path());
            }
        }
        std::sort(headers.rbegin(), headers.rend());
        const fs::path joined = BenchFolder() / "installed.h";
        std::ofstream out(joined, std::ios::binary);
        std::uintmax_t total = 0;
        for (const auto& [size, header] : headers) {
            if (total >= CorpusBytes()) {
                break;
            }
            out << std::ifstream(header, std::ios::binary).rdbuf();
            total += size;
        }
        return total >= CorpusBytes() ? joined.string() : std::string();
    }();
    return path;
}

// `mode` is the --vendor-mode given to quill-cli.
void FunctionsAgainstWcL(benchmark::State& state, const std::string& corpus,
                         const std::string& mode = "off") {
    if (corpus.empty()) {
        state.SkipWithError("no corpus of that size on this machine");
        return;
    }
    // The corpus on disk (it may have been written just before) and one
    // pair untimed, so that every timed pair starts from the same warm cache.
    if (const int fd = open(corpus.c_str(), O_RDONLY); fd >= 0) {
        fsync(fd);
        close(fd);
    }
    Run({"wc", "-l", corpus});
    Run({QUILL_CLI_PATH, "functions", "--vendor-mode", mode, corpus});
    std::vector<double> wc, cli, ratio, wcPeak, cliPeak;
    for (auto _ : state) {
        const ChildRun lines = Run({"wc", "-l", corpus});
        const ChildRun functions =
            Run({QUILL_CLI_PATH, "functions", "--vendor-mode", mode, corpus});
        if (lines.cpuSeconds < 0 || functions.cpuSeconds < 0) {
            state.SkipWithError("wc or quill-cli failed");
            return;
        }
        state.SetIterationTime(functions.cpuSeconds);
        wc.push_back(lines.cpuSeconds);
        cli.push_back(functions.cpuSeconds);
        // A CPU time below the clock's resolution would make the ratio
        // meaningless; a tick stands in for it.
        ratio.push_back(functions.cpuSeconds / std::max(lines.cpuSeconds, 1e-3));
        wcPeak.push_back(lines.peakMiB);
        cliPeak.push_back(functions.peakMiB);
    }
    state.counters["wc_ms"] = Median(wc) * 1e3;
    state.counters["cli_ms"] = Median(cli) * 1e3;
    state.counters["cli_vs_wc"] = Median(ratio);
    state.counters["wc_peak_MiB"] = Median(wcPeak);
    state.counters["cli_peak_MiB"] = *std::max_element(cliPeak.begin(), cliPeak.end());
    state.counters["corpus_MB"] = static_cast<double>(fs::file_size(corpus)) / (1024 * 1024);
}

void GeneratedHeaders(benchmark::State& state) {
    FunctionsAgainstWcL(state, GeneratedCorpusPath());
}
void InstalledHeaders(benchmark::State& state) {
    FunctionsAgainstWcL(state, InstalledHeadersPath());
}
void GeneratedHeadersVendorMode(benchmark::State& state) {
    FunctionsAgainstWcL(state, GeneratedCorpusPath(), "on");
}
void InstalledHeadersVendorMode(benchmark::State& state) {
    FunctionsAgainstWcL(state, InstalledHeadersPath(), "on");
}
BENCHMARK(GeneratedHeaders)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(InstalledHeaders)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(GeneratedHeadersVendorMode)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(InstalledHeadersVendorMode)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
