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
    // Each text with its number; a number may be missing or repeat.
    explicit PrefixIndex(std::vector<std::pair<std::string, std::size_t>> texts);

    // The smallest number of a text that begins with `prefix`, or nullopt.
    std::optional<std::size_t> First(const std::string& prefix) const;

private:
    // Each distinct text once, with its smallest number, in byte order:
    // those that begin with a prefix stand together.
    std::vector<std::pair<std::string, std::size_t>> sorted_;
    // Smallest number of each range of sorted_, as a tree over its leaves.
    std::vector<std::size_t> smallest_;
    std::size_t leaves_ = 0;
};

}  // namespace quill
