#include <gtest/gtest.h>

#include "source/TextOps.h"

namespace quill {
namespace {

TEST(TextOps, ReplaceAllIsOnePassWithoutOverlap) {
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("a,b,c", ",", ", "), "a, b, c");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(TextOps, CollapseBlanksLeavesSingleSpaces) {
    EXPECT_EQ(CollapseBlanks("a     b  c"), "a b c");
    EXPECT_EQ(CollapseBlanks("  "), " ");
    EXPECT_EQ(CollapseBlanks("\t \t"), "\t \t");
}

TEST(TextOps, NormaliseLineFollowsTheFixedSequence) {
    EXPECT_EQ(NormaliseLine("extern   unsigned   char  Foo ( int  a ,int b ) ;"),
              "unsigned char Foo(int a, int b) ;");
    EXPECT_EQ(NormaliseLine("extern  void  TmrGo( int iMode ,char *pBuf );"),
              "void TmrGo(int iMode, char *pBuf);");
    EXPECT_EQ(NormaliseLine("f(a,,b)"), "f(a, , b)");
    EXPECT_EQ(NormaliseLine("\tx\t( y )"), " x(y)");
}

TEST(TextOps, ExpandTabsUsesFourColumnStops) {
    EXPECT_EQ(ExpandTabs("\tx\ty"), "    x   y");
    EXPECT_EQ(ExpandTabs("ab\tc"), "ab  c");
    EXPECT_EQ(ExpandTabs("abcd\t"), "abcd    ");
    EXPECT_EQ(ExpandTabs("no tabs\r\n"), "no tabs\r\n");
}

TEST(TextOps, BlockOpenersAfterIndentationOnly) {
    EXPECT_TRUE(IsBlockOpener("    /** Timer\n"));
    EXPECT_TRUE(IsBlockOpener("\t/*! x"));
    EXPECT_FALSE(IsBlockOpener("x = 1; /** note */"));
    EXPECT_TRUE(HoldsBlockOpener("x = 1; /** note */"));
    EXPECT_FALSE(IsBlockOpener("/* plain */"));
    EXPECT_FALSE(IsBlockOpener(""));
}

TEST(TextOps, PositionsAndCase) {
    EXPECT_EQ(FindPos("abc", "c"), 2);
    EXPECT_EQ(FindPos("abc", "d"), -1);
    EXPECT_EQ(FindPos("abc", "a", 4), -1);
    EXPECT_FALSE(AtPositionOneOrLater(",A", ","));
    EXPECT_TRUE(AtPositionOneOrLater("A,B", ","));
    EXPECT_TRUE(EqualsIgnoringCase("VOID INIT(VOID)", "void Init(void)"));
    EXPECT_FALSE(EqualsIgnoringCase("a", "ab"));
    EXPECT_TRUE(LessIgnoringCase("a.h", "B.s"));
    EXPECT_FALSE(LessIgnoringCase("b", "A"));
}

}  // namespace
}  // namespace quill
