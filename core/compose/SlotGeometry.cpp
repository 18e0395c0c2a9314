#include "core/compose/SlotGeometry.h"

#include <algorithm>

namespace quill {

namespace {

// Slots of the first row share its width.
int FirstRowCount(int parameterCount) {
    return std::clamp(parameterCount, 0, kSlotsPerRow);
}

constexpr int kRowGap = 4;

}  // namespace

int RowPitch(const RowMetrics& row) {
    return (row.selectorY - row.labelY) + row.selectorHeight + kRowGap;
}

int RowsOfSlots(int parameterCount) {
    return parameterCount <= kSlotsPerRow ? 1 : (parameterCount + kSlotsPerRow - 1) / kSlotsPerRow;
}

int ColumnOfSlot(int k) {
    return (k - 1) % kSlotsPerRow;
}

int RowOffsetOfSlot(const RowMetrics& row, int k) {
    return (k - 1) / kSlotsPerRow * RowPitch(row);
}

SlotSizes ComputeSlotSizes(const RowMetrics& row, int parameterCount, const SlotSizes& previous) {
    const int n = FirstRowCount(parameterCount);
    if (n == 0) {
        // Nothing to divide the row by: the last function's sizes stay.
        return previous;
    }
    SlotSizes sizes;
    sizes.slotWidth = row.rowWidth / n;
    sizes.labelWidth = 2 * sizes.slotWidth / 3;
    sizes.selectorWidth = sizes.slotWidth - row.separatorWidth - 2;
    return sizes;
}

SlotGeometry ComputeSlotGeometry(const RowMetrics& row, int parameterCount,
                                 const SlotSizes& previous) {
    SlotGeometry geometry;
    const int n = std::max(parameterCount, 0);
    geometry.parameterCount = n;
    geometry.rows = RowsOfSlots(n);
    geometry.sizes = ComputeSlotSizes(row, n, previous);
    if (n == 0) {
        // The closing parenthesis follows the opening one directly.
        geometry.closeParen = {row.slotLeft + 8, row.selectorY + 1, row.separatorWidth - 1,
                               row.selectorHeight};
        return geometry;
    }
    const SlotSizes& s = geometry.sizes;
    for (int k = 1; k <= n; ++k) {
        const int x = row.slotLeft + ColumnOfSlot(k) * s.slotWidth;
        const int down = RowOffsetOfSlot(row, k);
        geometry.labels.push_back({x, row.labelY + down, s.labelWidth, row.labelHeight});
        geometry.selectors.push_back(
            {x, row.selectorY + down, s.selectorWidth, row.selectorHeight});
        // What closes the slot: a "," before the next parameter, else ")".
        // Only the first separator is a pixel wider.
        const int end = x + s.slotWidth - row.separatorWidth;
        if (k < n) {
            geometry.separators.push_back({end, row.selectorY + down,
                                           k == 1 ? row.separatorWidth : row.separatorWidth - 1,
                                           row.selectorHeight});
        } else {
            geometry.closeParen = {end, row.selectorY + 1 + down, row.separatorWidth - 1,
                                   row.selectorHeight};
        }
    }
    return geometry;
}

}  // namespace quill
