#include "lsp/MessageReader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace quill::lsp {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
// A header block longer than this is no header: it is dropped unread.
constexpr std::size_t kMaxHeaderBytes = 8 * 1024;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

long long ContentLength(const std::string& header) {
    long long length = -1;
    std::size_t start = 0;
    while (start < header.size()) {
        std::size_t end = header.find('\n', start);
        if (end == std::string::npos) {
            end = header.size();
        }
        const std::string_view line(header.data() + start, end - start);
        start = end + 1;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos ||
            !EqualsNoCase(Trimmed(line.substr(0, colon)), "Content-Length")) {
            continue;
        }
        const std::string_view digits = Trimmed(line.substr(colon + 1));
        if (digits.empty() || digits.size() > 12) {
            return -1;
        }
        length = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                return -1;
            }
            length = length * 10 + (c - '0');
        }
    }
    return length;
}

MessageReader::MessageReader(int fd) : fd_(fd) {}

MessageReader MessageReader::FromBytes(std::string bytes) {
    MessageReader reader;
    reader.buffer_ = std::move(bytes);
    reader.ended_ = true;
    return reader;
}

bool MessageReader::Fill() {
    if (ended_) {
        return false;
    }
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    char chunk[kChunk];
    for (;;) {
#ifdef _WIN32
        const int got = _read(fd_, chunk, static_cast<unsigned>(kChunk));
#else
        const ssize_t got = read(fd_, chunk, kChunk);
#endif
        if (got > 0) {
            buffer_.append(chunk, static_cast<std::size_t>(got));
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        ended_ = true;
        return false;
    }
}

std::size_t MessageReader::HeaderEnd() const {
    const std::string_view rest(buffer_.data() + pos_, buffer_.size() - pos_);
    // Clients end header lines with "\r\n"; a bare "\n" is taken as well.
    const std::size_t crlf = rest.find("\r\n\r\n");
    const std::size_t lf = rest.find("\n\n");
    std::size_t end = std::string::npos;
    if (crlf != std::string_view::npos) {
        end = crlf + 4;
    }
    if (lf != std::string_view::npos && (end == std::string::npos || lf + 2 < end)) {
        end = lf + 2;
    }
    return end == std::string::npos ? end : pos_ + end;
}

ReadResult MessageReader::Next(std::string& body) {
    std::size_t headerEnd;
    while ((headerEnd = HeaderEnd()) == std::string::npos) {
        if (buffer_.size() - pos_ > kMaxHeaderBytes) {
            // No blank line in sight: drop what is there and start afresh.
            pos_ = buffer_.size();
            return ReadResult::BadHeader;
        }
        if (!Fill()) {
            return ReadResult::End;
        }
    }
    const long long length = ContentLength(buffer_.substr(pos_, headerEnd - pos_));
    pos_ = headerEnd;
    if (length < 0) {
        return ReadResult::BadHeader;
    }
    const std::size_t size = static_cast<std::size_t>(length);
    if (size > kMaxMessageBytes) {
        // Passed over without keeping it.
        std::size_t left = size;
        for (;;) {
            const std::size_t take = std::min(left, buffer_.size() - pos_);
            pos_ += take;
            left -= take;
            if (left == 0) {
                return ReadResult::BadHeader;
            }
            if (!Fill()) {
                return ReadResult::End;
            }
        }
    }
    while (buffer_.size() - pos_ < size) {
        if (!Fill()) {
            return ReadResult::End;
        }
    }
    body.assign(buffer_, pos_, size);
    pos_ += size;
    return ReadResult::Message;
}

bool MessageReader::Ready() {
    if (HeaderEnd() != std::string::npos) {
        return true;
    }
    if (ended_ || fd_ < 0) {
        return false;
    }
#ifdef _WIN32
    return false;
#else
    pollfd poller{fd_, POLLIN, 0};
    return poll(&poller, 1, 0) > 0;
#endif
}

}  // namespace quill::lsp
