// Splitting a combination's choices, joining the picks, and which items a
// value selects when its list opens.

#include "core/compose/MultiSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

using Items = std::vector<std::string>;
using Positions = std::vector<int>;

TEST(SplitChoices, EverySeparatorEndsOneItem) {
    EXPECT_EQ(SplitChoices("PWM_A|PWM_B|PWM_C"), (Items{"PWM_A", "PWM_B", "PWM_C"}));
    EXPECT_EQ(SplitChoices("|A||B|"), (Items{"", "A", "", "B", ""}));
    EXPECT_EQ(SplitChoices(""), (Items{""}));
}

TEST(JoinSelection, ListOrderAtMostThirtyTwo) {
    const Items abc{"A", "B", "C"};
    EXPECT_EQ(JoinSelection(abc, {2, 0}), "A|C");  // picked C first, then A
    EXPECT_EQ(JoinSelection(abc, {}), "");
    EXPECT_EQ(JoinSelection(abc, {1, 1, 7, -1}), "B");
    // An empty item adds a separator only after some text.
    EXPECT_EQ(JoinSelection({"", "B"}, {0, 1}), "B");
    EXPECT_EQ(JoinSelection({"B", ""}, {0, 1}), "B|");
    EXPECT_EQ(JoinSelection({"", ""}, {0, 1}), "");

    Items forty;
    Positions all;
    for (int i = 0; i < 40; ++i) {
        forty.push_back("F" + std::to_string(i));
        all.insert(all.begin(), i);  // highest first: the lowest 32 still win
    }
    const std::string joined = JoinSelection(forty, all);
    EXPECT_EQ(joined.substr(0, 6), "F0|F1|");
    EXPECT_EQ(joined.substr(joined.size() - 4), "|F31");
    EXPECT_EQ(SplitChoices(joined).size(), 32u);
}

TEST(FindPreselection, FirstItemFromTheTopThatBeginsWithEachPart) {
    const Items pwm{"PWM_A", "PWM_B", "PWM_C"};
    EXPECT_EQ(FindPreselection(pwm, "PWM_C|PWM_A"), (Positions{0, 2}));
    EXPECT_EQ(FindPreselection(pwm, "pwm_b"), (Positions{1}));
    EXPECT_EQ(FindPreselection(pwm, "PWM"), (Positions{0}));
    EXPECT_EQ(FindPreselection(pwm, "PWM_D|X"), (Positions{}));
    EXPECT_EQ(FindPreselection(pwm, "|PWM_B||"), (Positions{1}));
    // A longer item above the exact one is found first.
    EXPECT_EQ(FindPreselection({"PWM_AB", "PWM_A"}, "PWM_A"), (Positions{0}));
    // Items longer than a part never match it the other way round.
    EXPECT_EQ(FindPreselection({"A"}, "AB"), (Positions{}));
    EXPECT_EQ(FindPreselection({"A", "B", ""}, "A|B|"), (Positions{0, 1}));
}

TEST(SelectionListRect, UnderTheSelectorDownToTheWindowBottom) {
    const RowMetrics row{20, 400, 7, 380, 21, 363, 14};
    const SlotSizes four{100, 66, 91};
    EXPECT_EQ(SelectionListRect(row, four, 1), (SlotRect{20, 401, 91, 70}));
    EXPECT_EQ(SelectionListRect(row, four, 4), (SlotRect{320, 401, 91, 70}));
    // 7 x 100 / 38 = 18.4: integer division.
    EXPECT_EQ(SelectionListRect({0, 0, 0, 100, 10, 0, 0}, {50, 33, 41}, 2),
              (SlotRect{50, 110, 41, 18}));
}

}  // namespace
}  // namespace quill
