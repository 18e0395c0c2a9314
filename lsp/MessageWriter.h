#pragma once
// The writing half of the language server's wire: each message body behind
// its "Content-Length" header, flushed at once.

#include <functional>
#include <string>

namespace quill::lsp {

// The framed bytes of one message body.
std::string FramedMessage(const std::string& body);

class MessageWriter {
public:
    // Hands each framed message to `sink`, which returns false when it could
    // not be written.
    explicit MessageWriter(std::function<bool(const std::string&)> sink);
    // Writes to the descriptor `fd`.
    static MessageWriter ToDescriptor(int fd);

    // False once a write failed: the client is gone.
    bool Write(const std::string& body);

private:
    std::function<bool(const std::string&)> sink_;
    bool failed_ = false;
};

}  // namespace quill::lsp
