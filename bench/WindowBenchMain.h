#pragma once
// The main function of a benchmark that drives Qt widgets: an application on
// the offscreen platform unless told otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

namespace quill::bench {

// Runs the benchmarks named on the command line; `release` lets go of the
// widgets the benchmarks kept before the application ends.
inline int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& release) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    release();
    benchmark::Shutdown();
    return 0;
}

}  // namespace quill::bench
