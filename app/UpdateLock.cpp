#include "app/UpdateLock.h"

#include <algorithm>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quill {

namespace {

// Retries a non-blocking attempt with growing pauses until it succeeds or
// the wait has run out.
template <typename Attempt>
bool RetryUntil(std::chrono::milliseconds wait, Attempt attempt) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds pause(1);
    while (!attempt()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace

#ifdef _WIN32

UpdateLock::UpdateLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait) {
    HANDLE handle = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileW(lockFile.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    handle_ = handle;
    held_ = RetryUntil(wait, [handle] {
        OVERLAPPED at = {};
        return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                          &at) != 0;
    });
}

UpdateLock::~UpdateLock() {
    if (handle_ != nullptr) {
        if (held_) {
            OVERLAPPED at = {};
            UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
        }
        CloseHandle(static_cast<HANDLE>(handle_));
    }
}

#else

UpdateLock::UpdateLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait) {
    // A lock file made by another user may be read-only for us; a lock on a
    // descriptor opened for reading works as well.
    fd_ = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd_ < 0) {
        fd_ = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    }
    if (fd_ < 0) {
        return;
    }
    const int fd = fd_;
    held_ = RetryUntil(wait, [fd] {
        int result;
        do {
            result = flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        return result == 0;
    });
}

UpdateLock::~UpdateLock() {
    if (fd_ >= 0) {
        close(fd_);  // drops the lock
    }
}

#endif

}  // namespace quill
