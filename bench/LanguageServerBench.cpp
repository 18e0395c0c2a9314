// quill-cli serve's costs: completion at an argument over a catalogue of
// 20,000 functions once its index is built (median and 99th percentile of
// whole requests, JSON in and out), the index of a 900-header vendor tree,
// and the process's peak memory.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "bench/BenchMain.h"
#include "bench/GeneratedVendorLibrary.h"
#include "lsp/Server.h"

namespace quill::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string Message(const lsp::Json& json) {
    return json.dump();
}

void CompletionOn20000Functions(benchmark::State& state) {
    const GeneratedLibrary library =
        GenerateVendorLibrary(BenchFolder() / "catalogue", 4'000'000, 0, "vnd_big");
    std::string out;
    lsp::MessageWriter writer([&](const std::string& bytes) {
        out = bytes;
        return true;
    });
    lsp::Server server(writer, {});
    const auto start = Clock::now();
    server.Handle(
        Message({{"jsonrpc", "2.0"},
                 {"id", 0},
                 {"method", "initialize"},
                 {"params", {{"initializationOptions", {{"libraries", {library.headerPath}}}}}}}));
    const double indexMs = Milliseconds(Clock::now() - start);
    const std::string uri = "file:///bench/app.c";
    // A source with a call of every hundredth function; the cursor goes to
    // the first argument of a random one.
    std::string text;
    const std::size_t calls = library.entries.size() / 100;
    for (std::size_t i = 0; i < calls; ++i) {
        text += "    VND_Function" + std::to_string(i * 100) + "(VND_CHANNEL_1, 0, 0, 7);\n";
    }
    server.Handle(
        Message({{"jsonrpc", "2.0"},
                 {"method", "textDocument/didOpen"},
                 {"params",
                  {{"textDocument",
                    {{"uri", uri}, {"languageId", "c"}, {"version", 1}, {"text", text}}}}}}));
    std::mt19937 random(7);
    int id = 1;
    const auto complete = [&] {
        const int line = static_cast<int>(random() % calls);
        const int character = 4 + 12 + static_cast<int>(std::to_string(line * 100).size()) + 1;
        const auto before = Clock::now();
        server.Handle(Message({{"jsonrpc", "2.0"},
                               {"id", id++},
                               {"method", "textDocument/completion"},
                               {"params",
                                {{"textDocument", {{"uri", uri}}},
                                 {"position", {{"line", line}, {"character", character}}}}}}));
        return Milliseconds(Clock::now() - before);
    };
    const double firstMs = complete();  // reads and indexes the documenting file
    if (out.find("VND_CHANNEL_0") == std::string::npos) {
        state.SkipWithError("no legal values in the answer");
        return;
    }
    std::vector<double> times;
    for (auto _ : state) {
        for (int i = 0; i < 500; ++i) {
            times.push_back(complete());
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["functions"] = static_cast<double>(server.Catalogue()->FunctionCount());
    state.counters["index_ms"] = indexMs;
    state.counters["first_ms"] = firstMs;
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[times.size() * 99 / 100];
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(CompletionOn20000Functions)->Iterations(1)->Unit(benchmark::kMillisecond);

void IndexOf900Headers(benchmark::State& state) {
    std::vector<std::string> headers;
    for (int i = 0; i < 900; ++i) {
        const auto folder = BenchFolder() / "tree" / ("periph" + std::to_string(i));
        headers.push_back(
            GenerateVendorLibrary(folder, 8'000, 0, "vnd_p" + std::to_string(i)).headerPath);
    }
    double unchangedMs = 0;
    std::size_t functions = 0;
    for (auto _ : state) {
        lsp::CatalogueIndex index(headers);
        index.Refresh();
        functions = index.FunctionCount();
        const auto before = Clock::now();
        index.Refresh();  // nothing changed: only the files' times are looked at
        unchangedMs = Milliseconds(Clock::now() - before);
    }
    state.counters["functions"] = static_cast<double>(functions);
    state.counters["unchanged_refresh_ms"] = unchangedMs;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(IndexOf900Headers)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quill::bench

int main(int argc, char** argv) {
    return quill::bench::RunBenchmarks(argc, argv);
}
