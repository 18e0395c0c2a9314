#include <gtest/gtest.h>

#include "params/SlotGeometry.h"

namespace quill {
namespace {

// A row as the window measures it: ParamEdit1 starts at 21, ParamEdit4 ends
// at 421, separators are 10 pixels wide in the design.
RowMetrics Row() {
    RowMetrics row;
    row.slotLeft = 20;
    row.rowWidth = 400;
    row.separatorWidth = 7;
    row.selectorY = 100;
    row.selectorHeight = 21;
    row.labelHeight = 14;
    row.labelY = row.selectorY - row.labelHeight - 3;
    return row;
}

const SlotSizes kPrevious{123, 82, 114};

TEST(SlotGeometry, NoParametersKeepThePreviousSizes) {
    const SlotGeometry g = ComputeSlotGeometry(Row(), 0, kPrevious);
    EXPECT_EQ(g.parameterCount, 0);
    EXPECT_EQ(g.sizes, kPrevious);
    EXPECT_EQ(g.closeParen, (SlotRect{28, 101, 6, 21}));
    EXPECT_EQ(ComputeSlotSizes(Row(), 0, kPrevious), kPrevious);
}

TEST(SlotGeometry, OneParameterTakesTheWholeRow) {
    const SlotGeometry g = ComputeSlotGeometry(Row(), 1, kPrevious);
    EXPECT_EQ(g.sizes, (SlotSizes{400, 266, 391}));
    EXPECT_EQ(g.labels[0], (SlotRect{20, 83, 266, 14}));
    EXPECT_EQ(g.selectors[0], (SlotRect{20, 100, 391, 21}));
    EXPECT_EQ(g.closeParen, (SlotRect{413, 101, 6, 21}));
}

TEST(SlotGeometry, TwoParametersShareTheRow) {
    const SlotGeometry g = ComputeSlotGeometry(Row(), 2, kPrevious);
    EXPECT_EQ(g.sizes, (SlotSizes{200, 133, 191}));
    EXPECT_EQ(g.selectors[1], (SlotRect{220, 100, 191, 21}));
    EXPECT_EQ(g.labels[1], (SlotRect{220, 83, 133, 14}));
    EXPECT_EQ(g.separators[0], (SlotRect{213, 100, 7, 21}));
    EXPECT_EQ(g.closeParen, (SlotRect{413, 101, 6, 21}));
}

TEST(SlotGeometry, ThreeParametersDivideWithIntegerDivision) {
    const SlotGeometry g = ComputeSlotGeometry(Row(), 3, kPrevious);
    EXPECT_EQ(g.sizes, (SlotSizes{133, 88, 124}));
    EXPECT_EQ(g.selectors[0].x, 20);
    EXPECT_EQ(g.selectors[1].x, 153);
    EXPECT_EQ(g.selectors[2].x, 286);
    EXPECT_EQ(g.separators[0], (SlotRect{146, 100, 7, 21}));
    EXPECT_EQ(g.separators[1], (SlotRect{279, 100, 6, 21}));
    EXPECT_EQ(g.closeParen, (SlotRect{412, 101, 6, 21}));
}

TEST(SlotGeometry, FourParametersWithNarrowerLaterSeparators) {
    const SlotGeometry g = ComputeSlotGeometry(Row(), 4, kPrevious);
    EXPECT_EQ(g.sizes, (SlotSizes{100, 66, 91}));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(g.labels[k], (SlotRect{20 + 100 * k, 83, 66, 14})) << k;
        EXPECT_EQ(g.selectors[k], (SlotRect{20 + 100 * k, 100, 91, 21})) << k;
    }
    EXPECT_EQ(g.separators[0], (SlotRect{113, 100, 7, 21}));
    EXPECT_EQ(g.separators[1], (SlotRect{213, 100, 6, 21}));
    EXPECT_EQ(g.separators[2], (SlotRect{313, 100, 6, 21}));
    EXPECT_EQ(g.closeParen, (SlotRect{413, 101, 6, 21}));
    // Each selector ends two pixels before the separator that closes its slot.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(g.selectors[k].x + g.selectors[k].width + 2, g.separators[k].x) << k;
    }
}

TEST(SlotGeometry, CountsOutsideTheSlotsAreClamped) {
    EXPECT_EQ(ComputeSlotGeometry(Row(), 7, kPrevious).parameterCount, 4);
    EXPECT_EQ(ComputeSlotGeometry(Row(), 7, kPrevious).sizes, (SlotSizes{100, 66, 91}));
    EXPECT_EQ(ComputeSlotGeometry(Row(), -1, kPrevious).sizes, kPrevious);
}

}  // namespace
}  // namespace quill
