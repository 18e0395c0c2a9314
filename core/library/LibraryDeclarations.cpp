#include "core/library/LibraryDeclarations.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "core/files/ReadTextLine.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

// ASCII letters, digits and "_", whatever the locale: a table, since the
// reader asks for every byte of a file.
constexpr std::array<bool, 256> kIdentifierBytes = [] {
    std::array<bool, 256> bytes{};
    for (int c = 0; c < 256; ++c) {
        bytes[static_cast<std::size_t>(c)] =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    }
    return bytes;
}();

bool IsIdentifierChar(char c) {
    return kIdentifierBytes[static_cast<unsigned char>(c)];
}

// One open #if, #ifdef or #ifndef: which one, which branch is being read,
// and its condition for that branch ("" for conditions that say nothing of
// the build, such as include guards and __cplusplus).
struct OpenCondition {
    int id = 0;
    int branch = 0;
    std::string text;
    std::string ifndefName;  // the name of an "#ifndef NAME", which a guard defines next
};

// Where a value stands among the open conditions: their ids and branches.
using ConditionPath = std::vector<std::pair<int, int>>;

// "defined(X) || defined(__DOC_DOXYGEN__)" without the documentation
// builds' alternative, blanks collapsed.
std::string CleanCondition(std::string text) {
    for (std::size_t at = text.find("DOXYGEN"); at != std::string::npos;
         at = text.find("DOXYGEN")) {
        std::size_t start = text.rfind("defined", at);
        std::size_t end = text.find(')', at);
        if (start == std::string::npos || end == std::string::npos) {
            break;
        }
        const std::size_t bars = text.find_last_not_of(" \t", start == 0 ? 0 : start - 1);
        if (bars != std::string::npos && bars >= 1 && text.compare(bars - 1, 2, "||") == 0) {
            start = bars - 1;
        }
        text.erase(start, end + 1 - start);
    }
    std::string clean;
    for (char c : text) {
        if (c == '\t' || c == '\r') {
            c = ' ';
        }
        if (!(c == ' ' && (clean.empty() || clean.back() == ' '))) {
            clean += c;
        }
    }
    while (!clean.empty() && clean.back() == ' ') {
        clean.pop_back();
    }
    return clean;
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
        // Token never reads or grows the word itself: the word keeps its
        // room for the next one.
        if (!word_.empty()) {
            Token(word_);
            word_.clear();
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
                groupDepths_.push_back(conditions_.size());
                pendingGroup_.clear();
                continue;
            }
            if (next == '}') {
                if (!openGroups_.empty()) {
                    openGroups_.pop_back();
                    groupDepths_.pop_back();
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
        TakeCondition();
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
        const std::string name = line.substr(i, end - i);
        // "#ifndef NAME" then "#define NAME": a guard or a default, no condition.
        if (!conditions_.empty() && conditions_.back().ifndefName == name) {
            conditions_.back().text.clear();
        }
        if (line.find_first_not_of(" \t\\", end) == std::string::npos) {
            return;
        }
        pendingGroup_.clear();
        AddToInnermostGroup(name, "", Path());
    }

    // The conditional directives: each opens, turns or closes a condition.
    void TakeCondition() {
        const std::string& line = preprocessor_;
        std::size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos) {
            return;
        }
        std::size_t end = i;
        while (end < line.size() && IsIdentifierChar(line[end])) {
            ++end;
        }
        const std::string directive = line.substr(i, end - i);
        std::string rest = CleanCondition(line.substr(std::min(end, line.size())));
        if (const std::size_t first = rest.find_first_not_of(' '); first != std::string::npos) {
            rest.erase(0, first);
        }
        if (directive == "if" || directive == "ifdef" || directive == "ifndef") {
            OpenCondition opened;
            opened.id = ++conditionCount_;
            if (directive == "ifdef") {
                opened.text = "defined(" + rest + ")";
            } else if (directive == "ifndef") {
                opened.text = "!defined(" + rest + ")";
                opened.ifndefName = rest;
            } else {
                opened.text = rest;
            }
            if (rest.find("__cplusplus") != std::string::npos) {
                opened.text.clear();
            }
            conditions_.push_back(std::move(opened));
        } else if (conditions_.empty()) {
            return;
        } else if (directive == "elif") {
            ++conditions_.back().branch;
            conditions_.back().ifndefName.clear();
            if (!conditions_.back().text.empty()) {
                conditions_.back().text = rest;
            }
        } else if (directive == "else") {
            OpenCondition& open = conditions_.back();
            ++open.branch;
            open.ifndefName.clear();
            if (!open.text.empty()) {
                open.text = "!(" + open.text + ")";
            }
        } else if (directive == "endif") {
            conditions_.pop_back();
        }
    }

    // The conditions opened from depth `base` on, joined with "&&".
    std::string Condition(std::size_t base) const {
        std::string joined;
        for (std::size_t k = base; k < conditions_.size(); ++k) {
            if (!conditions_[k].text.empty()) {
                joined += (joined.empty() ? "" : " && ") + conditions_[k].text;
            }
        }
        return joined;
    }

    ConditionPath Path() const {
        ConditionPath path;
        for (const OpenCondition& open : conditions_) {
            path.emplace_back(open.id, open.branch);
        }
        return path;
    }

    // Adds `value` once to `into`. A value declared again in another branch
    // of the same directive (the "#if" and the "#else" of one choice) is
    // declared whichever way the build goes.
    void AddValue(DeclaredValues& into, const std::string& value, const std::string& condition,
                  const ConditionPath& path) {
        into.conditions.resize(into.values.size());
        const auto known = std::find(into.values.begin(), into.values.end(), value);
        if (known == into.values.end()) {
            into.values.push_back(value);
            into.conditions.push_back(condition);
            paths_[{&into, value}] = path;
            return;
        }
        const ConditionPath& first = paths_[{&into, value}];
        if (first.size() == path.size() && !path.empty() &&
            std::equal(path.begin(), path.end() - 1, first.begin()) &&
            first.back().first == path.back().first && first.back().second != path.back().second) {
            into.conditions[known - into.values.begin()].clear();
        }
    }

    // `condition` is taken from the depth the group was opened at.
    void AddToInnermostGroup(const std::string& value, const std::string& enumCondition,
                             const ConditionPath& path) {
        for (std::size_t k = openGroups_.size(); k-- > 0;) {
            if (!openGroups_[k].empty()) {
                DeclaredValues& group = into_.groups_[openGroups_[k]];
                if (group.file.empty()) {
                    group.file = file_;
                }
                std::string condition = Condition(groupDepths_[k]);
                if (!enumCondition.empty()) {
                    condition += (condition.empty() ? "" : " && ") + enumCondition;
                }
                // A name defined in both branches of an #if counts once.
                AddValue(group, value, condition, path);
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
                    items_ = DeclaredValues();
                    itemPaths_.clear();
                    enumBase_ = conditions_.size();
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
                    if (std::find(items_.values.begin(), items_.values.end(), token) ==
                        items_.values.end()) {
                        itemPaths_.push_back(Path());
                    }
                    AddValue(items_, token, Condition(enumBase_), Path());
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
        if (items_.values.empty()) {
            return;
        }
        items_.file = file_;
        items_.conditions.resize(items_.values.size());
        const auto add = [this](const std::string& name) {
            if (!name.empty()) {
                into_.enums_.emplace(name, items_);
            }
        };
        if (typedef_) {
            add(name_);
        }
        add(tag_);
        for (std::size_t k = 0; k < items_.values.size(); ++k) {
            AddToInnermostGroup(items_.values[k], items_.conditions[k], itemPaths_[k]);
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
    DeclaredValues items_;
    std::vector<ConditionPath> itemPaths_;
    std::size_t enumBase_ = 0;

    std::vector<OpenCondition> conditions_;
    int conditionCount_ = 0;
    std::vector<std::size_t> groupDepths_;  // beside openGroups_: the conditions open then
    std::map<std::pair<const DeclaredValues*, std::string>, ConditionPath> paths_;
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

void LibraryDeclarations::LookFurtherIn(std::function<const LibraryDeclarations*()> wider) {
    wider_ = std::move(wider);
    widerAsked_ = false;
    widerRead_ = nullptr;
}

const LibraryDeclarations* LibraryDeclarations::Wider() const {
    if (!widerAsked_ && wider_) {
        widerAsked_ = true;
        widerRead_ = wider_();
        if (widerRead_ == this) {
            widerRead_ = nullptr;
        }
    }
    return widerRead_;
}

const DeclaredValues* LibraryDeclarations::Enum(const std::string& name) const {
    const auto it = enums_.find(name);
    if (it != enums_.end()) {
        return &it->second;
    }
    const LibraryDeclarations* wider = Wider();
    return wider == nullptr ? nullptr : wider->Enum(name);
}

const DeclaredValues* LibraryDeclarations::Group(const std::string& name) const {
    const auto it = groups_.find(name);
    if (it != groups_.end() && !it->second.values.empty()) {
        return &it->second;
    }
    const LibraryDeclarations* wider = Wider();
    return wider == nullptr ? nullptr : wider->Group(name);
}

}  // namespace quill
