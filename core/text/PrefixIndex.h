#pragma once
// The first of many texts that begins with a given prefix, without going
// through all of them for every question. The texts are mostly bytes the
// caller keeps anyway (the lines of a file): the index holds only where they
// stand, and a copy of those texts that stand nowhere else.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class PrefixIndex {
public:
    // Adds the text of `length` bytes at `offset` of the caller's bytes
    // `shared`, or a text of the index's own, with its number. A number may
    // be missing or repeat, and so may a text: it is kept once, with its
    // smallest number. Numbers are below 2^32 and lengths below 2^16 (the
    // lines of a file the line reader reads, at most twice as long once
    // normalised). Every call, and every question, gives the same `shared`.
    void AddShared(std::string_view shared, std::size_t offset, std::size_t length,
                   std::size_t number);
    void AddOwn(std::string_view shared, std::string_view text, std::size_t number);

    // Sorts the texts added; no text is added after.
    void Build(std::string_view shared);

    // The smallest number of a text that begins with `prefix`, or nullopt.
    std::optional<std::size_t> First(std::string_view shared, std::string_view prefix) const;

private:
    // 12 bytes a text: where it stands (47 bits), whether in own_, its
    // length and its number.
    struct Text {
        std::uint32_t atLow;
        std::uint16_t atHigh;  // kOwn set: in own_
        std::uint16_t length;
        std::uint32_t number;
    };
    static constexpr std::uint16_t kOwn = 0x8000;
    static Text Make(std::uint64_t at, bool own, std::size_t length, std::size_t number);

    std::string_view Of(std::string_view shared, const Text& text) const;
    // The slot of `bytes` in table_: the one that holds it, or an empty one.
    std::uint32_t& Slot(std::string_view shared, std::string_view bytes);
    // Makes room in table_ for one more text.
    void Grow(std::string_view shared);
    std::uint32_t Smallest(std::size_t node) const;

    // The texts of the index's own, in pieces of kOwnPiece bytes that never
    // move once filled (no text is cut between two).
    static constexpr std::size_t kOwnPiece = std::size_t{1} << 20;
    std::vector<std::string> own_;
    // Each distinct text once, with its smallest number; in byte order once
    // built, so that those that begin with a prefix stand together.
    std::vector<Text> texts_;
    // Until built: the texts_ by the hash of their bytes (open addressing).
    std::vector<std::uint32_t> table_;
    // Smallest number below each inner node of a tree whose leaves are
    // texts_ (node 1 the root, node i with children 2i and 2i+1).
    std::vector<std::uint32_t> smallest_;
};

// The first texts that begin with a prefix ending in ")", of two kinds at
// once (numbered apart), found by a hash of that prefix. A function's entry
// ends with the ")" of its parameter list, and a text holds few places where
// such a prefix can end, so the table is small and built in one pass; the
// texts are not kept. Different prefixes may share a hash: a caller checks
// the text it is given and asks a PrefixIndex when that text does not begin
// with its prefix.
class ParenPrefixTable {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;
    struct Firsts {
        std::uint32_t first = kNone;   // the smallest number of the first kind
        std::uint32_t second = kNone;  // and of the second
    };

    // Adds the prefixes of `text` that end in one of its first `firstParens`
    // ")" as number `number` of the first kind, and those that end in one of
    // its first `secondParens` ")" as one of the second. Numbers are below
    // 2^32 - 1.
    void Add(std::string_view text, std::size_t number, std::size_t firstParens,
             std::size_t secondParens);

    // Makes room for `prefixes` prefixes at once, so that the table is not
    // grown (and copied) step by step.
    void Reserve(std::size_t prefixes);

    // The smallest numbers of the texts that gave a prefix with the hash of
    // `prefix`, which ends in ")".
    Firsts Find(std::string_view prefix) const;

private:
    struct Slot {
        std::uint64_t hash = 0;
        Firsts firsts;  // both kNone: an empty slot
    };
    Slot& SlotOf(std::uint64_t hash);

    std::vector<Slot> slots_;  // open addressing, a power of two
    std::size_t used_ = 0;
};

}  // namespace quill
