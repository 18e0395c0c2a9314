#include "core/text/Utf16Text.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

using namespace std::string_literals;

// A surrogate pair is one character; a lone surrogate keeps its unit both ways.
TEST(Utf16Text, SurrogatesComeBackAsTheyWere) {
    const std::string little = "\xFF\xFE\x3D\xD8\x00\xDE\x00\xD8x\0"s;
    const std::string big = "\xFE\xFF\xD8\x3D\xDE\x00\xD8\x00\0x"s;
    const std::string utf8 = "\xF0\x9F\x98\x80\xED\xA0\x80x";
    EXPECT_EQ(Utf16ToUtf8(little, 2, true), utf8);
    EXPECT_EQ(Utf16ToUtf8(big, 2, false), utf8);
    EXPECT_EQ(Utf8ToUtf16(utf8, true), little);
    EXPECT_EQ(Utf8ToUtf16(utf8, false), big);
}

}  // namespace
}  // namespace quill
