#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "source/FunctionScanner.h"

namespace quill {
namespace {

using Entries = std::vector<std::string>;

Entries Header(const std::vector<std::string>& lines) {
    return ScanFunctionEntries(LibraryKind::Header, lines);
}

Entries Assembler(const std::vector<std::string>& lines) {
    return ScanFunctionEntries(LibraryKind::Assembler, lines);
}

TEST(LibraryKindOf, AFirstDotHAtIndexThreeOrLaterMakesAHeader) {
    EXPECT_EQ(LibraryKindOf("C:\\lib\\uart.h"), LibraryKind::Header);
    EXPECT_EQ(LibraryKindOf("C:\\lib\\Uart.H"), LibraryKind::Header);
    EXPECT_EQ(LibraryKindOf("C:\\lib\\uart.s79"), LibraryKind::Assembler);
    EXPECT_EQ(LibraryKindOf("C:\\lib\\uart.s"), LibraryKind::Assembler);
    EXPECT_EQ(LibraryKindOf(""), LibraryKind::Assembler);
    // Anywhere in the path, folder names and longer extensions included.
    EXPECT_EQ(LibraryKindOf("C:\\my.h\\uart.s"), LibraryKind::Header);
    EXPECT_EQ(LibraryKindOf("/src/lib/uart.hpp"), LibraryKind::Header);
    EXPECT_EQ(LibraryKindOf("/home/dev/.hidden/uart.s"), LibraryKind::Header);

    EXPECT_EQ(LibraryKindOf("a.h"), LibraryKind::Assembler);
    EXPECT_EQ(LibraryKindOf("ab.h"), LibraryKind::Assembler);
    EXPECT_EQ(LibraryKindOf("abc.h"), LibraryKind::Header);
    // Only the first occurrence of each spelling counts.
    EXPECT_EQ(LibraryKindOf(".h\\lib\\uart.h"), LibraryKind::Assembler);
    EXPECT_EQ(LibraryKindOf("x.h\\lib\\uart.H"), LibraryKind::Header);
    EXPECT_EQ(LibraryKindOf(".H/.h/uart.s"), LibraryKind::Header);
}

TEST(AssemblerScan, PrototypeCommentsInTheFirstColumn) {
    EXPECT_EQ(Assembler({"@ C Function prototype:   int Add(int a,int b)  ; sum\n"}),
              (Entries{"int Add(int a,int b)"}));
    // Spacing and tabs inside stay as written.
    EXPECT_EQ(Assembler({"; C Function prototype: void  Foo (int a)\r\n"}),
              (Entries{"void  Foo (int a)"}));
    EXPECT_EQ(Assembler({"; C Function prototype:\tchar\tGet(void)\n"}),
              (Entries{"char\tGet(void)"}));
    // Every marker is removed, wherever it stands.
    EXPECT_EQ(Assembler({"; C Function prototype:@ C Function prototype: int F(x)\n"}),
              (Entries{"int F(x)"}));

    EXPECT_EQ(Assembler({" @ C Function prototype: int Add(int a,int b)\n"}), Entries{});
    EXPECT_EQ(Assembler({"\t; C Function prototype: int Add(int a,int b)\n"}), Entries{});
    EXPECT_EQ(Assembler({"; C function prototype: int Add(int a,int b)\n"}), Entries{});
    EXPECT_EQ(Assembler({"int Add(int a,int b);\n", "Add: mov r0, r1\n"}), Entries{});
    EXPECT_EQ(Assembler({"; C Function prototype:\n"}), Entries{});
    EXPECT_EQ(Assembler({"; C Function prototype: int Add(int a\n"}), Entries{});
}

TEST(AssemblerScan, TheFirstParenthesisMustStandAtIndexThreeOrLater) {
    EXPECT_EQ(Assembler({"; C Function prototype: )abc\n"}), Entries{});
    EXPECT_EQ(Assembler({"; C Function prototype: a)bc\n"}), Entries{});
    EXPECT_EQ(Assembler({"; C Function prototype: ab) f(x)\n"}), Entries{});
    EXPECT_EQ(Assembler({"; C Function prototype: abc) f(x)\n"}), (Entries{"abc)"}));
    // Leading line ends and blanks are trimmed before counting.
    EXPECT_EQ(Assembler({"; C Function prototype: \r\t f(x)\n"}), (Entries{"f(x)"}));
}

TEST(HeaderScan, OneLinePrototypesAreNormalised) {
    EXPECT_EQ(Header({"void Init(void);\n"}), (Entries{"void Init(void)"}));
    EXPECT_EQ(Header({"extern   unsigned   char  Foo ( int  a ,int b ) ;   // x\r\n"}),
              (Entries{"unsigned char Foo(int a, int b)"}));
    EXPECT_EQ(Header({"int\tRead(char *buf,\tint n);\n"}), (Entries{"int Read(char *buf, int n)"}));
    EXPECT_EQ(Header({"void Init(void) /* note */\n"}), (Entries{"void Init(void)"}));
    EXPECT_EQ(Header({"void Init(void) // note\n"}), (Entries{"void Init(void)"}));
    // A prototype that occurs twice is listed twice, in file order.
    EXPECT_EQ(Header({"int B(void);\n", "int A(void);\n", "int B(void);\n"}),
              (Entries{"int B(void)", "int A(void)", "int B(void)"}));
}

TEST(HeaderScan, LinesThatAreNoOneLinePrototypeGiveNothing) {
    EXPECT_EQ(Header({"  void Init(void);\n"}), Entries{});
    EXPECT_EQ(Header({"\tvoid Init(void);\n"}), Entries{});
    EXPECT_EQ(Header({"#define MAX(a, b) ((a) > (b))\n"}), Entries{});
    EXPECT_EQ(Header({"_Reserved(void);\n"}), Entries{});
    EXPECT_EQ(Header({"void Configure(int mode,\n", "               int speed);\n"}), Entries{});
    EXPECT_EQ(Header({"// void Init(void);\n"}), Entries{});
    EXPECT_EQ(Header({"; void Init(void);\n"}), Entries{});
    EXPECT_EQ(Header({"typedef struct { int a; } T;\n"}), Entries{});
    EXPECT_EQ(Header({"(void) x;\n"}), Entries{});
    EXPECT_EQ(Header({"\n", "\r\n"}), Entries{});
}

TEST(HeaderScan, ParenthesisBeforeIndexFiveDoesNotCut) {
    // A ")" at index 5 or later ends the entry.
    EXPECT_EQ(Header({"abc(d)xyz\n"}), (Entries{"abc(d)"}));
    // One before index 5 leaves the rest of the line on, line end included.
    EXPECT_EQ(Header({"ab(c)xyz\n"}), (Entries{"ab(c)xyz\n"}));
    EXPECT_EQ(Header({"f(x) + g(y)\n"}), (Entries{"f(x) + g(y)\n"}));
}

TEST(HeaderScan, CommentsOpenedOnALineHideEverythingUntilTheyClose) {
    // A prototype followed by an opening comment is dropped, and so is every
    // line up to and including the one that closes it.
    EXPECT_EQ(Header({"void Init(void); /* start\n", "   of a note */ void Two(void);\n",
                      "void Three(void);\n"}),
              (Entries{"void Three(void)"}));
    // A line that begins inside a comment gives nothing even after "*/".
    EXPECT_EQ(Header({"/* long\n", "note */ void Two(void);\n"}), Entries{});
    // A closing "*/" in the first column ends the comment; the next line counts.
    EXPECT_EQ(Header({"/*\n", " * void Hidden(void);\n", "*/\n", "void Shown(void);\n"}),
              (Entries{"void Shown(void)"}));
    // A comment closed on its own line leaves the state clear.
    EXPECT_EQ(Header({"/* one-liner */\n", "void Next(void);\n"}), (Entries{"void Next(void)"}));
    // A "*/" before the opener does not close it.
    EXPECT_EQ(Header({"x */ y /* open\n", "void Hidden(void);\n", "*/ end\n", "int A(int);\n"}),
              (Entries{"int A(int)"}));
    // The comment state carries over any number of lines.
    std::vector<std::string> lines{"/**\n"};
    for (int i = 0; i < 100; ++i) {
        lines.push_back("void Inside" + std::to_string(i) + "(void);\n");
    }
    lines.push_back("**/\n");
    lines.push_back("void After(void);\n");
    EXPECT_EQ(Header(lines), (Entries{"void After(void)"}));
}

TEST(HeaderScan, AnEmptyLineEndsTheScan) {
    EXPECT_EQ(Header({"int A(void);\n", "", "int B(void);\n"}), (Entries{"int A(void)"}));
    EXPECT_EQ(Assembler({"; C Function prototype: int A(void)\n", "",
                         "; C Function prototype: int B(void)\n"}),
              (Entries{"int A(void)"}));
}

TEST(FunctionScanner, CarriesTheCommentStateBetweenCalls) {
    FunctionScanner header(LibraryKind::Header);
    EXPECT_EQ(header.Scan("/* open\n"), std::nullopt);
    EXPECT_EQ(header.Scan("int Hidden(void);\n"), std::nullopt);
    EXPECT_EQ(header.Scan("*/\n"), std::nullopt);
    EXPECT_EQ(header.Scan("int Shown(void);\n"), std::optional<std::string>("int Shown(void)"));

    // The assembler scan has no comment state.
    FunctionScanner assembler(LibraryKind::Assembler);
    EXPECT_EQ(assembler.Scan("/* open\n"), std::nullopt);
    EXPECT_EQ(assembler.Scan("; C Function prototype: int A(void)\n"),
              std::optional<std::string>("int A(void)"));
}

class ScanLibraryFileTest : public ::testing::Test {
protected:
    testing::ScratchFolder scratch{"QuillScan"};
};

TEST_F(ScanLibraryFileTest, ThePathDecidesTheScan) {
    const std::string content =
        "; C Function prototype: int Asm(int a)\r\n"
        "int Header(int a);\r\n";
    const LibraryScan header = ScanLibraryFile(scratch.Write("uart.h", content));
    EXPECT_TRUE(header.opened);
    EXPECT_EQ(header.entries, (Entries{"int Header(int a)"}));

    const LibraryScan assembler = ScanLibraryFile(scratch.Write("uart.s79", content));
    EXPECT_TRUE(assembler.opened);
    EXPECT_EQ(assembler.entries, (Entries{"int Asm(int a)"}));

    const LibraryScan inHeaderFolder = ScanLibraryFile(scratch.Write("my.h/uart.s", content));
    EXPECT_EQ(inHeaderFolder.entries, (Entries{"int Header(int a)"}));
}

TEST_F(ScanLibraryFileTest, LibrariesThatCannotBeOpened) {
    const LibraryScan empty = ScanLibraryFile("");
    EXPECT_FALSE(empty.opened);
    EXPECT_TRUE(empty.entries.empty());
    EXPECT_FALSE(ScanLibraryFile(scratch.PathOf("missing.h")).opened);
    EXPECT_FALSE(ScanLibraryFile(scratch.MakeFolder("folder.h")).opened);

    const LibraryScan none = ScanLibraryFile(scratch.Write("empty.h", ""));
    EXPECT_TRUE(none.opened);
    EXPECT_TRUE(none.entries.empty());
}

TEST_F(ScanLibraryFileTest, LongLinesAreScannedPieceByPiece) {
    // The second 255-byte piece of the physical line begins with a prototype.
    std::string first = "int First(void);";
    first.resize(255, ' ');
    const std::string path =
        scratch.Write("long.h", first + "void Second(int a);\nint Third(void)");
    EXPECT_EQ(ScanLibraryFile(path).entries,
              (Entries{"int First(void)", "void Second(int a)", "int Third(void)"}));

    // A piece boundary inside a prototype leaves its tail to be scanned alone.
    const std::string cut =
        scratch.Write("cut.h", "/* x */" + std::string(243, ' ') + "void Split(void);\n");
    EXPECT_EQ(ScanLibraryFile(cut).entries, (Entries{"Split(void)"}));
}

TEST_F(ScanLibraryFileTest, ANulByteEndsOrCutsTheScan) {
    const std::string content = std::string("int A(void);\n") + "int B(vo" + '\0' + "id);\n" +
                                "int C(void);\n" + '\0' + "int D(void);\n" + "int E(void);\n";
    EXPECT_EQ(ScanLibraryFile(scratch.Write("nul.h", content)).entries,
              (Entries{"int A(void)", "int C(void)"}));
}

TEST_F(ScanLibraryFileTest, ASixteenBitFileEndsAfterItsFirstLine) {
    std::string wide = "\xFF\xFE";
    for (char c : std::string("int A(void);\r\nint B(void);\r\n")) {
        wide += c;
        wide += '\0';
    }
    EXPECT_EQ(ScanLibraryFile(scratch.Write("wide.h", wide)).entries, Entries{});

    // Blank lines in the middle do not end it.
    const std::string blanks = "int A(void);\n\n\r\nint B(void);\r\n";
    EXPECT_EQ(ScanLibraryFile(scratch.Write("blank.h", blanks)).entries,
              (Entries{"int A(void)", "int B(void)"}));
}

}  // namespace
}  // namespace quill
