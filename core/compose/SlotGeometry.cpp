#include "core/compose/SlotGeometry.h"

#include <algorithm>

namespace quill {

namespace {

int ClampCount(int parameterCount) {
    return std::clamp(parameterCount, 0, 4);
}

}  // namespace

SlotSizes ComputeSlotSizes(const RowMetrics& row, int parameterCount, const SlotSizes& previous) {
    const int n = ClampCount(parameterCount);
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
    const int n = ClampCount(parameterCount);
    geometry.parameterCount = n;
    geometry.sizes = ComputeSlotSizes(row, n, previous);
    if (n == 0) {
        // The closing parenthesis follows the opening one directly.
        geometry.closeParen = {row.slotLeft + 8, row.selectorY + 1, row.separatorWidth - 1,
                               row.selectorHeight};
        return geometry;
    }
    const SlotSizes& s = geometry.sizes;
    for (int k = 0; k < n; ++k) {
        const int x = row.slotLeft + k * s.slotWidth;
        geometry.labels[k] = {x, row.labelY, s.labelWidth, row.labelHeight};
        geometry.selectors[k] = {x, row.selectorY, s.selectorWidth, row.selectorHeight};
        if (k > 0) {
            // The separator closing the previous slot; only the first one is
            // a pixel wider.
            geometry.separators[k - 1] = {x - row.separatorWidth, row.selectorY,
                                          k == 1 ? row.separatorWidth : row.separatorWidth - 1,
                                          row.selectorHeight};
        }
    }
    geometry.closeParen = {row.slotLeft + n * s.slotWidth - row.separatorWidth, row.selectorY + 1,
                           row.separatorWidth - 1, row.selectorHeight};
    return geometry;
}

}  // namespace quill
