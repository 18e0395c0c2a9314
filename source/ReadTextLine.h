#pragma once
// The shared line reader of every library scan.

#include <cstdio>
#include <memory>
#include <string>

namespace quill {

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

    // Opens `path` for reading; false when it cannot be opened (or is a folder).
    bool Open(const std::string& path);
    static TextFile FromBytes(std::string bytes);

    bool IsOpen() const { return file_ != nullptr || inMemory_; }
    void Close();

    // Next byte, or -1 at the end of the data.
    int GetByte() {
        if (pos_ < end_) {
            return static_cast<unsigned char>(buffer_[pos_++]);
        }
        return Refill() ? static_cast<unsigned char>(buffer_[pos_++]) : -1;
    }

    // Consumes up to `max` bytes up to and including the first '\n' and
    // appends them to `out`. Returns the number of bytes consumed.
    std::size_t TakeLine(std::string& out, std::size_t max);

private:
    bool Refill();

    std::FILE* file_ = nullptr;
    bool inMemory_ = false;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Maximum number of bytes in one line delivered by ReadTextLine.
constexpr std::size_t kMaxLineBytes = 255;

// The next line of `file`: bytes up to and including the first "\n", or 255
// bytes when no "\n" comes first (the rest of that physical line arrives with
// the next call), or what is left at the end of the file. The result is cut
// at its first NUL byte. An empty result means end of file to every caller.
std::string ReadTextLine(TextFile& file);

// The same line as ReadTextLine, read into `line` so that a scan can reuse one
// buffer for every line. Returns false (and an empty `line`) at the end.
bool ReadTextLine(TextFile& file, std::string& line);

}  // namespace quill
