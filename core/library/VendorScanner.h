#pragma once
// The vendor-mode scan of a header: every function it declares or defines,
// whatever the line layout (prototypes over several lines, macro prefixes
// such as __STATIC_INLINE or "API_ATTR type API_CALL name("), and nothing
// else (no typedefs, function-pointer types or macro invocations).
//
// Lines go in as the line reader delivers them; comments, preprocessor
// lines, string literals and function bodies are followed across lines.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/library/FunctionScanner.h"
#include "core/text/LineNormaliser.h"

namespace quill {

// One declaration or definition of a function.
struct VendorFunction {
    std::string entry;  // the prototype through its ")", joined and normalised
    std::string name;
    std::size_t firstLine = 0;  // the line its first word stands on
    std::size_t lastLine = 0;   // the line of its ";", or of its body's "}"
    bool defined = false;       // it has a body
    // The lines that open a "/**" or "/*!" comment after the last line of
    // code before the function, in file order: the blocks that may be its
    // own (only comments, blank and preprocessor lines stand between).
    std::vector<std::size_t> openers;
};

// The function name a vendor-mode entry (or any prototype text) names, or
// "" when the text is no function: a typedef, a function-pointer type, a
// macro invocation, an initialiser.
std::string VendorFunctionName(std::string_view prototype);

// The functions of a file as an index of the same lines knows them: each
// name's first function has a place, so that a list of the file can tell
// which names it has had without keeping them.
class KnownFunctions {
public:
    virtual ~KnownFunctions() = default;
    // The number of places.
    virtual std::size_t Places() const = 0;
    // The place of the first function called `name`; nullopt when the index
    // does not have the name. `next` is the place the caller expects to ask
    // for next, looked at first and moved on: a list that asks in file
    // order finds a name there without a search.
    virtual std::optional<std::uint32_t> FirstPlace(std::string_view name,
                                                    std::size_t& next) const = 0;
};

// The names a function list holds so far, each after its length in
// fixed-size chunks (nothing moves as they fill), and an open-addressed table
// over them: a few allocations for the whole file instead of one node per
// name. Once the set is large its memory comes in blocks of one large page,
// which the system fills with one page fault instead of hundreds.
class VendorNameSet {
public:
    VendorNameSet() = default;
    VendorNameSet(const VendorNameSet&) = delete;
    VendorNameSet& operator=(const VendorNameSet&) = delete;
    // Room for about `names` names before the table must grow.
    void Reserve(std::size_t names);
    // True when `name` was not in the set yet (it is now); also true for a
    // name too long to keep, which is then listed every time.
    bool Insert(std::string_view name);
    // Insert in two steps, so that the table's memory can be fetched while
    // the caller does other work: Expect gives the hash that Insert takes.
    std::uint32_t Expect(std::string_view name) const;
    bool Insert(std::string_view name, std::uint32_t hash);
    // From now on a name `known` has is marked at its place instead of
    // kept; the others are kept as ever.
    void Follow(const KnownFunctions& known);

private:
    static std::uint32_t Hash(std::string_view name);
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t place = 0;  // 1 + chunk * kChunkBytes + offset; 0: free
    };
    struct BlockDelete {
        void operator()(char* block) const;
    };
    using Block = std::unique_ptr<char[], BlockDelete>;
    static constexpr std::size_t kChunkBytes = 1 << 16;
    static Block NewBlock(std::size_t bytes);
    std::string_view At(std::uint32_t place) const;
    char* NewChunk();
    void Rehash(std::size_t slots);

    std::vector<std::unique_ptr<char[]>> smallChunks_;  // the first few
    std::vector<Block> chunkBlocks_;                    // then from these
    std::size_t blockUsed_ = 0;                         // bytes of the last block taken
    std::vector<char*> chunks_;
    std::size_t chunkUsed_ = kChunkBytes;  // bytes of the last chunk taken
    std::size_t count_ = 0;
    const KnownFunctions* known_ = nullptr;
    std::size_t nextPlace_ = 0;  // where known_ is asked first
    std::vector<bool> listed_;   // per place of known_: its name is in the set
    // The table: in `smallSlots_` while small, then in `largeSlots_`.
    std::vector<Slot> smallSlots_;
    Block largeSlots_;
    Slot* slots_ = nullptr;
    std::size_t slotCount_ = 0;
};

class VendorScanner {
public:
    VendorScanner() = default;
    // `withEntries` false: the functions found have no entry text, for a
    // caller that keeps only their names and lines.
    explicit VendorScanner(bool withEntries) : withEntries_(withEntries) {}

    // Feeds the next line (line numbers count from 0 in feeding order).
    // The functions it completes are added to Found().
    void Feed(std::string_view line);
    // The functions completed so far; the caller may take them away.
    std::vector<VendorFunction>& Found() { return found_; }

private:
    enum class State { Code, BlockComment, LineComment, Preprocessor, String, Char };
    void CodeByte(char c, const char* p, const char* end);
    void Directive(const char* p, const char* end);
    void EndOfCodeLine();
    void MarkCode();
    void Append(char c);
    // Append for each byte of [p, end), none of them a mark of the scan.
    void AppendRun(const char* p, const char* end);
    void Terminate(bool body);
    void BodyClosed();
    // The normalised entry of a function's declarator; valid until the next
    // call.
    std::string_view EntryOf(std::string_view declarator);
    // In the list alone, a declaration waits in `deferred...` until the next
    // function comes or the fed text ends, while its name's slot is fetched.
    void Defer(std::string_view name, std::string_view declarator);
    void ListDeferred();

    State state_ = State::Code;
    State afterComment_ = State::Code;
    std::size_t line_ = 0;  // the line being fed
    std::size_t lines_ = 0;
    bool atLineStart_ = true;
    char previous_ = '\n';       // the byte before, across lines
    bool pendingSlash_ = false;  // a "/" ended the text fed last
    bool escaped_ = false;       // in a literal, the byte before was "\"

    int depth_ = 0;        // braces open in a body or an aggregate
    int transparent_ = 0;  // extern "C" { ... } and namespaces open
    struct Condition {
        int depthAtIf;
        int depthAfterFirst;
        bool hadElse;
    };
    std::vector<Condition> conditions_;

    std::string collapsed_;   // the candidate with its blanks collapsed
    std::string candidate_;   // the code text at file level since the last ";", "{" or "}"
    bool aggregate_ = false;  // the candidate had a struct, enum or initialiser body
    bool overflow_ = false;
    std::size_t candidateLine_ = 0;
    std::vector<std::size_t> candidateOpeners_;
    std::vector<std::size_t> openers_;  // since the last line of code
    bool lineHasCode_ = false;

    LineNormaliser normaliser_;
    bool inBody_ = false;  // the body of `pending_` is open
    VendorFunction pending_;
    std::vector<VendorFunction> found_;

    // Set by VendorEntries, which wants the list alone: no VendorFunction
    // records, line numbers or openers, and a declaration whose name is
    // listed already gets no entry made. Each function found goes straight
    // to `listSink_` when `listNames_` takes its name.
    friend class VendorEntries;
    bool withEntries_ = true;
    VendorNameSet* listNames_ = nullptr;
    const EntrySink* listSink_ = nullptr;
    std::string pendingName_;   // of the function whose body is open
    std::string pendingEntry_;  // in the list alone
    bool deferred_ = false;
    std::string deferredName_;
    std::string deferredDeclarator_;
    std::uint32_t deferredHash_ = 0;
};

// The entries of a vendor-mode scan in file order, each function once (its
// first declaration or definition).
class VendorEntries {
public:
    // `fileBytes`, when known, sizes the name table once for the whole file.
    explicit VendorEntries(unsigned long long fileBytes = 0);
    // Tells the names already listed from `known`, an index of the same
    // lines, which outlives this: no names are kept but those it lacks.
    explicit VendorEntries(const KnownFunctions& known);
    void Feed(std::string_view line, EntrySink onEntry);

private:
    VendorScanner scanner_;
    VendorNameSet names_;
};

// ScanLibraryFile in vendor mode for a header library; an assembler
// library is scanned as ever.
bool ScanLibraryFile(const std::string& libraryPath, bool vendorMode, EntrySink onEntry);
LibraryScan ScanLibraryFile(const std::string& libraryPath, bool vendorMode);

}  // namespace quill
