#include "core/files/UpdateLock.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#ifdef __linux__
#include <time.h>
#endif
#endif

namespace quill {

#ifdef _WIN32

namespace {

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
            return ENOENT;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

HANDLE OpenLockFile(const std::filesystem::path& lockFile, DWORD access, DWORD disposition) {
    return CreateFileW(lockFile.c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
}

}  // namespace

// The request joins the system's queue of lock requests on the file; when
// the wait runs out it is cancelled (unless it was granted meanwhile).
UpdateLock::UpdateLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait) {
    HANDLE handle = OpenLockFile(lockFile, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE) {
        handle = OpenLockFile(lockFile, GENERIC_READ, OPEN_EXISTING);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        error_ = ErrnoOf(GetLastError());
        return;
    }
    handle_ = handle;
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr) {
        error_ = ErrnoOf(GetLastError());
        return;
    }
    OVERLAPPED at = {};
    at.hEvent = event;
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
        const DWORD started = GetLastError();
        if (started != ERROR_IO_PENDING) {
            error_ = ErrnoOf(started);
        } else {
            DWORD done = 0;
            if (WaitForSingleObject(event, static_cast<DWORD>(wait.count())) != WAIT_OBJECT_0) {
                CancelIoEx(handle, &at);
            }
            if (!GetOverlappedResult(handle, &at, &done, TRUE)) {
                const DWORD failed = GetLastError();
                error_ = failed == ERROR_OPERATION_ABORTED ? ETIMEDOUT : ErrnoOf(failed);
            }
        }
    }
    CloseHandle(event);
}

UpdateLock::~UpdateLock() {
    if (handle_ != nullptr) {
        if (error_ == 0) {
            OVERLAPPED at = {};
            UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
        }
        CloseHandle(static_cast<HANDLE>(handle_));
    }
}

#else

namespace {

#ifdef __linux__

// The signal that ends a wait: sent by a timer to the waiting thread, it
// makes the blocked flock return with EINTR. Its handler does nothing.
int WakeSignal() {
    return SIGRTMIN + 4;
}

void IgnoreWake(int) {}

bool WakeHandlerInstalled() {
    static const bool installed = [] {
        struct sigaction action = {};
        action.sa_handler = IgnoreWake;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;  // no SA_RESTART: the wait has to end
        return sigaction(WakeSignal(), &action, nullptr) == 0;
    }();
    return installed;
}

// Sends the wake signal to this thread once `wait` has passed, then every
// 10 ms until it is destroyed: a signal that comes just before the thread
// blocks is followed by another.
class WakeTimer {
public:
    explicit WakeTimer(std::chrono::milliseconds wait) {
        if (!WakeHandlerInstalled()) {
            return;
        }
        sigset_t wake;
        sigemptyset(&wake);
        sigaddset(&wake, WakeSignal());
        unblocked_ = pthread_sigmask(SIG_UNBLOCK, &wake, &mask_) == 0;
        struct sigevent event = {};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = WakeSignal();
#ifdef sigev_notify_thread_id
        event.sigev_notify_thread_id = gettid();
#else
        event._sigev_un._tid = gettid();
#endif
        if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) {
            return;
        }
        struct itimerspec times = {};
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
        times.it_value.tv_sec = seconds.count();
        times.it_value.tv_nsec =
            std::chrono::duration_cast<std::chrono::nanoseconds>(wait - seconds).count();
        times.it_interval.tv_nsec = 10'000'000;
        armed_ = timer_settime(timer_, 0, &times, nullptr) == 0;
        if (!armed_) {
            timer_delete(timer_);
        }
    }
    ~WakeTimer() {
        if (armed_) {
            timer_delete(timer_);
        }
        if (unblocked_) {
            pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
        }
    }
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;

    bool Armed() const {
        return armed_;
    }

private:
    timer_t timer_{};
    sigset_t mask_{};  // the thread's signal mask before
    bool unblocked_ = false;
    bool armed_ = false;
};

#endif

// Blocks in flock until the lock is granted or the deadline passes; an
// interruption before the deadline (another signal) waits on.
int BlockUntil(int fd, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        if (flock(fd, LOCK_EX) == 0) {
            return 0;
        }
        if (errno != EINTR) {
            return errno;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return ETIMEDOUT;
        }
    }
}

// Where no thread timer exists: tries again after short pauses.
int RetryUntil(int fd, std::chrono::steady_clock::time_point deadline) {
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return 0;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return errno;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return ETIMEDOUT;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

int LockWithin(int fd, std::chrono::milliseconds wait) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        return 0;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
        return errno;
    }
    if (wait.count() <= 0) {
        return ETIMEDOUT;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
#ifdef __linux__
    const WakeTimer timer(wait);
    if (timer.Armed()) {
        return BlockUntil(fd, deadline);
    }
#endif
    return RetryUntil(fd, deadline);
}

}  // namespace

UpdateLock::UpdateLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait) {
    // A lock file made by another user may be read-only for us; a lock on a
    // descriptor opened for reading works as well.
    fd_ = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd_ < 0) {
        const int createError = errno;
        fd_ = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) {
            error_ = errno == ENOENT ? createError : errno;
            return;
        }
    }
    error_ = LockWithin(fd_, wait);
}

UpdateLock::~UpdateLock() {
    if (fd_ >= 0) {
        close(fd_);  // drops the lock
    }
}

#endif

}  // namespace quill
