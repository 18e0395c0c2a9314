#include "source/PrefixIndex.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace quill {

namespace {
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
}

PrefixIndex::Text PrefixIndex::Make(std::uint64_t at, bool own, std::size_t length,
                                    std::size_t number) {
    return {static_cast<std::uint32_t>(at),
            static_cast<std::uint16_t>((at >> 32) | (own ? kOwn : 0u)),
            static_cast<std::uint16_t>(length), static_cast<std::uint32_t>(number)};
}

void PrefixIndex::AddShared(std::size_t offset, std::size_t length, std::size_t number) {
    texts_.push_back(Make(offset, false, length, number));
}

void PrefixIndex::AddOwn(std::string_view text, std::size_t number) {
    texts_.push_back(Make(own_.size(), true, text.size(), number));
    own_.append(text);
}

std::string_view PrefixIndex::Of(std::string_view shared, const Text& text) const {
    const std::uint64_t at = (std::uint64_t{text.atHigh & ~kOwn & 0xFFFFu} << 32) | text.atLow;
    return ((text.atHigh & kOwn) != 0 ? std::string_view(own_) : shared).substr(at, text.length);
}

void PrefixIndex::Reserve(std::size_t texts) {
    texts_.reserve(texts);
}

void PrefixIndex::Build(std::string_view shared) {
    // Files repeat many lines ("{", "}", "/**"): each text stays once, with
    // the smallest of its numbers, found through a table of hashes before
    // the sort, which then orders far fewer texts, none of them equal.
    {
        std::size_t slots = 16;
        while (slots < 2 * texts_.size()) {
            slots *= 2;
        }
        std::vector<std::uint32_t> table(slots, kNone);
        const std::hash<std::string_view> hash;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < texts_.size(); ++i) {
            const Text text = texts_[i];
            const std::string_view bytes = Of(shared, text);
            std::size_t slot = hash(bytes) & (slots - 1);
            while (table[slot] != kNone && Of(shared, texts_[table[slot]]) != bytes) {
                slot = (slot + 1) & (slots - 1);
            }
            if (table[slot] == kNone) {
                table[slot] = static_cast<std::uint32_t>(kept);
                texts_[kept++] = text;
            } else {
                Text& first = texts_[table[slot]];
                first.number = std::min(first.number, text.number);
            }
        }
        texts_.resize(kept);
    }
    texts_.shrink_to_fit();
    own_.shrink_to_fit();
    std::sort(texts_.begin(), texts_.end(),
              [&](const Text& a, const Text& b) { return Of(shared, a) < Of(shared, b); });
    const std::size_t leaves = texts_.size();
    smallest_.assign(leaves, kNone);
    for (std::size_t i = leaves; i-- > 1;) {
        smallest_[i] = std::min(Smallest(2 * i), Smallest(2 * i + 1));
    }
}

std::uint32_t PrefixIndex::Smallest(std::size_t node) const {
    const std::size_t leaves = texts_.size();
    return node >= leaves ? texts_[node - leaves].number : smallest_[node];
}

std::optional<std::size_t> PrefixIndex::First(std::string_view shared,
                                              std::string_view prefix) const {
    const auto low = std::partition_point(
        texts_.begin(), texts_.end(), [&](const Text& text) { return Of(shared, text) < prefix; });
    const auto high = std::partition_point(low, texts_.end(), [&](const Text& text) {
        return Of(shared, text).substr(0, prefix.size()) == prefix;
    });
    const std::size_t leaves = texts_.size();
    std::uint32_t found = kNone;
    for (std::size_t l = static_cast<std::size_t>(low - texts_.begin()) + leaves,
                     r = static_cast<std::size_t>(high - texts_.begin()) + leaves;
         l < r; l /= 2, r /= 2) {
        if (l % 2 == 1) {
            found = std::min(found, Smallest(l++));
        }
        if (r % 2 == 1) {
            found = std::min(found, Smallest(--r));
        }
    }
    if (found == kNone) {
        return std::nullopt;
    }
    return found;
}

}  // namespace quill
