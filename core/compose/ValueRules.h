#pragma once
// What an entry field's text means: the number syntax, whether a value is
// checked against the documented range, and the range check itself. Also the
// path of the helper program a field runs.

#include <cstdint>
#include <optional>
#include <string>

namespace quill {

// The C library's strtol rule with base 0 on a 32-bit signed number: leading
// white space, an optional sign, "0x"/"0X" for hexadecimal, a leading "0" for
// octal, else decimal; digits as far as they go, the rest ignored. No digits
// give 0; a value beyond the 32-bit range gives the limit on its sign's side.
std::int32_t ParseNumber(const std::string& text);

// Whether a value is checked against a range, by its first byte read as a
// signed 8-bit number: digits, "-" and every byte up to 43 ("+") are numbers;
// anything else (a letter, "_", ".", ...) starts a symbol, accepted as it is.
// An empty text counts by its terminating zero byte.
bool NeedsRangeTest(const std::string& value);

// -1 when the value is below the low bound, +1 when above the high bound, 0
// inside (both bounds included). All three texts go through ParseNumber.
int CompareToRange(const std::string& low, const std::string& high, const std::string& value);

struct RangeBounds {
    std::string low;   // before the first "-"
    std::string high;  // everything after it
    bool operator==(const RangeBounds&) const = default;
};

// The bounds of a choice text holding "-" at position 1 or later, split at
// its first "-"; nothing otherwise (a text such as "-5-5" is no range).
std::optional<RangeBounds> SplitRange(const std::string& choiceText);

enum class RangeResult { NoTest, In, Out };

// What leaving an entry field does with `value`: no test for an empty value,
// a choice text that is no range or a symbolic value; else in or out.
RangeResult CheckRange(const std::string& choiceText, const std::string& value);

// "no test", "in" or "out".
const char* RangeResultName(RangeResult result);

// The warning shown for a value out of range: "<name> Out of range.".
std::string OutOfRangeMessage(const std::string& parameterName);

// The helper program of an entry field: the folder of the start-up library
// (up to and including its last path separator; nothing when it has none)
// directly followed by the choice text. It names one file and is run as that
// file, never handed to a command interpreter.
std::string HelperCommandLine(const std::string& startupLibrary, const std::string& choiceText);

// The warning shown when a helper program could not be started. Windows
// names its command interpreter; elsewhere the program alone is named.
std::string HelperNotStartedMessage(const std::string& commandLine, bool onWindows);

// What a helper program's standard output puts into its field: the first
// line without the blanks, tabs and line-end bytes around it. Nothing when
// that line is empty or blank: the field keeps what it held.
std::optional<std::string> HelperFieldValue(const std::string& programOutput);

// The warning shown at Copy for a helper field that still holds the quoted
// helper name in place of a value.
std::string HelperNameLeftMessage(const std::string& parameterName,
                                  const std::string& quotedHelper);

// `programPath` as the command line of a process started without a shell on
// Windows: in double quotes, so that blanks stay inside the program name.
// Empty when the path cannot be passed that way (it holds a double quote or
// a control byte, which no Windows file name holds).
std::string QuotedProgramCommandLine(const std::string& programPath);

}  // namespace quill
