#include "core/library/VendorScanner.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>

#include "core/files/LargePages.h"
#include "core/files/ReadTextLine.h"
#include "core/text/ByteSearch.h"

namespace quill {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
// Longer file-level text between two ";" is no declaration (a table, a
// macro's output): it stops growing there, so memory stays flat.
constexpr std::size_t kLongestCandidate = 4096;

// The name table starts at kFewestSlots and is made ready at once for one
// name in kBytesPerName bytes of the file (vendor headers hold a function in
// every few hundred bytes), up to kMostReservedSlots; past that it grows as
// names come.
constexpr std::size_t kFewestSlots = 256;
constexpr unsigned long long kBytesPerName = 256;
constexpr std::size_t kMostReservedSlots = std::size_t{1} << 18;

// The name set's memory beyond its first kSmallChunks chunks (all of it once
// the table is large), and its table from kLargeTableBytes on, comes in
// blocks of one large page (2 MiB). Filling a page of the usual size costs a
// page fault each, and faults are dear: a large set costs hundreds of them
// otherwise.
constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::size_t kSmallChunks = 2;
constexpr std::size_t kLargeTableBytes = std::size_t{1} << 17;

// Bytes above 127 count as letters: names in UTF-8 or a code page.
constexpr std::array<bool, 256> kIdentifierBytes = [] {
    std::array<bool, 256> bytes{};
    for (int c = 0; c < 256; ++c) {
        bytes[static_cast<std::size_t>(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                             (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
    }
    return bytes;
}();

bool IsIdentifierByte(char c) {
    return kIdentifierBytes[static_cast<unsigned char>(c)];
}

// Blanks that C treats as white space within a line.
bool IsSpaceByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Writes `text` to `out` with its blanks (line ends too) collapsed into
// single spaces and none at the front; returns the length written, at most
// that of `text`. Sixteen bytes whose blanks are all lone spaces are copied
// as they stand.
std::size_t CollapseBlanks(std::string_view text, char* const out) {
    const char* p = text.data();
    const char* const end = p + text.size();
    char* o = out;
    bool blankBefore = true;  // blanks at the front go
    const auto byte = [&](char c) {
        if (!IsSpaceByte(c) && c != '\n') {
            *o++ = c;
            blankBefore = false;
        } else if (!blankBefore) {
            *o++ = ' ';
            blankBefore = true;
        }
    };
    for (; end - p >= 16; p += 16) {
        const unsigned blanks = MatchMask16<' ', '\t', '\r', '\f', '\v', '\n'>(p);
        const unsigned spaces = MatchMask16<' '>(p);
        const unsigned follows = (blanks << 1) | (blankBefore ? 1u : 0u);
        if (blanks == spaces && (blanks & follows) == 0) {
            std::memcpy(o, p, 16);
            o += 16;
            blankBefore = (blanks >> 15) != 0;
        } else {
            for (int i = 0; i < 16; ++i) {
                byte(p[i]);
            }
        }
    }
    for (; p < end; ++p) {
        byte(*p);
    }
    return static_cast<std::size_t>(o - out);
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Words that take a parenthesised argument before or after a declarator
// without naming the function.
bool IsAttributeWord(std::string_view word) {
    if (word.empty() || (word[0] != '_' && word[0] != 'a')) {
        return false;  // the quick answer for most words
    }
    return IsOneOf(word, {"__attribute__", "__attribute", "__declspec", "__asm__", "__asm", "asm",
                          "_Alignas", "alignas", "__pragma", "_Pragma"});
}

// Words that cannot be a function's name: a "(" after them belongs to a
// function-pointer type, a cast or a statement.
bool IsKeyword(std::string_view word) {
    if (word.size() < 2 || word.size() > 10) {
        return false;  // the quick answer for most names
    }
    return IsOneOf(word,
                   {"void",   "char",     "short",   "int",      "long",     "float",     "double",
                    "signed", "unsigned", "const",   "volatile", "struct",   "union",     "enum",
                    "return", "sizeof",   "if",      "while",    "for",      "switch",    "static",
                    "inline", "extern",   "typedef", "register", "_Bool",    "bool",      "do",
                    "else",   "case",     "goto",    "auto",     "__inline", "__inline__"});
}

// The ")" that closes the "(" at `open`, or kNone.
std::size_t MatchingParen(std::string_view text, std::size_t open) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    int depth = 0;
    for (const char* p = begin + open; (p = FindFirstOf<'(', ')'>(p, end)) != end; ++p) {
        if (*p == '(') {
            ++depth;
        } else if (--depth == 0) {
            return static_cast<std::size_t>(p - begin);
        }
    }
    return kNone;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// After a function's parameter list only attribute-like words may follow,
// each perhaps with its own parenthesised argument.
bool IsAttributeTail(std::string_view tail) {
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = tail[i];
        if (c == '(') {
            std::size_t before = i;
            while (before > 0 && tail[before - 1] == ' ') {
                --before;
            }
            if (before == 0 || !IsIdentifierByte(tail[before - 1])) {
                return false;  // a function-pointer shape, not an attribute
            }
            i = MatchingParen(tail, i);
            if (i == kNone) {
                return false;
            }
        } else if (!IsIdentifierByte(c) && c != ' ') {
            return false;
        }
    }
    return true;
}

// The name of the function `text` declares, with `close` set to just past
// its parameter list; "" when it declares none.
std::string_view FunctionShape(std::string_view text, std::size_t& close) {
    int words = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsIdentifierByte(c)) {
            // A whole word at once; `i` stops on its last byte.
            ++words;
            std::size_t wordEnd = i + 1;
            while (wordEnd < text.size() && IsIdentifierByte(text[wordEnd])) {
                ++wordEnd;
            }
            if (wordEnd - i == 7 && text.substr(i, 7) == "typedef") {
                return {};
            }
            // No type: the entry drops every "extern " (as one-line entries
            // do), and a lone name left would read as a macro invocation.
            if (wordEnd - i == 6 && text.substr(i, 6) == "extern") {
                --words;
            }
            i = wordEnd - 1;
            continue;
        }
        if (c == '(') {
            std::size_t wordEnd = i;
            while (wordEnd > 0 && text[wordEnd - 1] == ' ') {
                --wordEnd;
            }
            std::size_t wordStart = wordEnd;
            while (wordStart > 0 && IsIdentifierByte(text[wordStart - 1])) {
                --wordStart;
            }
            const std::string_view word = text.substr(wordStart, wordEnd - wordStart);
            const std::size_t match = MatchingParen(text, i);
            if (word.empty() || (word[0] >= '0' && word[0] <= '9') || match == kNone) {
                return {};
            }
            if (IsAttributeWord(word)) {
                --words;
                i = match;
                continue;
            }
            // A return type must stand before the name: a lone name is a
            // macro invocation.
            if (IsKeyword(word) || words < 2 || !IsAttributeTail(text.substr(match + 1))) {
                return {};
            }
            close = match + 1;
            return word;
        }
        if (c != ' ' && c != '*' && c != '&') {
            return {};  // "=", "[", ",", a literal: no function declarator
        }
    }
    return {};
}

// `text` without its attribute groups ("__attribute__((x))"), which the
// entry does not need and the parser would take for the parameter list.
std::string WithoutAttributes(std::string_view text) {
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t wordEnd = i;
        while (wordEnd < text.size() && IsIdentifierByte(text[wordEnd])) {
            ++wordEnd;
        }
        if (wordEnd == i) {
            kept += text[i++];
            continue;
        }
        std::size_t open = wordEnd;
        while (open < text.size() && text[open] == ' ') {
            ++open;
        }
        const std::size_t close =
            open < text.size() && text[open] == '(' ? MatchingParen(text, open) : kNone;
        if (close != kNone && IsAttributeWord(text.substr(i, wordEnd - i))) {
            i = close + 1;
        } else {
            kept.append(text.substr(i, wordEnd - i));
            i = wordEnd;
        }
    }
    return kept;
}

// A line of file-level code that is a macro invocation alone, as in
// "DEFINE_HANDLE(Name)" with no ";" after it.
bool IsMacroInvocation(std::string_view text) {
    text = Trimmed(text);
    std::size_t i = 0;
    while (i < text.size() && IsIdentifierByte(text[i])) {
        ++i;
    }
    if (i == 0) {
        return false;
    }
    while (i < text.size() && (IsSpaceByte(text[i]) || text[i] == '\n')) {
        ++i;
    }
    return i < text.size() && text[i] == '(' && MatchingParen(text, i) == text.size() - 1;
}

// True when "extern " stands right after an identifier byte in `text`.
bool ExternEndsAWord(std::string_view text) {
    for (std::size_t at = text.find("extern "); at != kNone; at = text.find("extern ", at + 1)) {
        if (at > 0 && IsIdentifierByte(text[at - 1])) {
            return true;
        }
    }
    return false;
}

// A text whose "{" opens a scope of declarations rather than a body.
bool IsTransparentScope(std::string_view text) {
    text = Trimmed(text);
    return text.rfind("extern \"C", 0) == 0 || text.rfind("namespace", 0) == 0;
}

// Past a leading 'extern "C"' or 'extern "C++"' of a one-line declaration.
std::string_view WithoutLinkage(std::string_view text) {
    if (text.rfind("extern \"C", 0) == 0) {
        const std::size_t quote = text.find('"', 8);
        if (quote != kNone) {
            return Trimmed(text.substr(quote + 1));
        }
    }
    return text;
}

}  // namespace

std::string VendorFunctionName(std::string_view prototype) {
    // Kept from one call to the next: a library checked whole asks once a
    // function.
    thread_local std::string joined;
    joined.resize(prototype.size());
    char* const begin = joined.data();
    char* out = begin;
    for (const char c : prototype) {
        const char b = IsSpaceByte(c) || c == '\n' ? ' ' : c;
        if (b != ' ' || (out != begin && out[-1] != ' ')) {
            *out++ = b;
        }
    }
    joined.resize(static_cast<std::size_t>(out - begin));
    std::size_t close = 0;
    return std::string(FunctionShape(WithoutLinkage(Trimmed(joined)), close));
}

void VendorScanner::Append(char c) {
    if (c == ' ') {
        if (!candidate_.empty() && candidate_.back() != ' ') {
            candidate_ += ' ';
        }
        return;
    }
    if (candidate_.empty()) {
        candidateLine_ = line_;
        candidateOpeners_ = openers_;  // empty in the list alone
    }
    if (candidate_.size() < kLongestCandidate) {
        candidate_ += c;
    } else {
        overflow_ = true;
    }
}

void VendorScanner::AppendRun(const char* p, const char* const end) {
    // Blanks stay as they are here; Terminate collapses them, and only for
    // the texts that may declare a function.
    const char* first = p;
    while (first < end && IsSpaceByte(*first)) {
        ++first;
    }
    if (first == end) {
        Append(' ');
        return;
    }
    if (candidate_.empty()) {
        candidateLine_ = line_;
        candidateOpeners_ = openers_;
        p = first;
    }
    if (candidate_.size() + static_cast<std::size_t>(end - p) <= kLongestCandidate) {
        candidate_.append(p, static_cast<std::size_t>(end - p));
    } else {
        overflow_ = true;
    }
    MarkCode();  // after the openers were taken
}

void VendorScanner::MarkCode() {
    lineHasCode_ = true;
    openers_.clear();
}

void VendorScanner::Terminate(bool body) {
    const bool mayBeFunction =
        !aggregate_ && !overflow_ && candidate_.find('(') != std::string_view::npos;
    // Blanks of every kind become single spaces.
    collapsed_.clear();
    if (mayBeFunction || body) {
        collapsed_.resize(candidate_.size());
        collapsed_.resize(CollapseBlanks(candidate_, collapsed_.data()));
    }
    const std::string_view whole = Trimmed(collapsed_);
    const std::string_view text = WithoutLinkage(whole);
    std::size_t close = 0;
    std::string_view name = mayBeFunction ? FunctionShape(text, close) : std::string_view();
    // The entry drops every "extern ", even one that ends a longer word and
    // so joins it to the next: such a declaration is named as its entry is.
    std::string entryName;
    if (!name.empty() && ExternEndsAWord(text.substr(0, close))) {
        const std::string entry(EntryOf(text.substr(0, close)));
        std::size_t entryClose = 0;
        entryName = FunctionShape(entry, entryClose);
        name = entryName;
    }
    bool opensBody = false;
    if (!name.empty()) {
        const std::string_view declarator = text.substr(0, close);
        if (listNames_ != nullptr && !body) {
            Defer(name, declarator);
        } else if (listNames_ != nullptr) {
            // Listed when its body closes, if that comes.
            pendingName_.assign(name);
            pendingEntry_.assign(EntryOf(declarator));
        } else {
            VendorFunction function;
            if (withEntries_) {
                function.entry = std::string(EntryOf(declarator));
            }
            function.name = std::string(name);
            function.firstLine = candidateLine_;
            function.openers = std::move(candidateOpeners_);
            function.defined = body;
            function.lastLine = line_;
            if (body) {
                pending_ = std::move(function);
            } else {
                found_.push_back(std::move(function));
            }
        }
        if (body) {
            inBody_ = true;
            opensBody = true;
        }
        aggregate_ = false;
    } else if (body && IsTransparentScope(whole)) {
        ++transparent_;
        aggregate_ = false;
    } else if (body) {
        opensBody = true;
        aggregate_ = true;  // what follows its "}" up to the ";" declares no function
    } else {
        aggregate_ = false;
    }
    if (opensBody) {
        depth_ = 1;
    }
    candidate_.clear();
    candidateOpeners_.clear();
    overflow_ = false;
}

std::string_view VendorScanner::EntryOf(std::string_view declarator) {
    const bool attributes = declarator.find("__") != std::string_view::npos ||
                            declarator.find("as") != std::string_view::npos ||
                            declarator.find("_Pragma") != std::string_view::npos;
    if (!attributes) {
        return normaliser_.Normalise(Trimmed(declarator));
    }
    const std::string kept = WithoutAttributes(declarator);
    return normaliser_.Normalise(Trimmed(kept));
}

void VendorScanner::Defer(std::string_view name, std::string_view declarator) {
    ListDeferred();
    deferredName_.assign(name);
    deferredDeclarator_.assign(declarator);
    deferredHash_ = listNames_->Expect(name);
    deferred_ = true;
}

void VendorScanner::ListDeferred() {
    // A declaration whose name is listed already needs no entry.
    if (deferred_) {
        deferred_ = false;
        if (listNames_->Insert(deferredName_, deferredHash_)) {
            (*listSink_)(EntryOf(deferredDeclarator_));
        }
    }
}

void VendorScanner::BodyClosed() {
    inBody_ = false;
    if (listNames_ != nullptr) {
        ListDeferred();
        if (listNames_->Insert(pendingName_)) {
            (*listSink_)(pendingEntry_);
        }
        return;
    }
    pending_.lastLine = line_;
    found_.push_back(std::move(pending_));
    pending_ = VendorFunction();
}

void VendorScanner::EndOfCodeLine() {
    std::size_t last = candidate_.size();
    while (last > 0 && IsSpaceByte(candidate_[last - 1])) {
        --last;
    }
    if (depth_ == 0 && last > 0 && candidate_[last - 1] == ')' &&
        IsMacroInvocation(std::string_view(candidate_).substr(0, last))) {
        candidate_.clear();
        candidateOpeners_.clear();
    }
    Append(' ');
}

void VendorScanner::Directive(const char* p, const char* end) {
    while (p < end && IsSpaceByte(*p)) {
        ++p;
    }
    const char* wordEnd = p;
    while (wordEnd < end && IsIdentifierByte(*wordEnd)) {
        ++wordEnd;
    }
    const std::string_view word(p, static_cast<std::size_t>(wordEnd - p));
    // Only the first branch of a conditional counts its braces: the others
    // usually repeat the same opening in another form.
    if (word == "if" || word == "ifdef" || word == "ifndef") {
        conditions_.push_back({depth_, depth_, false});
    } else if ((word == "else" || word == "elif") && !conditions_.empty()) {
        Condition& condition = conditions_.back();
        if (!condition.hadElse) {
            condition.hadElse = true;
            condition.depthAfterFirst = depth_;
        }
        depth_ = condition.depthAtIf;
    } else if (word == "endif" && !conditions_.empty()) {
        if (conditions_.back().hadElse) {
            depth_ = conditions_.back().depthAfterFirst;
        }
        conditions_.pop_back();
    }
}

void VendorScanner::CodeByte(char c, const char* p, const char* end) {
    switch (c) {
        case '\n':
            if (depth_ == 0) {
                EndOfCodeLine();
            }
            atLineStart_ = true;
            return;
        case '/':
            if (p + 1 < end && (p[1] == '*' || p[1] == '/')) {
                return;  // handled by the caller
            }
            break;
        case '"':
            state_ = State::String;
            break;
        case '\'':
            state_ = State::Char;
            break;
        case ';':
            if (depth_ == 0) {
                MarkCode();
                Terminate(false);
                return;
            }
            break;
        case '{':
            if (depth_ == 0) {
                MarkCode();
                Terminate(true);
                return;
            }
            ++depth_;
            return;
        case '}':
            if (depth_ == 0) {
                MarkCode();
                transparent_ = std::max(0, transparent_ - 1);
                candidate_.clear();
                aggregate_ = false;
                return;
            }
            if (--depth_ == 0) {
                MarkCode();
                if (inBody_) {
                    BodyClosed();
                }
            }
            return;
        default:
            break;
    }
    if (depth_ == 0) {
        if (IsSpaceByte(c)) {
            Append(' ');
        } else {
            Append(c);  // takes the openers before the code clears them
            MarkCode();
        }
    }
}

void VendorScanner::Feed(std::string_view text) {
    line_ = lines_++;
    lineHasCode_ = false;
    const char* p = text.data();
    const char* const end = p + text.size();
    if (pendingSlash_ && p < end) {
        pendingSlash_ = false;
        if (*p == '*' || *p == '/') {
            state_ = *p == '*' ? State::BlockComment : State::LineComment;
            afterComment_ = State::Code;
            Append(' ');
            ++p;
        } else if (depth_ == 0) {
            Append('/');
            MarkCode();
        }
    }
    while (p < end) {
        switch (state_) {
            case State::BlockComment: {
                if (previous_ == '*' && *p == '/' && p == text.data()) {
                    ++p;  // the "*/" was cut between two pieces of a line
                    state_ = afterComment_;
                    break;
                }
                // Comments hold many more "*" than "/": the search goes from
                // one "/" to the next and looks at the byte before it.
                const char* close = p;
                for (;;) {
                    close = static_cast<const char*>(
                        std::memchr(close, '/', static_cast<std::size_t>(end - close)));
                    if (close == nullptr || (close > p && close[-1] == '*')) {
                        break;
                    }
                    ++close;
                }
                if (close == nullptr) {
                    p = end;
                    break;
                }
                p = close + 1;
                state_ = afterComment_;
                atLineStart_ = false;
                break;
            }
            case State::LineComment: {
                const void* const lineEnd = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
                if (lineEnd == nullptr) {
                    p = end;
                    break;
                }
                p = static_cast<const char*>(lineEnd);
                state_ = State::Code;
                break;
            }
            case State::Preprocessor: {
                const char* const q = FindFirstOf<'\n', '/'>(p, end);
                if (q == end) {
                    p = end;
                    break;
                }
                if (*q == '/') {
                    p = q + 1;
                    if (p < end && *p == '*') {
                        state_ = State::BlockComment;
                        afterComment_ = State::Preprocessor;
                        ++p;
                    } else if (p < end && *p == '/') {
                        state_ = State::LineComment;  // its line end ends the directive
                    }
                    break;
                }
                // A "\" before the line end (a CR aside) continues the directive.
                const char* before = q;
                if (before > text.data() && before[-1] == '\r') {
                    --before;
                }
                const char last = before > text.data() ? before[-1] : previous_;
                if (last != '\\') {
                    state_ = State::Code;
                    atLineStart_ = true;
                }
                p = q + 1;
                break;
            }
            case State::String:
            case State::Char: {
                const char quote = state_ == State::String ? '"' : '\'';
                for (; p < end; ++p) {
                    const char c = *p;
                    if (escaped_) {
                        escaped_ = false;
                    } else if (c == '\\') {
                        escaped_ = true;
                    } else if (c == quote || c == '\n') {
                        break;
                    }
                    if (depth_ == 0) {
                        Append(c);
                    }
                }
                if (p < end) {
                    if (*p == quote) {
                        if (depth_ == 0) {
                            Append(quote);
                        }
                        ++p;
                    }
                    state_ = State::Code;  // a line end ends an unclosed literal
                }
                break;
            }
            case State::Code: {
                if (atLineStart_) {
                    while (p < end && IsSpaceByte(*p)) {
                        ++p;
                    }
                    if (p == end) {
                        break;
                    }
                    atLineStart_ = false;
                    if (*p == '#') {
                        state_ = State::Preprocessor;
                        Directive(p + 1, end);
                        ++p;
                        break;
                    }
                }
                // Inside a body only braces, literals, comments and line
                // ends matter; at file level the bytes between them are
                // taken in one run.
                const char* const mark = FindFirstOf<'{', '}', '"', '\'', '/', '\n', ';'>(p, end);
                if (depth_ == 0 && mark > p) {
                    AppendRun(p, mark);
                }
                p = mark;
                if (p == end) {
                    break;
                }
                const char c = *p;
                if (c == '/' && p + 1 == end) {
                    pendingSlash_ = true;  // the next bytes tell what it starts
                    p = end;
                    break;
                }
                if (c == '/' && (p[1] == '*' || p[1] == '/')) {
                    if (p[1] == '/') {
                        state_ = State::LineComment;
                        p += 2;
                        break;
                    }
                    // "/**" or "/*!" opens a documentation block, unless it
                    // is empty ("/**/") or documents what stands before it
                    // ("/**<").
                    const bool documents = p + 2 < end && (p[2] == '*' || p[2] == '!') &&
                                           !(p + 3 < end && (p[3] == '/' || p[3] == '<'));
                    if (documents && depth_ == 0 && !lineHasCode_ && listNames_ == nullptr) {
                        openers_.push_back(line_);
                    }
                    Append(' ');
                    state_ = State::BlockComment;
                    afterComment_ = State::Code;
                    p += 2;
                    break;
                }
                CodeByte(c, p, end);
                ++p;
                break;
            }
        }
    }
    if (!text.empty()) {
        previous_ = text.back();
    }
}

void VendorNameSet::BlockDelete::operator()(char* block) const {
    ::operator delete[](block, std::align_val_t{kLargePage});
}

VendorNameSet::Block VendorNameSet::NewBlock(std::size_t bytes) {
    Block block(static_cast<char*>(::operator new[](bytes, std::align_val_t{kLargePage})));
    AdviseLargePages(block.get(), bytes);
    return block;
}

char* VendorNameSet::NewChunk() {
    // A set whose table is large already takes no small chunks.
    if (chunks_.size() < kSmallChunks && largeSlots_ == nullptr) {
        smallChunks_.push_back(std::make_unique_for_overwrite<char[]>(kChunkBytes));
        return smallChunks_.back().get();
    }
    if (chunkBlocks_.empty() || blockUsed_ == kLargePage) {
        chunkBlocks_.push_back(NewBlock(kLargePage));
        blockUsed_ = 0;
    }
    char* const chunk = chunkBlocks_.back().get() + blockUsed_;
    blockUsed_ += kChunkBytes;
    return chunk;
}

std::string_view VendorNameSet::At(std::uint32_t place) const {
    const std::size_t at = place - 1;
    const char* const record = chunks_[at / kChunkBytes] + at % kChunkBytes;
    std::uint16_t length = 0;
    std::memcpy(&length, record, sizeof length);
    return std::string_view(record + sizeof length, length);
}

std::uint32_t VendorNameSet::Hash(std::string_view name) {
    // The table never holds 2^32 slots, so the low 32 bits of the hash
    // place a name both in Insert and in Rehash.
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

std::uint32_t VendorNameSet::Expect(std::string_view name) const {
    if (known_ != nullptr) {
        return 0;  // the index is asked first; Insert hashes a name it lacks
    }
    const std::uint32_t hash = Hash(name);
#if defined(__GNUC__) || defined(__clang__)
    if (slotCount_ != 0) {
        __builtin_prefetch(slots_ + (hash & (slotCount_ - 1)));
    }
#endif
    return hash;
}

bool VendorNameSet::Insert(std::string_view name) {
    return Insert(name, Hash(name));
}

void VendorNameSet::Follow(const KnownFunctions& known) {
    known_ = &known;
    listed_.assign(known.Places(), false);
}

bool VendorNameSet::Insert(std::string_view name, std::uint32_t hash) {
    if (known_ != nullptr) {
        if (const std::optional<std::uint32_t> place = known_->FirstPlace(name, nextPlace_)) {
            if (listed_[*place]) {
                return false;
            }
            listed_[*place] = true;
            return true;
        }
        hash = Hash(name);
    }
    // A place must fit in 32 bits and a length in 16: names beyond (none
    // that a declaration of at most a few kilobytes can give) are not kept.
    const std::size_t record = sizeof(std::uint16_t) + name.size();
    if (record > kChunkBytes ||
        (chunkUsed_ + record > kChunkBytes && (chunks_.size() + 1) * kChunkBytes >= UINT32_MAX)) {
        return true;
    }
    if ((count_ + 1) * 4 > slotCount_ * 3) {
        Rehash(std::max<std::size_t>(slotCount_ * 2, kFewestSlots));
    }
    const std::size_t mask = slotCount_ - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.place == 0) {
            if (chunkUsed_ + record > kChunkBytes) {
                chunks_.push_back(NewChunk());
                chunkUsed_ = 0;
            }
            char* const at = chunks_.back() + chunkUsed_;
            const auto length = static_cast<std::uint16_t>(name.size());
            std::memcpy(at, &length, sizeof length);
            std::memcpy(at + sizeof length, name.data(), name.size());
            slot.hash = hash;
            slot.place =
                static_cast<std::uint32_t>((chunks_.size() - 1) * kChunkBytes + chunkUsed_ + 1);
            chunkUsed_ += record;
            ++count_;
            return true;
        }
        if (slot.hash == hash && At(slot.place) == name) {
            return false;
        }
    }
}

void VendorNameSet::Reserve(std::size_t names) {
    std::size_t slots = kFewestSlots;
    while (slots * 3 < names * 4 && slots < kMostReservedSlots) {
        slots *= 2;
    }
    if (slots > slotCount_) {
        Rehash(slots);
    }
}

void VendorNameSet::Rehash(std::size_t slots) {
    const std::size_t bytes = slots * sizeof(Slot);
    std::vector<Slot> oldSmall;
    Block oldLarge;
    Slot* const old = slots_;
    const std::size_t oldCount = slotCount_;
    if (bytes < kLargeTableBytes) {
        oldSmall.swap(smallSlots_);
        smallSlots_.assign(slots, Slot());
        slots_ = smallSlots_.data();
    } else {
        oldLarge = std::move(largeSlots_);
        largeSlots_ = NewBlock((bytes + kLargePage - 1) & ~(kLargePage - 1));
        slots_ = reinterpret_cast<Slot*>(largeSlots_.get());
        std::fill(slots_, slots_ + slots, Slot());
    }
    slotCount_ = slots;
    const std::size_t mask = slots - 1;
    for (const Slot* slot = old; slot != old + oldCount; ++slot) {
        if (slot->place != 0) {
            std::size_t i = slot->hash & mask;
            while (slots_[i].place != 0) {
                i = (i + 1) & mask;
            }
            slots_[i] = *slot;
        }
    }
}

VendorEntries::VendorEntries(unsigned long long fileBytes) {
    scanner_.listNames_ = &names_;
    names_.Reserve(static_cast<std::size_t>(
        std::min<unsigned long long>(fileBytes / kBytesPerName, kMostReservedSlots)));
}

VendorEntries::VendorEntries(const KnownFunctions& known) {
    scanner_.listNames_ = &names_;
    names_.Follow(known);
}

void VendorEntries::Feed(std::string_view line, EntrySink onEntry) {
    scanner_.listSink_ = &onEntry;
    scanner_.Feed(line);
    scanner_.ListDeferred();
    scanner_.listSink_ = nullptr;
}

bool ScanLibraryFile(const std::string& libraryPath, bool vendorMode, EntrySink onEntry) {
    if (!vendorMode || LibraryKindOf(libraryPath) != LibraryKind::Header) {
        return ScanLibraryFile(libraryPath, onEntry);
    }
    TextFile file;
    if (libraryPath.empty() || !file.Open(libraryPath)) {
        return false;
    }
    // The list needs no line numbers: whole buffers go in at once, and the
    // reader is asked only for its next buffer and for the end.
    VendorEntries entries(file.SizeAtOpen());
    for (;;) {
        // Whole lines only: a line that runs on past the buffer, or one a
        // NUL byte cuts short (the NUL ends that line's text, not the
        // file), is NextLine's.
        const std::string_view pending = file.Pending();
        const std::size_t whole = pending.rfind('\n') + 1;  // 0 when none
        if (whole > 0) {
            entries.Feed(pending.substr(0, whole), onEntry);
            file.Consume(whole);
            continue;
        }
        const std::string_view line = file.NextLine();
        if (line.empty()) {
            break;
        }
        entries.Feed(line, onEntry);
    }
    return !file.ReadFailed();
}

LibraryScan ScanLibraryFile(const std::string& libraryPath, bool vendorMode) {
    LibraryScan scan;
    scan.opened = ScanLibraryFile(libraryPath, vendorMode, [&scan](std::string_view entry) {
        scan.entries.emplace_back(entry);
    });
    if (!scan.opened) {
        scan.entries.clear();
    }
    return scan;
}

}  // namespace quill
