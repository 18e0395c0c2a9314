#include "core/library/FunctionScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace quill {
namespace {

using Entries = std::vector<std::string>;

TEST(LibraryKindOf, AFirstDotHAtIndexThreeOrLaterAnywhereInThePathMakesAHeader) {
    for (const char* path : {"C:\\lib\\Uart.H", "C:\\my.h\\uart.s", "/src/lib/uart.hpp", "abc.h",
                             "x.h\\lib\\uart.H", ".H/.h/uart.s"}) {
        EXPECT_EQ(LibraryKindOf(path), LibraryKind::Header) << path;
    }
    for (const char* path :
         {"C:\\lib\\uart.s79", "C:\\lib\\uart.s", "", "ab.h", ".h\\lib\\uart.h"}) {
        EXPECT_EQ(LibraryKindOf(path), LibraryKind::Assembler) << path;
    }
}

Entries Assembler(const Entries& lines) {
    return ScanFunctionEntries(LibraryKind::Assembler, lines);
}

Entries Header(const Entries& lines) {
    return ScanFunctionEntries(LibraryKind::Header, lines);
}

TEST(ScanFunctionEntries, AssemblerPrototypeCommentsInTheFirstColumn) {
    // The entry runs to the first ")" and keeps its own spacing.
    EXPECT_EQ(
        Assembler({"@ C Function prototype:   int Add(int a,int b)  ; sum\n",
                   "; C Function prototype: void  Foo (int a)\r\n",
                   "; C Function prototype:@ C Function prototype: int F(x)\n",
                   "; C Function prototype: \r\t f(x)\n", "; C Function prototype: abc) f(x)\n"}),
        (Entries{"int Add(int a,int b)", "void  Foo (int a)", "int F(x)", "f(x)", "abc)"}));
    for (const char* line :
         {"; C Function prototype: ab) f(x)\n", " @ C Function prototype: int Add(int a,int b)\n",
          "; C function prototype: int Add(int a,int b)\n", "; C Function prototype:\n",
          "; C Function prototype: int Add(int a\n", "int Add(int a,int b);\n"}) {
        EXPECT_EQ(Assembler({line}), Entries{}) << line;
    }
    // There is no comment state, and an empty line is the end of the file.
    EXPECT_EQ(Assembler({"/* open\n", "; C Function prototype: int A(void)\n", "",
                         "; C Function prototype: int B(void)\n"}),
              (Entries{"int A(void)"}));
}

TEST(ScanFunctionEntries, HeaderPrototypesOnOneLineInTheFirstColumn) {
    // Cut at ";", "//", "/*" or after a ")" from index 5 on, then normalised;
    // repeated prototypes are listed again.
    EXPECT_EQ(Header({"void Init(void);\n",
                      "extern   unsigned   char  Foo ( int  a ,int b ) ;   // x\r\n",
                      "void Init(void) /* note */\n", "void Go(void) // note\n", "abc(d)xyz\n",
                      "ab(c)xyz\n", "void Init(void);\n"}),
              (Entries{"void Init(void)", "unsigned char Foo(int a, int b)", "void Init(void)",
                       "void Go(void)", "abc(d)", "ab(c)xyz\n", "void Init(void)"}));
    for (const char* line :
         {"  void Init(void);\n", "\tvoid Init(void);\n", "#define MAX(a, b) ((a) > (b))\n",
          "_Reserved(void);\n", "// void Init(void);\n", "(void) x;\n", "\r\n",
          "typedef struct { int a; } T;\n", "int Value // of f(x)\n",
          "void Configure(int mode,\n"}) {
        EXPECT_EQ(Header({line}), Entries{}) << line;
    }
    EXPECT_EQ(Header({"int A(void);\n", "", "int B(void);\n"}), (Entries{"int A(void)"}));
}

TEST(ScanFunctionEntries, HeaderCommentsOpenedOnALineHideEverythingUntilTheyClose) {
    // The line that closes the comment gives nothing either.
    EXPECT_EQ(Header({"void Init(void); /* start\n", "   of a note */ void Two(void);\n",
                      "void Three(void);\n"}),
              (Entries{"void Three(void)"}));
    // A "*/" in the first column ends the comment; one before the "/*" does not.
    EXPECT_EQ(Header({"/*\n", " * void Hidden(void);\n", "*/\n", "void Shown(void);\n"}),
              (Entries{"void Shown(void)"}));
    EXPECT_EQ(Header({"x */ y /* open\n", "void Hidden(void);\n", "*/ end\n", "int A(int);\n"}),
              (Entries{"int A(int)"}));
    EXPECT_EQ(Header({"/* one-liner */\n", "void Next(void);\n"}), (Entries{"void Next(void)"}));
    // A line that begins inside a comment gives nothing, even after its "*/".
    EXPECT_EQ(Header({"/* long\n", "note */ void Two(void);\n"}), Entries{});
}

}  // namespace
}  // namespace quill
