#include "core/docs/DocumentationParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/docs/ChoiceForms.h"
#include "core/text/TextOps.h"

namespace quill {
namespace {

FunctionDocumentation Parse(const std::string& bytes, const std::string& entry,
                            bool lookupSucceeded = true) {
    TextFile file = TextFile::FromBytes(bytes);
    return ParseDocumentationLines(file, entry, lookupSucceeded);
}

// The choice text of iMode in a file that documents "void Set(int iMode)".
std::string ChoiceOf(const std::string& bytes) {
    return Parse(bytes, "void Set(int iMode)").parameters[0].choiceText;
}

// The record on one line: return type, name, count, each slot as
// name{choice text}edit text, and the helper.
std::string Summary(const FunctionDocumentation& doc) {
    std::string summary =
        doc.returnType + "/" + doc.functionName + "/" + std::to_string(doc.parameterCount);
    for (const auto& p : doc.parameters) {
        summary += "/" + p.name + "{" + p.choiceText + "}" + p.editText;
    }
    return summary + "/" + doc.helperName;
}

const std::string kTimerSource =
    "/**\n * @brief void TmrGo(int iMode, char *pBuf)\n"
    " * @param iMode :{TMR_OFF, TMR_ON, TMR_AUTO} selects the mode\n"
    " * @param pBuf :{BufPick.exe} where the data goes\n"
    " * @note Run PinHelp.exe first\n */\n"
    "void TmrGo(int iMode, char *pBuf)\n{\n}\n"
    "/*! @brief the next one\n * @param iLevel:{0-255}\n */\nint TmrLevel(int iLevel)\n";

TEST(ParseDocumentation, ReadsTheBlockBeforeThePrototype) {
    for (const std::string& source : {kTimerSource, ReplaceAll(kTimerSource, "\n", "\r\n")}) {
        const FunctionDocumentation doc = Parse(source, "void TmrGo(int iMode, char *pBuf)");
        EXPECT_EQ(Summary(doc),
                  "void/TmrGo/2/iMode{TMR_OFF,TMR_ON,TMR_AUTO}/pBuf{BufPick.exe}\"BufPick.exe\"/{}/"
                  "{}/PinHelp.exe");
        // The scan stopped at the next block.
        EXPECT_EQ(doc.documentationText.find("iLevel"), std::string::npos);
    }
    // A "/*!" block is read the same way; the previous block's helper is gone.
    const FunctionDocumentation next = Parse(kTimerSource, "int TmrLevel(int iLevel)");
    EXPECT_EQ(Summary(next), "int/TmrLevel/1/iLevel{0-255}/{}/{}/{}/-");
    EXPECT_EQ(next.documentationText.find("TMR_OFF"), std::string::npos);
    // A prototype never met leaves the last block of the file.
    const FunctionDocumentation missing = Parse(kTimerSource, "void Missing(int iMode)");
    EXPECT_EQ(Summary(missing), "void/Missing/1/iMode{}/{}/{}/{}/-");
    EXPECT_EQ(missing.documentationText,
              "/*! @brief the next one\n * @param iLevel :{0-255}\n */\nint TmrLevel(int iLevel)");
}

TEST(ParseDocumentation, DocumentationTextIsCutNormalisedAndJoined) {
    // A ")" from position 5 on cuts its line, line end included.
    const std::string source =
        "/** A */\nint x;\n/**\n * @param iMode : {A,B}\n */\n"
        "extern  void  SetMode( int iMode ) ; // go\nab(x) keeps its end\nabc(x) joins\n/** B */\n";
    EXPECT_EQ(
        Parse(source, "void SetMode(int iMode)").documentationText,
        "/**\n * @param iMode : {A, B}\n */\nvoid SetMode(int iMode)ab(x) keeps its end\nabc(x)");
}

TEST(ParseDocumentation, ChoiceTextFromTheParamEntry) {
    const auto choiceFor = [](const std::string& lines, bool crlf = false) {
        const std::string block = "/**\n" + lines + "\n * @return none\n */\nvoid Set(int iMode)\n";
        return ChoiceOf(crlf ? ReplaceAll(block, "\n", "\r\n") : block);
    };
    // Blanks are removed; only the first entry of a name counts; a list over
    // several lines is joined up to the next "@" line, and only a "}" after the
    // second character closes it on its own line.
    for (const char* lines :
         {" * @param iMode:{A,B}", " * @param   iMode    :{ A , B }", " * @param\tiMode\t:{A,\tB}",
          " @param iMode :{A,B}\n @param iMode :{C,D}", " } @param iMode :{A,\n B}"}) {
        EXPECT_EQ(choiceFor(lines), "A,B") << lines;
    }
    EXPECT_EQ(choiceFor(" * @param iMode :{A,\n *   B}", true), "A,*B");
    // Another name, a list cut by "//", or closed too early (the lint test
    // runs the parser over the other near misses).
    for (const char* lines : {" * @param iModeX :{A,B}", " * @param iMode :{http://x,y}",
                              " *} @param iMode :{A,\n B}"}) {
        EXPECT_EQ(choiceFor(lines), "") << lines;
    }
}

TEST(ParseDocumentation, TheEntryGivesTypeNameAndParameters) {
    const auto alone = [](const std::string& entry) { return Summary(Parse(entry + "\n", entry)); };
    const std::pair<const char*, const char*> cases[] = {
        {"void f(int * pBuf, int aTab[4])", "void/f/2/pBuf{}/aTab[4]{}/{}/{}/-"},
        {"char*Name(char*pName)", "char */Name/1/pName{}/{}/{}/{}/-"},
        {"unsigned long  Get (int iX)", "unsigned long/Get/1/iX{}/{}/{}/{}/-"},
        {"void Cfg(int iOne, int iTwo, int iThree, int iFour, int iFive)",
         "void/Cfg/5/iOne{}/iTwo{}/iThree{}/iFour{}/iFive{}/-"},
        {"Label", "//0/{}/{}/{}/{}/-"},
        // A second "(" counts from itself: at least four characters must follow it.
        {"int f(int x(abcd))", "int/f/1/x(abcd{}/{}/{}/{}/-"},
        // A short parameter ends the list; those before it stay.
        {"int f(int iA, T x, int iB)", "int/f/1/iA{}/{}/{}/{}/-"},
        // "void" within the list is an ordinary type word.
        {"int f(void *pData, int iLen)", "int/f/2/pData{}/iLen{}/{}/{}/-"},
        {"int f(int iAvoid)", "int/f/1/iAvoid{}/{}/{}/{}/-"},
        {"int f(voidp pData)", "int/f/1/pData{}/{}/{}/{}/-"},
        {"int f(void (*pfn)(int), int iN)", "int/f/1/pfn{}/{}/{}/{}/-"},
        // Blanks beside "," and parentheses go, "*" stands apart.
        {"int f(int iA ,int iB )", "int/f/2/iA{}/iB{}/{}/{}/-"},
        {"int\tf( char*pBuf ,\t int  iB)", "int/f/2/pBuf{}/iB{}/{}/{}/-"},
    };
    for (const auto& [entry, expected] : cases) {
        EXPECT_EQ(alone(entry), expected) << entry;
    }
    // Empty, short or "void" lists give no parameters.
    for (const char* entry :
         {"int f()", "int f( void )", "int f(\tvoid)", "int f(T x)", "int f(int x(abc))"}) {
        EXPECT_EQ(alone(entry), "int/f/0/{}/{}/{}/{}/-") << entry;
    }
}

TEST(ParseDocumentation, HelperNameFromNoteLines) {
    const std::pair<const char*, const char*> cases[] = {
        {" * @note Run PinHelp.exe first", "PinHelp.exe"},
        {"@notePick.exe", "@notePick.exe"},
        {" * @note no helper here", "-"},
        {"ab c.exe @note x", "-"},
        {"abc d.exe @note x", "d.exe"},
        {" * @brief uses Pick.exe", "-"},
        {" @note A.exe\n @note B.exe", "B.exe"}};
    for (const auto& [lines, helper] : cases) {
        const std::string block = "/**\n" + std::string(lines) + "\n */\nvoid Go(int iMode)\n";
        EXPECT_EQ(Parse(block, "void Go(int iMode)").helperName, helper) << lines;
    }
}

// Without documentation the record still names the function and its
// parameters (free entries), so the call text is Name(...), not the entry.
TEST(ParseDocumentation, AFailedLookupKeepsTheEntrysShape) {
    const std::pair<const char*, const char*> entries[] = {
        {"LIB_API char *lib_expanded_text(lib_stmt *pStmt)",
         "LIB_API char */lib_expanded_text/1/pStmt{}/{}/{}/{}/-"},
        {"abc)", "/abc)/0/{}/{}/{}/{}/-"}};
    for (const auto& [text, expected] : entries) {
        EXPECT_EQ(Summary(RecordFromEntry(text)), expected) << text;
    }
    const FunctionDocumentation failed =
        Parse(kTimerSource, "void TmrGo(int iMode, char *pBuf)", false);
    EXPECT_EQ(Summary(failed) + failed.documentationText, "void/TmrGo/2/iMode{}/pBuf{}/{}/{}/-");
}

TEST(ChoiceForms, FormsRangesAndItems) {
    // The first test that holds decides; a mark at the first character does not count.
    std::string forms;
    for (const char* text : {"A,B,C", "A,B|C", "Pick.exe,X", "NONE|FAST", "Pick.exe|X", ",A|B",
                             "Pick.exe", "0-255", "", ",A,B", "|A", ".exe"}) {
        forms += FormName(FormOf(text)) + std::string(" ");
    }
    EXPECT_EQ(forms, "list list list flags flags flags helper free free free free free ");
    EXPECT_TRUE(IsRangeForm("0-255") && IsRangeForm("my-tool.exe"));
    EXPECT_FALSE(IsRangeForm("-5-5") || IsRangeForm("255"));
    using Items = std::vector<std::string>;
    EXPECT_EQ(ListItems("A,,B,"), (Items{"A", "", "B", ""}));
    EXPECT_EQ(FirstFlag("NONE|FAST|SLOW"), "NONE");
}

}  // namespace
}  // namespace quill
