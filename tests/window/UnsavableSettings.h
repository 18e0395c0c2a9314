#pragma once
// Ways to make a settings file refuse changes, each undone when it goes out
// of scope. The tests run as the super-user, whom permission bits do not
// stop: as root a file or folder is made immutable instead, which stops
// everyone. A full disk is a tiny memory file system, mounted in a mount
// namespace of the test thread's own so that nothing else sees it.

#ifndef _WIN32

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace quill {

// `path` (a file or a folder) read-only for everyone; Made() is false when
// the system does not allow it.
class ReadOnly {
public:
    explicit ReadOnly(std::string path) : path_(std::move(path)), made_(Set(true)) {}
    ~ReadOnly() {
        if (made_) {
            Set(false);
        }
    }
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

    bool Made() const { return made_; }

private:
    bool Set(bool on) const {
        if (geteuid() != 0) {
            return chmod(path_.c_str(), on ? 0555 : 0755) == 0;
        }
        const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0) {
            close(fd);
        }
        return done;
    }

    std::string path_;
    bool made_;
};

// A file system of 64 KiB mounted on the empty folder `folder`; Made() is
// false when the system does not allow it.
class TinyDisk {
public:
    explicit TinyDisk(std::string folder) : folder_(std::move(folder)) {
        static const bool ownMounts =
            unshare(CLONE_NEWNS) == 0 &&
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        made_ = ownMounts && mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~TinyDisk() {
        if (made_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool Made() const { return made_; }

    // Takes all the room that is left (never more than the disk's size).
    void Fill() const {
        std::ofstream filler(folder_ + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 16 && filler.write(block.data(), 4096) && filler.flush(); ++i) {
        }
    }

private:
    std::string folder_;
    bool made_ = false;
};

}  // namespace quill

#endif
