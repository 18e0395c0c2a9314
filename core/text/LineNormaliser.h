#pragma once
// The line normalisation of the function list, and the test every lookup
// makes with it: does a line, normalised, begin with an entry?

#include <string>
#include <string_view>

namespace quill {

// The line normalisation of the function list: tabs to spaces, collapse
// blanks, drop "extern ", then the comma and parenthesis spacing rules.
std::string NormaliseLine(std::string_view line);

// NormaliseLine with buffers kept from call to call, for loops over many
// lines. The result points into the normaliser and stays valid until the
// next call.
class LineNormaliser {
public:
    std::string_view Normalise(std::string_view line);

private:
    // The common line (see the definition) sixteen bytes at a time, where
    // the processor has them; false for any other line, which the byte-wise
    // passes take.
    bool NormaliseQuickly(std::string_view line, std::string_view& normal);

    std::string padded_;
    std::string stage_;
    std::string result_;
};

// True when NormaliseLine(line) begins with `prefix`. Lines whose normalised
// form cannot begin with the prefix's first character are turned down without
// being normalised, which keeps scans of large files fast.
bool NormalisedLineStartsWith(std::string_view line, std::string_view prefix);

}  // namespace quill
