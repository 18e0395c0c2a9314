#pragma once
// Whole-file reads with a limit, and the one test of whether a file can be
// read at all.

#include <cstddef>
#include <string>

namespace quill {

// True when `path` names a regular file that opens for reading (see
// core/files/RegularFile.h: a FIFO, device or folder does not count).
bool CanOpenForReading(const std::string& path);

enum class FileReadOutcome {
    Read,       // bytes holds the whole file
    NotOpened,  // missing, no regular file, or not readable
    TooLarge,   // more than the limit: nothing is kept
    Failed,     // a read error before the end
};

struct FileBytesRead {
    FileReadOutcome outcome = FileReadOutcome::NotOpened;
    std::string bytes;
};

// Reads the whole file at `path` when it holds at most `maxBytes` bytes.
// Never reads more than maxBytes + 1 bytes, whatever the file claims to be
// (a device or a growing file included).
FileBytesRead FileBytes(const std::string& path, std::size_t maxBytes);

}  // namespace quill
