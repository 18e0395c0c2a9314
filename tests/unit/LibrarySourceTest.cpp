#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "source/LibrarySource.h"

namespace quill {
namespace {

class LibrarySourceTest : public ::testing::Test {
protected:
    testing::ScratchFolder scratch{"QuillSource"};

    std::string Shown(const std::string& bytes) {
        const LibrarySource source = ReadLibrarySource(scratch.Write("lib.h", bytes));
        EXPECT_TRUE(source.opened);
        return source.text;
    }
};

TEST_F(LibrarySourceTest, TabsGoToFourColumnStopsAndLineEndsStay) {
    EXPECT_EQ(Shown("\tx\ty\n"), "    x   y\n");
    EXPECT_EQ(Shown("ab\tc\r\n\t\tdeep\r\nlast\tline"), "ab  c\r\n        deep\r\nlast    line");
    EXPECT_EQ(Shown("abc\td\n"), "abc d\n");
    EXPECT_EQ(Shown("abcd\te\n"), "abcd    e\n");
    EXPECT_EQ(Shown(""), "");
}

TEST_F(LibrarySourceTest, LongLinesAreShownWholeWithTabsCountedPerPiece) {
    const std::string longLine(600, 'x');
    EXPECT_EQ(Shown(longLine + "\nend\n"), longLine + "\nend\n");
    // The tab right after the first 255-byte piece starts a new piece and
    // takes a full stop, although it stands in column 255.
    const std::string piece(255, 'a');
    EXPECT_EQ(Shown(piece + "\tb\n"), piece + "    b\n");
    // Within the piece it would have taken one column.
    EXPECT_EQ(Shown(std::string(254, 'a') + "\tb\n"), std::string(254, 'a') + "  b\n");
}

TEST_F(LibrarySourceTest, NulBytesCutLinesAndALeadingOneEndsTheText) {
    EXPECT_EQ(Shown(std::string("ab\0cd\nef\n", 9)), "abef\n");
    EXPECT_EQ(Shown(std::string("one\n\0two\nthree\n", 15)), "one\n");
    // A file in a 16-bit encoding shows only what comes before its first NUL.
    std::string wide = "\xFF\xFE";
    for (char c : std::string("int A(void);\r\nint B(void);\r\n")) {
        wide += c;
        wide += '\0';
    }
    EXPECT_EQ(Shown(wide), "\xFF\xFEi");
}

TEST_F(LibrarySourceTest, LargeFilesComeBackByteForByte) {
    std::string content;
    for (int i = 0; i < 30000; ++i) {
        content += "uint32_t Function" + std::to_string(i) + "(uint8_t channel);\r\n";
    }
    EXPECT_EQ(Shown(content), content);
}

TEST_F(LibrarySourceTest, MissingLibrariesGiveNoText) {
    LibrarySource source = ReadLibrarySource("");
    EXPECT_FALSE(source.opened);
    EXPECT_EQ(source.text, "");
    source = ReadLibrarySource(scratch.PathOf("missing.h"));
    EXPECT_FALSE(source.opened);
    EXPECT_EQ(source.text, "");
    EXPECT_FALSE(ReadLibrarySource(scratch.MakeFolder("folder.h")).opened);
}

}  // namespace
}  // namespace quill
