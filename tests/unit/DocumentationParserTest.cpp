#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "params/DocumentationParser.h"

namespace quill {
namespace {

using testing::ScratchFolder;

FunctionDocumentation Parse(const std::string& bytes, const std::string& entry,
                            bool lookupSucceeded = true, const std::string& previousType = "") {
    TextFile file = TextFile::FromBytes(bytes);
    return ParseDocumentationLines(file, entry, lookupSucceeded, previousType);
}

// The prototype alone, with no documentation around it.
FunctionDocumentation ParseEntry(const std::string& entry) {
    return Parse(entry + "\n", entry);
}

std::string Names(const FunctionDocumentation& doc) {
    std::string names;
    for (const auto& p : doc.parameters) {
        names += p.name + "|";
    }
    return names;
}

const std::string kTimerSource =
    "#include \"tmr.h\"\n"
    "/**\n"
    " * @brief void TmrGo(int iMode, char *pBuf)\n"
    " * @param iMode :{TMR_OFF, TMR_ON, TMR_AUTO} selects the mode\n"
    " * @param pBuf :{BufPick.exe} where the data goes\n"
    " * @note Run PinHelp.exe first\n"
    " */\n"
    "void TmrGo(int iMode, char *pBuf)\n"
    "{\n"
    "}\n"
    "/*! @brief the next one\n"
    " * @param iLevel:{0-255}\n"
    " */\n"
    "int TmrLevel(int iLevel)\n";

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

TEST(ParseDocumentation, ReadsTheBlockBeforeThePrototype) {
    for (const std::string& source : {kTimerSource, WithCrLf(kTimerSource)}) {
        const FunctionDocumentation doc = Parse(source, "void TmrGo(int iMode, char *pBuf)");
        EXPECT_EQ(doc.functionName, "TmrGo");
        EXPECT_EQ(doc.returnType, "void");
        EXPECT_EQ(doc.parameterCount, 2);
        EXPECT_EQ(doc.parameters[0].name, "iMode");
        EXPECT_EQ(doc.parameters[0].choiceText, "TMR_OFF,TMR_ON,TMR_AUTO");
        EXPECT_EQ(doc.parameters[0].editText, "");
        EXPECT_EQ(doc.parameters[1].name, "pBuf");
        EXPECT_EQ(doc.parameters[1].choiceText, "BufPick.exe");
        EXPECT_EQ(doc.parameters[1].editText, "\"BufPick.exe\"");
        EXPECT_EQ(doc.parameters[2].name, "");
        EXPECT_EQ(doc.helperName, "PinHelp.exe");
        // The scan stopped at the next block.
        EXPECT_EQ(doc.documentationText.find("iLevel"), std::string::npos);
    }
}

TEST(ParseDocumentation, ExclamationBlocksStartBlocksToo) {
    const FunctionDocumentation doc = Parse(kTimerSource, "int TmrLevel(int iLevel)");
    EXPECT_EQ(doc.returnType, "int");
    EXPECT_EQ(doc.functionName, "TmrLevel");
    EXPECT_EQ(doc.parameterCount, 1);
    EXPECT_EQ(doc.parameters[0].choiceText, "0-255");
    // The helper of the previous block does not carry over.
    EXPECT_EQ(doc.helperName, "-");
    EXPECT_EQ(doc.documentationText.find("TMR_OFF"), std::string::npos);
}

TEST(ParseDocumentation, DocumentationTextIsCutNormalisedAndJoined) {
    const std::string source =
        "/** A */\n"
        "int x;\n"
        "/**\n"
        " * @param iMode : {A,B}\n"
        " */\n"
        "extern  void  SetMode( int iMode ) ; // go\n"
        "next line\n"
        "ab(x) keeps its end\n"
        "/** B */\n"
        "void Later(int iMode)\n";
    const FunctionDocumentation doc = Parse(source, "void SetMode(int iMode)");
    EXPECT_EQ(doc.documentationText,
              "/**\n * @param iMode : {A, B}\n */\nvoid SetMode(int iMode)next line\nab(x) keeps "
              "its end\n");
    // A blank between ":" and "{" hides the entry.
    EXPECT_EQ(doc.parameters[0].choiceText, "");
}

TEST(ParseDocumentation, PrototypeNeverMetLeavesTheLastBlock) {
    const FunctionDocumentation doc = Parse(kTimerSource, "void Missing(int iMode)");
    EXPECT_EQ(doc.functionName, "Missing");
    EXPECT_EQ(doc.documentationText,
              "/*! @brief the next one\n * @param iLevel :{0-255}\n */\nint TmrLevel(int iLevel)");
    EXPECT_EQ(doc.parameters[0].name, "iMode");
    EXPECT_EQ(doc.parameters[0].choiceText, "");
}

TEST(ParseDocumentation, EntryLookupNeedsTheColonRightBeforeTheBrace) {
    const auto choiceFor = [](const std::string& paramLine) {
        return Parse("/**\n * " + paramLine + "\n * @return none\n */\nvoid Set(int iMode)\n",
                     "void Set(int iMode)")
            .parameters[0]
            .choiceText;
    };
    EXPECT_EQ(choiceFor("@param iMode :{A,B}"), "A,B");
    EXPECT_EQ(choiceFor("@param iMode:{A,B}"), "A,B");
    EXPECT_EQ(choiceFor("@param   iMode    :{ A , B }"), "A,B");
    EXPECT_EQ(choiceFor("@param\tiMode\t:{A,\tB}"), "A,B");
    EXPECT_EQ(choiceFor("@param iMode : {A,B}"), "");
    EXPECT_EQ(choiceFor("@param iModeX :{A,B}"), "");
    EXPECT_EQ(choiceFor("@param iMode :{}"), "");
    // ";", "//" and a ")" at 5 or later cut the list short.
    EXPECT_EQ(choiceFor("@param iMode :{A;B}"), "");
    EXPECT_EQ(choiceFor("@param iMode :{http://x,y}"), "");
    EXPECT_EQ(choiceFor("@param iMode :{f(1),g(2)}"), "");
    // Only the first entry of a name counts.
    EXPECT_EQ(Parse("/**\n @param iMode :{A,B}\n @param iMode :{C,D}\n*/\nvoid Set(int iMode)\n",
                    "void Set(int iMode)")
                  .parameters[0]
                  .choiceText,
              "A,B");
}

TEST(ParseDocumentation, ListsOverSeveralLinesAreJoinedUntilTheNextTag) {
    const std::string source =
        "/**\n"
        " * @param iMode :{A,\n"
        " *   B}\n"
        " * @return none\n"
        " */\n"
        "void Set(int iMode)\n";
    EXPECT_EQ(Parse(source, "void Set(int iMode)").parameters[0].choiceText, "A,*B");
    EXPECT_EQ(Parse(WithCrLf(source), "void Set(int iMode)").parameters[0].choiceText, "A,*B");
    // With no tag after it the list stays open to the end: no line end
    // follows the entry and it is not used.
    const std::string open = "/**\n * @param iMode :{A,\n *   B}\n */\nvoid Set(int iMode)\n{\n}\n";
    EXPECT_EQ(Parse(open, "void Set(int iMode)").parameters[0].choiceText, "");
}

TEST(ParseDocumentation, OnlyABraceAfterTheSecondCharacterClosesTheList) {
    const auto choiceFor = [](const std::string& paramLine) {
        return Parse(paramLine + "\n B}\n@return\nvoid Set(int iMode)\n", "void Set(int iMode)")
            .parameters[0]
            .choiceText;
    };
    EXPECT_EQ(choiceFor(" } @param iMode :{A,"), "A,B");
    EXPECT_EQ(choiceFor("} @param iMode :{A,"), "A,B");
    EXPECT_EQ(choiceFor(" *} @param iMode :{A,"), "");
}

TEST(ParseDocumentation, EntryAtTheVeryEndWithoutLineEndIsNotUsed) {
    EXPECT_EQ(Parse("void Set(int iMode)\n@param iMode :{A,B}", "void Set(int iMode)")
                  .parameters[0]
                  .choiceText,
              "");
    EXPECT_EQ(Parse("void Set(int iMode)\n@param iMode :{A,B}\n", "void Set(int iMode)")
                  .parameters[0]
                  .choiceText,
              "A,B");
}

TEST(ParseDocumentation, NamesFoundInsideTheTagNeverGetAChoice) {
    const std::string source =
        "/**\n @param a :{X,Y}\n @param p :{X,Y}\n @param ar :{X,Y}\n*/\n"
        "f(int a, char *p, int ar)\n";
    const FunctionDocumentation doc = Parse(source, "f(int a, char *p, int ar)");
    EXPECT_EQ(doc.returnType, "");
    EXPECT_EQ(doc.functionName, "f");
    EXPECT_EQ(Names(doc), "a|p|ar||");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(doc.parameters[k].choiceText, "") << k;
    }
}

TEST(ParseDocumentation, ParameterNamesFromThePrototype) {
    EXPECT_EQ(Names(ParseEntry("void f(int * pBuf, int aTab[4])")), "pBuf|aTab[4]|||");
    EXPECT_EQ(Names(ParseEntry("int f(unsigned int, long lValue)")), "int|lValue|||");
    EXPECT_EQ(Names(ParseEntry("int f(char*pName)")), "pName||||");
    EXPECT_EQ(Names(ParseEntry("void Cfg(int iOne, int iTwo, int iThree, int iFour, int iFive)")),
              "iOne|iTwo|iThree|iFour|");
    EXPECT_EQ(
        ParseEntry("void Cfg(int iOne, int iTwo, int iThree, int iFour, int iFive)").parameterCount,
        4);
}

TEST(ParseDocumentation, ShortOrVoidParameterListsGiveNoParameters) {
    for (const std::string entry : {"int f()", "int f(void)", "int f(void *pData, int iLen)",
                                    "int f(int iAvoid)", "int g(T x)", "int g(int)"}) {
        const FunctionDocumentation doc = ParseEntry(entry);
        EXPECT_EQ(doc.parameterCount, 0) << entry;
        EXPECT_EQ(Names(doc), "||||") << entry;
    }
    // A second "(" counts from itself: at least four characters must follow it.
    EXPECT_EQ(Names(ParseEntry("int f(int x(abc))")), "||||");
    EXPECT_EQ(Names(ParseEntry("int f(int x(abcd))")), "x(abcd||||");
    // A short parameter ends the list; those before it stay.
    EXPECT_EQ(Names(ParseEntry("int g(int iA, T x, int iB)")), "iA||||");
    EXPECT_EQ(Names(ParseEntry("int g(int iA, T xy, int iB)")), "iA||||");
    EXPECT_EQ(ParseEntry("int g(int iA, T xy, int iB)").parameterCount, 1);
}

TEST(ParseDocumentation, ReturnTypeAndNameFromTheEntry) {
    FunctionDocumentation doc = ParseEntry("char*Name(int iX)");
    EXPECT_EQ(doc.returnType, "char *");
    EXPECT_EQ(doc.functionName, "Name");
    doc = ParseEntry("unsigned long  Get (int iX)");
    EXPECT_EQ(doc.returnType, "unsigned long");
    EXPECT_EQ(doc.functionName, "Get");
    // Without parentheses there is no name to take.
    doc = ParseEntry("Label");
    EXPECT_EQ(doc.functionName, "");
    EXPECT_EQ(doc.parameterCount, 0);
}

TEST(ParseDocumentation, HelperNameFromNoteLines) {
    const auto helperOf = [](const std::string& line) {
        return Parse("/**\n" + line + "\n */\nvoid Go(int iMode)\n", "void Go(int iMode)")
            .helperName;
    };
    EXPECT_EQ(helperOf(" * @note Run PinHelp.exe first"), "PinHelp.exe");
    EXPECT_EQ(helperOf(" * @note Pick with C:\\Tools\\Pick.exe"), "C:\\Tools\\Pick.exe");
    EXPECT_EQ(helperOf("@notePick.exe"), "@notePick.exe");
    EXPECT_EQ(helperOf(" * @note no helper here"), "-");
    EXPECT_EQ(helperOf("a.exe @note x"), "-");
    EXPECT_EQ(helperOf("ab c.exe @note x"), "-");
    EXPECT_EQ(helperOf("abc d.exe @note x"), "d.exe");
    EXPECT_EQ(helperOf(" * @brief uses Pick.exe"), "-");
    // The last note of the block wins.
    EXPECT_EQ(helperOf(" @note A.exe\n @note B.exe"), "B.exe");
}

TEST(ParseDocumentation, AFailedLookupReadsNothing) {
    const FunctionDocumentation doc =
        Parse(kTimerSource, "void TmrGo(int iMode, char *pBuf)", false, "long");
    EXPECT_EQ(doc.functionName, "void TmrGo(int iMode, char *pBuf)");
    EXPECT_EQ(doc.returnType, "long");
    EXPECT_EQ(doc.parameterCount, 0);
    EXPECT_EQ(Names(doc), "||||");
    EXPECT_EQ(doc.helperName, "-");
    EXPECT_EQ(doc.documentationText, "");
}

TEST(ParseDocumentation, NamesWithBracesNeverReachOutsideTheEntry) {
    const FunctionDocumentation doc =
        Parse("/**\n @param abc}d :{A,B}\n*/\nint f(int abc}d)\n", "int f(int abc}d)");
    EXPECT_EQ(doc.parameters[0].name, "abc}d");
    EXPECT_EQ(doc.parameters[0].choiceText, "");
}

TEST(ParseFunctionDocumentation, OpensTheFileItIsGiven) {
    ScratchFolder folder("QuillParse");
    const std::string path = folder.Write("tmr.c", kTimerSource);
    const DocumentationParse parsed =
        ParseFunctionDocumentation(path, "void TmrGo(int iMode, char *pBuf)", true);
    EXPECT_TRUE(parsed.fileOpened);
    EXPECT_EQ(parsed.documentation.parameterCount, 2);
    EXPECT_EQ(parsed.documentation.helperName, "PinHelp.exe");

    const DocumentationParse missing = ParseFunctionDocumentation(
        folder.PathOf("gone.c"), "void TmrGo(int iMode, char *pBuf)", true, "int");
    EXPECT_FALSE(missing.fileOpened);
    EXPECT_EQ(missing.documentation.functionName, "void TmrGo(int iMode, char *pBuf)");
    EXPECT_EQ(missing.documentation.returnType, "int");
    EXPECT_EQ(missing.documentation.parameterCount, 0);
    EXPECT_EQ(missing.documentation.helperName, "-");
}

}  // namespace
}  // namespace quill
