#include "core/text/PrefixIndex.h"

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

std::string_view PrefixIndex::Of(std::string_view shared, const Text& text) const {
    const std::uint64_t at = (std::uint64_t{text.atHigh & ~kOwn & 0xFFFFu} << 32) | text.atLow;
    if ((text.atHigh & kOwn) != 0) {
        return std::string_view(own_[at / kOwnPiece]).substr(at % kOwnPiece, text.length);
    }
    return shared.substr(at, text.length);
}

std::uint32_t& PrefixIndex::Slot(std::string_view shared, std::string_view bytes) {
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = std::hash<std::string_view>()(bytes) & mask;
    while (table_[slot] != kNone && Of(shared, texts_[table_[slot]]) != bytes) {
        slot = (slot + 1) & mask;
    }
    return table_[slot];
}

void PrefixIndex::Grow(std::string_view shared) {
    if (2 * (texts_.size() + 1) <= table_.size()) {
        return;
    }
    table_.assign(std::max<std::size_t>(16, 2 * table_.size()), kNone);
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        Slot(shared, Of(shared, texts_[i])) = static_cast<std::uint32_t>(i);
    }
}

// Files repeat many lines ("{", "}", "/**"): each text is kept once, so that
// the sort orders far fewer texts, none of them equal.
void PrefixIndex::AddShared(std::string_view shared, std::size_t offset, std::size_t length,
                            std::size_t number) {
    Grow(shared);
    std::uint32_t& slot = Slot(shared, shared.substr(offset, length));
    if (slot != kNone) {
        texts_[slot].number = std::min(texts_[slot].number, static_cast<std::uint32_t>(number));
        return;
    }
    slot = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(Make(offset, false, length, number));
}

void PrefixIndex::AddOwn(std::string_view shared, std::string_view text, std::size_t number) {
    Grow(shared);
    std::uint32_t& slot = Slot(shared, text);
    if (slot != kNone) {
        texts_[slot].number = std::min(texts_[slot].number, static_cast<std::uint32_t>(number));
        return;
    }
    slot = static_cast<std::uint32_t>(texts_.size());
    // Texts are shorter than 2^16 bytes: one always fits in a piece.
    if (own_.empty() || own_.back().size() + text.size() > kOwnPiece) {
        own_.emplace_back().reserve(kOwnPiece);
    }
    const std::size_t at = (own_.size() - 1) * kOwnPiece + own_.back().size();
    texts_.push_back(Make(at, true, text.size(), number));
    own_.back().append(text);
}

void PrefixIndex::Build(std::string_view shared) {
    table_.clear();
    table_.shrink_to_fit();
    texts_.shrink_to_fit();
    if (!own_.empty()) {
        own_.back().shrink_to_fit();
    }
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

namespace {

std::uint64_t HashOf(std::string_view text) {
    return std::hash<std::string_view>()(text);
}

std::size_t Home(std::uint64_t hash, std::size_t mask) {
    return static_cast<std::size_t>(hash ^ (hash >> 29)) & mask;
}

}  // namespace

ParenPrefixTable::Slot& ParenPrefixTable::SlotOf(std::uint64_t hash) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = Home(hash, mask);
    while ((slots_[at].firsts.first != kNone || slots_[at].firsts.second != kNone) &&
           slots_[at].hash != hash) {
        at = (at + 1) & mask;
    }
    return slots_[at];
}

void ParenPrefixTable::Reserve(std::size_t prefixes) {
    std::size_t size = 64;
    while (size < 2 * (used_ + prefixes)) {
        size *= 2;
    }
    if (size <= slots_.size()) {
        return;
    }
    std::vector<Slot> old(size);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.firsts.first != kNone || slot.firsts.second != kNone) {
            SlotOf(slot.hash) = slot;
        }
    }
}

void ParenPrefixTable::Add(std::string_view text, std::size_t number, std::size_t firstParens,
                           std::size_t secondParens) {
    const std::size_t parens = std::max(firstParens, secondParens);
    const auto n = static_cast<std::uint32_t>(number);
    std::size_t seen = 0;
    for (std::size_t at = text.find(')'); at != std::string_view::npos && seen < parens;
         at = text.find(')', at + 1)) {
        ++seen;
        Reserve(1);
        const std::uint64_t hash = HashOf(text.substr(0, at + 1));
        Slot& slot = SlotOf(hash);
        if (slot.firsts.first == kNone && slot.firsts.second == kNone) {
            slot.hash = hash;
            ++used_;
        }
        if (seen <= firstParens) {
            slot.firsts.first = std::min(slot.firsts.first, n);
        }
        if (seen <= secondParens) {
            slot.firsts.second = std::min(slot.firsts.second, n);
        }
    }
}

ParenPrefixTable::Firsts ParenPrefixTable::Find(std::string_view prefix) const {
    if (slots_.empty()) {
        return {};
    }
    const std::uint64_t hash = HashOf(prefix);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = Home(hash, mask);; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.firsts.first == kNone && slot.firsts.second == kNone) {
            return {};
        }
        if (slot.hash == hash) {
            return slot.firsts;
        }
    }
}

}  // namespace quill
