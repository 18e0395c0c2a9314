#include "params/DocumentationLint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/DocumentationParser.h"
#include "source/ReadTextLine.h"

namespace quill {
namespace {

// A block and the record the parser makes of it, with the lint's verdict.
struct Linted {
    FunctionDocumentation documentation;
    std::vector<LintWarning> warnings;
};

Linted LintBlock(const std::string& block, const std::string& entry) {
    TextFile file = TextFile::FromBytes(block);
    Linted linted;
    linted.documentation = ParseDocumentationLines(file, entry, true, "");
    linted.warnings = LintDocumentation(block, linted.documentation);
    return linted;
}

std::vector<LintRule> RulesOf(const Linted& linted) {
    std::vector<LintRule> rules;
    for (const LintWarning& warning : linted.warnings) {
        rules.push_back(warning.rule);
    }
    return rules;
}

const std::string kEntry = "void Set(int iChan, int iMode)";

// A block for kEntry whose iMode entry line is `modeLine`.
std::string BlockWithModeLine(const std::string& modeLine) {
    return "/**\n"
           " * @brief Sets a mode.\n"
           " * @param iChan :{0,1}\n" +
           modeLine +
           "\n"
           " */\n"
           "void Set(int iChan, int iMode)\n"
           "{\n"
           "}\n";
}

TEST(ReadParamEntry, ReadsTheShapesAuthorsWrite) {
    const auto plain = ReadParamEntry(" * @param iMode :{A,B} the mode\n");
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->name, "iMode");
    EXPECT_TRUE(plain->blankAfterKeyword);
    EXPECT_TRUE(plain->hasList);
    EXPECT_TRUE(plain->colonBeforeList);
    EXPECT_FALSE(plain->blankAfterColon);
    EXPECT_FALSE(plain->textBeforeList);
    EXPECT_TRUE(plain->listClosedOnLine);
    EXPECT_EQ(plain->listText, "A,B");

    const auto tight = ReadParamEntry("@param\tiMode:{A}\r\n");
    ASSERT_TRUE(tight.has_value());
    EXPECT_EQ(tight->name, "iMode");
    EXPECT_TRUE(tight->colonBeforeList);
    EXPECT_FALSE(tight->blankAfterColon);

    const auto spaced = ReadParamEntry("@param iMode :\t{A,B}");
    ASSERT_TRUE(spaced.has_value());
    EXPECT_TRUE(spaced->blankAfterColon);
    EXPECT_FALSE(spaced->textBeforeList);

    const auto noColon = ReadParamEntry("@param iMode {A,B");
    ASSERT_TRUE(noColon.has_value());
    EXPECT_FALSE(noColon->colonBeforeList);
    EXPECT_FALSE(noColon->listClosedOnLine);

    const auto worded = ReadParamEntry("@param iMode the mode :{A,B}");
    ASSERT_TRUE(worded.has_value());
    EXPECT_TRUE(worded->textBeforeList);
    EXPECT_FALSE(worded->blankAfterColon);

    const auto described = ReadParamEntry("@param pText the text to send\n");
    ASSERT_TRUE(described.has_value());
    EXPECT_EQ(described->name, "pText");
    EXPECT_FALSE(described->hasList);

    const auto direction = ReadParamEntry("@param[in] iMode :{A,B}");
    ASSERT_TRUE(direction.has_value());
    EXPECT_FALSE(direction->blankAfterKeyword);
    EXPECT_TRUE(direction->hasList);

    EXPECT_FALSE(ReadParamEntry(" * @brief no entry here {A,B}\n").has_value());
}

TEST(ReadParamEntry, KeywordAtTheEndOfTheLineHasNoName) {
    const auto bare = ReadParamEntry(" * @param\n");
    ASSERT_TRUE(bare.has_value());
    EXPECT_FALSE(bare->blankAfterKeyword);
    EXPECT_FALSE(bare->hasList);
    const auto blankOnly = ReadParamEntry(" * @param   \n");
    ASSERT_TRUE(blankOnly.has_value());
    EXPECT_EQ(blankOnly->name, "");
}

TEST(NameNeverMatches, NamesFoundInsideTheKeyword) {
    for (const char* name : {"a", "p", "r", "m", "pa", "ra", "am", "aram", "param", "mm"}) {
        EXPECT_TRUE(NameNeverMatches(name)) << name;
    }
    for (const char* name : {"x", "iMode", "ma", "b", "pBuf", "rx"}) {
        EXPECT_FALSE(NameNeverMatches(name)) << name;
    }
    EXPECT_FALSE(NameNeverMatches(""));
}

TEST(ParamListStaysOpen, AsTheParserJoinsLines) {
    EXPECT_TRUE(ParamListStaysOpen(" * @param iMode :{A,\n"));
    EXPECT_FALSE(ParamListStaysOpen(" * @param iMode :{A,B}\n"));
    EXPECT_FALSE(ParamListStaysOpen("@param iMode:{A}\r\n"));
    // Without any "}" the parser keeps joining, list or no list.
    EXPECT_TRUE(ParamListStaysOpen(" * @param pText the text\n"));
    // Only a "}" from position 2 on closes it.
    EXPECT_TRUE(ParamListStaysOpen("}@param iMode :{A,\n"));
}

TEST(ListCutMark, MarksInsideTheBracesCut) {
    EXPECT_EQ(ListCutMark({" * @param iMode :{A;B}\n"}, 0), ";");
    EXPECT_EQ(ListCutMark({" * @param iMode :{A//B}\n"}, 0), "//");
    EXPECT_EQ(ListCutMark({" * @param iMode :{f(1),g(2)}\n"}, 0), ")");
    // Whichever cut comes first is the one that counts.
    EXPECT_EQ(ListCutMark({" * @param iMode :{f(1);B}\n"}, 0), ")");
    EXPECT_EQ(ListCutMark({" * @param iMode :{A;f(1)}\n"}, 0), ";");
    // A mark before the list takes the whole list with it.
    EXPECT_EQ(ListCutMark({" * @param iMode (see below) :{A,B}\n"}, 0), ")");
}

TEST(ListCutMark, MarksAfterTheListOrWithoutAListDoNotCount) {
    EXPECT_EQ(ListCutMark({" * @param iMode :{A,B} (default A); see x // y\n"}, 0), "");
    EXPECT_EQ(ListCutMark({" * @param iMode the mode; see x\n"}, 0), "");
    EXPECT_EQ(ListCutMark({" * @brief f(x); not an entry\n"}, 0), "");
    EXPECT_EQ(ListCutMark({}, 0), "");
}

TEST(ListCutMark, FollowsAListOverSeveralLines) {
    EXPECT_EQ(ListCutMark({"@param iMode :{A,\n", "   B;C}\n"}, 0), ";");
    EXPECT_EQ(ListCutMark({"@param iMode :{A,\n", "   B,\n", "   C(1)}\n"}, 0), ")");
    // The parser cuts after a ")" only from position 5 on.
    EXPECT_EQ(ListCutMark({"@param iMode :{A,\n", "B)}\n"}, 0), "");
    // Lines after the closing "}" or after the next "@" line are not part of it.
    EXPECT_EQ(ListCutMark({"@param iMode :{A,\n", "   B}\n", "   x; y\n"}, 0), "");
    EXPECT_EQ(ListCutMark({"@param iMode :{A,\n", "@note x;y}\n"}, 0), "");
}

TEST(SplitLines, KeepsLineEndsAndALastLineWithoutOne) {
    EXPECT_EQ(SplitLines("a\r\nb\n\nc"), (std::vector<std::string>{"a\r\n", "b\n", "\n", "c"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("x\n"), (std::vector<std::string>{"x\n"}));
}

TEST(LintDocumentation, CleanBlocksGiveNoWarning) {
    const Linted lf = LintBlock(BlockWithModeLine(" * @param iMode :{A,B} the mode"), kEntry);
    EXPECT_EQ(lf.documentation.parameters[1].choiceText, "A,B");
    EXPECT_TRUE(lf.warnings.empty());

    // No blank before the colon, a tab after the keyword, CR LF line ends.
    std::string crlf = BlockWithModeLine(" * @param\tiMode:{A,B}");
    std::string withCr;
    for (char c : crlf) {
        if (c == '\n') {
            withCr += '\r';
        }
        withCr += c;
    }
    const Linted windows = LintBlock(withCr, kEntry);
    EXPECT_EQ(windows.documentation.parameters[1].choiceText, "A,B");
    EXPECT_TRUE(windows.warnings.empty());

    // A parameter described without a list is meant to be typed.
    EXPECT_TRUE(LintBlock(BlockWithModeLine(" * @param iMode the mode"), kEntry).warnings.empty());
}

TEST(LintDocumentation, EachNearMissGivesItsOwnWarning) {
    struct Case {
        const char* modeLine;
        LintRule rule;
    };
    const Case cases[] = {
        {" * @param iMode : {A,B}", LintRule::BlankAfterColon},
        {" * @param iMode :\t{A,B}", LintRule::BlankAfterColon},
        {" * @param iMode {A,B}", LintRule::MissingColon},
        {" * @param iMode the mode :{A,B}", LintRule::EntryNotRead},
        {" * @param iMode :{}", LintRule::EntryNotRead},
        {" * @param iMode :{A;B}", LintRule::ListCut},
        {" * @param iMode :{A//B}", LintRule::ListCut},
        {" * @param iMode :{f(1),g(2)}", LintRule::ListCut},
        {" * @param[in] iMode :{A,B}", LintRule::NoBlankAfterKeyword},
        {" * \\param iMode :{A,B}", LintRule::BackslashKeyword},
    };
    for (const Case& c : cases) {
        const Linted linted = LintBlock(BlockWithModeLine(c.modeLine), kEntry);
        ASSERT_EQ(RulesOf(linted), std::vector<LintRule>{c.rule}) << c.modeLine;
        EXPECT_EQ(linted.warnings[0].lineText, c.modeLine);
        EXPECT_FALSE(linted.warnings[0].message.empty());
    }
}

TEST(LintDocumentation, WarningsMatchWhatTheParserIgnores) {
    // Where the lint says a list is lost, the parser indeed gave no choice text.
    for (const char* line : {" * @param iMode : {A,B}", " * @param iMode {A,B}",
                             " * @param iMode :{}", " * @param iMode the mode :{A,B}"}) {
        const Linted linted = LintBlock(BlockWithModeLine(line), kEntry);
        EXPECT_EQ(linted.documentation.parameters[1].name, "iMode") << line;
        EXPECT_EQ(linted.documentation.parameters[1].choiceText, "") << line;
        EXPECT_EQ(linted.warnings.size(), 1u) << line;
    }
}

TEST(LintDocumentation, NearMissIsHarmlessWhenAnotherEntryGivesTheList) {
    const Linted linted =
        LintBlock(BlockWithModeLine(" * @param iMode : {A,B}\n * @param iMode :{A,B}"), kEntry);
    EXPECT_EQ(linted.documentation.parameters[1].choiceText, "A,B");
    EXPECT_TRUE(linted.warnings.empty());
}

TEST(LintDocumentation, UnknownNamesAreReportedWithTheRealOnes) {
    const Linted linted = LintBlock(BlockWithModeLine(" * @param iModus :{A,B}"), kEntry);
    ASSERT_EQ(RulesOf(linted), std::vector<LintRule>{LintRule::UnknownName});
    EXPECT_EQ(linted.warnings[0].name, "iModus");
    EXPECT_NE(linted.warnings[0].message.find("iChan, iMode"), std::string::npos);

    // "void" anywhere in the parameter list leaves the function without slots.
    const std::string block =
        "/**\n * @param pData :{A,B}\n */\nvoid Send(const void *pData, int iLength)\n";
    const Linted noSlots = LintBlock(block, "void Send(const void *pData, int iLength)");
    EXPECT_EQ(noSlots.documentation.parameterCount, 0);
    ASSERT_EQ(RulesOf(noSlots), std::vector<LintRule>{LintRule::UnknownName});
    EXPECT_NE(noSlots.warnings[0].message.find("(it has none)"), std::string::npos);
}

TEST(LintDocumentation, OneLetterNamesInsideTheKeywordNeverMatch) {
    const std::string entry = "void Put(char *p, int x)";
    const std::string block =
        "/**\n"
        " * @param p :{BUF_A,BUF_B}\n"
        " * @param x :{0,1}\n"
        " */\n"
        "void Put(char *p, int x)\n";
    const Linted linted = LintBlock(block, entry);
    EXPECT_EQ(linted.documentation.parameters[0].name, "p");
    EXPECT_EQ(linted.documentation.parameters[0].choiceText, "");
    // A one-letter name that is not in "@param" works.
    EXPECT_EQ(linted.documentation.parameters[1].choiceText, "0,1");
    ASSERT_EQ(RulesOf(linted), std::vector<LintRule>{LintRule::NameInsideKeyword});
    EXPECT_EQ(linted.warnings[0].name, "p");
}

TEST(LintDocumentation, ListsOverSeveralLines) {
    // Ended by a later "@" line: read whole, no warning.
    const Linted ended = LintBlock(
        BlockWithModeLine("   @param iMode :{A,\n              B}\n   @note the end"), kEntry);
    EXPECT_EQ(ended.documentation.parameters[1].choiceText, "A,B");
    EXPECT_TRUE(ended.warnings.empty());

    // No "@" line after it: the joined entry never ends and the list is lost.
    const Linted never =
        LintBlock(BlockWithModeLine("   @param iMode :{A,\n              B}"), kEntry);
    EXPECT_EQ(never.documentation.parameters[1].choiceText, "");
    EXPECT_EQ(RulesOf(never), std::vector<LintRule>{LintRule::ListNeverEnded});

    // Not closed before the next entry: the list swallows that entry.
    const Linted open =
        LintBlock(BlockWithModeLine("   @param iMode :{A,B\n   @note the end}"), kEntry);
    EXPECT_EQ(RulesOf(open), std::vector<LintRule>{LintRule::ListNotClosed});
}

TEST(LintDocumentation, EmptyAndUnparsedBlocks) {
    FunctionDocumentation none;
    EXPECT_TRUE(LintDocumentation("", none).empty());
    EXPECT_TRUE(LintDocumentation("-", none).empty());
    // Every "@param" of a function that has no slots names no parameter.
    const std::vector<LintWarning> warnings = LintDocumentation("@param\n@param iX :{A}", none);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rule, LintRule::UnknownName);
}

}  // namespace
}  // namespace quill
