#include "source/FileBytes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace quill {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::u8path(path), ec);
}

}  // namespace

bool CanOpenForReading(const std::string& path) {
    if (path.empty() || IsFolder(path)) {
        return false;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    return file != nullptr;
}

FileBytesRead FileBytes(const std::string& path, std::size_t maxBytes) {
    FileBytesRead read;
    if (path.empty() || IsFolder(path)) {
        return read;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (file == nullptr) {
        return read;
    }
    constexpr std::size_t kChunk = 64 * 1024;
    for (;;) {
        const std::size_t room = maxBytes - std::min(maxBytes, read.bytes.size());
        // One byte beyond the limit tells a file of exactly maxBytes from a
        // larger one.
        const std::size_t want = std::min(kChunk, room + 1);
        const std::size_t had = read.bytes.size();
        read.bytes.resize(had + want);
        const std::size_t got = std::fread(read.bytes.data() + had, 1, want, file.get());
        read.bytes.resize(had + got);
        if (read.bytes.size() > maxBytes) {
            read.bytes.clear();
            read.outcome = FileReadOutcome::TooLarge;
            return read;
        }
        if (got < want) {
            break;
        }
    }
    read.outcome = std::ferror(file.get()) ? FileReadOutcome::Failed : FileReadOutcome::Read;
    if (read.outcome == FileReadOutcome::Failed) {
        read.bytes.clear();
    }
    return read;
}

}  // namespace quill
