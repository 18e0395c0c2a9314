#include "core/text/DocumentLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/text/DocumentationRules.h"
#include "core/text/PrefixIndex.h"

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

TEST(DocumentLines, MatchesAreTheSameWithAndWithoutTheIndex) {
    const struct {
        int document;  // 0: kDocument, 1: kBlankLed
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
    };
    // The indexed lines answer every question in turn; the others read only
    // as far as each one needs.
    const std::string documents[] = {kDocument, kBlankLed};
    DocumentLines indexed[] = {DocumentLines(TextFile::FromBytes(kDocument)),
                               DocumentLines(TextFile::FromBytes(kBlankLed))};
    indexed[0].IndexAll();
    indexed[1].IndexAll();
    for (const auto& q : questions) {
        SCOPED_TRACE(q.entry);
        DocumentLines lookup(TextFile::FromBytes(documents[q.document]));
        DocumentLines parser(TextFile::FromBytes(documents[q.document]));
        EXPECT_EQ(lookup.FirstLookupMatch(q.entry), q.lookup);
        EXPECT_EQ(parser.FirstParserMatch(q.entry), q.parser);
        EXPECT_EQ(indexed[q.document].FirstLookupMatch(q.entry), q.lookup);
        EXPECT_EQ(indexed[q.document].FirstParserMatch(q.entry), q.parser);
    }
}

struct Question {
    const char* entry;
    Line lookup;  // FirstLookupMatch
    Line parser;  // FirstParserMatch
};

// Entries that end in ")" are answered from the prefixes of each line that
// end in one, the lookup's and the parser's apart.
TEST(DocumentLines, EntriesEndingInAParenthesisMatchTheLookupsAndTheParsersLine) {
    const std::string document =
        "int k(int a, int (*cb)(int), long z);\n"  // the parser cuts after "(*cb)"
        "f@param x:(a)\n"                          // the parser rewrites the ":"
        "int k(int a, int (*cb)\n"
        "f@param x :(a)\n";
    const Question questions[] = {
        {"int k(int a, int(*cb)(int)", 0, std::nullopt},
        {"int k(int a, int(*cb)", 0, 0},
        {"f@param x :(a)", 3, 1},
        {"f@param x:(a)", 1, std::nullopt},
        {"int k(int a)", std::nullopt, std::nullopt},
    };
    for (const bool index : {false, true}) {
        DocumentLines lines(TextFile::FromBytes(document));
        if (index) {
            lines.IndexAll();
        }
        for (const Question& q : questions) {
            SCOPED_TRACE(std::string(q.entry) + (index ? " indexed" : ""));
            EXPECT_EQ(lines.FirstLookupMatch(q.entry), q.lookup);
            EXPECT_EQ(lines.FirstParserMatch(q.entry), q.parser);
        }
    }
}

TEST(DocumentLines, EachLineAsReadAsTheParserKeepsItAndItsBlock) {
    DocumentLines lines(TextFile::FromBytes(kDocument));
    ASSERT_EQ(lines.Count(), 11u);
    EXPECT_EQ(lines.Text(2), "/**\n");
    EXPECT_EQ(lines.Text(9), std::string(45, 'x') + "\n");
    EXPECT_EQ(lines.ParserText(3), " * @param iA :{A,");
    EXPECT_EQ(lines.ParserText(4), "B}");
    EXPECT_EQ(lines.ParserText(5), " * @note Use B.exe\n");
    EXPECT_EQ(lines.ParserText(6), "void Go(int a,int b)");
    EXPECT_EQ(lines.Helper(5), "B.exe");
    EXPECT_EQ(lines.Helper(3), "");
    EXPECT_EQ(lines.BlockStart(1), 0u);
    EXPECT_EQ(lines.BlockStart(9), 2u);
    EXPECT_EQ(lines.BlockStart(10), 10u);
    EXPECT_EQ(lines.BlockEnd(0), 2u);
    EXPECT_EQ(lines.BlockEnd(2), 10u);
    EXPECT_EQ(lines.BlockEnd(10), 11u);
    EXPECT_EQ(ExpandedText(lines, 6, 8), "void Go(int a,int b) ; tail\nvoid Go(int a, int b)\n");
}

// The state kept per line without rewriting it is the parser's own.
TEST(DocumentLines, TheOpenListStateIsTheParsers) {
    const std::pair<const char*, bool> lines[] = {
        {" * @param iA :{A,B}\n", false}, {" * @param iA :{A,\n", true},
        {"}@param iA :{A,\n", true},      {" \t}@param iA\n", true},
        {"x}@param iA\n", true},          {"xy}@param iA\n", false},
        {":}@param iA\n", false},         {" * @return\n", false},
    };
    for (const auto& [line, open] : lines) {
        for (const bool before : {false, true}) {
            bool parsed = before;
            ReadParserLine(line, parsed);
            EXPECT_EQ(parsed, open) << line;
            EXPECT_EQ(ListOpenAfter(line, before), open) << line;
        }
    }
    for (const bool before : {false, true}) {
        EXPECT_EQ(ListOpenAfter("B}\n", before), before);
    }
}

TEST(PrefixIndex, TheSmallestNumberOfTheTextsThatBeginWithThePrefix) {
    const std::string shared = "void A\nvoid B\nint C\n";
    PrefixIndex index;
    index.AddShared(shared, 0, 6, 5);   // "void A"
    index.AddShared(shared, 7, 6, 2);   // "void B"
    index.AddOwn(shared, "void A", 1);  // again, with a smaller number
    index.AddShared(shared, 14, 5, 9);  // "int C"
    index.AddOwn(shared, "zeta", 7);
    index.AddOwn(shared, "zeta", 8);
    index.AddShared(shared, 0, 4, 0);  // "void", the smallest in a left branch
    index.Build(shared);
    const std::pair<const char*, Line> questions[] = {
        {"void A", 1},
        {"void B", 2},
        {"void", 0},
        {"int", 9},
        {"zeta", 7},
        {"", 0},
        {"v", 0},
        {"void C", std::nullopt},
        {"x", std::nullopt},
        {"void A\n", std::nullopt},
    };
    for (const auto& [prefix, first] : questions) {
        EXPECT_EQ(index.First(shared, prefix), first) << prefix;
    }
    EXPECT_EQ(PrefixIndex().First(shared, ""), std::nullopt);
}

}  // namespace
}  // namespace quill
