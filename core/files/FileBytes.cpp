#include "core/files/FileBytes.h"

#include <algorithm>

#include "core/files/RegularFile.h"

namespace quill {

bool CanOpenForReading(const std::string& path) {
    OpenResult result;
    const int fd = OpenRegularFile(path, result);
    if (fd >= 0) {
        CloseFile(fd);
    }
    return fd >= 0;
}

FileBytesRead FileBytes(const std::string& path, std::size_t maxBytes) {
    FileBytesRead read;
    OpenResult opened;
    const int fd = OpenRegularFile(path, opened);
    if (fd < 0) {
        return read;
    }
    // A file that says it is too large is not read at all; one that grows
    // while it is read is stopped by the count below.
    const long long size = SizeOfOpenFile(fd);
    if (size > static_cast<long long>(maxBytes)) {
        CloseFile(fd);
        read.outcome = FileReadOutcome::TooLarge;
        return read;
    }
    if (size > 0) {
        read.bytes.reserve(static_cast<std::size_t>(size) + 1);
    }
    constexpr std::size_t kChunk = 64 * 1024;
    read.outcome = FileReadOutcome::Read;
    for (;;) {
        const std::size_t room = maxBytes - std::min(maxBytes, read.bytes.size());
        // One byte beyond the limit tells a file of exactly maxBytes from a
        // larger one.
        const std::size_t want = std::min(kChunk, room + 1);
        const std::size_t had = read.bytes.size();
        read.bytes.resize(had + want);
        const long long got = ReadFromFile(fd, read.bytes.data() + had, want);
        read.bytes.resize(had + static_cast<std::size_t>(std::max(got, 0LL)));
        if (got < 0) {
            read.outcome = FileReadOutcome::Failed;
            break;
        }
        if (read.bytes.size() > maxBytes) {
            read.outcome = FileReadOutcome::TooLarge;
            break;
        }
        if (got == 0) {
            break;
        }
    }
    CloseFile(fd);
    if (read.outcome != FileReadOutcome::Read) {
        read.bytes.clear();
        read.bytes.shrink_to_fit();
    }
    return read;
}

}  // namespace quill
