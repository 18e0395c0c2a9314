#include "core/compose/MultiSelection.h"

#include <algorithm>

#include "core/text/TextOps.h"

namespace quill {

namespace {

bool BeginsIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

void SortUnique(std::vector<int>& positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
}

}  // namespace

std::vector<std::string> SplitChoices(const std::string& choiceText) {
    return SplitAtEvery(choiceText, '|');
}

std::string JoinSelection(const std::vector<std::string>& items,
                          const std::vector<int>& selectedPositions) {
    std::vector<int> positions;
    for (const int position : selectedPositions) {
        if (position >= 0 && static_cast<std::size_t>(position) < items.size()) {
            positions.push_back(position);
        }
    }
    SortUnique(positions);
    if (positions.size() > kMaxSelectedItems) {
        positions.resize(kMaxSelectedItems);
    }
    std::string value;
    for (const int position : positions) {
        if (!value.empty()) {
            value += '|';
        }
        value += items[static_cast<std::size_t>(position)];
    }
    return value;
}

std::string JoinSelectionKeepingTyped(const std::vector<std::string>& items,
                                      const std::vector<int>& selectedPositions,
                                      const std::string& typed) {
    std::string value = JoinSelection(items, selectedPositions);
    for (const std::string& part : SplitChoices(typed)) {
        if (!part.empty() && FindPreselection(items, part).empty()) {
            value += (value.empty() ? "" : "|") + part;
        }
    }
    return value;
}

std::vector<int> FindPreselection(const std::vector<std::string>& items, const std::string& value) {
    std::vector<int> positions;
    for (const std::string& part : SplitChoices(value)) {
        if (part.empty()) {
            continue;
        }
        const auto found = std::find_if(
            items.begin(), items.end(),
            [&part](const std::string& item) { return BeginsIgnoringCase(item, part); });
        if (found != items.end()) {
            positions.push_back(static_cast<int>(found - items.begin()));
        }
    }
    SortUnique(positions);
    return positions;
}

SlotRect SelectionListRect(const RowMetrics& row, const SlotSizes& sizes, int k) {
    return {row.slotLeft + ColumnOfSlot(k) * sizes.slotWidth,
            row.selectorY + row.selectorHeight + RowOffsetOfSlot(row, k), sizes.selectorWidth,
            7 * row.selectorY / 38};
}

}  // namespace quill
