#include "lsp/MessageWriter.h"

#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quill::lsp {

std::string FramedMessage(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

MessageWriter::MessageWriter(std::function<bool(const std::string&)> sink)
    : sink_(std::move(sink)) {}

MessageWriter MessageWriter::ToDescriptor(int fd) {
    return MessageWriter([fd](const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
#ifdef _WIN32
            const int wrote =
                _write(fd, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
#else
            const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
#endif
            if (wrote < 0 && errno == EINTR) {
                continue;
            }
            if (wrote <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(wrote);
        }
        return true;
    });
}

bool MessageWriter::Write(const std::string& body) {
    if (!failed_ && !sink_(FramedMessage(body))) {
        failed_ = true;
    }
    return !failed_;
}

}  // namespace quill::lsp
