#pragma once
// Pieces shared by the fuzz targets (one executable each): a check that
// stops the run, and the split of an input into an entry and a file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The first byte modulo `maxEntry` gives the entry's length, the entry
// follows, the rest is the file; an empty input gives two empty texts.
struct EntryAndFile {
    std::string entry;
    std::string file;
};
inline EntryAndFile SplitEntry(const std::uint8_t* data, std::size_t size, std::size_t maxEntry) {
    if (size == 0) {
        return {};
    }
    const std::string all = Bytes(data + 1, size - 1);
    const std::size_t length = std::min<std::size_t>(data[0] % maxEntry, all.size());
    return {all.substr(0, length), all.substr(length)};
}

// A folder of the target's own under the temporary folder, removed at exit.
struct FuzzFolder {
    const std::filesystem::path path;
    explicit FuzzFolder(const std::string& stem)
        : path(std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~FuzzFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
