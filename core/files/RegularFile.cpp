#include "core/files/RegularFile.h"

#include <algorithm>
#include <cerrno>

#include "core/files/DescriptorCalls.h"

namespace quill {

int OpenRegularFile(const std::string& path, OpenResult& result) {
    result = OpenResult::NotReadable;
    if (path.empty()) {
        result = OpenResult::Missing;
        return -1;
    }
#ifdef _WIN32
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    // Without O_NONBLOCK the open of a FIFO waits for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            result = OpenResult::Missing;
        }
        return -1;
    }
#ifdef _WIN32
    struct _stat64 info;
    const bool regular = _fstat64(fd, &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
#endif
    if (!regular) {
        CloseFile(fd);
        return -1;
    }
    result = OpenResult::Opened;
    return fd;
}

long long ReadFromFile(int fd, char* buffer, std::size_t max) {
#ifdef _WIN32
    const int n = _read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(max, 1 << 30)));
    return n;
#else
    for (;;) {
        const ssize_t n = read(fd, buffer, max);
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
#endif
}

long long SizeOfOpenFile(int fd) {
#ifdef _WIN32
    struct _stat64 info;
    return _fstat64(fd, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
#else
    struct stat info;
    return fstat(fd, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
#endif
}

bool CloseFile(int fd) {
#ifdef _WIN32
    return _close(fd) == 0;
#else
    return close(fd) == 0;
#endif
}

}  // namespace quill
