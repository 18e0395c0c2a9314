#pragma once
// Where the parameter slots go, as a pure function of the measured row.

#include <vector>

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

// The slots of one row. A function with more parameters continues on further
// rows below the first, four slots each at the pitch of a full first row.
constexpr int kSlotsPerRow = 4;

struct SlotGeometry {
    SlotSizes sizes;
    int parameterCount = 0;
    int rows = 1;                      // rows of slots, at least one
    std::vector<SlotRect> labels;      // one per parameter
    std::vector<SlotRect> selectors;   // combo or edit of each slot
    std::vector<SlotRect> separators;  // the "," after each slot but the last
    SlotRect closeParen;
};

SlotSizes ComputeSlotSizes(const RowMetrics& row, int parameterCount, const SlotSizes& previous);

// From the top of one row of slots to the top of the next: a label above a
// selector, with room between the rows.
int RowPitch(const RowMetrics& row);

// The first row holds parameters 1 to 4; each further row four more.
int RowsOfSlots(int parameterCount);

// The place of slot k (1 and up) as its column and its row's offset down.
int ColumnOfSlot(int k);
int RowOffsetOfSlot(const RowMetrics& row, int k);

SlotGeometry ComputeSlotGeometry(const RowMetrics& row, int parameterCount,
                                 const SlotSizes& previous);

}  // namespace quill
