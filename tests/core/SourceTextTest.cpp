// The text operations and the whole-library view built on the line reader.
// The reader itself and the line normalisation are compared with plain
// versions in ScanReferenceTest.

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "core/library/LibrarySource.h"
#include "core/text/TextOps.h"

namespace quill {
namespace {

TEST(TextOps, ReplacementsPositionsAndCase) {
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");  // one pass, no overlaps
    EXPECT_EQ(CollapseBlanks("a  \t  b"), "a \t b");
    EXPECT_EQ(ExpandTabs("abcd\tx\ty"), "abcd    x   y");
    EXPECT_EQ(FindPos("abc", "a", 4), -1);
    EXPECT_TRUE(EqualsIgnoringCase("AZ.H", "az.h"));
}

TEST(ReadLibrarySource, TabStopsCountPerLinePiece) {
    testing::ScratchFolder scratch;
    const auto shown = [&](const std::string& bytes) {
        const LibrarySource source = ReadLibrarySource(scratch.Write("lib.h", bytes));
        EXPECT_TRUE(source.opened);
        return source.text;
    };
    EXPECT_EQ(shown("ab\tc\r\n\t\tdeep\r\nlast\tline"), "ab  c\r\n        deep\r\nlast    line");
    // The tab right after the first 255-byte piece starts the next piece.
    const std::string piece(255, 'a');
    EXPECT_EQ(shown(piece + "\tb\n"), piece + "    b\n");
    EXPECT_EQ(shown(""), "");
    // A path that does not open gives no text.
    EXPECT_FALSE(ReadLibrarySource(scratch.PathOf("missing.h")).opened);
}

}  // namespace
}  // namespace quill
