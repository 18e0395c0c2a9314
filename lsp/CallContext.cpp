#include "lsp/CallContext.h"

namespace quill::lsp {

namespace {

bool IsIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

struct Frame {
    char open = '(';  // "(", "[" or "{"
    std::string name;
    Span nameSpan;
    std::size_t argumentBegin = 0;
    std::vector<Span> arguments;
};

// Walks `text` up to `limit`, keeping the open brackets. Reports each
// closed call to `onCall` when given. Returns false when `limit` lies in a
// comment or a literal.
class Walker {
public:
    explicit Walker(std::string_view text) : text_(text) {}

    bool WalkTo(std::size_t limit, const std::function<void(const CallSite&)>* onCall) {
        std::size_t i = 0;
        Span lastWord{};
        bool haveWord = false;
        while (i < limit) {
            const char c = text_[i];
            const char next = i + 1 < text_.size() ? text_[i + 1] : '\0';
            if (c == '/' && next == '/') {
                const std::size_t end = text_.find('\n', i);
                if (end == std::string_view::npos || end >= limit) {
                    return false;
                }
                i = end;
                continue;
            }
            if (c == '/' && next == '*') {
                const std::size_t end = text_.find("*/", i + 2);
                if (end == std::string_view::npos || end + 2 > limit) {
                    return false;
                }
                i = end + 2;
                continue;
            }
            if (c == '"' || c == '\'') {
                std::size_t j = i + 1;
                while (j < text_.size() && text_[j] != c && text_[j] != '\n') {
                    j += text_[j] == '\\' ? 2 : 1;
                }
                if (j >= limit) {
                    return false;
                }
                i = j + 1;
                haveWord = false;
                continue;
            }
            if (IsIdentifierStart(c)) {
                const std::size_t begin = i;
                while (i < text_.size() && IsIdentifierByte(text_[i])) {
                    ++i;
                }
                lastWord = {begin, i};
                haveWord = true;
                continue;
            }
            if (c >= '0' && c <= '9') {
                while (i < text_.size() && (IsIdentifierByte(text_[i]) || text_[i] == '.')) {
                    ++i;
                }
                haveWord = false;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++i;
                continue;
            }
            switch (c) {
                case '(':
                case '[':
                case '{': {
                    Frame frame;
                    frame.open = c;
                    if (c == '(' && haveWord) {
                        frame.nameSpan = lastWord;
                        frame.name = std::string(
                            text_.substr(lastWord.begin, lastWord.end - lastWord.begin));
                    }
                    frame.argumentBegin = i + 1;
                    stack_.push_back(std::move(frame));
                    break;
                }
                case ',':
                    if (!stack_.empty() && stack_.back().open == '(') {
                        stack_.back().arguments.push_back({stack_.back().argumentBegin, i});
                        stack_.back().argumentBegin = i + 1;
                    }
                    break;
                case ')':
                    Close('(', i, onCall);
                    break;
                case ']':
                    Close('[', i, nullptr);
                    break;
                case '}':
                    Close('{', i, nullptr);
                    break;
                case ';':
                    // A statement ends: calls left open before it were never closed.
                    while (!stack_.empty() && stack_.back().open != '{' &&
                           !(stack_.back().open == '(' && stack_.back().name == "for")) {
                        stack_.pop_back();
                    }
                    break;
                default:
                    break;
            }
            haveWord = false;
            ++i;
        }
        return true;
    }

    const std::vector<Frame>& Stack() const { return stack_; }

private:
    void Close(char open, std::size_t at, const std::function<void(const CallSite&)>* onCall) {
        // Brackets of other kinds left open inside go with it; a "{" is a
        // wall a stray ")" or "]" does not pass.
        std::size_t depth = stack_.size();
        while (depth > 0 && stack_[depth - 1].open != open) {
            if (stack_[depth - 1].open == '{') {
                return;
            }
            --depth;
        }
        if (depth == 0) {
            return;
        }
        Frame& frame = stack_[depth - 1];
        if (onCall && !frame.name.empty()) {
            frame.arguments.push_back({frame.argumentBegin, at});
            CallSite call;
            call.name = std::move(frame.name);
            call.nameSpan = frame.nameSpan;
            call.arguments = std::move(frame.arguments);
            (*onCall)(call);
        }
        stack_.resize(depth - 1);
    }

    std::string_view text_;
    std::vector<Frame> stack_;
};

}  // namespace

bool IsIdentifierByte(char c) {
    return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}

void ForEachCall(std::string_view text, const std::function<void(const CallSite&)>& onCall) {
    Walker walker(text);
    walker.WalkTo(text.size(), &onCall);
}

std::optional<CallContext> FindCallAt(std::string_view text, std::size_t offset) {
    if (offset > text.size()) {
        offset = text.size();
    }
    Walker walker(text);
    if (!walker.WalkTo(offset, nullptr) || walker.Stack().empty()) {
        return std::nullopt;
    }
    const Frame& frame = walker.Stack().back();
    if (frame.open != '(' || frame.name.empty()) {
        return std::nullopt;
    }
    CallContext context;
    context.name = frame.name;
    context.nameSpan = frame.nameSpan;
    context.argument = static_cast<int>(frame.arguments.size());
    context.argumentBegin = frame.argumentBegin;
    return context;
}

Span WordBefore(std::string_view text, std::size_t offset) {
    if (offset > text.size()) {
        offset = text.size();
    }
    std::size_t begin = offset;
    while (begin > 0 && IsIdentifierByte(text[begin - 1])) {
        --begin;
    }
    return {begin, offset};
}

Span WordAround(std::string_view text, std::size_t offset) {
    Span span = WordBefore(text, offset);
    while (span.end < text.size() && IsIdentifierByte(text[span.end])) {
        ++span.end;
    }
    return span;
}

}  // namespace quill::lsp
