#pragma once
// What every benchmark program shares: a folder for its generated files,
// made on first use and removed when the run ends, and the main function.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace quill::bench {

inline const std::filesystem::path& BenchFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path made =
            std::filesystem::temp_directory_path() /
            ("quill-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

// The size of a generated input in bytes: the environment variable `name`
// in megabytes when it holds a positive number, else `megabytes`.
inline std::size_t MegabytesFromEnvironment(const char* name, long megabytes) {
    const char* text = std::getenv(name);
    const long given = text != nullptr ? std::atol(text) : 0;
    return static_cast<std::size_t>(given > 0 ? given : megabytes) * 1024 * 1024;
}

// Runs the benchmarks named on the command line, then removes BenchFolder.
inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(BenchFolder(), ec);
    return 0;
}

}  // namespace quill::bench
