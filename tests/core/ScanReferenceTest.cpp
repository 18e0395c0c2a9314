// The line reader, the line normalisation and both scans against plain
// versions that do each step the simple way (one byte per read, one
// whole-line replacement per rule, a copy per cut), on random and hostile
// input. Any difference in any byte is a failure.

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
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{{"extern ", ""},
                                                                                   {" ,", ","},
                                                                                   {", ", ","},
                                                                                   {",", ", "},
                                                                                   {"( ", "("},
                                                                                   {" (", "("},
                                                                                   {" )", ")"}}) {
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

long Find(const std::string& text, const std::string& what) {
    const std::size_t pos = text.find(what);
    return pos == std::string::npos ? -1 : static_cast<long>(pos);
}

bool Letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::optional<std::string> PlainHeaderLine(const std::string& line, bool& inComment) {
    long cut = static_cast<long>(line.size());
    if (inComment) {
        cut = 0;
        if (Find(line, "*/") >= 0) {
            inComment = false;
        }
    } else if (Find(line, "/*") >= 0) {
        cut = Find(line, "/*");
        inComment = Find(line, "*/") <= cut;
    }
    for (const char* stop : {";", "//"}) {
        if (Find(line, stop) >= 0 && Find(line, stop) < cut) {
            cut = Find(line, stop);
        }
    }
    std::string text = line.substr(0, static_cast<std::size_t>(cut));
    if (Find(text, ")") >= 5) {
        text = text.substr(0, static_cast<std::size_t>(Find(text, ")")) + 1);
    }
    text = PlainNormalise(text);
    if (cut > 0 && !inComment && !text.empty() && Letter(text[0]) && Find(text, "(") > 0 &&
        Find(text, ")") > 0) {
        return text;
    }
    return std::nullopt;
}

std::optional<std::string> PlainAssemblerLine(const std::string& line) {
    if (line.rfind("; C Function prototype:", 0) != 0 &&
        line.rfind("@ C Function prototype:", 0) != 0) {
        return std::nullopt;
    }
    std::string text = PlainReplaceAll(line, "; C Function prototype:", "");
    text = PlainReplaceAll(text, "@ C Function prototype:", "");
    while (!text.empty() && std::string(" \t\r\n\v\f").find(text[0]) != std::string::npos) {
        text.erase(0, 1);
    }
    if (Find(text, ")") < 3) {
        return std::nullopt;
    }
    return text.substr(0, static_cast<std::size_t>(Find(text, ")")) + 1);
}

Lines PlainEntries(LibraryKind kind, const std::string& bytes) {
    Lines entries;
    bool inComment = false;
    for (const std::string& line : PlainLines(bytes)) {
        const std::optional<std::string> entry = kind == LibraryKind::Header
                                                     ? PlainHeaderLine(line, inComment)
                                                     : PlainAssemblerLine(line);
        if (entry) {
            entries.push_back(*entry);
        }
    }
    return entries;
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
    for (const std::string& line : SplitAtEvery(
             "| |\t\t|extern extern x|exextern tern y|a extern  b|externextern  c| , , ,|,,|, ,|"
             "x,( y|f( , )|( ( ) )| ( |a ,\t, b|g(a , b ,c )|,)|, (|extern\textern\t|"
             "\textern (,)|f(a, (b), c)|extern int\tf(x,  y)",
             '|')) {
        EXPECT_EQ(NormaliseLine(line), PlainNormalise(line)) << '"' << line << '"';
    }
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

        // Skipping to the lines that may hold "*/" passes only whole lines
        // without it, and every line that holds it still comes.
        TextFile skipping;
        ASSERT_TRUE(skipping.Open(scratch.PathOf("lines.h")));
        std::size_t next = 0;
        for (;;) {
            skipping.SkipLinesWithout("*/");
            const std::string line(skipping.NextLine());
            while (next < expected.size() && expected[next] != line) {
                ASSERT_EQ(expected[next].find("*/"), std::string::npos) << "skipped line " << next;
                ++next;
            }
            if (line.empty()) {
                break;
            }
            ASSERT_LT(next, expected.size()) << "a line that was never there: " << line;
            ++next;
        }

        for (const auto& [name, kind] : {std::pair{"lib.h", LibraryKind::Header},
                                         std::pair{"lib.s", LibraryKind::Assembler}}) {
            const Lines entries = PlainEntries(kind, bytes);
            ASSERT_EQ(ScanFunctionEntries(kind, expected), entries) << name;
            Lines streamed;
            ASSERT_TRUE(ScanLibraryFile(scratch.Write(name, bytes),
                                        [&](std::string_view e) { streamed.emplace_back(e); }));
            ASSERT_EQ(streamed, entries) << name;
        }
    }
}

TEST(ScanReference, ListOrderMatchesALetterByLetterComparison) {
    const auto lower = [](std::string text) {
        for (char& c : text) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        return text;
    };
    const auto plainLess = [&](const std::string& a, const std::string& b) {
        return lower(a) != lower(b) ? lower(a) < lower(b) : a < b;
    };
    // Long shared prefixes, differences in case only, and bytes above 127.
    std::mt19937 random(5);
    const std::string letters = "aAbB_(\xE9\xC9";
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string text = i % 2 ? "uint32_t GEN_Uart00" : "UINT32_T gen_uart00";
        text.resize(random() % (text.size() + 1));
        for (std::size_t n = random() % 12; n > 0; --n) {
            text += letters[random() % letters.size()];
        }
        texts.push_back(text);
    }
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        ASSERT_EQ(LessIgnoringCase(texts[i], texts[i + 1]), plainLess(texts[i], texts[i + 1]))
            << texts[i] << " / " << texts[i + 1];
    }
    std::vector<std::string> sorted = texts;
    SortIgnoringCase(sorted);
    std::vector<std::string> expected = texts;
    std::stable_sort(expected.begin(), expected.end(), plainLess);
    EXPECT_EQ(sorted, expected);
    const auto firstEqual = std::find_if(sorted.begin(), sorted.end(), [&](const std::string& t) {
        return lower(t) == "uint32_t gen_uart00";
    });
    ASSERT_NE(firstEqual, sorted.end());
    EXPECT_EQ(IndexIgnoringCase(sorted, "Uint32_t GEN_UART00"), firstEqual - sorted.begin());
    EXPECT_EQ(IndexIgnoringCase(sorted, "uint32_t gen_uart00 "), -1);
}

}  // namespace
}  // namespace quill
