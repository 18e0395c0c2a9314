// The text operations, the line reader and the whole-library view built on
// them. The reader's buffering and the line normalisation are compared with
// plain versions in ScanReferenceTest.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "source/LibrarySource.h"
#include "source/ReadTextLine.h"
#include "source/TextOps.h"

namespace quill {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

TEST(TextOps, ReplacementsPositionsAndCase) {
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");  // one pass, no overlaps
    EXPECT_EQ(CollapseBlanks("a  \t  b"), "a \t b");
    EXPECT_EQ(ExpandTabs("abcd\tx\ty"), "abcd    x   y");
    EXPECT_EQ(FindPos("abc", "a", 4), -1);
    EXPECT_TRUE(EqualsIgnoringCase("AZ.H", "az.h"));
    EXPECT_TRUE(LessIgnoringCase("a.h", "B.s"));
}

// Every line of `file` up to the first empty one, read with both forms of the
// reader, which must agree.
Lines AllLines(TextFile& file, TextFile& again) {
    Lines lines;
    std::string line = "stale";
    for (std::string next = ReadTextLine(file); !next.empty(); next = ReadTextLine(file)) {
        EXPECT_TRUE(ReadTextLine(again, line));
        EXPECT_EQ(line, next);
        lines.push_back(next);
    }
    EXPECT_FALSE(ReadTextLine(again, line));
    EXPECT_EQ(line, "");
    return lines;
}

Lines AllLines(const std::string& bytes) {
    TextFile file = TextFile::FromBytes(bytes);
    TextFile again = TextFile::FromBytes(bytes);
    return AllLines(file, again);
}

TEST(ReadTextLine, LineEndsPiecesOf255BytesAndNulBytes) {
    EXPECT_EQ(AllLines("one\r\ntwo\n\nlast"), (Lines{"one\r\n", "two\n", "\n", "last"}));
    const std::string x255(255, 'x');
    EXPECT_EQ(AllLines(std::string(600, 'x') + "\n" + x255 + "\nnext\n"),
              (Lines{x255, x255, std::string(90, 'x') + "\n", x255, "\n", "next\n"}));
    // A NUL cuts its line; one at the start of a line looks like the end.
    EXPECT_EQ(AllLines("ab\0cd\n\0x\nz\n"s), (Lines{"ab"}));
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
    // Paths that do not open: no text, for the source view and the reader.
    EXPECT_FALSE(ReadLibrarySource(scratch.PathOf("missing.h")).opened);
    TextFile file;
    EXPECT_FALSE(file.Open(scratch.PathOf("missing.h")) || file.Open(scratch.Root()));
    EXPECT_EQ(ReadTextLine(file), "");
}

}  // namespace
}  // namespace quill
