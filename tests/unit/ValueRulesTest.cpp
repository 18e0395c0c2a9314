// The number syntax of entry fields, the range check on leaving one, and the
// helper program path.

#include "compose/ValueRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quill {
namespace {

TEST(ParseNumber, FollowsTheBaseZeroRuleOnThirtyTwoBits) {
    const struct {
        std::string text;
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"12abc", 12},
        {"0x1F", 31},
        {"0X1f", 31},
        {"0xff", 255},
        {"-0x10", -16},
        {"0x", 0},  // no hexadecimal digit: the "0" is the number
        {"0xg", 0},
        {"010", 8},
        {"09", 0},  // octal stops at the 9
        {"0", 0},
        {"+7", 7},
        {"-3", -3},
        {"--3", 0},
        {"- 3", 0},
        {" \t\n\v\f\r200", 200},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"99999999999999999999999", 2147483647},
        {"-0xFFFFFFFFFFFF", INT32_MIN},
        {"0x7FFFFFFF", 2147483647},
        {"0x80000000", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NeedsRangeTest, FirstByteReadAsSigned) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string value(1, static_cast<char>(byte));
        const bool expected =
            byte <= 43 || byte >= 0x80 || byte == '-' || (byte >= '0' && byte <= '9');
        EXPECT_EQ(NeedsRangeTest(value + "5"), expected) << byte;
    }
    EXPECT_TRUE(NeedsRangeTest(""));
    EXPECT_FALSE(NeedsRangeTest("MAX_COUNT"));
    EXPECT_FALSE(NeedsRangeTest("_x"));
}

TEST(SplitRange, AtTheFirstDashFromPositionOne) {
    EXPECT_EQ(SplitRange("0-255"), (RangeBounds{"0", "255"}));
    EXPECT_EQ(SplitRange("1-"), (RangeBounds{"1", ""}));
    EXPECT_EQ(SplitRange("0--5"), (RangeBounds{"0", "-5"}));
    EXPECT_EQ(SplitRange("a-b-c"), (RangeBounds{"a", "b-c"}));
    EXPECT_FALSE(SplitRange("-5-5"));
    EXPECT_FALSE(SplitRange("255"));
    EXPECT_FALSE(SplitRange(""));
}

TEST(CheckRange, WhatLeavingAFieldReports) {
    const struct {
        std::string choice;
        std::string value;
        RangeResult result;
    } cases[] = {
        {"0-255", "256", RangeResult::Out},
        {"0-255", "255", RangeResult::In},
        {"0-255", "0", RangeResult::In},
        {"0-0xFF", "0x100", RangeResult::Out},
        {"0-0xFF", "0xff", RangeResult::In},
        {"0-9", "010", RangeResult::In},  // octal 8
        {"0-9", "09", RangeResult::In},   // parsed as 0
        {"0-10", "-3", RangeResult::Out},
        {"-5-5", "100", RangeResult::NoTest},
        {"0-100", "MAX_COUNT", RangeResult::NoTest},
        {"0-100", "_x", RangeResult::NoTest},
        {"0-100", "+200", RangeResult::Out},
        {"0-100", " 200", RangeResult::Out},
        {"0-100", "50abc", RangeResult::In},
        {"0-100", "", RangeResult::NoTest},
        {"1-20000", "30000", RangeResult::Out},
        {"10-5", "7", RangeResult::Out},  // reversed bounds: every value is out
        {"10-5", "10", RangeResult::Out},
        {"1-", "0", RangeResult::Out},  // a bound without digits counts as 0
        {"1-", "1", RangeResult::Out},
        {"x-y", "0", RangeResult::In},
        {"0-2147483647", "99999999999", RangeResult::In},  // clamped to the top
        {"PinHelp.exe", "5", RangeResult::NoTest},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckRange(c.choice, c.value), c.result) << c.choice << " " << c.value;
    }
    EXPECT_EQ(CompareToRange("10", "20", "9"), -1);
    EXPECT_EQ(CompareToRange("10", "20", "21"), 1);
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
    EXPECT_EQ(HelperNotStartedMessage("C:\\x\\P.exe"), "C:\\x\\P.exe or CMD.EXE not found.");
    EXPECT_EQ(OutOfRangeMessage("iDuty"), "iDuty Out of range.");
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
