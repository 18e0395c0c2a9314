#include "source/PrefixIndex.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <unordered_map>

namespace quill {

namespace {
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
}

PrefixIndex::PrefixIndex(std::vector<std::pair<std::string, std::size_t>> texts) {
    // Files repeat many lines ("{", "}", " */"): sort each text once.
    std::unordered_map<std::string, std::size_t> smallest;
    smallest.reserve(texts.size());
    for (auto& [text, number] : texts) {
        const auto [at, added] = smallest.try_emplace(std::move(text), number);
        if (!added) {
            at->second = std::min(at->second, number);
        }
    }
    sorted_.assign(std::make_move_iterator(smallest.begin()),
                   std::make_move_iterator(smallest.end()));
    std::sort(sorted_.begin(), sorted_.end());
    leaves_ = sorted_.size();
    smallest_.assign(2 * leaves_, kNone);
    for (std::size_t i = 0; i < leaves_; ++i) {
        smallest_[leaves_ + i] = sorted_[i].second;
    }
    for (std::size_t i = leaves_; i-- > 1;) {
        smallest_[i] = std::min(smallest_[2 * i], smallest_[2 * i + 1]);
    }
}

std::optional<std::size_t> PrefixIndex::First(const std::string& prefix) const {
    const auto begins = [&prefix](const std::pair<std::string, std::size_t>& item) {
        return item.first.compare(0, prefix.size(), prefix) == 0;
    };
    const auto low =
        std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(prefix, std::size_t{0}));
    const auto high = std::partition_point(low, sorted_.end(), begins);
    std::size_t found = kNone;
    for (std::size_t l = static_cast<std::size_t>(low - sorted_.begin()) + leaves_,
                     r = static_cast<std::size_t>(high - sorted_.begin()) + leaves_;
         l < r; l /= 2, r /= 2) {
        if (l % 2 == 1) {
            found = std::min(found, smallest_[l++]);
        }
        if (r % 2 == 1) {
            found = std::min(found, smallest_[--r]);
        }
    }
    if (found == kNone) {
        return std::nullopt;
    }
    return found;
}

}  // namespace quill
