#include "core/library/LibraryDeclarations.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/files/ReadTextLine.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

bool IsIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsCompilerWord(const std::string& word) {
    // __attribute__, __packed and the like stand between "enum" and its name.
    return word.size() >= 2 && word[0] == '_' && word[1] == '_';
}

}  // namespace

// Reads C text one byte at a time, in pieces of any size: comments feed the
// group commands, preprocessor lines the #define names, and the code tokens
// in between the enum declarations.
class DeclarationReader {
public:
    DeclarationReader(LibraryDeclarations& into, std::string file)
        : into_(into), file_(std::move(file)) {}

    void Feed(std::string_view text) {
        for (std::size_t i = 0; i < text.size();) {
            // The inside of a comment is only kept until it ends: taken in
            // one piece up to the byte that may end it.
            if (mode_ == Mode::BlockComment && !(starPending_ && text[i] == '/')) {
                const std::size_t close = text.find("*/", i);
                const std::size_t end = close == std::string_view::npos ? text.size() : close + 1;
                comment_.append(text, i, end - i);
                starPending_ = comment_.back() == '*';
                i = end;
                continue;
            }
            if (mode_ == Mode::LineComment && text[i] != '\n') {
                const std::size_t end = std::min(text.find('\n', i), text.size());
                comment_.append(text, i, end - i);
                i = end;
                continue;
            }
            // So is a run of identifier bytes in code, which only grows the
            // word being read.
            if (mode_ == Mode::Code && !slashPending_ && !inPreprocessor_ &&
                IsIdentifierChar(text[i])) {
                std::size_t end = i + 1;
                while (end < text.size() && IsIdentifierChar(text[end])) {
                    ++end;
                }
                atLineStart_ = false;
                word_.append(text, i, end - i);
                i = end;
                continue;
            }
            Take(text[i++]);
        }
    }

    void Finish() {
        if (slashPending_) {
            slashPending_ = false;
            CodeChar('/');
        }
        if (mode_ == Mode::BlockComment || mode_ == Mode::LineComment) {
            EndComment();
        }
        if (inPreprocessor_) {
            EndPreprocessorLine();
        }
        FlushWord();
    }

private:
    enum class Mode { Code, LineComment, BlockComment, Quoted };
    enum class EnumState { Idle, Head, Body, Tail };

    void Take(char c) {
        switch (mode_) {
            case Mode::BlockComment:
                if (starPending_ && c == '/') {
                    comment_.pop_back();
                    EndComment();
                    mode_ = Mode::Code;
                    return;
                }
                starPending_ = c == '*';
                comment_ += c;
                return;
            case Mode::LineComment:
                if (c == '\n') {
                    EndComment();
                    mode_ = Mode::Code;
                    NewLine();
                    return;
                }
                comment_ += c;
                return;
            case Mode::Quoted:
                if (escapePending_) {
                    escapePending_ = false;
                } else if (c == '\\') {
                    escapePending_ = true;
                } else if (c == quote_ || c == '\n') {
                    mode_ = Mode::Code;
                    if (c == '\n') {
                        NewLine();
                    }
                }
                if (inPreprocessor_) {
                    preprocessor_ += c;
                }
                return;
            case Mode::Code:
                break;
        }
        if (slashPending_) {
            slashPending_ = false;
            if (c == '*' || c == '/') {
                StartComment(c == '*' ? Mode::BlockComment : Mode::LineComment);
                return;
            }
            CodeChar('/');
        }
        if (c == '/') {
            slashPending_ = true;
        } else if (c == '\n') {
            NewLine();
        } else {
            CodeChar(c);
        }
    }

    void StartComment(Mode mode) {
        // A #define's name and value stand before its trailing comment.
        if (inPreprocessor_) {
            TakeDefine();
        }
        FlushWord();
        mode_ = mode;
        comment_.clear();
        starPending_ = false;
    }

    void NewLine() {
        if (inPreprocessor_ && !(preprocessor_.size() > 0 && preprocessor_.back() == '\\')) {
            EndPreprocessorLine();
        } else if (inPreprocessor_) {
            preprocessor_.back() = ' ';
        }
        FlushWord();
        atLineStart_ = true;
    }

    void CodeChar(char c) {
        if (inPreprocessor_) {
            if (c == '\r') {
                return;
            }
            preprocessor_ += c;
            if (c == '"' || c == '\'') {
                quote_ = c;
                mode_ = Mode::Quoted;
            }
            return;
        }
        if (c == '#' && atLineStart_) {
            FlushWord();
            inPreprocessor_ = true;
            defineTaken_ = false;
            preprocessor_.clear();
            return;
        }
        if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') {
            atLineStart_ = false;
        }
        if (IsIdentifierChar(c)) {
            word_ += c;
            return;
        }
        FlushWord();
        if (c == '"' || c == '\'') {
            quote_ = c;
            mode_ = Mode::Quoted;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') {
            Token(std::string(1, c));
        }
    }

    void FlushWord() {
        if (!word_.empty()) {
            std::string word;
            word.swap(word_);
            Token(word);
        }
    }

    // Group commands of one comment, in order: "@defgroup NAME" (or
    // addtogroup, weakgroup) names the group that the next "@{" opens; "@}"
    // closes the innermost one. "\" may stand for "@".
    void EndComment() {
        const std::string& text = comment_;
        std::size_t nextAt = text.find('@');
        std::size_t nextBackslash = text.find('\\');
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            // On to the next command sign.
            if (nextAt < i) {
                nextAt = text.find('@', i);
            }
            if (nextBackslash < i) {
                nextBackslash = text.find('\\', i);
            }
            i = std::min(nextAt, nextBackslash);
            if (i == std::string::npos || i + 1 >= text.size()) {
                break;
            }
            const char next = text[i + 1];
            if (next == '{') {
                openGroups_.push_back(pendingGroup_);
                pendingGroup_.clear();
                continue;
            }
            if (next == '}') {
                if (!openGroups_.empty()) {
                    openGroups_.pop_back();
                }
                continue;
            }
            std::size_t end = i + 1;
            while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
            const std::string command = text.substr(i + 1, end - i - 1);
            if (command != "defgroup" && command != "addtogroup" && command != "weakgroup") {
                continue;
            }
            std::size_t start = end;
            while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) {
                ++start;
            }
            std::size_t stop = start;
            while (stop < text.size() && IsIdentifierChar(text[stop])) {
                ++stop;
            }
            pendingGroup_ = text.substr(start, stop - start);
            i = stop > i ? stop - 1 : i;
        }
        comment_.clear();
    }

    void EndPreprocessorLine() {
        TakeDefine();
        inPreprocessor_ = false;
        preprocessor_.clear();
    }

    // "#define NAME value" inside an open group adds NAME to it; macros with
    // parameters and defines without a value name no value.
    void TakeDefine() {
        if (defineTaken_) {
            return;
        }
        defineTaken_ = true;
        const std::string& line = preprocessor_;
        std::size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line.compare(i, 6, "define") != 0 || i + 6 >= line.size() ||
            (line[i + 6] != ' ' && line[i + 6] != '\t')) {
            return;
        }
        i = line.find_first_not_of(" \t", i + 6);
        if (i == std::string::npos) {
            return;
        }
        std::size_t end = i;
        while (end < line.size() && IsIdentifierChar(line[end])) {
            ++end;
        }
        if (end == i || (end < line.size() && line[end] == '(')) {
            return;
        }
        if (line.find_first_not_of(" \t\\", end) == std::string::npos) {
            return;
        }
        pendingGroup_.clear();
        AddToInnermostGroup(line.substr(i, end - i));
    }

    void AddToInnermostGroup(const std::string& value) {
        for (auto it = openGroups_.rbegin(); it != openGroups_.rend(); ++it) {
            if (!it->empty()) {
                DeclaredValues& group = into_.groups_[*it];
                if (group.file.empty()) {
                    group.file = file_;
                }
                // A name defined in both branches of an #if counts once.
                AddOnce(group.values, value);
                return;
            }
        }
    }

    // The enum declarations: "[typedef] enum [tag] { A [= x], B, ... } [name];".
    void Token(const std::string& token) {
        const bool word = IsIdentifierChar(token[0]);
        switch (enumState_) {
            case EnumState::Idle:
                if (token == "typedef") {
                    typedef_ = true;
                } else if (token == "enum") {
                    enumState_ = EnumState::Head;
                    tag_.clear();
                    inAttribute_ = false;
                } else if (token == ";" || token == "{" || token == "}") {
                    typedef_ = false;
                }
                if (word) {
                    pendingGroup_.clear();
                }
                return;
            case EnumState::Head:
                if (word && IsCompilerWord(token)) {
                    inAttribute_ = true;
                } else if (word && tag_.empty()) {
                    tag_ = token;
                } else if (token == "{") {
                    enumState_ = EnumState::Body;
                    depth_ = 1;
                    items_.clear();
                    expectItem_ = true;
                } else if (!(inAttribute_ && (token == "(" || token == ")"))) {
                    // A second name ("enum tag func(") or anything else: no definition.
                    Reset(token == ";");
                }
                return;
            case EnumState::Body:
                if (token == "{" || token == "(" || token == "[") {
                    ++depth_;
                } else if (token == "}" || token == ")" || token == "]") {
                    if (--depth_ == 0) {
                        enumState_ = EnumState::Tail;
                        name_.clear();
                        depth_ = 0;
                    }
                } else if (depth_ == 1 && token == ",") {
                    expectItem_ = true;
                } else if (depth_ == 1 && word && expectItem_) {
                    items_.push_back(token);
                    expectItem_ = false;
                }
                return;
            case EnumState::Tail:
                if (token == "(") {
                    ++depth_;
                } else if (token == ")") {
                    depth_ = std::max(0, depth_ - 1);
                } else if (word && depth_ == 0 && name_.empty() && !IsCompilerWord(token)) {
                    name_ = token;
                } else if (token == ";") {
                    Record();
                    Reset(true);
                } else if (token == "{" || token == "}") {
                    Reset(true);
                }
                return;
        }
    }

    void Record() {
        if (items_.empty()) {
            return;
        }
        const auto add = [this](const std::string& name) {
            if (!name.empty()) {
                into_.enums_.emplace(name, DeclaredValues{items_, file_});
            }
        };
        if (typedef_) {
            add(name_);
        }
        add(tag_);
        for (const std::string& value : items_) {
            AddToInnermostGroup(value);
        }
    }

    void Reset(bool statementEnded) {
        enumState_ = EnumState::Idle;
        if (statementEnded) {
            typedef_ = false;
        }
    }

    LibraryDeclarations& into_;
    std::string file_;

    Mode mode_ = Mode::Code;
    bool slashPending_ = false;
    bool starPending_ = false;
    bool escapePending_ = false;
    char quote_ = '"';
    bool atLineStart_ = true;
    std::string comment_;
    std::string word_;

    bool inPreprocessor_ = false;
    bool defineTaken_ = false;
    std::string preprocessor_;

    std::string pendingGroup_;
    std::vector<std::string> openGroups_;

    EnumState enumState_ = EnumState::Idle;
    bool typedef_ = false;
    bool inAttribute_ = false;
    bool expectItem_ = false;
    int depth_ = 0;
    std::string tag_;
    std::string name_;
    std::vector<std::string> items_;
};

void LibraryDeclarations::AddFile(const std::string& path) {
    if (!read_.insert(path).second) {
        return;
    }
    TextFile file;
    if (!file.Open(path)) {
        return;
    }
    DeclarationReader reader(*this, path);
    std::string line;
    while (ReadTextLine(file, line)) {
        reader.Feed(line);
    }
    reader.Finish();
}

void LibraryDeclarations::AddLines(const std::string& path, const DocumentLines& lines) {
    if (!read_.insert(path).second) {
        return;
    }
    DeclarationReader reader(*this, path);
    for (std::size_t i = 0; i < lines.CountRead(); ++i) {
        reader.Feed(lines.RawText(i));
    }
    reader.Finish();
}

void LibraryDeclarations::AddText(const std::string& text, const std::string& file) {
    DeclarationReader reader(*this, file);
    reader.Feed(text);
    reader.Finish();
}

const DeclaredValues* LibraryDeclarations::Enum(const std::string& name) const {
    const auto it = enums_.find(name);
    return it == enums_.end() ? nullptr : &it->second;
}

const DeclaredValues* LibraryDeclarations::Group(const std::string& name) const {
    const auto it = groups_.find(name);
    return it == groups_.end() || it->second.values.empty() ? nullptr : &it->second;
}

}  // namespace quill
