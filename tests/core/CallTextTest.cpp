// The parameter row's geometry and the call text composed from its values.

#include "core/compose/CallText.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/compose/SlotGeometry.h"

namespace quill {
namespace {

// A row as the window measures it: ParamEdit1 starts at 21, ParamEdit4 ends
// at 421, separators are 10 pixels wide in the design.
constexpr RowMetrics kRow{20, 400, 7, 100, 21, 83, 14};
const SlotSizes kPrevious{123, 82, 114};

TEST(SlotGeometry, SlotsShareTheRowByIntegerDivision) {
    // No parameters keep the previous sizes.
    const SlotGeometry none = ComputeSlotGeometry(kRow, 0, kPrevious);
    EXPECT_EQ(none.sizes, kPrevious);
    EXPECT_EQ(none.closeParen, (SlotRect{28, 101, 6, 21}));
    const SlotGeometry three = ComputeSlotGeometry(kRow, 3, kPrevious);
    EXPECT_EQ(three.sizes, (SlotSizes{133, 88, 124}));
    EXPECT_EQ(three.selectors[2], (SlotRect{286, 100, 124, 21}));
    EXPECT_EQ(three.separators[1], (SlotRect{279, 100, 6, 21}));
    EXPECT_EQ(three.closeParen, (SlotRect{412, 101, 6, 21}));
    // More parameters than slots take the four slots; the first separator
    // is wider than the later ones.
    const SlotGeometry seven = ComputeSlotGeometry(kRow, 7, kPrevious);
    EXPECT_EQ(seven.parameterCount, 4);
    EXPECT_EQ(seven.labels[3], (SlotRect{320, 83, 66, 14}));
    EXPECT_EQ(seven.selectors[3], (SlotRect{320, 100, 91, 21}));
    EXPECT_EQ(seven.separators[0], (SlotRect{113, 100, 7, 21}));
    EXPECT_EQ(seven.separators[2], (SlotRect{313, 100, 6, 21}));
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
    EXPECT_EQ(Composed("TmrStop", {}), "TmrStop()");
    // The first missing name ends the list; what follows is never looked at.
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", "1"), Typed("", "x"), Typed("iHz", "")}), "Pwm(1)");
    EXPECT_EQ(Composed("F", {Typed("", "1"), Typed("iB", "2")}), "F()");
    // Empty values keep their place; values are taken verbatim.
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", "1"), Typed("iPins", ""), Typed("iHz", "500")}),
              "Pwm(1,,500) warned");
    EXPECT_EQ(Composed("Run", {Typed("pTool", "\"Pick.exe\""), Typed("pText", " a, b ")}),
              "Run(\"Pick.exe\", a, b )");
}

TEST(CutToBytes, PlainByteCut) {
    EXPECT_EQ(CutToBytes(std::string(300, 'F'), kMaxCallTextBytes), std::string(255, 'F'));
    EXPECT_EQ(CutToBytes(std::string(99, 'p'), kMaxIncludeTextBytes), std::string(98, 'p'));
    EXPECT_EQ(CutToBytes("\xC3\xA9t", 1), "\xC3");
}

}  // namespace
}  // namespace quill
