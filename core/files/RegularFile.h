#pragma once
// Opening files that other people and programs wrote, safely: only regular
// files are read (a FIFO, socket, device or folder counts as a file that
// cannot be opened, and opening one never blocks), and no read goes past a
// size that no library, source or settings file reaches.

#include <cstddef>
#include <string>

namespace quill {

// The most bytes read from one file; a longer one counts as unreadable.
constexpr std::size_t kMaxInputFileBytes = std::size_t{1} << 30;  // 1 GiB

enum class OpenResult { Opened, Missing, NotReadable };

// Opens `path` for reading: a descriptor on success, -1 otherwise. The type
// is checked on the open descriptor, so a file swapped in between is caught.
int OpenRegularFile(const std::string& path, OpenResult& result);

// Reads up to `max` bytes into `buffer`: the count, 0 at the end, -1 on a
// read error (interrupted reads are retried).
long long ReadFromFile(int fd, char* buffer, std::size_t max);

// The size the open file has now (it may still change); -1 when unknown.
long long SizeOfOpenFile(int fd);

// Closes the descriptor; false when the system reports that the close
// failed (for a written file: its last data may not have reached the disk).
bool CloseFile(int fd);

}  // namespace quill
