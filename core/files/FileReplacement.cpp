#include "core/files/FileReplacement.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <sstream>
#include <vector>

#include "core/files/DescriptorCalls.h"
#include "core/files/RegularFile.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

std::string TemporaryPrefix(const fs::path& target) {
    return target.filename().string() + ".tmp-";
}

fs::path TemporaryPathBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937_64 random{static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}())};
    std::ostringstream name;
    name << TemporaryPrefix(target) << std::hex << random() << '-' << counter.fetch_add(1);
    return target.parent_path() / fs::path(name.str());
}

// A new file at `path`, never one that is already there; -1 on failure
// (errno tells why).
int CreateNewFile(const fs::path& path) {
#ifdef _WIN32
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

// A new temporary file beside `target`; -1 when none can be made.
int CreateTemporaryBeside(const fs::path& target, fs::path& tmp) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tmp = TemporaryPathBeside(target);
        const int fd = CreateNewFile(tmp);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

// Writes everything, makes it durable and closes the file; the error of the
// first step that failed.
std::error_code WriteSyncClose(int fd, const std::string& content) {
    std::error_code error;
    std::size_t done = 0;
    while (!error && done < content.size()) {
        const std::size_t chunk = std::min<std::size_t>(content.size() - done, 1 << 20);
#ifdef _WIN32
        const int n = _write(fd, content.data() + done, static_cast<unsigned>(chunk));
#else
        const ssize_t n = write(fd, content.data() + done, chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
#endif
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else {
            // A write that takes nothing without saying why: the disk is full.
            error = n == 0 ? std::make_error_code(std::errc::no_space_on_device) : LastError();
        }
    }
#ifdef _WIN32
    if (!error && _commit(fd) != 0) {
#else
    if (!error && fsync(fd) != 0) {
#endif
        error = LastError();
    }
    if (!CloseFile(fd) && !error) {
        error = LastError();
    }
    return error;
}

}  // namespace

std::error_code ReplaceFileAtomically(const fs::path& target, const std::string& content) {
    fs::path tmp;
    const int fd = CreateTemporaryBeside(target, tmp);
    if (fd < 0) {
        return LastError();
    }
    std::error_code error = WriteSyncClose(fd, content);
    if (!error) {
        std::error_code ec;
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old)) {
            fs::permissions(tmp, old.permissions(), ec);
        }
        fs::rename(tmp, target, error);
    }
    if (error) {
        std::error_code ec;
        fs::remove(tmp, ec);
    }
    return error;
}

void RemoveLeftoverTemporaries(const fs::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    std::vector<fs::path> leftovers;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            it->is_regular_file(ec)) {
            leftovers.push_back(it->path());
        }
    }
    for (const fs::path& path : leftovers) {
        fs::remove(path, ec);
    }
}

bool CanCreateTemporaryBeside(const fs::path& target) {
    fs::path tmp;
    const int fd = CreateTemporaryBeside(target, tmp);
    if (fd < 0) {
        return false;
    }
    CloseFile(fd);
    std::error_code ec;
    fs::remove(tmp, ec);
    return true;
}

}  // namespace quill
