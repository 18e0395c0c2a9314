#include "core/docs/PrototypeLookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/text/PathCase.h"

namespace quill {
namespace {

using testing::ScratchFolder;
using Forms = std::vector<std::string>;

// What the lookup collects for `entry` from a file of `bytes`, or "-" when
// the function's line is not met.
std::string Collected(const std::string& bytes, const std::string& entry = "void Go(void)") {
    TextFile file = TextFile::FromBytes(bytes);
    bool found = false;
    const std::string text = CollectDocumentationBlock(file, entry, found);
    return found ? text : "-";
}

// Three documented functions, each block followed by its prototype.
std::string ThreeBlocks(const std::string& first, const std::string& second,
                        const std::string& third) {
    return first + " One\n */\nvoid One(void)\n{\n}\n" + second +
           " Two\n */\nvoid Two(int iMode)\n{\n}\n" + third + " Three\n */\nvoid Three(void)\n";
}

TEST(DocumentingPath, ALastDotHBecomesDotCThenTheFallbackForms) {
    EXPECT_EQ(SourcePathForHeader("C:\\lib\\uart.H"), "C:\\lib\\uart.c");
    EXPECT_EQ(SourcePathForHeader(".h"), ".c");
    for (const char* path : {"C:\\lib\\uart.s79", "C:\\lib.h\\uart.hpp", "h", ""}) {
        EXPECT_EQ(SourcePathForHeader(path), path);
    }
    EXPECT_EQ(DocumentingPathForms("C:\\p\\tmr.s79"),
              (Forms{"C:\\p\\tmr.s79", "C:\\p\\tmr.s7c", "c:\\p\\tmr.s7c"}));
    EXPECT_EQ(DocumentingPathForms("C:\\P\\Include\\tmr.c")[2], "c:\\p\\Src\\tmr.c");
    // One pass without overlaps: the "/" shared by two folder names is used once.
    EXPECT_EQ(DocumentingPathForms("/Work/include/Include/TMR.c")[2], "/work/Src/include/tmr.c");
    EXPECT_EQ(DocumentingPathForms("/p/myinclude/t.c")[2], "/p/myinclude/t.c");
}

TEST(CollectDocumentationBlock, FromTheLastOpenerBeforeTheFunctionToTheNextOpener) {
    for (const char* o : {"/**", "/*!"}) {
        for (const char* other : {"/**", "/*!"}) {
            EXPECT_EQ(Collected(ThreeBlocks(other, o, other), "void Two(int iMode)"),
                      std::string(o) + " Two\n */\nvoid Two(int iMode)\n{\n}\n");
        }
    }
    const std::string tmrGo = "void TmrGo(int iMode, char *pBuf)";
    const std::string comment = "// " + std::string(252, '-');
    const struct {
        std::string bytes, entry, collected;
    } cases[] = {
        // The last function runs to the end of the file; one before any
        // opener starts at the first line.
        {ThreeBlocks("/**", "/**", "/**") + "{\n}\n// end /", "void Three(void)",
         "/** Three\n */\nvoid Three(void)\n{\n}\n// end /"},
        {"#include \"tmr.h\"\nvoid Go(void);\n/** Next */\nvoid Next(void)\n", "void Go(void)",
         "#include \"tmr.h\"\nvoid Go(void);\n"},
        // The start of the normalised line must be the entry, exactly.
        {"extern  void  TmrGo( int iMode ,char *pBuf );\n", tmrGo,
         "extern  void  TmrGo( int iMode ,char *pBuf );\n"},
        {"void\tTmrGo (int iMode,char *pBuf)\r\n", tmrGo,
         "void    TmrGo (int iMode,char *pBuf)\r\n"},
        {"static void TmrGo(int iMode, char *pBuf)\n", tmrGo, "-"},
        {"  void TmrGo(int iMode, char *pBuf)\n", tmrGo, "-"},
        {"void tmrGo(int iMode, char *pBuf)\n", tmrGo, "-"},
        {"void  Foo (int a,int b)\n", "void  Foo (int a,int b)", "-"},  // not in normal form
        // The second piece of a long line can be the function's line.
        {"/** x */\n" + comment + "void Go(void)\n", "void Go(void)",
         "/** x */\n" + comment + "void Go(void)\n"},
        // Lines with an opener lose their indentation, other comments keep
        // theirs; tabs expand per piece.
        {"    /** Timer\n\t * @brief go\n */\nvoid Go(void)\n", "void Go(void)",
         "/** Timer\n     * @brief go\n */\nvoid Go(void)\n"},
        {"/** A\n */\n  x = 1; /** note */\n  /*/*! y\n  /* plain */ //! z\nvoid Go(void)\n",
         "void Go(void)",
         "/** A\n */\nx = 1; /** note */\n/*/*! y\n  /* plain */ //! z\nvoid Go(void)\n"},
        {"/**\r\n*\tx\r\nab\tc\n */\nvoid Go(void)\r\n", "void Go(void)",
         "/**\r\n*   x\r\nab  c\n */\nvoid Go(void)\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Collected(c.bytes, c.entry), c.collected) << c.bytes;
    }
}

// Outcome, path read and text of a lookup, on one line.
std::string LookUp(const std::string& path, const std::string& entry = "void TmrGo(int iMode)") {
    const PrototypeLookup r = LookUpPrototypeText(path, entry);
    const char* const outcomes[] = {"found", "not found", "no source", "empty input"};
    return std::string(outcomes[static_cast<int>(r.outcome)]) + " " + r.path + " " + r.text;
}

const std::string kTimerSource = "/** Timer\n */\nvoid TmrGo(int iMode)\n{\n}\n";

// The file as given, with a last "c", or in the sibling "Src" whatever the
// case; a failure gives the marker and the path to report.
TEST(LookUpPrototypeText, TheFormsOfTheDocumentingPathInTurn) {
    ScratchFolder folder;
    const std::string path = folder.Write("tmr.c", kTimerSource);
    const std::string lastC = folder.Write("tmr.s7c", kTimerSource);
    const std::string header = folder.Write("Lib/Include/TMR.H", "void TmrGo(int iMode);\n");
    const std::string real = folder.Write("Lib/Src/TMR.C", kTimerSource);
    const std::string given = folder.Root() + "/P/tmr.s79";
    const std::pair<std::string, std::string> cases[] = {
        {LookUp(path), "found " + path + " " + kTimerSource},
        {LookUp(folder.PathOf("tmr.s79")), "found " + lastC + " " + kTimerSource},
        {LookUp(SourcePathForHeader(header)), "found " + real + " " + kTimerSource},
        {LookUp(given), "no source " + folder.LowerPathOf("P/tmr.s7c") + " -"},
        {LookUp(path, "void TmrStop(void)"), "not found " + path + " -"},
    };
    for (const auto& [looked, expected] : cases) {
        EXPECT_EQ(looked, expected);
    }
}

// On a file system that distinguishes case, each name of a path is matched
// ignoring case.
TEST(ResolvePathIgnoringCase, FindsTheRealSpellingOfEachName) {
    ScratchFolder folder;
    folder.Write("probe", "x");
    if (std::filesystem::exists(folder.PathOf("PROBE"))) {
        GTEST_SKIP() << "the temporary folder ignores case";
    }
    const std::string root = folder.Root();
    const std::string real = folder.Write("Proj/SRC/Tmr.c", "");
    EXPECT_EQ(ResolvePathIgnoringCase(root + "/proj/src/TMR.C"), real);
    // The scratch folder's own mixed-case name is found again from lower case.
    EXPECT_EQ(ResolvePathIgnoringCase(folder.LowerPathOf("") + "proj/Src/tmr.c"), real);
    for (const std::string& missing :
         {root + "/proj/src/uart.c", root + "/proj/src/TMR.C/x", root + "\\proj\\src\\tmr.c"}) {
        EXPECT_EQ(ResolvePathIgnoringCase(missing), missing);
    }

    // An exact name wins; without one the first name in byte order is taken.
    folder.Write("Proj/src/tmr.c", "");
    folder.Write("Proj/Src/tmr.c", "");
    EXPECT_EQ(ResolvePathIgnoringCase(root + "/Proj/Src/TMR.c"), folder.PathOf("Proj/Src/tmr.c"));
    EXPECT_EQ(ResolvePathIgnoringCase(root + "/Proj/sRc/tmr.C"), folder.PathOf("Proj/SRC/Tmr.c"));
}

}  // namespace
}  // namespace quill
