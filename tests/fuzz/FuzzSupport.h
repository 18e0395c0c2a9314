#pragma once
// Pieces shared by the fuzz targets (one executable each): a check that
// stops the run, and the split of an input into an entry and a file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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
