#pragma once
// The first of many texts that begins with a given prefix, without going
// through all of them for every question.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quill {

class PrefixIndex {
public:
    PrefixIndex() = default;
    // `texts[i]` is text number i.
    explicit PrefixIndex(std::vector<std::string> texts);

    // The smallest i whose text begins with `prefix`, or nullopt.
    std::optional<std::size_t> First(const std::string& prefix) const;

private:
    // The texts in byte order with their numbers: those that begin with a
    // prefix stand together.
    std::vector<std::pair<std::string, std::size_t>> sorted_;
    // Smallest number of each range of sorted_, as a tree over its leaves.
    std::vector<std::size_t> smallest_;
    std::size_t leaves_ = 0;
};

}  // namespace quill
