#include <gtest/gtest.h>

#include <array>
#include <string>

#include "compose/CallText.h"

namespace quill {
namespace {

using Slots = std::array<ParameterSlotValue, 4>;

ParameterSlotValue Typed(const std::string& name, const std::string& text) {
    ParameterSlotValue slot;
    slot.name = name;
    slot.editText = text;
    return slot;
}

ParameterSlotValue Picked(const std::string& name, const std::string& item) {
    ParameterSlotValue slot;
    slot.name = name;
    slot.comboHasSelection = true;
    slot.comboSelectedText = item;
    return slot;
}

TEST(ValueOfParameter, EntryTextThenSelectedItemThenComboText) {
    ParameterSlotValue slot = Picked("iMode", "MODE_ON");
    slot.comboEditText = "typed over";
    slot.editText = "42";
    EXPECT_EQ(ValueOfParameter(slot), "42");
    slot.editText.clear();
    EXPECT_EQ(ValueOfParameter(slot), "MODE_ON");
    slot.comboHasSelection = false;
    EXPECT_EQ(ValueOfParameter(slot), "typed over");
    slot.comboEditText.clear();
    EXPECT_EQ(ValueOfParameter(slot), "");
    // A selected empty item is an empty value, whatever the combo's field says.
    ParameterSlotValue emptyItem = Picked("iMode", "");
    emptyItem.comboEditText = "stale";
    EXPECT_EQ(ValueOfParameter(emptyItem), "");
}

TEST(ComposeCallText, ValuesJoinedByCommasInParentheses) {
    const CallText call = ComposeCallText(
        "PwmSetup",
        Slots{Picked("iChan", "1"), Typed("iPins", "PWM_A|PWM_C"), Typed("iHz", "500")});
    EXPECT_EQ(call.text, "PwmSetup(1,PWM_A|PWM_C,500)");
    EXPECT_TRUE(call.allValuesGiven);
}

TEST(ComposeCallText, NoFunctionOrNoParameters) {
    const CallText none = ComposeCallText("", Slots{});
    EXPECT_EQ(none.text, "()");
    EXPECT_TRUE(none.allValuesGiven);
    const CallText noParams = ComposeCallText("TmrStop", Slots{});
    EXPECT_EQ(noParams.text, "TmrStop()");
    EXPECT_TRUE(noParams.allValuesGiven);
}

TEST(ComposeCallText, MissingNameEndsTheList) {
    const CallText call =
        ComposeCallText("PwmSetup", Slots{Typed("iChan", "1"), Typed("", "x"), Typed("iHz", "")});
    EXPECT_EQ(call.text, "PwmSetup(1)");
    // The empty value after the gap is never looked at.
    EXPECT_TRUE(call.allValuesGiven);
    EXPECT_EQ(ComposeCallText("F", Slots{Typed("", "1"), Typed("iB", "2")}).text, "F()");
}

TEST(ComposeCallText, EmptyValuesKeepTheirPlace) {
    const CallText middle = ComposeCallText(
        "PwmSetup", Slots{Typed("iChan", "1"), Typed("iPins", ""), Typed("iHz", "500")});
    EXPECT_EQ(middle.text, "PwmSetup(1,,500)");
    EXPECT_FALSE(middle.allValuesGiven);
    const CallText all = ComposeCallText(
        "PwmSetup", Slots{Typed("a1", ""), Typed("a2", ""), Typed("a3", ""), Typed("a4", "")});
    EXPECT_EQ(all.text, "PwmSetup(,,,)");
    EXPECT_FALSE(all.allValuesGiven);
}

TEST(ComposeCallText, ValuesAreTakenVerbatim) {
    const CallText call =
        ComposeCallText("Run", Slots{Typed("pTool", "\"Pick.exe\""), Typed("pText", " a, b ")});
    EXPECT_EQ(call.text, "Run(\"Pick.exe\", a, b )");
}

TEST(CutToBytes, PlainByteCut) {
    const std::string name(296, 'F');
    const CallText call = ComposeCallText(name, Slots{Typed("iX", "12")});
    ASSERT_EQ(call.text.size(), 300u);
    EXPECT_EQ(CutToBytes(call.text, kMaxCallTextBytes), std::string(255, 'F'));
    EXPECT_EQ(CutToBytes("short", kMaxCallTextBytes), "short");
    EXPECT_EQ(CutToBytes(std::string(98, 'p'), kMaxIncludeTextBytes), std::string(98, 'p'));
    EXPECT_EQ(CutToBytes(std::string(99, 'p'), kMaxIncludeTextBytes), std::string(98, 'p'));
    EXPECT_EQ(CutToBytes("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9");
    EXPECT_EQ(CutToBytes("\xC3\xA9t\xC3\xA9", 1), "\xC3");
}

}  // namespace
}  // namespace quill
