// The number syntax of entry fields, the range check on leaving one, and the
// helper program path.

#include "core/compose/ValueRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quill {
namespace {

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
