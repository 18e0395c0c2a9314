#pragma once
// Two pieces of work at once, on this thread and a second one, where the
// C++ library has threads (MinGW's builds with Windows threads have none:
// there they run one after the other).

#include <functional>

namespace quill::cli {

// True when a second thread can run beside this one.
bool TwoThreadsRun();

// Runs `first` on this thread and `second` on another (or after `first`
// where there are none) and returns once both are done. An exception of
// either comes out here, after both ended.
void RunBoth(const std::function<void()>& first, const std::function<void()>& second);

}  // namespace quill::cli
