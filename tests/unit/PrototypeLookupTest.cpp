#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "source/PrototypeLookup.h"
#include "source/TextOps.h"

namespace quill {
namespace {

using testing::ScratchFolder;

struct Collected {
    std::string text;
    bool found = false;
};

Collected Collect(const std::string& bytes, const std::string& entry) {
    TextFile file = TextFile::FromBytes(bytes);
    Collected c;
    c.text = CollectDocumentationBlock(file, entry, c.found);
    return c;
}

// Three documented functions, each block followed by its prototype.
std::string ThreeBlocks(const std::string& first, const std::string& second,
                        const std::string& third) {
    return first + " One\n */\nvoid One(void)\n{\n}\n" + second +
           " Two\n */\nvoid Two(int iMode)\n{\n}\n" + third + " Three\n */\nvoid Three(void)\n";
}

TEST(SourcePathForHeader, OnlyALastDotHBecomesDotC) {
    EXPECT_EQ(SourcePathForHeader("C:\\lib\\include\\uart.h"), "C:\\lib\\include\\uart.c");
    EXPECT_EQ(SourcePathForHeader("C:\\lib\\uart.H"), "C:\\lib\\uart.c");
    EXPECT_EQ(SourcePathForHeader("/lib/uart.h"), "/lib/uart.c");
    EXPECT_EQ(SourcePathForHeader("C:\\lib\\uart.s79"), "C:\\lib\\uart.s79");
    EXPECT_EQ(SourcePathForHeader("C:\\lib.h\\uart.hpp"), "C:\\lib.h\\uart.hpp");
    EXPECT_EQ(SourcePathForHeader("uarth"), "uarth");
    EXPECT_EQ(SourcePathForHeader(".h"), ".c");
    EXPECT_EQ(SourcePathForHeader("h"), "h");
    EXPECT_EQ(SourcePathForHeader(""), "");
}

TEST(DocumentingPathForms, AsGivenThenLastCThenLowerCaseSibling) {
    EXPECT_EQ(DocumentingPathForms("C:\\p\\tmr.s79"),
              (std::vector<std::string>{"C:\\p\\tmr.s79", "C:\\p\\tmr.s7c", "c:\\p\\tmr.s7c"}));
    EXPECT_EQ(DocumentingPathForms("C:\\P\\Include\\tmr.c"),
              (std::vector<std::string>{"C:\\P\\Include\\tmr.c", "C:\\P\\Include\\tmr.c",
                                        "c:\\p\\Src\\tmr.c"}));
    // One pass without overlaps: the "/" shared by two folder names is used once.
    EXPECT_EQ(DocumentingPathForms("/Work/include/Include/TMR.c"),
              (std::vector<std::string>{"/Work/include/Include/TMR.c",
                                        "/Work/include/Include/TMR.c", "/work/Src/include/tmr.c"}));
    // "include" that is not a whole folder name stays.
    EXPECT_EQ(DocumentingPathForms("/p/myinclude/t.c")[2], "/p/myinclude/t.c");
}

TEST(CollectDocumentationBlock, ChoosesTheBlockBeforeTheFunctionUpToTheNextOpener) {
    const std::string file = ThreeBlocks("/**", "/**", "/**");
    const Collected c = Collect(file, "void Two(int iMode)");
    EXPECT_TRUE(c.found);
    EXPECT_EQ(c.text, "/** Two\n */\nvoid Two(int iMode)\n{\n}\n");
}

TEST(CollectDocumentationBlock, BothOpenersAndTheirMixesStartBlocks) {
    const std::vector<std::vector<std::string>> openers = {
        {"/*!", "/*!", "/*!"}, {"/**", "/*!", "/**"}, {"/*!", "/**", "/*!"}};
    for (const auto& o : openers) {
        const Collected c = Collect(ThreeBlocks(o[0], o[1], o[2]), "void Two(int iMode)");
        EXPECT_TRUE(c.found) << o[1];
        EXPECT_EQ(c.text, o[1] + " Two\n */\nvoid Two(int iMode)\n{\n}\n");
    }
}

TEST(CollectDocumentationBlock, FirstFunctionBeforeAnyBlockStartsAtTheFirstLine) {
    const std::string file = "#include \"tmr.h\"\nvoid Go(void);\n/** Next */\nvoid Next(void)\n";
    const Collected c = Collect(file, "void Go(void)");
    EXPECT_TRUE(c.found);
    EXPECT_EQ(c.text, "#include \"tmr.h\"\nvoid Go(void);\n");
}

TEST(CollectDocumentationBlock, LastFunctionRunsToTheEndOfTheFile) {
    const std::string file = ThreeBlocks("/**", "/**", "/**") + "{\n}\n// end";
    const Collected c = Collect(file, "void Three(void)");
    EXPECT_TRUE(c.found);
    EXPECT_EQ(c.text, "/** Three\n */\nvoid Three(void)\n{\n}\n// end");
}

TEST(CollectDocumentationBlock, ComparesTheNormalisedLineFromItsStart) {
    const std::string entry = "void TmrGo(int iMode, char *pBuf)";
    EXPECT_TRUE(Collect("/**\n */\nextern  void  TmrGo( int iMode ,char *pBuf );\n", entry).found);
    EXPECT_TRUE(Collect("void\tTmrGo (int iMode,char *pBuf)\r\n", entry).found);
    EXPECT_FALSE(Collect("static void TmrGo(int iMode, char *pBuf)\n", entry).found);
    EXPECT_FALSE(Collect("  void TmrGo(int iMode, char *pBuf)\n", entry).found);
    // Case counts.
    EXPECT_FALSE(Collect("void tmrGo(int iMode, char *pBuf)\n", entry).found);
    // An entry that is not itself in normal form can never match.
    const std::string line = "void  Foo (int a,int b)\n";
    EXPECT_FALSE(Collect(line, "void  Foo (int a,int b)").found);
    EXPECT_FALSE(Collect(line, "void Foo(int a,int b)").found);
    EXPECT_TRUE(Collect(line, "void Foo(int a, int b)").found);
}

TEST(CollectDocumentationBlock, NotFoundKeepsReadingToTheEnd) {
    const Collected c = Collect("/** A */\nint a;\n/** B */\nint b;\n", "void Nope(void)");
    EXPECT_FALSE(c.found);
    EXPECT_EQ(c.text, "/** B */\nint b;\n");
}

TEST(CollectDocumentationBlock, IndentedOpenerLosesItsIndentationOnly) {
    const std::string file = "    /** Timer\n\t * @brief go\n */\nvoid Go(void)\n";
    const Collected c = Collect(file, "void Go(void)");
    EXPECT_TRUE(c.found);
    EXPECT_EQ(c.text, "/** Timer\n     * @brief go\n */\nvoid Go(void)\n");
    // A comment that does not begin its line opens no block, but its
    // indentation goes all the same.
    const Collected d =
        Collect("/** A\n */\n  x = 1; /** note */\nvoid Go(void)\n", "void Go(void)");
    EXPECT_EQ(d.text, "/** A\n */\nx = 1; /** note */\nvoid Go(void)\n");
}

TEST(CollectDocumentationBlock, TabsExpandToFourColumnStopsAndLineEndsStay) {
    const Collected c = Collect("/**\r\n*\tx\r\n\t\ty\n */\nvoid Go(void)\r\n", "void Go(void)");
    EXPECT_EQ(c.text, "/**\r\n*   x\r\n        y\n */\nvoid Go(void)\r\n");
    EXPECT_EQ(Collect("ab\tc\nvoid Go(void)\n", "void Go(void)").text, "ab  c\nvoid Go(void)\n");
}

TEST(CollectDocumentationBlock, TabStopsRestartAtEveryLinePiece) {
    // A physical line longer than a line piece: the second piece counts its
    // columns from its own first byte.
    const std::string a(255, 'a');
    const Collected c = Collect(a + "\tb\nvoid Go(void)\n", "void Go(void)");
    EXPECT_EQ(c.text, a + "    b\nvoid Go(void)\n");
    // The tab as the last byte of a piece stands at index 254.
    const std::string d(254, 'd');
    const Collected e = Collect(d + "\tb\nvoid Go(void)\n", "void Go(void)");
    EXPECT_EQ(e.text, d + "  b\nvoid Go(void)\n");
}

TEST(CollectDocumentationBlock, APieceOfALongLineCanBeTheFunctionsLine) {
    const std::string comment = "// " + std::string(252, '-');
    const Collected c = Collect("/** x */\n" + comment + "void Go(void)\n", "void Go(void)");
    EXPECT_TRUE(c.found);
}

TEST(TrimBlockOpener, IndentationGoesOnlyFromLinesHoldingAnOpener) {
    const auto trimmed = [](std::string line) {
        const bool opener = TrimBlockOpener(line);
        return (opener ? "opener:" : "line:") + line;
    };
    EXPECT_EQ(trimmed(" \t /** Timer\n"), "opener:/** Timer\n");
    EXPECT_EQ(trimmed("/*! x"), "opener:/*! x");
    EXPECT_EQ(trimmed("  x = 1; /** note */\n"), "line:x = 1; /** note */\n");
    EXPECT_EQ(trimmed("  /* plain */ //! x\n"), "line:  /* plain */ //! x\n");
    EXPECT_EQ(trimmed("  /*/*!"), "line:/*/*!");
    EXPECT_EQ(trimmed("\t/**"), "opener:/**");
    EXPECT_EQ(trimmed("  /*"), "line:  /*");
    EXPECT_EQ(trimmed(""), "line:");
}

// The quick answer must always agree with normalising the whole line.
TEST(NormalisedLineStartsWith, AgreesWithTheFullNormalisation) {
    const std::vector<std::string> lines = {"void Go(void)\n",
                                            "extern void Go(void);\n",
                                            "extern\t extern  void Go(void)\n",
                                            "externvoid Go()\n",
                                            "extern\n",
                                            "extern ",
                                            " extern void Go()",
                                            "\tvoid Go()",
                                            " (x)",
                                            " ,x",
                                            " )",
                                            "( void Go)",
                                            "",
                                            "e",
                                            "exter void",
                                            "extern extern",
                                            "void  Go ( int a ,int b ) ;",
                                            "vOid Go(void)"};
    const std::vector<std::string> prefixes = {"void Go(void)",
                                               "void Go(int a, int b)",
                                               "v",
                                               "(",
                                               ",",
                                               ")",
                                               " ",
                                               "e",
                                               "externvoid",
                                               "exter",
                                               "x",
                                               ""};
    for (const auto& line : lines) {
        for (const auto& prefix : prefixes) {
            EXPECT_EQ(NormalisedLineStartsWith(line, prefix),
                      NormaliseLine(line).compare(0, prefix.size(), prefix) == 0)
                << "line \"" << line << "\" prefix \"" << prefix << "\"";
        }
    }
}

class LookUpPrototypeTextTest : public ::testing::Test {
protected:
    ScratchFolder folder_{"QuillLookup"};
    const std::string source_ = "/** Timer\n */\nvoid TmrGo(int iMode)\n{\n}\n";
};

TEST_F(LookUpPrototypeTextTest, ReadsTheFileAsGiven) {
    const std::string path = folder_.Write("tmr.c", source_);
    const PrototypeLookup r = LookUpPrototypeText(path, "void TmrGo(int iMode)");
    EXPECT_EQ(r.outcome, LookupOutcome::Found);
    EXPECT_EQ(r.path, path);
    EXPECT_EQ(r.text, source_);
}

TEST_F(LookUpPrototypeTextTest, FallsBackToALastC) {
    const std::string path = folder_.Write("tmr.s7c", source_);
    const PrototypeLookup r =
        LookUpPrototypeText(folder_.PathOf("tmr.s79"), "void TmrGo(int iMode)");
    EXPECT_EQ(r.outcome, LookupOutcome::Found);
    EXPECT_EQ(r.path, path);
}

TEST_F(LookUpPrototypeTextTest, HeaderInIncludeFindsItsSourceInASiblingSrcWhateverTheCase) {
    folder_.Write("lib/include/tmr.h", "void TmrGo(int iMode);\n");
    for (const std::string src : {"SRC", "src", "Src"}) {
        const std::string real = folder_.Write("lib/" + src + "/tmr.c", source_);
        const std::string documenting = SourcePathForHeader(folder_.PathOf("lib/include/tmr.h"));
        const PrototypeLookup r = LookUpPrototypeText(documenting, "void TmrGo(int iMode)");
        EXPECT_EQ(r.outcome, LookupOutcome::Found) << src;
        EXPECT_EQ(r.path, real);
        EXPECT_EQ(r.text, source_);
        std::filesystem::remove_all(folder_.PathOf("lib/" + src));
    }
}

TEST_F(LookUpPrototypeTextTest, UpperCaseFileNamesAreFoundByTheLowerCaseForm) {
    folder_.Write("Lib/Include/TMR.H", "void TmrGo(int iMode);\n");
    const std::string real = folder_.Write("Lib/SRC/TMR.C", source_);
    const PrototypeLookup r = LookUpPrototypeText(
        SourcePathForHeader(folder_.PathOf("Lib/Include/TMR.H")), "void TmrGo(int iMode)");
    EXPECT_EQ(r.outcome, LookupOutcome::Found);
    EXPECT_EQ(r.path, real);
    EXPECT_EQ(r.text, source_);
}

TEST_F(LookUpPrototypeTextTest, NoSourceReturnsTheLastFormTried) {
    const std::string given = folder_.Root() + "/P/tmr.s79";
    const PrototypeLookup r = LookUpPrototypeText(given, "void TmrGo(int iMode)");
    EXPECT_EQ(r.outcome, LookupOutcome::NoSource);
    EXPECT_EQ(r.text, "-");
    EXPECT_EQ(r.path, DocumentingPathForms(given)[2]);
    EXPECT_EQ(NoSourceMessage(given), "Could not find source " + given + " or .c");
}

TEST_F(LookUpPrototypeTextTest, AFolderIsNoSource) {
    folder_.MakeFolder("dir.c");
    const PrototypeLookup r = LookUpPrototypeText(folder_.PathOf("dir.c"), "void X(void)");
    EXPECT_EQ(r.outcome, LookupOutcome::NoSource);
    EXPECT_EQ(r.text, "-");
}

TEST_F(LookUpPrototypeTextTest, NotFoundReturnsThePathThatWasRead) {
    const std::string path = folder_.Write("tmr.c", source_);
    const PrototypeLookup r = LookUpPrototypeText(path, "void TmrStop(void)");
    EXPECT_EQ(r.outcome, LookupOutcome::NotFound);
    EXPECT_EQ(r.path, path);
    EXPECT_EQ(r.text, "-");
    EXPECT_EQ(NotFoundMessage("void TmrStop(void)", path),
              "Could not find \nvoid TmrStop(void)\nin " + path + "\nMust match exactly.");
}

TEST_F(LookUpPrototypeTextTest, EmptyPathOrEntryOpensNothing) {
    const std::string path = folder_.Write("tmr.c", source_);
    const PrototypeLookup noEntry = LookUpPrototypeText(path, "");
    EXPECT_EQ(noEntry.outcome, LookupOutcome::EmptyInput);
    EXPECT_EQ(noEntry.text, "-");
    EXPECT_EQ(noEntry.path, path);
    const PrototypeLookup noPath = LookUpPrototypeText("", "void TmrGo(int iMode)");
    EXPECT_EQ(noPath.outcome, LookupOutcome::EmptyInput);
    EXPECT_EQ(noPath.text, "-");
}

TEST_F(LookUpPrototypeTextTest, LargeFileDocumentedLastIsCollectedWhole) {
    std::string body;
    for (int i = 0; i < 20000; ++i) {
        body += "int filler" + std::to_string(i) + " = " + std::to_string(i) + ";\n";
    }
    const std::string path = folder_.Write("big.c", "/** Big */\nvoid Big(void)\n" + body);
    const PrototypeLookup r = LookUpPrototypeText(path, "void Big(void)");
    EXPECT_EQ(r.outcome, LookupOutcome::Found);
    EXPECT_EQ(r.text, "/** Big */\nvoid Big(void)\n" + body);
}

}  // namespace
}  // namespace quill
