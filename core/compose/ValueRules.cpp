#include "core/compose/ValueRules.h"

#include <cstdint>
#include <limits>

#include "core/text/PathText.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of `c` as a digit, or a number no base reaches.
int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 99;
}

}  // namespace

std::int32_t ParseNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '0') {
        base = 8;
        // "0x" counts as a prefix only when a hexadecimal digit follows;
        // otherwise the "0" is the number and the "x" ends it.
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            DigitValue(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        }
    }
    // The magnitude saturates just past the 32-bit range, which is all the
    // clamp below needs to know.
    constexpr std::int64_t kCeiling = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        magnitude = magnitude * base + DigitValue(text[i]);
        if (magnitude > kCeiling) {
            magnitude = kCeiling;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

bool NeedsRangeTest(const std::string& value) {
    const char first = value.empty() ? '\0' : value.front();
    const auto code = static_cast<signed char>(first);
    return (first >= '0' && first <= '9') || first == '-' || code <= '+';
}

int CompareToRange(const std::string& low, const std::string& high, const std::string& value) {
    const std::int32_t number = ParseNumber(value);
    if (number < ParseNumber(low)) {
        return -1;
    }
    if (number > ParseNumber(high)) {
        return 1;
    }
    return 0;
}

std::optional<RangeBounds> SplitRange(const std::string& choiceText) {
    if (!AtPositionOneOrLater(choiceText, "-")) {
        return std::nullopt;
    }
    const std::size_t dash = choiceText.find('-');
    return RangeBounds{choiceText.substr(0, dash), choiceText.substr(dash + 1)};
}

RangeResult CheckRange(const std::string& choiceText, const std::string& value) {
    if (value.empty()) {
        return RangeResult::NoTest;
    }
    const std::optional<RangeBounds> bounds = SplitRange(choiceText);
    if (!bounds || !NeedsRangeTest(value)) {
        return RangeResult::NoTest;
    }
    return CompareToRange(bounds->low, bounds->high, value) == 0 ? RangeResult::In
                                                                 : RangeResult::Out;
}

const char* RangeResultName(RangeResult result) {
    switch (result) {
        case RangeResult::In:
            return "in";
        case RangeResult::Out:
            return "out";
        case RangeResult::NoTest:
            break;
    }
    return "no test";
}

std::string OutOfRangeMessage(const std::string& parameterName) {
    return parameterName + " Out of range.";
}

std::string HelperCommandLine(const std::string& startupLibrary, const std::string& choiceText) {
    return FolderOf(startupLibrary) + choiceText;
}

std::string HelperNotStartedMessage(const std::string& commandLine, bool onWindows) {
    return commandLine + (onWindows ? " or CMD.EXE not found." : " could not be started.");
}

std::optional<std::string> HelperFieldValue(const std::string& programOutput) {
    const std::string line = programOutput.substr(0, programOutput.find('\n'));
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

std::string HelperNameLeftMessage(const std::string& parameterName,
                                  const std::string& quotedHelper) {
    return parameterName + " still holds the helper " + quotedHelper + " and no value.";
}

std::string QuotedProgramCommandLine(const std::string& programPath) {
    for (const char c : programPath) {
        if (c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return std::string();
        }
    }
    return '"' + programPath + '"';
}

}  // namespace quill
