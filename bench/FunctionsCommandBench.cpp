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
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/ptrace.h>

#include <csignal>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchMain.h"
#include "bench/GeneratedCorpus.h"

namespace {

namespace fs = std::filesystem;
using quill::bench::BenchFolder;

struct ChildRun {
    double cpuSeconds = -1;
    double peakMiB = 0;
};

#ifdef __linux__
// The child's own peak resident memory, read while it stops on its way out
// (its memory still mapped). The peak the system keeps for a child starts
// from the memory of the process that started it, this benchmark, which is
// larger than either program measured.
double PeakAtExitMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;  // kB
        }
    }
    return 0;
}
#endif

// Runs `args` with standard output to /dev/null; cpuSeconds < 0 when it did
// not start or did not exit with 0.
ChildRun Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    ChildRun run;
    const pid_t pid = fork();
    if (pid < 0) {
        return run;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, 1) < 0) {
            _exit(127);
        }
#ifdef __linux__
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
#endif
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    bool waited = wait4(pid, &status, 0, &usage) == pid;
#ifdef __linux__
    // Stopped at its start; let run until it stops on its way out.
    if (waited && WIFSTOPPED(status)) {
        ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT);
        ptrace(PTRACE_CONT, pid, nullptr, nullptr);
        while ((waited = wait4(pid, &status, 0, &usage) == pid) && WIFSTOPPED(status)) {
            long signal = WSTOPSIG(status);
            if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
                run.peakMiB = PeakAtExitMiB(pid);
                signal = 0;
            }
            ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(signal));
        }
    }
#endif
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return run;
    }
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (run.peakMiB == 0) {
        run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
    }
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

std::size_t CorpusBytes() {
    const char* megabytes = std::getenv("QUILL_BENCH_CORPUS_MB");
    const long mb = megabytes ? std::atol(megabytes) : 24;
    return static_cast<std::size_t>(mb > 0 ? mb : 24) * 1024 * 1024;
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

void FunctionsAgainstWcL(benchmark::State& state, const std::string& corpus) {
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
    Run({QUILL_CLI_PATH, "functions", corpus});
    std::vector<double> wc, cli, ratio, wcPeak, cliPeak;
    for (auto _ : state) {
        const ChildRun lines = Run({"wc", "-l", corpus});
        const ChildRun functions = Run({QUILL_CLI_PATH, "functions", corpus});
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
BENCHMARK(GeneratedHeaders)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(InstalledHeaders)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
