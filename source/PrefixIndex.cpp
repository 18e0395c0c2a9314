#include "source/PrefixIndex.h"

#include <algorithm>
#include <limits>

namespace quill {

namespace {
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
}

void PrefixIndex::AddShared(std::size_t offset, std::size_t length, std::size_t number) {
    texts_.push_back(
        {offset, static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(number)});
}

void PrefixIndex::AddOwn(std::string_view text, std::size_t number) {
    texts_.push_back({own_.size() | kOwn, static_cast<std::uint32_t>(text.size()),
                      static_cast<std::uint32_t>(number)});
    own_.append(text);
}

std::string_view PrefixIndex::Of(std::string_view shared, const Text& text) const {
    if ((text.at & kOwn) != 0) {
        return std::string_view(own_).substr(text.at & ~kOwn, text.length);
    }
    return shared.substr(text.at, text.length);
}

void PrefixIndex::Build(std::string_view shared) {
    // Files repeat many lines ("{", "}", "/**"): each text stays once, with
    // the smallest of its numbers.
    std::sort(texts_.begin(), texts_.end(), [&](const Text& a, const Text& b) {
        const int order = Of(shared, a).compare(Of(shared, b));
        return order < 0 || (order == 0 && a.number < b.number);
    });
    texts_.erase(
        std::unique(texts_.begin(), texts_.end(),
                    [&](const Text& a, const Text& b) { return Of(shared, a) == Of(shared, b); }),
        texts_.end());
    texts_.shrink_to_fit();
    own_.shrink_to_fit();
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
