// lint chooses every function of a library through DocumentIndex, which
// reads the documenting file once; the window's way, ChooseFunction, reads it
// anew for each function. On any file both must give the same result.

#include "cli/DocumentIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/unit/ScratchFolder.h"

namespace quill::testing {
namespace {

using namespace std::string_literals;
using cli::DocumentIndex;
using cli::FunctionChoice;

void ExpectSameChoice(const FunctionChoice& fast, const FunctionChoice& slow,
                      const std::string& context) {
    EXPECT_EQ(fast.documentingPath, slow.documentingPath) << context;
    EXPECT_EQ(fast.lookup.outcome, slow.lookup.outcome) << context;
    EXPECT_EQ(fast.lookup.path, slow.lookup.path) << context;
    EXPECT_EQ(fast.lookup.text, slow.lookup.text) << context;
    EXPECT_EQ(fast.parse.fileOpened, slow.parse.fileOpened) << context;
    EXPECT_EQ(fast.messages, slow.messages) << context;
    const FunctionDocumentation& a = fast.parse.documentation;
    const FunctionDocumentation& b = slow.parse.documentation;
    EXPECT_EQ(a.functionName, b.functionName) << context;
    EXPECT_EQ(a.returnType, b.returnType) << context;
    EXPECT_EQ(a.parameterCount, b.parameterCount) << context;
    EXPECT_EQ(a.helperName, b.helperName) << context;
    EXPECT_EQ(a.documentationText, b.documentationText) << context;
    for (int k = 0; k < kMaxParameters; ++k) {
        EXPECT_EQ(a.parameters[k].name, b.parameters[k].name) << context;
        EXPECT_EQ(a.parameters[k].choiceText, b.parameters[k].choiceText) << context;
        EXPECT_EQ(a.parameters[k].editText, b.parameters[k].editText) << context;
    }
}

void ExpectIndexMatches(const std::string& library, const std::vector<std::string>& entries,
                        const std::string& context) {
    DocumentIndex index(library);
    for (const std::string& entry : entries) {
        ExpectSameChoice(index.Choose(entry), cli::ChooseFunction(library, entry),
                         context + " / " + entry);
    }
}

const std::vector<std::string> kEntries = {
    "void F0(int iA, int iB)", "void F1(int iA, int iB)", "void F2(int iA, int iB)",
    "void F3(int iA, int iB)", "void F4(int iA, int iB)", "void Absent(int iA)",
    "void F0(int iA, int iB)",  // the same function twice
};

TEST(DocumentIndex, HandWrittenCases) {
    ScratchFolder folder;
    const std::string library = folder.Write("Lib.h", "");
    folder.Write("Lib.c",
                 // Before any block: the first function's text starts at line one.
                 "void F0(int iA, int iB)\n"
                 "/**\n"
                 " * @param iA :{A,B}\n"
                 " * @param iB :{X|Y}\n"
                 " */\n"
                 "extern  void  F1( int iA ,int iB );\n"
                 "\t/*! indented opener\n"
                 " * @param iA :{A,\n"  // a list left open across the next opener
                 "/**\n"
                 "   B}\n"
                 " * @param iB : {Q}\n"
                 " */\n"
                 "void F2(int iA, int iB)\n"
                 "x = 1; /** not an opener */\n"
                 "/*!\n"
                 " * @note Run Help.exe\n"
                 " * @param iB :{1-9}\n"
                 "void F3(int iA, int iB)\n"
                 "static void F4(int iA, int iB)\n");
    ExpectIndexMatches(library, kEntries, "hand-written");
}

TEST(DocumentIndex, LongLinesNulAndCrLf) {
    ScratchFolder folder;
    const std::string library = folder.Write("Long.h", "");
    std::string source = "/**\n * @param iA :{" + std::string(300, 'A') + "}\n */\n";
    source += "void F0(int iA, int iB)\r\n/**" + std::string(260, ' ') + "/**\n";
    source += "void F1(int iA, int iB)\r\n/*! @param iB :{Z,Y}\r\nvoid F2(int iA, int iB)\r\n";
    // A NUL inside a line cuts it; a NUL at the start of a line ends every scan.
    source += "void F3(int iA, int iB)\0 hidden\n/**\nvoid F4(int iA, int iB)\n"s;
    source += "\0void F0(int iA, int iB)\n\0tail\n"s;
    folder.Write("Long.c", source);
    ExpectIndexMatches(library, kEntries, "long lines");
}

TEST(DocumentIndex, OpenerAtAPieceBoundary) {
    // After 255 bytes the reader starts a new line, which may then begin with
    // "/**"; one byte later the "/**" is inside a line and opens nothing.
    ScratchFolder folder;
    for (std::size_t before : {254u, 255u, 256u}) {
        const std::string name = "Piece" + std::to_string(before);
        const std::string library = folder.Write(name + ".h", "");
        folder.Write(name + ".c", "/**\n * @param iA :{A,B}\n */\nvoid F0(int iA, int iB)\n" +
                                      std::string(before, 'x') +
                                      "/**\n * @param iB :{C,D}\n */\nvoid F1(int iA, int iB)\n");
        ExpectIndexMatches(library, kEntries, name);
    }
}

TEST(DocumentIndex, MissingAndAssemblerDocumentingFiles) {
    ScratchFolder folder;
    ExpectIndexMatches(folder.PathOf("Gone.h"), kEntries, "missing");
    const std::string assembler =
        folder.Write("Lib.s79",
                     "/*!\nvoid F1(int iA, int iB)\n  @param iA :{0,1}\n*/\n"
                     "; C Function prototype: void F1(int iA, int iB)\n");
    ExpectIndexMatches(assembler, kEntries, "assembler");
}

TEST(DocumentIndex, GeneratedFiles) {
    // Lines that matter to the lookup and to the parser, in random order.
    const std::vector<std::string> vocabulary = {
        "/**\n",
        "/*!\n",
        "   /** indented\n",
        "\t/*! tabbed\n",
        "x = 1; /** inline */\n",
        " */\n",
        "*/\n",
        " * @brief Does things.\n",
        " * @param iA :{A,B}\n",
        " * @param iB :{X|Y|Z}\n",
        " * @param iA :{A,\n",
        "   B}\n",
        "   C\n",
        " * @param iB : {Q,R}\n",
        " * @note Run Pick.exe first\n",
        " * @return 0\n",
        " * @param iA :{f(1),g(2)}\n",
        "\t@param\tiB\t:{1-9}\n",
        "{\n",
        "}\n",
        "\n",
        "\r\n",
        "    return;\n",
        "void F0(int iA, int iB)\n",
        "void F1(int iA, int iB)\r\n",
        "extern  void  F2( int iA ,int iB );\n",
        "void F3(int iA, int iB) { }\n",
        "\tvoid F4(int iA, int iB)\n",
        "static void F4(int iA, int iB)\n",
        "void F4(int iA, int iB) // last\n",
        std::string(270, '*') + "\n",
    };
    std::mt19937 random(7u);
    ScratchFolder folder;
    for (int file = 0; file < 150; ++file) {
        const std::string name = "Gen" + std::to_string(file);
        const std::string library = folder.Write(name + ".h", "");
        std::string source;
        const int lines = 20 + static_cast<int>(random() % 120);
        for (int i = 0; i < lines; ++i) {
            source += vocabulary[random() % vocabulary.size()];
        }
        folder.Write(name + ".c", source);
        ExpectIndexMatches(library, kEntries, name);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "source of " << name << ":\n" << source;
            return;
        }
    }
}

}  // namespace
}  // namespace quill::testing
