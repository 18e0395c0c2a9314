#include "core/files/ReadTextLine.h"

#include <cstring>
#include <utility>

#include "core/files/RegularFile.h"

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
        fd_ = std::exchange(other.fd_, -1);
        sizeAtOpen_ = std::exchange(other.sizeAtOpen_, 0);
        bytesRead_ = std::exchange(other.bytesRead_, 0);
        inMemory_ = std::exchange(other.inMemory_, false);
        atEnd_ = std::exchange(other.atEnd_, false);
        failed_ = std::exchange(other.failed_, false);
        buffer_ = std::move(other.buffer_);
        pos_ = std::exchange(other.pos_, 0);
        end_ = std::exchange(other.end_, 0);
        nextNul_ = std::exchange(other.nextNul_, 0);
    }
    return *this;
}

bool TextFile::Open(const std::string& path) {
    Close();
    OpenResult result;
    const int fd = OpenRegularFile(path, result);
    if (fd < 0) {
        return false;
    }
    const long long size = SizeOfOpenFile(fd);
    if (size < 0 || static_cast<unsigned long long>(size) > kMaxInputFileBytes) {
        CloseFile(fd);
        return false;
    }
    fd_ = fd;
    sizeAtOpen_ = static_cast<unsigned long long>(size);
    buffer_.resize(kBufferBytes);
    return true;
}

TextFile TextFile::FromBytes(std::string bytes) {
    TextFile f;
    f.inMemory_ = true;
    f.atEnd_ = true;
    f.end_ = bytes.size();
    f.sizeAtOpen_ = bytes.size();
    f.buffer_ = std::move(bytes);
    f.FindNextNul();
    return f;
}

void TextFile::Close() {
    if (fd_ >= 0) {
        CloseFile(fd_);
        fd_ = -1;
    }
    sizeAtOpen_ = bytesRead_ = 0;
    inMemory_ = false;
    atEnd_ = false;
    failed_ = false;
    buffer_.clear();
    pos_ = end_ = nextNul_ = 0;
}

void TextFile::FindNextNul() {
    const void* nul = std::memchr(buffer_.data() + pos_, '\0', end_ - pos_);
    nextNul_ =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer_.data()) : end_;
}

bool TextFile::Refill() {
    if (fd_ < 0 || atEnd_) {
        return false;
    }
    const std::size_t kept = end_ - pos_;
    std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
    pos_ = 0;
    end_ = kept;
    const long long got = ReadFromFile(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (got > 0) {
        end_ += static_cast<std::size_t>(got);
        bytesRead_ += static_cast<unsigned long long>(got);
        if (bytesRead_ > kMaxInputFileBytes) {
            atEnd_ = failed_ = true;
        }
    } else {
        // The end of the file, or a failure; either way no more bytes come
        // from it. Fewer bytes than it had when opened means it was cut while
        // it was read, and the lines are not the whole file.
        atEnd_ = true;
        failed_ = got < 0 || bytesRead_ < sizeAtOpen_;
    }
    FindNextNul();
    return got > 0;
}

std::string_view TextFile::NextLine() {
    for (;;) {
        const std::size_t left = end_ - pos_;
        const std::size_t want = left < kMaxLineBytes ? left : kMaxLineBytes;
        const char* const start = buffer_.data() + pos_;
        const void* lf = std::memchr(start, '\n', want);
        std::size_t length = want;
        if (lf != nullptr) {
            length = static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
        } else if (want < kMaxLineBytes && Refill()) {
            continue;  // the line may go on in the bytes just read
        }
        // A NUL byte ends the line's text; the bytes after it are still consumed.
        const std::size_t lineStart = pos_;
        pos_ += length;
        if (nextNul_ < pos_) {
            const std::size_t nul = nextNul_;
            FindNextNul();
            return std::string_view(buffer_.data() + lineStart, nul - lineStart);
        }
        return std::string_view(buffer_.data() + lineStart, length);
    }
}

void TextFile::SkipLinesWithout(std::string_view mark) {
    if (mark.empty()) {
        return;
    }
    const std::size_t lead = mark.size() - 1;
    for (;;) {
        // No NUL byte before `stop`, so no line up to there is cut short.
        const std::size_t stop = nextNul_ < end_ ? nextNul_ : end_;
        const char* const base = buffer_.data();
        std::size_t hit = stop;
        for (const char* p = base + pos_ + lead; p < base + stop; ++p) {
            p = static_cast<const char*>(std::memchr(p, mark.back(), base + stop - p));
            if (p == nullptr) {
                break;
            }
            if (std::memcmp(p - lead, mark.data(), lead) == 0) {
                hit = static_cast<std::size_t>(p - lead - base);
                break;
            }
        }
        // Every line ended before the one holding `hit` goes.
        std::size_t lineStart = hit;
        while (lineStart > pos_ && base[lineStart - 1] != '\n') {
            --lineStart;
        }
        pos_ = lineStart;
        // Reading on needs room: a buffer full of one unfinished line is left
        // to NextLine, which cuts it into pieces.
        if (hit < stop || stop < end_ || (pos_ == 0 && end_ == buffer_.size()) || !Refill()) {
            return;
        }
    }
}

std::string ReadTextLine(TextFile& file) {
    return std::string(file.NextLine());
}

bool ReadTextLine(TextFile& file, std::string& line) {
    line.assign(file.NextLine());
    return !line.empty();
}

}  // namespace quill
