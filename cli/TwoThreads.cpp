#include "cli/TwoThreads.h"

#include <exception>
#include <thread>

#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
#define QUILL_THREADS 1
#endif

namespace quill::cli {

bool TwoThreadsRun() {
#ifdef QUILL_THREADS
    return std::thread::hardware_concurrency() >= 2;
#else
    return false;
#endif
}

void RunBoth(const std::function<void()>& first, const std::function<void()>& second) {
#ifdef QUILL_THREADS
    std::exception_ptr secondFailed;
    std::thread other([&second, &secondFailed] {
        try {
            second();
        } catch (...) {
            secondFailed = std::current_exception();
        }
    });
    try {
        first();
    } catch (...) {
        other.join();
        throw;
    }
    other.join();
    if (secondFailed) {
        std::rethrow_exception(secondFailed);
    }
#else
    first();
    second();
#endif
}

}  // namespace quill::cli
