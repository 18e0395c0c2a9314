#include "cli/TwoThreads.h"

#include <utility>

namespace quill::cli {

bool TwoThreadsRun() {
#ifdef QUILL_THREADS
    return std::thread::hardware_concurrency() >= 2;
#else
    return false;
#endif
}

SecondThread::~SecondThread() {
    try {
        Wait();
    } catch (...) {
        // The caller is leaving already, through an exception of its own.
    }
}

void SecondThread::Start(std::function<void()> work) {
    work_ = std::move(work);
    failed_ = nullptr;
#ifdef QUILL_THREADS
    thread_ = std::thread([this] {
        try {
            work_();
        } catch (...) {
            failed_ = std::current_exception();
        }
    });
#endif
}

void SecondThread::Wait() {
#ifdef QUILL_THREADS
    if (thread_.joinable()) {
        thread_.join();
    }
#else
    if (work_) {
        try {
            work_();
        } catch (...) {
            failed_ = std::current_exception();
        }
    }
#endif
    work_ = nullptr;
    if (failed_) {
        std::rethrow_exception(std::exchange(failed_, nullptr));
    }
}

void RunBoth(const std::function<void()>& first, const std::function<void()>& second) {
    SecondThread other;
    other.Start(second);
    first();
    other.Wait();
}

}  // namespace quill::cli
