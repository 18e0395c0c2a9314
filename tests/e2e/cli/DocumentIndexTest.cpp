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

// Every field of a choice, so that two choices compare as one text.
std::string Describe(const cli::FunctionChoice& choice) {
    const FunctionDocumentation& doc = choice.parse.documentation;
    std::string text = choice.documentingPath + "\n" +
                       std::to_string(static_cast<int>(choice.lookup.outcome)) + " " +
                       choice.lookup.path + "\n" + choice.lookup.text + "\n---\n" +
                       (choice.parse.fileOpened ? "opened " : "not opened ") + doc.functionName +
                       " | " + doc.returnType + " | " + std::to_string(doc.parameterCount) + " | " +
                       doc.helperName + "\n" + doc.documentationText + "\n---\n";
    for (const ParameterDescription& p : doc.parameters) {
        text += p.name + " | " + p.choiceText + " | " + p.editText + "\n";
    }
    for (const std::string& message : choice.messages) {
        text += message + "\n";
    }
    return text;
}

// Writes the library (empty unless it documents itself) and its documenting
// file (none when `documenting` is empty), then chooses every entry both ways.
void ExpectIndexMatches(const ScratchFolder& folder, const std::string& library,
                        const std::string& documenting, const std::string& bytes) {
    const std::string libraryPath = folder.Write(library, library == documenting ? bytes : "");
    if (!documenting.empty() && documenting != library) {
        folder.Write(documenting, bytes);
    }
    cli::DocumentIndex index(libraryPath);
    // F0 comes twice; Absent is in no file.
    for (const char* entry :
         {"void F0(int iA, int iB)", "void F1(int iA, int iB)", "void F2(int iA, int iB)",
          "void F3(int iA, int iB)", "void F4(int iA, int iB)", "void Absent(int iA)",
          "void F0(int iA, int iB)"}) {
        ASSERT_EQ(Describe(index.Choose(entry)), Describe(cli::ChooseFunction(libraryPath, entry)))
            << library << " / " << entry << "\nsource:\n"
            << bytes;
    }
}

TEST(DocumentIndex, HandWrittenCases) {
    ScratchFolder folder;
    ExpectIndexMatches(
        folder, "Lib.h", "Lib.c",
        // Before any block: the first function's text starts at line one.
        "void F0(int iA, int iB)\n/**\n * @param iA :{A,B}\n * @param iB :{X|Y}\n */\n"
        "extern  void  F1( int iA ,int iB );\n\t/*! indented opener\n"
        // A list left open across the next opener.
        " * @param iA :{A,\n/**\n   B}\n * @param iB : {Q}\n */\n"
        "void F2(int iA, int iB)\nx = 1; /** not an opener */\n"
        "/*!\n * @note Run Help.exe\n * @param iB :{1-9}\nvoid F3(int iA, int iB)\n"
        "static void F4(int iA, int iB)\n");
    // Long lines and CR LF; a NUL inside a line cuts it, one at a line's start ends every scan.
    ExpectIndexMatches(
        folder, "Long.h", "Long.c",
        "/**\n * @param iA :{" + std::string(300, 'A') + "}\n */\nvoid F0(int iA, int iB)\r\n/**" +
            std::string(260, ' ') +
            "/**\nvoid F1(int iA, int iB)\r\n/*! @param iB :{Z,Y}\r\nvoid F2(int iA, int iB)\r\n"
            "void F3(int iA, int iB)\0 hidden\n/**\nvoid F4(int iA, int iB)\n"
            "\0void F0(int iA, int iB)\n\0tail\n"s);
    // After 255 bytes the reader starts a new line, which may then begin with
    // "/**"; one byte later the "/**" is inside a line and opens nothing.
    for (std::size_t before : {254u, 255u, 256u}) {
        const std::string name = "Piece" + std::to_string(before);
        ExpectIndexMatches(folder, name + ".h", name + ".c",
                           "/**\n * @param iA :{A,B}\n */\nvoid F0(int iA, int iB)\n" +
                               std::string(before, 'x') +
                               "/**\n * @param iB :{C,D}\n */\nvoid F1(int iA, int iB)\n");
    }
    ExpectIndexMatches(folder, "Gone.h", "", "");
    ExpectIndexMatches(folder, "Lib.s79", "Lib.s79",
                       "/*!\nvoid F1(int iA, int iB)\n  @param iA :{0,1}\n*/\n"
                       "; C Function prototype: void F1(int iA, int iB)\n");
}

TEST(DocumentIndex, GeneratedFiles) {
    // Lines that matter to the lookup and to the parser, in random order.
    const std::string vocabulary[] = {"/**\n",
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
                                      std::string(270, '*') + "\n"};
    std::mt19937 random(7u);
    ScratchFolder folder;
    for (int file = 0; file < 150 && !::testing::Test::HasFatalFailure(); ++file) {
        std::string source;
        for (int i = 20 + static_cast<int>(random() % 120); i > 0; --i) {
            source += vocabulary[random() % std::size(vocabulary)];
        }
        const std::string name = "Gen" + std::to_string(file);
        ExpectIndexMatches(folder, name + ".h", name + ".c", source);
    }
}

}  // namespace
}  // namespace quill::testing
