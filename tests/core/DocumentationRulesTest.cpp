#include "core/text/DocumentationRules.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

namespace quill {
namespace {

enum class List { None, Open, Closed };

TEST(DocumentationRules, ParamLinesAsTheirAuthorsWroteThem) {
    struct Row {
        std::string_view line;
        bool blank;
        std::string_view name;
        std::string_view beforeList;
        std::string_view listText;
        List list;
        std::string_view word = "";  // "": the name
        std::string_view keyword = kParamKeyword;
        ParamDirection direction = ParamDirection::NotRead;
    };
    const Row rows[] = {
        {" * @param iMode :{A,B} the mode", true, "iMode", " :", "A,B", List::Closed, "iMode"},
        {"@param iMode:{A,B}", true, "iMode", ":", "A,B", List::Closed, "iMode:{A,B}"},
        {"@param iMode : {A}", true, "iMode", " : ", "A", List::Closed},
        {"@param\tx\t:{0,\t1}", true, "x", "\t:", "0,\t1", List::Closed},
        {"@param  \t p :{A", true, "p", " :", "", List::Open},
        {"@param am :{}", true, "am", " :", "", List::Closed},
        {"@param x :}{A}", true, "x", " :}", "A", List::Closed},
        {"@param x the mode", true, "x", "", "", List::None},
        {"@param  ", true, "", "", "", List::None},
        {"@param", false, "", "", "", List::None},
        {"@param[in] iMode :{A}", false, "", "", "A", List::Closed},
        {"@param[in] iMode, the mode", true, "iMode,", "", "", List::None, "", kParamKeyword,
         ParamDirection::Skipped},
        {"@param[in iMode :{A}", false, "", "", "", List::None, "", kParamKeyword,
         ParamDirection::Skipped},
        {"\\param iMode :{A}", true, "iMode", " :", "A", List::Closed, "", kBackslashParamKeyword},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const std::optional<ParamLine> read = ReadParamLine(row.line, row.keyword, row.direction);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->blankAfterKeyword, row.blank);
        EXPECT_EQ(read->name, row.name);
        EXPECT_EQ(read->word, row.word.empty() ? row.name : row.word);
        EXPECT_EQ(read->beforeList, row.beforeList);
        EXPECT_EQ(read->listText, row.listText);
        EXPECT_EQ(read->HasList(), row.list != List::None);
        EXPECT_EQ(read->ListClosed(), row.list == List::Closed);
    }
    EXPECT_EQ(ReadParamLine("x @param y :{A}")->keywordAt, 2u);
    EXPECT_FALSE(ReadParamLine("@Param x :{A}").has_value());
}

TEST(DocumentationRules, TheListTheParserTakesForAName) {
    const std::string_view rows[][3] = {
        {"@param iMode :{A,B}\n", "iMode", "A,B"},
        {"@param iMode :{A,B}", "iMode", ""},  // no line end
        {"@param x :{A \t, B} tail}\n", "x", "A,B"},
        {"@param x :{A,\nB}\n", "x", ""},
        {"@param x:{A}\n", "x", ""},
        {"@param xy :{A}\n", "x", ""},
        {"see @param x :{A}, @param x :{B}\n", "x", "A"},
        {"@param p :{A}\n", "p", ""},
        {"@param am :{A}\n", "am", ""},
        {"@param ma :{A}\n", "ma", "A"},
        {"@param {x} :{A}\n", "{x}", ""},  // its "}" at the ":" of a one-letter name
        {"@param {xy} :{A}\n", "{xy}", "xy"},
        {"@param abc}d :{A,B}\n", "abc}d", ""},  // a "}" in the name before the "{"
    };
    for (const auto& [text, name, list] : rows) {
        EXPECT_EQ(ParserParamList(text, name), list) << text;
    }
    for (const char* name : {"x", "rx", "ma", "pm", "iMode"}) {
        EXPECT_TRUE(ParamNameCanMatch(name)) << name;
    }
    for (const char* name : {"p", "a", "r", "m", "am", "ar", "mm", "aram", "param", "@"}) {
        EXPECT_FALSE(ParamNameCanMatch(name)) << name;
    }
}

TEST(DocumentationRules, BlockOpenersAndTheirEnd) {
    // A line, whether it opens a block and what is left of it.
    const std::tuple<std::string_view, bool, std::string_view> rows[] = {
        {"/** a", true, "/** a"},    {" \t/*! a", true, "/*! a"},     {"  /**/", true, "/**/"},
        {"  /* a", false, "  /* a"}, {"  x /** a", false, "x /** a"}, {"//** a", false, "//** a"}};
    for (const auto& [line, opens, left] : rows) {
        std::string_view view = line;
        EXPECT_EQ(TrimBlockOpener(view), opens) << line;
        EXPECT_EQ(view, left);
    }
    EXPECT_EQ(BlockCloseAt(" * a */ b */"), 5u);
    EXPECT_EQ(BlockCloseAt(" * a * /"), std::string_view::npos);
}

// The state DocumentLines keeps per line without rewriting it is the parser's own.
TEST(DocumentationRules, TheOpenListStateIsTheParsers) {
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

}  // namespace
}  // namespace quill
