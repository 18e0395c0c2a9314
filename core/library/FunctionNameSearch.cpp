#include "core/library/FunctionNameSearch.h"

#include "core/library/FunctionNamePart.h"
#include "core/text/TextOps.h"

namespace quill {

std::vector<std::string> SearchableNames(const std::vector<std::string>& entries) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const std::string& entry : entries) {
        const std::string_view name = FunctionNamePart(entry);
        names.push_back(ToLowerAscii(name.empty() ? entry : std::string(name)));
    }
    return names;
}

long BestNameMatch(const std::vector<std::string>& names, std::string_view typed) {
    if (typed.empty()) {
        return -1;
    }
    const std::string wanted = ToLowerAscii(std::string(typed));
    long best = -1;
    std::size_t bestSize = 0;
    std::size_t bestStart = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.size() < wanted.size() || (best >= 0 && name.size() > bestSize)) {
            continue;
        }
        const std::size_t start = name.find(wanted);
        if (start == std::string::npos) {
            continue;
        }
        if (best < 0 || name.size() < bestSize || start < bestStart) {
            best = static_cast<long>(i);
            bestSize = name.size();
            bestStart = start;
        }
    }
    return best;
}

long NextNameMatch(const std::vector<std::string>& names, std::string_view typed, long from,
                   bool forward) {
    const long count = static_cast<long>(names.size());
    if (typed.empty() || count == 0) {
        return -1;
    }
    const std::string wanted = ToLowerAscii(std::string(typed));
    long i = from >= 0 && from < count ? from : (forward ? count - 1 : 0);
    for (long k = 0; k < count; ++k) {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        if (names[static_cast<std::size_t>(i)].find(wanted) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

}  // namespace quill
