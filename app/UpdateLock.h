#pragma once
// An exclusive advisory lock on a lock file, held by every copy of the
// program while it reads, changes and replaces a shared file. The system
// drops it when the holder ends, however it ends.

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
    bool Held() const { return held_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool held_ = false;
};

}  // namespace quill
