// The settings file with many libraries listed: listing the keys of
// [Libraries] and rewriting the section, beside reading the file's lines
// (the least any listing has to do) as the reference.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/settings/SettingsStore.h"

namespace {

namespace fs = std::filesystem;

struct SettingsFile {
    fs::path folder;
    std::string path;
    std::vector<std::pair<std::string, std::string>> entries;
};

// A settings file with `keys` library paths under [Libraries] and a [Last]
// section after them.
SettingsFile MakeSettings(int keys) {
    SettingsFile made;
    made.folder = fs::temp_directory_path() /
                  ("quill-bench-settings-" + std::to_string(std::random_device{}()));
    fs::create_directories(made.folder);
    made.path = (made.folder / "Quill.ini").string();
    std::ofstream out(made.path, std::ios::binary);
    out << "[Libraries]\r\n";
    for (int i = 0; i < keys; ++i) {
        const std::string key =
            "C:\\Firmware\\Libraries\\Peripheral" + std::to_string(i) + "\\inc\\driver.h";
        out << key << "=Yes\r\n";
        made.entries.emplace_back(key, "Yes");
    }
    out << "\r\n[Last]\r\nLibrary=C:\\Firmware\\uart.h\r\n";
    return made;
}

void Remove(const SettingsFile& file) {
    std::error_code ec;
    fs::remove_all(file.folder, ec);
}

void BM_ReadLinesReference(benchmark::State& state) {
    const SettingsFile file = MakeSettings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(file.path, std::ios::binary);
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    Remove(file);
}

void BM_ListLibraryKeys(benchmark::State& state) {
    const SettingsFile file = MakeSettings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(quill::GetAllSettingKeys("Libraries", file.path));
    }
    Remove(file);
}

void BM_RewriteLibrarySection(benchmark::State& state) {
    const SettingsFile file = MakeSettings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            quill::ReplaceSettingSection("Libraries", file.entries, file.path));
    }
    Remove(file);
}

}  // namespace

BENCHMARK(BM_ReadLinesReference)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListLibraryKeys)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteLibrarySection)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
