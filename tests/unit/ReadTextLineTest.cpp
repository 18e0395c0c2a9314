#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "source/ReadTextLine.h"

namespace quill {
namespace {

std::vector<std::string> AllLines(TextFile& file) {
    std::vector<std::string> lines;
    for (std::string line = ReadTextLine(file); !line.empty(); line = ReadTextLine(file)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ReadTextLine, KeepsLineEndsAndDeliversALastLineWithoutOne) {
    TextFile f = TextFile::FromBytes("one\r\ntwo\n\nlast");
    EXPECT_EQ(AllLines(f), (std::vector<std::string>{"one\r\n", "two\n", "\n", "last"}));
    EXPECT_EQ(ReadTextLine(f), "");
}

TEST(ReadTextLine, LongLinesArriveIn255BytePieces) {
    TextFile f = TextFile::FromBytes(std::string(600, 'x') + "\nnext\n");
    const auto lines = AllLines(f);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 255u);
    EXPECT_EQ(lines[1].size(), 255u);
    EXPECT_EQ(lines[2], std::string(90, 'x') + "\n");
    EXPECT_EQ(lines[3], "next\n");
}

TEST(ReadTextLine, ExactlyFullPieceBeforeLineEnd) {
    TextFile f = TextFile::FromBytes(std::string(255, 'y') + "\n");
    EXPECT_EQ(ReadTextLine(f), std::string(255, 'y'));
    EXPECT_EQ(ReadTextLine(f), "\n");
    EXPECT_EQ(ReadTextLine(f), "");
}

TEST(ReadTextLine, NulCutsTheLineAndALeadingNulEndsTheScan) {
    TextFile f = TextFile::FromBytes(std::string("ab\0cd\n", 6) + std::string("\0x\n", 3) + "z\n");
    EXPECT_EQ(ReadTextLine(f), "ab");
    EXPECT_EQ(ReadTextLine(f), "");  // looks like end of file to every scan
}

TEST(ReadTextLine, ReadsRealFilesAcrossBufferBoundaries) {
    const auto path = std::filesystem::temp_directory_path() / "quill_readtextline_test.txt";
    std::string content;
    for (int i = 0; i < 20000; ++i) {
        content += "line " + std::to_string(i) + "\r\n";
    }
    std::ofstream(path, std::ios::binary) << content;
    TextFile f;
    ASSERT_TRUE(f.Open(path.string()));
    std::string joined;
    int count = 0;
    for (std::string line = ReadTextLine(f); !line.empty(); line = ReadTextLine(f)) {
        joined += line;
        ++count;
    }
    EXPECT_EQ(count, 20000);
    EXPECT_EQ(joined, content);
    std::filesystem::remove(path);
}

TEST(ReadTextLine, MissingFilesAndFoldersDoNotOpen) {
    TextFile f;
    EXPECT_FALSE(f.Open("/nonexistent/quill/file.h"));
    EXPECT_FALSE(f.Open(std::filesystem::temp_directory_path().string()));
    EXPECT_FALSE(f.Open(""));
    EXPECT_EQ(ReadTextLine(f), "");
}

TEST(ReadTextLine, ReusedBufferGivesTheSameLines) {
    using namespace std::string_literals;
    const std::string bytes = "one\r\n" + std::string(300, 'x') + "\nab\0cd\n\0rest\n"s;
    TextFile byValue = TextFile::FromBytes(bytes);
    TextFile intoBuffer = TextFile::FromBytes(bytes);
    std::string line = "stale";
    for (std::string expected = ReadTextLine(byValue); !expected.empty();
         expected = ReadTextLine(byValue)) {
        EXPECT_TRUE(ReadTextLine(intoBuffer, line));
        EXPECT_EQ(line, expected);
    }
    // A line that begins with a NUL ends the reading for both.
    EXPECT_FALSE(ReadTextLine(intoBuffer, line));
    EXPECT_EQ(line, "");
}

}  // namespace
}  // namespace quill
