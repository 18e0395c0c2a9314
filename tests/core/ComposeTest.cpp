// Composing the call: the parameter row's geometry, the values the slots
// give, the number syntax and range check of entry fields, the picks of a
// combination, and the helper program's command line.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/compose/CallText.h"
#include "core/compose/CopyChecks.h"
#include "core/compose/MultiSelection.h"
#include "core/compose/SlotGeometry.h"
#include "core/compose/ValueRules.h"

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
    // Beyond four, the first row keeps the four-slot geometry (the first
    // separator wider than the later ones) and the rest go on rows below,
    // 42 pixels apart, the first row's last "," ending it.
    const SlotGeometry seven = ComputeSlotGeometry(kRow, 7, kPrevious);
    EXPECT_EQ(seven.rows, 2);
    EXPECT_EQ(seven.labels[3], (SlotRect{320, 83, 66, 14}));
    EXPECT_EQ(seven.selectors[3], (SlotRect{320, 100, 91, 21}));
    EXPECT_EQ(seven.separators[0], (SlotRect{113, 100, 7, 21}));
    EXPECT_EQ(seven.separators[2], (SlotRect{313, 100, 6, 21}));
    EXPECT_EQ(seven.separators[3], (SlotRect{413, 100, 6, 21}));
    EXPECT_EQ(seven.selectors[4], (SlotRect{20, 142, 91, 21}));
    EXPECT_EQ(seven.labels[6], (SlotRect{220, 125, 66, 14}));
    EXPECT_EQ(seven.separators.size(), 6u);
    EXPECT_EQ(seven.closeParen, (SlotRect{313, 143, 6, 21}));
    EXPECT_EQ(ComputeSlotGeometry(kRow, 9, kPrevious).selectors[8], (SlotRect{20, 184, 91, 21}));
    EXPECT_EQ(ComputeSlotGeometry(kRow, 8, kPrevious).rows, 2);
}

ParameterSlotValue Typed(const std::string& name, const std::string& text) {
    return {name, text, false, "", ""};
}

// The call text, marked when the warning about a missing value is due.
std::string Composed(const std::string& name, const std::vector<ParameterSlotValue>& slots) {
    const CallText call = ComposeCallText(name, slots);
    return call.text + (call.allValuesGiven ? "" : " warned");
}

TEST(ComposeCallText, ValuesJoinedByCommasInParentheses) {
    const ParameterSlotValue picked{"iChan", "", true, "1", ""};
    EXPECT_EQ(Composed("PwmSetup", {picked, Typed("iPins", "PWM_A|PWM_C"), Typed("iHz", "500")}),
              "PwmSetup(1,PWM_A|PWM_C,500)");
    EXPECT_EQ(Composed("TmrStop", {}), "TmrStop()");
    // A slot's value: its entry text, else the selected item (a selected empty
    // item is empty whatever the combo's field says), else the combo's text.
    EXPECT_EQ(Composed("Set", {ParameterSlotValue{"iA", "42", true, "ON", "typed"},
                               {"iB", "", true, "ON", "typed"},
                               {"iC", "", false, "", "typed"},
                               {"iD", "", true, "", "stale"}}),
              "Set(42,ON,typed,) warned");
    // The first missing name ends the list; what follows is never looked at.
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", "1"), Typed("", "x"), Typed("iHz", "")}), "Pwm(1)");
    EXPECT_EQ(Composed("F", {Typed("", "1"), Typed("iB", "2")}), "F()");
    // Empty values keep their place; values are taken verbatim.
    EXPECT_EQ(Composed("Pwm", {Typed("iChan", "1"), Typed("iPins", ""), Typed("iHz", "500")}),
              "Pwm(1,,500) warned");
    EXPECT_EQ(Composed("Run", {Typed("pTool", "\"Pick.exe\""), Typed("pText", " a, b ")}),
              "Run(\"Pick.exe\", a, b )");
    // Every parameter, however many.
    EXPECT_EQ(Composed("Tmr", {Typed("a", "1"), Typed("b", "2"), Typed("c", "3"), Typed("d", "4"),
                               Typed("e", "5"), Typed("f", "6")}),
              "Tmr(1,2,3,4,5,6)");
}

TEST(CopyWarnings, OutOfRangeValuesAndHelperNamesLeftInTheirFields) {
    EXPECT_EQ(CopyWarnings({{"iChan", "0-3", "2"},
                            {"iFreqHz", "1-20000", "77777"},
                            {"iPin", "PinHelp.exe", "\"PinHelp.exe\""},
                            {"iPort", "PinHelp.exe", "7"},
                            {"iDuty", "0-255", "-1"}}),
              (std::vector<std::string>{"iFreqHz Out of range.",
                                        "iPin still holds the helper \"PinHelp.exe\" and no value.",
                                        "iDuty Out of range."}));
    EXPECT_EQ(CopyWarnings({{"iA", "", ""}, {"iB", "1-9", "MAX"}}), std::vector<std::string>{});
}

TEST(CutToBytes, PlainByteCut) {
    EXPECT_EQ(CutToBytes(std::string(300, 'F'), kMaxCallTextBytes), std::string(255, 'F'));
    EXPECT_EQ(CutToBytes(std::string(99, 'p'), kMaxIncludeTextBytes), std::string(98, 'p'));
    EXPECT_EQ(CutToBytes("\xC3\xA9t", 1), "\xC3");
}

using Items = std::vector<std::string>;
using Positions = std::vector<int>;

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

TEST(JoinSelectionKeepingTyped, TypedPartsNoItemBeginsStayAfterThePicks) {
    const Items pins{"PIN_0", "PIN_1", "PIN_2"};
    EXPECT_EQ(JoinSelectionKeepingTyped(pins, {2, 0}, "myMask"), "PIN_0|PIN_2|myMask");
    EXPECT_EQ(JoinSelectionKeepingTyped(pins, {}, "myMask|0x30||PIN_9"), "myMask|0x30|PIN_9");
    // A part that begins an item stands for that item: unpicked, it goes.
    EXPECT_EQ(JoinSelectionKeepingTyped(pins, {1}, "pin_0|PIN"), "PIN_1");
    EXPECT_EQ(JoinSelectionKeepingTyped(pins, {1}, ""), "PIN_1");
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
    // Under the selector of a slot on the second row (pitch 17 + 21 + 4).
    EXPECT_EQ(SelectionListRect(row, four, 6), (SlotRect{120, 443, 91, 70}));
    // 7 x 100 / 38 = 18.4: integer division.
    EXPECT_EQ(SelectionListRect({0, 0, 0, 100, 10, 0, 0}, {50, 33, 41}, 2),
              (SlotRect{50, 110, 41, 18}));
}

TEST(ParseNumber, FollowsTheBaseZeroRuleOnThirtyTwoBits) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"", 0},
        {"12abc", 12},
        {"0X1f", 31},
        {"-0x10", -16},
        {"0x", 0},
        {"010", 8},
        {"09", 0},
        {"+7", 7},
        {"--3", 0},
        {" \t\n\v\f\r200", 200},
        {"2147483648", 2147483647},
        {"-2147483649", INT32_MIN},
        {"0x80000000", 2147483647},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseNumber(text), value) << '"' << text << '"';
    }
}

TEST(CheckRange, WhatLeavingAFieldReports) {
    const struct {
        std::string choice;
        std::string value;
        RangeResult result;
    } cases[] = {
        {"0-255", "256", RangeResult::Out},
        {"0-255", "255", RangeResult::In},
        {"0-0xFF", "0xff", RangeResult::In},
        {"0-9", "09", RangeResult::In},  // parsed as 0
        {"0-10", "-3", RangeResult::Out},
        {"-5-5", "100", RangeResult::NoTest},
        {"255", "300", RangeResult::NoTest},
        {"0-100", "MAX_COUNT", RangeResult::NoTest},
        {"0-100", "+200", RangeResult::Out},
        {"0-100", " 200", RangeResult::Out},
        {"0-100", "\xC3\xA9", RangeResult::In},  // a byte above 0x7F reads as signed
        {"0-100", "", RangeResult::NoTest},
        {"10-5", "7", RangeResult::Out},  // reversed bounds: every value is out
        {"1-", "1", RangeResult::Out},    // a bound without digits counts as 0
        {"x-y", "0", RangeResult::In},
        {"0-2147483647", "99999999999", RangeResult::In},  // clamped to the top
        {"PinHelp.exe", "5", RangeResult::NoTest},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckRange(c.choice, c.value), c.result) << c.choice << " " << c.value;
    }
}

TEST(HelperCommandLine, TheLibraryFolderThenTheNameUnchanged) {
    EXPECT_EQ(HelperCommandLine("C:\\My Libs\\Gpio.h", "PinHelp.exe"), "C:\\My Libs\\PinHelp.exe");
    EXPECT_EQ(HelperCommandLine("Gpio.h", "PinHelp.exe"), "PinHelp.exe");
    EXPECT_EQ(HelperCommandLine("", "PinHelp.exe"), "PinHelp.exe");
    EXPECT_EQ(HelperCommandLine("C:\\libs\\", "a&b.exe"), "C:\\libs\\a&b.exe");
#ifndef _WIN32
    EXPECT_EQ(HelperCommandLine("/home/me/My Libs/Gpio.h", "PinHelp.exe&touch$IFS~/owned"),
              "/home/me/My Libs/PinHelp.exe&touch$IFS~/owned");
#endif
    EXPECT_EQ(HelperNotStartedMessage("C:\\x\\P.exe", true), "C:\\x\\P.exe or CMD.EXE not found.");
    EXPECT_EQ(HelperNotStartedMessage("/x/P.exe", false), "/x/P.exe could not be started.");
    EXPECT_EQ(OutOfRangeMessage("iDuty"), "iDuty Out of range.");
}

TEST(HelperFieldValue, FirstLineTrimmedOrNothing) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"17\n", "17"},     {" \tPIN_7 \r\nsecond\n", "PIN_7"}, {"a b", "a b"},
        {"", std::nullopt}, {" \r\n5\n", std::nullopt},         {"\n", std::nullopt},
    };
    for (const auto& [output, value] : cases) {
        EXPECT_EQ(HelperFieldValue(output), value) << output;
    }
}

TEST(QuotedProgramCommandLine, QuotesWholePathsAndRefusesWhatNoFileNameHolds) {
    EXPECT_EQ(QuotedProgramCommandLine("C:\\My Libs\\P.exe"), "\"C:\\My Libs\\P.exe\"");
    EXPECT_EQ(QuotedProgramCommandLine("C:\\a&b^c.exe"), "\"C:\\a&b^c.exe\"");
    EXPECT_EQ(QuotedProgramCommandLine("C:\\a\" & calc \".exe"), "");
    EXPECT_EQ(QuotedProgramCommandLine("C:\\a\n.exe"), "");
    EXPECT_EQ(QuotedProgramCommandLine(std::string("C:\\a\0b.exe", 11)), "");
}

}  // namespace
}  // namespace quill
