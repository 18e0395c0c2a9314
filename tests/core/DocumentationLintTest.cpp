#include "core/docs/DocumentationLint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/docs/DocumentationParser.h"
#include "core/files/ReadTextLine.h"

namespace quill {
namespace {

// A block and the record the parser makes of it, with the lint's verdict.
struct Linted {
    FunctionDocumentation documentation;
    std::vector<LintWarning> warnings;
    std::vector<LintRule> rules;
};

Linted LintBlock(const std::string& block, const std::string& entry) {
    TextFile file = TextFile::FromBytes(block);
    Linted linted;
    linted.documentation = ParseDocumentationLines(file, entry, true);
    linted.warnings = LintDocumentation(block, linted.documentation);
    for (const LintWarning& warning : linted.warnings) {
        linted.rules.push_back(warning.rule);
    }
    return linted;
}

const std::string kEntry = "void Set(int iChan, int iMode)";

// A block for kEntry whose iMode entry is `modeLines`.
Linted LintModeLines(const std::string& modeLines) {
    return LintBlock("/**\n * @brief Sets a mode.\n * @param iChan :{0,1}\n" + modeLines +
                         "\n */\nvoid Set(int iChan, int iMode)\n{\n}\n",
                     kEntry);
}

TEST(LintDocumentation, EntriesTheParserReadsGiveNoWarning) {
    const std::pair<const char*, const char*> cases[] = {
        {" * @param iMode :{A,B} the mode", "A,B"},
        {" * @param iMode :{A,B} (default A); see x // y", "A,B"},
        // A list over several lines that a later "@" line ends.
        {"   @param iMode :{A,\n              B}\n   @note the end", "A,B"},
        {"   @param iMode :{A,\n   B)}\n   @note z", "A,B)"},
        // A parameter described without a list is meant to be typed.
        {" * @param iMode the mode", ""},
        // A near miss is harmless when another entry gives the list.
        {" * @param iMode : {A,B}\n * @param iMode :{A,B}", "A,B"},
    };
    for (const auto& [lines, choice] : cases) {
        const Linted linted = LintModeLines(lines);
        EXPECT_EQ(linted.documentation.parameters[1].choiceText, choice) << lines;
        EXPECT_TRUE(linted.warnings.empty()) << lines;
    }
}

TEST(LintDocumentation, EachNearMissGivesItsOwnWarningWhereTheParserLosesTheList) {
    struct Case {
        const char* lines;
        LintRule rule;
        const char* said;  // part of the message
    };
    const Case cases[] = {
        {" * @param iMode : {A,B}", LintRule::BlankAfterColon, "write \"iMode :{\""},
        {" * @param iMode {A,B}", LintRule::MissingColon, "no \":\""},
        {" * @param iMode the mode :{A,B}", LintRule::EntryNotRead, "is not read"},
        {" * @param iMode :{}", LintRule::EntryNotRead, "is empty"},
        {" * @param iMode :{A;B}", LintRule::ListCut, "cut at \";\""},
        {" * @param iMode :{f(1),g(2)}", LintRule::ListCut, "cut at \")\""},
        {" * @param iMode :{A//B}", LintRule::ListCut, "cut at \"//\""},
        {" * @param iMode (see below) :{A,B}", LintRule::ListCut, "cut at \")\""},
        {"   @param iMode :{A,\n   B;C}\n   @note x", LintRule::ListCut, "cut at \";\""},
        {"   @param iMode :{A,B\n   @note the end}", LintRule::ListNotClosed, "no closing"},
        {"   @param iMode :{A,\n   @note x;y}", LintRule::ListNotClosed, ""},
        {"   @param iMode :{A,\n              B}", LintRule::ListNeverEnded,
         "no \"@\" line follows"},
        {" * @param[in] iMode :{A,B}", LintRule::NoBlankAfterKeyword, ""},
        {" * \\param iMode :{A,B}", LintRule::BackslashKeyword, "\"\\param\" is not read"},
        {" * @param iModus :{A,B}", LintRule::UnknownName, "(iChan, iMode)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const Linted linted = LintModeLines(c.lines);
        if (c.rule != LintRule::ListNotClosed) {  // that list takes in the next entry
            EXPECT_EQ(linted.documentation.parameters[1].choiceText, "");
        }
        ASSERT_EQ(linted.rules, std::vector<LintRule>{c.rule});
        const std::string lines = c.lines;
        EXPECT_EQ(linted.warnings[0].lineText, lines.substr(0, lines.find('\n')));
        EXPECT_NE(linted.warnings[0].message.find(c.said), std::string::npos)
            << linted.warnings[0].message;
    }
}

TEST(LintDocumentation, NamesInsideTheKeywordAreFoundExactlyWhereTheParserFailsThem) {
    const std::pair<std::string, bool> names[] = {{"p", true},  {"aram", true}, {"mm", true},
                                                  {"b", false}, {"rx", false},  {"iMode", false}};
    for (const auto& [name, lost] : names) {
        const std::string entry = "void Put(int " + name + ")";
        const Linted linted =
            LintBlock("/**\n * @param " + name + " :{A,B}\n */\n" + entry + "\n", entry);
        EXPECT_EQ(linted.documentation.parameters[0].choiceText, lost ? "" : "A,B") << name;
        EXPECT_EQ(linted.rules, lost ? std::vector<LintRule>{LintRule::NameInsideKeyword}
                                     : std::vector<LintRule>{})
            << name;
    }
}

TEST(LintDocumentation, HelperNamesThatAreNotOneFileOfTheLibraryFolder) {
    const std::pair<const char*, const char*> problems[] = {
        {"PinHelp.exe", ""},
        {"..\\tools\\Pin.exe", "a folder separator"},
        {"bin/Pin.exe", "a folder separator"},
        {"Pin..exe", "\"..\""},
        {"PinHelp.exe&touch$IFS~/owned", "a folder separator"},
        {"PinHelp.exe&calc.exe", "\"&\""},
        {"Pin`id`.exe", "\"`\""},
        {"Pin\x1b.exe", "a control character"},
    };
    for (const auto& [name, problem] : problems) {
        EXPECT_EQ(HelperNameProblem(name), problem) << name;
    }
    // Both a parameter's helper and the "@note" helper are checked.
    const Linted helpers = LintBlock(
        "/**\n * @param iChan :{Pick&x.exe}\n * @param iMode :{A,B}\n * @note Run a|b.exe\n */\n" +
            kEntry + "\n",
        kEntry);
    ASSERT_EQ(helpers.rules,
              (std::vector<LintRule>{LintRule::UnsafeHelperName, LintRule::UnsafeHelperName}));
    EXPECT_EQ(helpers.warnings[0].name, "iChan");
    EXPECT_EQ(helpers.warnings[0].lineText, " * @param iChan :{Pick&x.exe}");
    EXPECT_EQ(helpers.warnings[1].lineText, " * @note Run a|b.exe");
}

TEST(LintDocumentation, FunctionsWithoutSlotsAndEmptyBlocks) {
    // An entry for a function whose list is "void" names no parameter.
    const Linted noSlots =
        LintBlock("/**\n * @param pData :{A,B}\n */\nvoid Send(void)\n", "void Send(void)");
    EXPECT_EQ(noSlots.rules, std::vector<LintRule>{LintRule::UnknownName});
    EXPECT_NE(noSlots.warnings[0].message.find("(it has none)"), std::string::npos);

    FunctionDocumentation none;
    EXPECT_TRUE(LintDocumentation("", none).empty());
    EXPECT_TRUE(LintDocumentation("-", none).empty());
    const std::vector<LintWarning> bare =
        LintDocumentation("@param\n@param   \n@param iX :{A}", none);
    ASSERT_EQ(bare.size(), 2u);
    EXPECT_EQ(bare[0].name, "");
    EXPECT_EQ(bare[1].name, "iX");
}

}  // namespace
}  // namespace quill
