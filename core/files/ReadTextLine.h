#pragma once
// The shared line reader of every library scan.

#include <string>
#include <string_view>

namespace quill {

// Maximum number of bytes in one line delivered by ReadTextLine.
constexpr std::size_t kMaxLineBytes = 255;

// A read-only byte source: an open file read through a buffer, or bytes held
// in memory (tests, fuzzing). Moveable, not copyable; closes itself.
class TextFile {
public:
    TextFile() = default;
    ~TextFile();
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Opens `path` for reading; false when it cannot be opened: missing, not
    // readable, no regular file (a FIFO, device or folder; opening one never
    // waits) or larger than kMaxInputFileBytes.
    bool Open(const std::string& path);
    static TextFile FromBytes(std::string bytes);

    bool IsOpen() const { return fd_ >= 0 || inMemory_; }
    // The file's size when it was opened, or the number of bytes held in
    // memory: room enough for every line a reader keeps.
    unsigned long long SizeAtOpen() const { return sizeAtOpen_; }
    void Close();

    // The next line (see ReadTextLine) as a view into the buffer, valid until
    // the next call or Close. Empty at the end of the data, after a failed
    // read, and for a line that begins with a NUL byte.
    std::string_view NextLine();

    // Moves past whole lines that cannot hold `mark`, so that the next line
    // read is the first one that may (it may stop earlier, never later). A
    // line that begins with a NUL byte is never passed, so the end signal
    // still comes. Lets a scan that waits for a mark pass over long
    // stretches without taking them line by line.
    void SkipLinesWithout(std::string_view mark);

    // The bytes buffered from the next line on, up to the first NUL byte: a
    // scan may take whole lines from them itself and then Consume what it
    // took. Lines cut from them follow the rules of NextLine only where a
    // "\n" or 255 bytes end them inside the view; the rest is NextLine's.
    std::string_view Pending() const {
        return std::string_view(buffer_.data() + pos_, (nextNul_ < end_ ? nextNul_ : end_) - pos_);
    }
    // Moves past the first `bytes` of Pending().
    void Consume(std::size_t bytes) { pos_ += bytes; }

    // True once reading the file failed: a read error, a file that ended
    // before the size it had when opened (cut while it was read), or one that
    // grew past kMaxInputFileBytes. The lines before the failure were
    // delivered and the reader then reports the end; what was read is not
    // the whole file.
    bool ReadFailed() const { return failed_; }

private:
    // Moves the unread bytes to the front of the buffer and fills the rest;
    // false when no byte was added.
    bool Refill();
    // Where the first NUL byte at or after `pos_` is (or `end_`).
    void FindNextNul();

    int fd_ = -1;
    unsigned long long sizeAtOpen_ = 0;
    unsigned long long bytesRead_ = 0;
    bool inMemory_ = false;
    bool atEnd_ = false;
    bool failed_ = false;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t nextNul_ = 0;
};

// The next line of `file`: bytes up to and including the first "\n", or 255
// bytes when no "\n" comes first (the rest of that physical line arrives with
// the next call), or what is left at the end of the file. The result is cut
// at its first NUL byte. An empty result means end of file to every caller.
// The view stays valid until the next read from `file`.
inline std::string_view ReadTextLineView(TextFile& file) {
    return file.NextLine();
}

// The same line as a string of its own.
std::string ReadTextLine(TextFile& file);

// The same line copied into `line`, which a loop can reuse. Returns false
// (and an empty `line`) at the end.
bool ReadTextLine(TextFile& file, std::string& line);

}  // namespace quill
