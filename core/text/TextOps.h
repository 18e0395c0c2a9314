#pragma once
// Byte-string operations shared by the scanner, the prototype lookup and the
// documentation parser. Positions count from 0; -1 means "absent".

#include <string>
#include <string_view>
#include <vector>

namespace quill {

// A blank within a line: a space or a tab.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A byte of a line end: CR or LF.
inline bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Position of the first occurrence of `what` in `text` at or after `from`, or -1.
long FindPos(std::string_view text, std::string_view what, std::size_t from = 0);

// Position of the last occurrence of `what` in `text`, or -1.
long FindLastPos(std::string_view text, std::string_view what);

// True when `what` occurs in `text` and its first occurrence is not at index 0.
bool AtPositionOneOrLater(std::string_view text, std::string_view what);

// True when `text` begins with `prefix`.
bool StartsWith(std::string_view text, std::string_view prefix);

// Replaces every occurrence of `from` by `to` in one left-to-right pass
// without overlaps; an empty `from` leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The pieces of `text` between separators: every separator ends one piece,
// so empty pieces are kept and an empty text gives one empty piece.
std::vector<std::string> SplitAtEvery(const std::string& text, char separator);

// Appends `value` to `values` unless they hold it already.
void AddOnce(std::vector<std::string>& values, const std::string& value);

// Replaces "  " by " " until no two adjacent spaces remain.
std::string CollapseBlanks(const std::string& text);

// Expands every tab to the next 4-column stop, counted from the first byte.
std::string ExpandTabs(const std::string& line);

// Appends `text` to `out` with tabs as spaces, a space either side of each
// "*" and every run of spaces made one (a space never follows one that
// `out` ends with): how prototypes and parameters are spaced to be split.
void AppendStarSpaced(std::string_view text, std::string& out);

// ASCII-only case folding and comparison (the platform's "C" locale rules).
inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string ToLowerAscii(const std::string& text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// True when `text` holds the lower-case `phrase`, in any case: from `at`,
// or anywhere.
bool PhraseAtIgnoringCase(std::string_view text, std::size_t at, std::string_view phrase);
bool HoldsIgnoringCase(std::string_view text, std::string_view phrase);
// Ascending order ignoring ASCII case; ties broken by the bytes themselves.
bool LessIgnoringCase(std::string_view a, std::string_view b);
// Puts `texts` in that order; equal texts keep their order.
void SortIgnoringCase(std::vector<std::string>& texts);
// Index of the first text equal to `text` ignoring ASCII case, or -1.
long IndexIgnoringCase(const std::vector<std::string>& texts, std::string_view text);

}  // namespace quill
