#pragma once
// An exclusive advisory lock on a lock file, held by every copy of the
// program while it reads, changes and replaces a shared file. The system
// drops it when the holder ends, however it ends.
//
// A copy that wants the lock waits blocked on the lock file and is woken as
// soon as the holder lets go, instead of trying again after pauses that a
// copy changing the file without a pause would never leave open.

#include <chrono>
#include <filesystem>

namespace quill {

class UpdateLock {
public:
    // Waits at most `wait` for the lock on `lockFile` (created when missing).
    UpdateLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait);
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    // False when the lock file could not be opened or the wait ran out.
    bool Held() const { return error_ == 0; }
    // Why the lock is not held, as an errno value: ETIMEDOUT when the wait ran
    // out, else the error of opening or locking the lock file; 0 when held.
    int Error() const { return error_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    int error_ = 0;
};

}  // namespace quill
