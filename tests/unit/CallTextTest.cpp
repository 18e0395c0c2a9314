// The parameter row's geometry and the call text composed from its values.

#include "compose/CallText.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "params/SlotGeometry.h"

namespace quill {
namespace {

// A row as the window measures it: ParamEdit1 starts at 21, ParamEdit4 ends
// at 421, separators are 10 pixels wide in the design.
constexpr RowMetrics kRow{20, 400, 7, 100, 21, 83, 14};
const SlotSizes kPrevious{123, 82, 114};

TEST(SlotGeometry, NoParametersKeepThePreviousSizes) {
    for (int count : {0, -1}) {
        const SlotGeometry g = ComputeSlotGeometry(kRow, count, kPrevious);
        EXPECT_EQ(g.parameterCount, 0);
        EXPECT_EQ(g.sizes, kPrevious);
        EXPECT_EQ(g.closeParen, (SlotRect{28, 101, 6, 21}));
    }
}

TEST(SlotGeometry, OneParameterTakesTheWholeRowAndThreeShareItByIntegerDivision) {
    const SlotGeometry one = ComputeSlotGeometry(kRow, 1, kPrevious);
    EXPECT_EQ(one.sizes, (SlotSizes{400, 266, 391}));
    EXPECT_EQ(one.labels[0], (SlotRect{20, 83, 266, 14}));
    EXPECT_EQ(one.selectors[0], (SlotRect{20, 100, 391, 21}));
    EXPECT_EQ(one.closeParen, (SlotRect{413, 101, 6, 21}));
    const SlotGeometry three = ComputeSlotGeometry(kRow, 3, kPrevious);
    EXPECT_EQ(three.sizes, (SlotSizes{133, 88, 124}));
    EXPECT_EQ(three.selectors[2], (SlotRect{286, 100, 124, 21}));
    EXPECT_EQ(three.separators[1], (SlotRect{279, 100, 6, 21}));
    EXPECT_EQ(three.closeParen, (SlotRect{412, 101, 6, 21}));
}

TEST(SlotGeometry, FourParametersWithNarrowerLaterSeparators) {
    // More parameters than slots take the four slots.
    for (int count : {4, 7}) {
        const SlotGeometry g = ComputeSlotGeometry(kRow, count, kPrevious);
        EXPECT_EQ(g.parameterCount, 4);
        EXPECT_EQ(g.sizes, (SlotSizes{100, 66, 91}));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(g.labels[k], (SlotRect{20 + 100 * k, 83, 66, 14})) << k;
            EXPECT_EQ(g.selectors[k], (SlotRect{20 + 100 * k, 100, 91, 21})) << k;
        }
        EXPECT_EQ(g.separators[0], (SlotRect{113, 100, 7, 21}));
        EXPECT_EQ(g.separators[1], (SlotRect{213, 100, 6, 21}));
        EXPECT_EQ(g.separators[2], (SlotRect{313, 100, 6, 21}));
        EXPECT_EQ(g.closeParen, (SlotRect{413, 101, 6, 21}));
    }
}

ParameterSlotValue Typed(const std::string& name, const std::string& text) {
    return {name, text, false, "", ""};
}

TEST(ValueOfParameter, EntryTextThenSelectedItemThenComboText) {
    ParameterSlotValue slot{"iMode", "42", true, "MODE_ON", "typed over"};
    EXPECT_EQ(ValueOfParameter(slot), "42");
    slot.editText.clear();
    EXPECT_EQ(ValueOfParameter(slot), "MODE_ON");
    slot.comboHasSelection = false;
    EXPECT_EQ(ValueOfParameter(slot), "typed over");
    // A selected empty item is an empty value, whatever the combo's field says.
    EXPECT_EQ(ValueOfParameter({"iMode", "", true, "", "stale"}), "");
}

// The call text, marked when the warning about a missing value is due.
std::string Composed(const std::string& name, const std::array<ParameterSlotValue, 4>& slots) {
    const CallText call = ComposeCallText(name, slots);
    return call.text + (call.allValuesGiven ? "" : " warned");
}

TEST(ComposeCallText, ValuesJoinedByCommasInParentheses) {
    const ParameterSlotValue picked{"iChan", "", true, "1", ""};
    EXPECT_EQ(Composed("PwmSetup", {picked, Typed("iPins", "PWM_A|PWM_C"), Typed("iHz", "500")}),
              "PwmSetup(1,PWM_A|PWM_C,500)");
    EXPECT_EQ(Composed("", {}), "()");
    EXPECT_EQ(Composed("TmrStop", {}), "TmrStop()");
    // The first missing name ends the list; what follows is never looked at.
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", "1"), Typed("", "x"), Typed("iHz", "")}), "Pwm(1)");
    EXPECT_EQ(Composed("F", {Typed("", "1"), Typed("iB", "2")}), "F()");
    // Empty values keep their place; values are taken verbatim.
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", "1"), Typed("iPins", ""), Typed("iHz", "500")}),
              "Pwm(1,,500) warned");
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", ""), Typed("iHz", "500")}), "Pwm(,500) warned");
    EXPECT_EQ(Composed("Pwm", {Typed("a1", ""), Typed("a2", ""), Typed("a3", ""), Typed("a4", "")}),
              "Pwm(,,,) warned");
    EXPECT_EQ(Composed("Run", {Typed("pTool", "\"Pick.exe\""), Typed("pText", " a, b ")}),
              "Run(\"Pick.exe\", a, b )");
}

TEST(CutToBytes, PlainByteCut) {
    const CallText call = ComposeCallText(std::string(296, 'F'), {Typed("iX", "12")});
    ASSERT_EQ(call.text.size(), 300u);
    EXPECT_EQ(CutToBytes(call.text, kMaxCallTextBytes), std::string(255, 'F'));
    EXPECT_EQ(CutToBytes("short", kMaxCallTextBytes), "short");
    EXPECT_EQ(CutToBytes(std::string(99, 'p'), kMaxIncludeTextBytes), std::string(98, 'p'));
    EXPECT_EQ(CutToBytes("\xC3\xA9t", 1), "\xC3");
}

}  // namespace
}  // namespace quill
