#pragma once
// Programs started by a benchmark: the CPU time (user + system) of each from
// the system, and its peak memory from the process itself as it exits, so
// that the benchmark's own memory does not count.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/ptrace.h>

#include <csignal>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace quill::bench {

struct ChildRun {
    double cpuSeconds = -1;
    double wallSeconds = 0;
    double peakMiB = 0;
};

#ifdef __linux__
// The child's own peak resident memory, read while it stops on its way out
// (its memory still mapped). The peak the system keeps for a child starts
// from the memory of the process that started it, this benchmark, which is
// larger than either program measured.
inline double PeakAtExitMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;  // kB
        }
    }
    return 0;
}
#endif

// Runs `args` with its output and messages to /dev/null; cpuSeconds < 0 when it did
// not start or exited with a status above `maxStatus`.
inline ChildRun Run(const std::vector<std::string>& args, int maxStatus = 0) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    ChildRun run;
    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        return run;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) {
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
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) > maxStatus) {
        return run;
    }
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (run.peakMiB == 0) {
        run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
    }
    return run;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace quill::bench
