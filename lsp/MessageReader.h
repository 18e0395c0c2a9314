#pragma once
// The reading half of the language server's wire: messages framed by a
// "Content-Length: N" header block, from a file descriptor or from bytes
// held in memory.

#include <cstddef>
#include <string>

namespace quill::lsp {

// A body larger than this is skipped and answered as unreadable.
inline constexpr std::size_t kMaxMessageBytes = 64u << 20;

enum class ReadResult {
    Message,    // `body` holds one message body
    BadHeader,  // a header block without a usable length, or a body too large: skipped
    End,        // the input ended (a message cut short counts as the end)
};

class MessageReader {
public:
    // Reads from the descriptor `fd` (blocking).
    explicit MessageReader(int fd);
    // Reads the bytes given, then ends.
    static MessageReader FromBytes(std::string bytes);

    ReadResult Next(std::string& body);

    // True when a whole message, or any unread input, can be had without
    // waiting.
    bool Ready();

private:
    MessageReader() = default;
    // Adds input to the buffer; false at the end of the input.
    bool Fill();
    // The header block's end in the buffer (past its blank line), or npos.
    std::size_t HeaderEnd() const;

    int fd_ = -1;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool ended_ = false;
};

// The value of the Content-Length header of a header block (its lines
// without the closing blank line); -1 when it is missing or no number.
long long ContentLength(const std::string& header);

}  // namespace quill::lsp
