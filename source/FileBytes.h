#pragma once
// Whole-file reads with a limit, and the one test of whether a file can be
// read at all.

#include <cstddef>
#include <string>

namespace quill {

// True when `path` names something that opens for reading and is not a
// folder.
bool CanOpenForReading(const std::string& path);

enum class FileReadOutcome {
    Read,       // bytes holds the whole file
    NotOpened,  // missing, a folder, or not readable
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
