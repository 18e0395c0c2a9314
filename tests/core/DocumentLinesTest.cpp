#include "core/text/DocumentLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quill {
namespace {

using Line = std::optional<std::size_t>;

// Lines: 0 and 1 lose "extern", 3 opens a list that 4 goes on with, 6 is
// cut by the parser after ")", 8 is a line of 300 bytes read as two.
const std::string kDocument = std::string("extern  void  Three( int iC ,int iD );\n") +
                              "extern void Four(int a, int b)\n"
                              "   /**\n"
                              " * @param iA :{A,\n"
                              "B}\n"
                              " * @note Use B.exe\n"
                              "void Go(int a,int b) ; tail\n"
                              "void Go(int a, int b)\n"
                              "int Long(void); /*" +
                              std::string(282, 'x') + "\n/**\n";

// A blank before a comma or parenthesis goes in the normalised line, so a
// line that begins with one can match although the indexes leave it out.
const std::string kBlankLed = "\t)\b\n  (x\n,y\n(x\n)\b\n";

// Entries that end in ")" are answered from the prefixes of each line that
// end in one, the lookup's and the parser's apart.
const std::string kParenthesised =
    "int k(int a, int (*cb)(int), long z);\n"  // the parser cuts after "(*cb)"
    "f@param x:(a)\n"                          // the parser rewrites the ":"
    "int k(int a, int (*cb)\n"
    "f@param x :(a)\n";

TEST(DocumentLines, MatchesAreTheSameWithAndWithoutTheIndex) {
    const struct {
        int document;  // index into `documents`
        const char* entry;
        Line lookup;  // FirstLookupMatch
        Line parser;  // FirstParserMatch
    } questions[] = {
        {0, "void Three(int iC, int iD)", 0, 0},
        {0, "void Four(int a, int b)\n", 1, std::nullopt},
        {0, "void Four(int a, int b)", 1, 1},
        {0, "/**", 2, 2},
        {0, "B}\n", 4, std::nullopt},
        {0, "B}", 4, 4},
        {0, "void Go(int a, int b) ;", 6, std::nullopt},
        {0, "void Go(int a, int b)", 6, 6},
        {0, "void Go(int a, int b)\n", 7, std::nullopt},
        {0, "int Long(void);", 8, std::nullopt},
        {0, "xxxxxxxxxx", 9, 9},
        {0, " * @param iA :{A, \n", 3, std::nullopt},
        {0, " * @note", 5, 5},
        {0, "void Gone", std::nullopt, std::nullopt},
        {0, "", 0, 0},
        {1, ")\b", 0, 0},
        {1, "(x", 1, 1},
        {1, ",", 2, 2},
        {1, "", 0, 0},
        {2, "int k(int a, int(*cb)(int)", 0, std::nullopt},
        {2, "int k(int a, int(*cb)", 0, 0},
        {2, "f@param x :(a)", 3, 1},
        {2, "f@param x:(a)", 1, std::nullopt},
        {2, "int k(int a)", std::nullopt, std::nullopt},
    };
    // Fresh lines read only as far as each question needs; the indexed lines
    // and the lines read so far answer every question in turn.
    const std::string documents[] = {kDocument, kBlankLed, kParenthesised};
    std::vector<DocumentLines> indexed, inTurn;
    indexed.reserve(3);  // the lines stay where they were built
    inTurn.reserve(3);
    for (const std::string& document : documents) {
        indexed.emplace_back(TextFile::FromBytes(document)).IndexAll();
        inTurn.emplace_back(TextFile::FromBytes(document));
    }
    for (const auto& q : questions) {
        SCOPED_TRACE(q.entry);
        DocumentLines lookup(TextFile::FromBytes(documents[q.document]));
        DocumentLines parser(TextFile::FromBytes(documents[q.document]));
        EXPECT_EQ(lookup.FirstLookupMatch(q.entry), q.lookup);
        EXPECT_EQ(parser.FirstParserMatch(q.entry), q.parser);
        for (DocumentLines* lines : {&indexed[q.document], &inTurn[q.document]}) {
            EXPECT_EQ(lines->FirstLookupMatch(q.entry), q.lookup);
            EXPECT_EQ(lines->FirstParserMatch(q.entry), q.parser);
        }
    }
}

// Read to its end first, so that every opener is known.
TEST(DocumentLines, ABlockRunsFromItsOpenerToTheNext) {
    DocumentLines lines(TextFile::FromBytes(kDocument));
    ASSERT_EQ(lines.Count(), 11u);
    EXPECT_EQ(lines.BlockStart(1), 0u);
    EXPECT_EQ(lines.BlockStart(9), 2u);
    EXPECT_EQ(lines.BlockStart(10), 10u);
    EXPECT_EQ(lines.BlockEnd(0), 2u);
    EXPECT_EQ(lines.BlockEnd(2), 10u);
    EXPECT_EQ(lines.BlockEnd(10), 11u);
}

}  // namespace
}  // namespace quill
