#pragma once
// Work on a second thread, where the C++ library has threads (MinGW's
// builds with Windows threads have none: there the work runs on the one
// thread, one piece after the other).

#include <exception>
#include <functional>

#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
#include <thread>
#define QUILL_THREADS 1
#endif

namespace quill::cli {

// True when a second thread can run beside this one.
bool TwoThreadsRun();

// One piece of work at a time, run beside the caller until it waits for it.
class SecondThread {
public:
    SecondThread() = default;
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;
    // Waits for the work still running; what it throws is dropped.
    ~SecondThread();

    // Starts `work`; the work started before must have been waited for.
    void Start(std::function<void()> work);
    // Returns once the work ended (where there are no threads, runs it
    // now); what it threw comes out here.
    void Wait();

private:
    std::function<void()> work_;
    std::exception_ptr failed_;
#ifdef QUILL_THREADS
    std::thread thread_;
#endif
};

// Runs `first` here and `second` on a second thread, and returns once both
// are done. An exception of either comes out here, after both ended.
void RunBoth(const std::function<void()>& first, const std::function<void()>& second);

}  // namespace quill::cli
