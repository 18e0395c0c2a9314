// The line reader and the line normalisation against plain versions that do
// each step the simple way (one byte per read, one whole-line replacement per
// rule), and the streamed scan against the scan of those lines, on random and
// hostile input. Any difference in any byte is a failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/files/ReadTextLine.h"
#include "core/library/FunctionScanner.h"
#include "core/text/LineNormaliser.h"
#include "core/text/TextOps.h"

namespace quill {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

// ---- The plain versions -------------------------------------------------

std::string PlainReplaceAll(const std::string& text, const std::string& from,
                            const std::string& to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, start)) {
        out += text.substr(start, pos - start) + to;
        start = pos + from.size();
    }
    return out + text.substr(start);
}

std::string PlainNormalise(const std::string& line) {
    std::string s = PlainReplaceAll(line, "\t", " ");
    while (s.find("  ") != std::string::npos) {
        s = PlainReplaceAll(s, "  ", " ");
    }
    const char* const rules[][2] = {{"extern ", ""}, {" ,", ","}, {", ", ","}, {",", ", "},
                                    {"( ", "("},     {" (", "("}, {" )", ")"}};
    for (const auto& [from, to] : rules) {
        s = PlainReplaceAll(s, from, to);
    }
    return s;
}

// Every line of `bytes` taken one byte at a time, up to the first empty one.
Lines PlainLines(const std::string& bytes) {
    Lines lines;
    for (std::size_t pos = 0;;) {
        std::string line;
        while (pos < bytes.size() && line.size() < 255) {
            line += bytes[pos++];
            if (line.back() == '\n') {
                break;
            }
        }
        line = line.substr(0, line.find('\0'));
        if (line.empty()) {
            return lines;
        }
        lines.push_back(line);
    }
}

// ---- Input ----------------------------------------------------------------

// Pieces that the rules react to, with plain text between them ("|"
// separates them here).
const std::vector<std::string>& Pieces() {
    static const std::vector<std::string> pieces = SplitAtEvery(
        " |  |\t|,|(|)|( | )| ,|, |extern |extern|ex|tern |e|/*|*/|/|*|//|;|\r\n|\n|\r|\0|int|"
        "Foo|_x|#|a|Z|9|\xE9|; C Function prototype:|@ C Function prototype:|/*/"s,
        '|');
    return pieces;
}

std::string RandomLine(std::mt19937& random, std::size_t maxPieces) {
    std::string line;
    const std::size_t count = random() % (maxPieces + 1);
    for (std::size_t i = 0; i < count; ++i) {
        line += Pieces()[random() % Pieces().size()];
    }
    return line;
}

// Ordinary header text and hostile lines; some lines run
// past 255 bytes, few carry a NUL (which ends every scan).
std::string RandomFile(std::mt19937& random, std::size_t bytes) {
    static const std::vector<std::string> ordinary = SplitAtEvery(
        "/**\n| * @param a :{1,2} the unit\n| */\n|void Init(void);\n|#define X 1\n|\tint i;\n|\n|"
        "extern   unsigned char  Foo ( int a ,int b ) ; // x\r\n|typedef int T;\n|"
        "; C Function prototype: int Add(int a,int b)\n|@ C Function prototype:\tvoid  G (x) ; y\n",
        '|');
    std::string file;
    while (file.size() < bytes) {
        const unsigned pick = random() % 100;
        if (pick < 40) {
            file += ordinary[random() % ordinary.size()];
        } else if (pick < 97) {
            // Half of them may be entries.
            std::string line = (pick % 2 ? "Fn" : "") + RandomLine(random, 12);
            line.erase(std::remove(line.begin(), line.end(), '\0'), line.end());
            file += line + "\n";
        } else {
            file += std::string(200 + random() % 400, "ab ,("[random() % 4]) + "\n";
        }
    }
    return file;
}

// ---- Tests ------------------------------------------------------------------

TEST(ScanReference, NormaliseLineMatchesTheNineReplacements) {
    // A short line sizes the buffers for the sixteen-byte path; a longer
    // one the byte-wise passes take at once ("extern" and two blanks) and
    // widen to twice its length must still fit.
    LineNormaliser grown;
    for (const std::string& line : {"f(a,b)"s, "extern  a" + std::string(40, ',')}) {
        ASSERT_EQ(grown.Normalise(line), PlainNormalise(line)) << '"' << line << '"';
    }
    std::mt19937 random(11);
    LineNormaliser reused;
    for (int i = 0; i < 20000; ++i) {
        const std::string line = RandomLine(random, 16);
        const std::string expected = PlainNormalise(line);
        ASSERT_EQ(NormaliseLine(line), expected) << '"' << line << '"';
        ASSERT_EQ(reused.Normalise(line), expected) << '"' << line << '"';
    }
}

// Every file is read line by line (from memory, from disk, and skipping to
// "*/") and scanned both ways, against the plain versions.
TEST(ScanReference, ReaderAndScansMatchThePlainOnesAcrossBufferBoundaries) {
    testing::ScratchFolder scratch;
    std::mt19937 random(3);
    const std::string x255(255, 'x');
    std::string calls;  // pieces cut elsewhere give other entries
    while (calls.size() < 300) {
        calls += "Fn(a) ";
    }
    std::vector<std::string> files{
        "last line without end"s, "\n\n\r\n"s, x255, x255 + "\n", x255 + "y", "a\0b\nc\n"s, "\0"s,
        std::string(600, 'x') + "\n", "int F(x\0)y;\nint G(void);\n"s,
        // One line longer than the whole buffer, in a comment.
        "/* open\n" + std::string(70000, 'q') + "\n*/\nint F(void);\n",
        // Marks split between two 255-byte pieces open or close nothing.
        "/*\n" + std::string(254, 'x') + "*/ a\nint G(void);\n*/\n",
        "Fn(a)" + std::string(249, 'x') + "/* b\nint G(void);\n",
        "#\n#\n " + std::string(254, '-') + "Fn(a) x\n" + std::string(99, '\n')};
    // A long line (and a NUL byte) starting at every offset just before the
    // 64 KiB buffer edge: short lines lead up to it, so the reader first has
    // to read on in the middle of the long one.
    for (std::size_t left = 0; left <= 260; left = left == 8 ? 245 : left + 1) {
        std::string lead;
        while (lead.size() + 50 < 65536 - left) {
            lead += std::string(49, 'a') + "\n";
        }
        lead += std::string(65536 - left - lead.size() - 1, 'c') + "\n";
        files.push_back(lead + calls + "\n" + x255 + "tail");
        if (left % 4 == 0) {
            files.push_back(lead + calls.substr(0, left / 2) + "\0z)\n"s + "more\n");
        }
    }
    for (int i = 0; i < 40; ++i) {
        files.push_back(RandomFile(random, 2000 + random() % 4000));
    }
    for (int i = 0; i < 4; ++i) {
        files.push_back(RandomFile(random, 150000));
    }
    for (const std::string& bytes : files) {
        const Lines expected = PlainLines(bytes);
        TextFile memory = TextFile::FromBytes(bytes);
        TextFile disk;
        ASSERT_TRUE(disk.Open(scratch.Write("lines.h", bytes)));
        Lines fromMemory, fromDisk;
        for (std::string_view line = memory.NextLine(); !line.empty(); line = memory.NextLine()) {
            fromMemory.emplace_back(line);
        }
        for (std::string line; ReadTextLine(disk, line);) {
            fromDisk.push_back(line);
        }
        ASSERT_EQ(fromMemory, expected);
        ASSERT_EQ(fromDisk, expected);
        EXPECT_FALSE(disk.ReadFailed());
        if (bytes.find('\0') == std::string::npos) {
            EXPECT_EQ(ReadTextLine(disk), "");  // the end stays the end
        }

        // The scan of a file as it streams by gives what the scan of its lines
        // gives (whose rules FunctionScannerTest checks).
        for (const auto& [name, kind] : {std::pair{"lib.h", LibraryKind::Header},
                                         std::pair{"lib.s", LibraryKind::Assembler}}) {
            const Lines entries = ScanFunctionEntries(kind, expected);
            Lines streamed;
            ASSERT_TRUE(ScanLibraryFile(scratch.Write(name, bytes),
                                        [&](std::string_view e) { streamed.emplace_back(e); }));
            ASSERT_EQ(streamed, entries) << name;
        }
    }
}

// The function list's order: ASCII case ignored, then the bytes; the word-wide
// skip of a shared prefix must not hide a difference in case after it.
TEST(ListOrder, CaseIgnoredThenBytesAcrossTheWordSkip) {
    const struct {
        const char* a;
        const char* b;
        bool less;
    } cases[] = {{"uint32_t GEN_Uart00", "UINT32_T gen_uart01", true},
                 {"UINT32_T gen_uart01", "uint32_t GEN_Uart00", false},
                 {"uint32_t GEN_UART", "uint32_t gen_uart", true},  // a tie: "G" < "g"
                 {"uint32_t gen_uart", "uint32_t GEN_UART", false},
                 {"uint32_t A_x", "uint32_t a_", false},  // the shorter first
                 {"uint32_t a_", "UINT32_T A_x", true},
                 {"int _(void)", "int Z(void)", true},  // "_" is above "Z", below "z"
                 {"int \xE9", "int z", false},          // bytes above 127 after "z"
                 {"abcdefgh", "abcdefgh", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(LessIgnoringCase(c.a, c.b), c.less) << c.a << " / " << c.b;
    }
    std::vector<std::string> list = {"void b(x)", "void B(x)", "Void a(x)", "void B(x)", "int Z()"};
    SortIgnoringCase(list);
    EXPECT_EQ(list, (Lines{"int Z()", "Void a(x)", "void B(x)", "void B(x)", "void b(x)"}));
    EXPECT_EQ(IndexIgnoringCase(list, "VOID b(X)"), 2);
    EXPECT_EQ(IndexIgnoringCase(list, "void b(x) "), -1);
}

}  // namespace
}  // namespace quill
