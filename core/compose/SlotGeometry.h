#pragma once
// Where the parameter slots go, as a pure function of the measured row.

#include <array>

namespace quill {

struct SlotRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const SlotRect&) const = default;
};

// Measured once when the window opens, in client pixels.
struct RowMetrics {
    int slotLeft = 0;
    int rowWidth = 0;
    int separatorWidth = 0;
    int selectorY = 0;
    int selectorHeight = 0;
    int labelY = 0;
    int labelHeight = 0;
};

// Recomputed for every function with parameters; kept when there are none.
struct SlotSizes {
    int slotWidth = 0;
    int labelWidth = 0;
    int selectorWidth = 0;
    bool operator==(const SlotSizes&) const = default;
};

struct SlotGeometry {
    SlotSizes sizes;
    int parameterCount = 0;
    std::array<SlotRect, 4> labels;      // valid for the first parameterCount
    std::array<SlotRect, 4> selectors;   // combo or edit of each slot
    std::array<SlotRect, 3> separators;  // valid for the first parameterCount - 1
    SlotRect closeParen;
};

SlotSizes ComputeSlotSizes(const RowMetrics& row, int parameterCount, const SlotSizes& previous);

SlotGeometry ComputeSlotGeometry(const RowMetrics& row, int parameterCount,
                                 const SlotSizes& previous);

}  // namespace quill
