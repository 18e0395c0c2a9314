#include "source/ReadTextLine.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <utility>

namespace quill {

namespace {
constexpr std::size_t kBufferBytes = 64 * 1024;
}

TextFile::~TextFile() {
    Close();
}

TextFile::TextFile(TextFile&& other) noexcept {
    *this = std::move(other);
}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, nullptr);
        inMemory_ = std::exchange(other.inMemory_, false);
        buffer_ = std::move(other.buffer_);
        pos_ = std::exchange(other.pos_, 0);
        end_ = std::exchange(other.end_, 0);
    }
    return *this;
}

bool TextFile::Open(const std::string& path) {
    Close();
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::u8path(path), ec)) {
        return false;
    }
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        return false;
    }
    buffer_.resize(kBufferBytes);
    pos_ = end_ = 0;
    return true;
}

TextFile TextFile::FromBytes(std::string bytes) {
    TextFile f;
    f.inMemory_ = true;
    f.end_ = bytes.size();
    f.buffer_ = std::move(bytes);
    return f;
}

void TextFile::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    inMemory_ = false;
    buffer_.clear();
    pos_ = end_ = 0;
}

bool TextFile::Refill() {
    if (file_ == nullptr) {
        return false;
    }
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    pos_ = 0;
    return end_ > 0;
}

std::size_t TextFile::TakeLine(std::string& out, std::size_t max) {
    std::size_t taken = 0;
    while (taken < max) {
        if (pos_ >= end_ && !Refill()) {
            break;
        }
        const std::size_t want = std::min(max - taken, end_ - pos_);
        const char* start = buffer_.data() + pos_;
        const void* lf = std::memchr(start, '\n', want);
        const std::size_t n = lf ? static_cast<const char*>(lf) - start + 1 : want;
        out.append(start, n);
        pos_ += n;
        taken += n;
        if (lf) {
            break;
        }
    }
    return taken;
}

std::string ReadTextLine(TextFile& file) {
    std::string line;
    line.reserve(64);
    file.TakeLine(line, kMaxLineBytes);
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos) {
        line.resize(nul);
    }
    return line;
}

bool ReadTextLine(TextFile& file, std::string& line) {
    line.clear();
    file.TakeLine(line, kMaxLineBytes);
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos) {
        line.resize(nul);
    }
    return !line.empty();
}

}  // namespace quill
