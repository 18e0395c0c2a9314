// Vendor mode: the scan of every function a header declares, the block that
// is a function's own, and which libraries get the mode.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ScratchFolder.h"
#include "core/ChooseFunction.h"
#include "core/docs/VendorLookup.h"
#include "core/docs/VendorMode.h"
#include "core/files/ReadTextLine.h"
#include "core/library/VendorScanner.h"

namespace quill {
namespace {

using testing::ScratchFolder;
using Texts = std::vector<std::string>;

// The lines of `text`, each with its "\n" (a last line without one as it is).
Texts SplitLines(const std::string& text) {
    Texts lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1);
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

Texts VendorEntriesOf(const std::string& text, unsigned long long fileBytes = 0) {
    VendorEntries scan(fileBytes);
    Texts entries;
    for (const std::string& line : SplitLines(text)) {
        scan.Feed(line, [&entries](std::string_view entry) { entries.emplace_back(entry); });
    }
    return entries;
}

TEST(VendorScan, ListsEveryFunctionOnceAndNothingElse) {
    const struct {
        const char* header;
        Texts entries;
    } cases[] = {
        // Over several lines, comments inside: joined and normalised.
        {"API_EXPORT int  lib_open(\n  const char *name,  /* a (name) */\n  lib **out\n);\n",
         {"API_EXPORT int lib_open(const char *name, lib **out)"}},
        {"ATTR Result CALL mkThing(\r\n\tconst Info* pInfo,\r\n\tThing* pThing);\r\n",
         {"ATTR Result CALL mkThing(const Info* pInfo, Thing* pThing)"}},
        // A declaration and its inline body are one function.
        {"PFX_INLINE void pin_set(int pin);\n#ifndef DECLARE_ONLY\nPFX_INLINE void pin_set(int "
         "pin)\n{\n    if (pin) { REG = '{'; }\n}\n#endif\n",
         {"PFX_INLINE void pin_set(int pin)"}},
        // Types, macro invocations and variables are no functions.
        {"typedef void (*handler_t)(int event);\ntypedef int (API_PTR "
         "*PFN_go)(int);\nstatic const char *names[] = { \"a(\", \"b\" };\nint counter;\n"
         "struct ops { int (*run)(void); };\nASSERT_SIZE(struct ops, 8);\nvoid (*hook)(void);\n"
         "DEFINE_HANDLE(Device)\nvoid real(void);\n",
         {"void real(void)"}},
        // The entry drops every "extern ", even one that ends a word: a
        // declaration is what its entry declares.
        {"extern int kept(void);\nextern dropped(int x);\nint joinextern ed(int x);\n"
         "int joined(int x);\n",
         {"int kept(void)", "int joined(int x)"}},
        // A declaration waits for the next function before it is listed:
        // the order stays that of the file.
        {"int a(void); static int b(void) { return 0; }\nint a(void);\nint c(void);\n",
         {"int a(void)", "static int b(void)", "int c(void)"}},
        // Scopes of declarations are looked into; only the first branch of
        // a conditional counts its braces.
        {"#ifdef __cplusplus\nextern \"C\" {\n#endif\n#if FAST\nstatic inline int twice(int "
         "x) {\n#else\nstatic inline int twice(int x) {\n#endif\n  return 2 * x;\n}\n"
         "__attribute__((noreturn)) void stop(void) __attribute__((cold));\n#ifdef "
         "__cplusplus\n}\n#endif\n",
         {"static inline int twice(int x)", "void stop(void)"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VendorEntriesOf(c.header), c.entries) << c.header;
    }
}

// Enough names that the set of listed names grows several times, and a
// comment holding "*", "/" and "/*/" before it ends.
TEST(VendorScan, ListsManyFunctionsOnceEach) {
    std::string header = "/* a */ /* b */ /*/ still a comment */ /** **/\n";
    for (int i = 0; i < 600; ++i) {
        header += "void f" + std::to_string(i) + "(void);\n";
    }
    for (int i = 599; i >= 0; --i) {
        header += "inline void f" + std::to_string(i) + "(void) {}\n";
    }
    header += "typedef int callback_t(int);\nint last(void);\n";
    const Texts entries = VendorEntriesOf(header);
    ASSERT_EQ(entries.size(), 601u);
    EXPECT_EQ(entries[0], "void f0(void)");
    EXPECT_EQ(entries[599], "void f599(void)");
    EXPECT_EQ(entries[600], "int last(void)");
}

// So many names that the set takes its memory in large blocks, whether its
// table grows as names come or is sized for the file at once.
TEST(VendorScan, ListsTensOfThousandsOfFunctionsOnceEach) {
    std::string header;
    for (int i = 0; i < 30000; ++i) {
        header += "void function_" + std::to_string(i) + "(void);\n";
    }
    for (int i = 29999; i >= 0; --i) {
        header += "inline void function_" + std::to_string(i) + "(void) {}\n";
    }
    header += "int last(void);\n";
    for (const unsigned long long fileBytes : {0ull, 1ull << 24}) {
        const Texts entries = VendorEntriesOf(header, fileBytes);
        ASSERT_EQ(entries.size(), 30001u) << fileBytes;
        EXPECT_EQ(entries[12345], "void function_12345(void)");
        EXPECT_EQ(entries[29999], "void function_29999(void)");
        EXPECT_EQ(entries[30000], "int last(void)");
    }
}

TEST(VendorScan, NamesAFunctionOnlyWhereThereIsOne) {
    EXPECT_EQ(VendorFunctionName("ATTR Result CALL mkThing(const Info* pInfo)"), "mkThing");
    EXPECT_EQ(VendorFunctionName("void TmrGo(int iMode)"), "TmrGo");
    EXPECT_EQ(VendorFunctionName("typedef void (*handler_t)(int)"), "");
    EXPECT_EQ(VendorFunctionName("DEFINE_HANDLE(Device)"), "");
}

// The list read straight from the file, as the window and quill-cli read it:
// a NUL byte ends its line's text only, and a line that begins with one ends
// the file, as the line reader has it.
TEST(VendorScan, AFileReadsAsItsLines) {
    ScratchFolder folder;
    const struct {
        std::string bytes;
        Texts entries;
    } cases[] = {
        {std::string("int a(int x)\n{\n\tif (x) {\n\t\0junk(\n\t}\n\treturn 0;\n}\n"
                     "void b(void);\n",
                     63),
         {"int a(int x)", "void b(void)"}},
        {std::string("void c(void);\n\0void d(void);\n", 29), {"void c(void)"}},
    };
    for (const auto& c : cases) {
        const LibraryScan scan = ScanLibraryFile(folder.Write("nul.h", c.bytes), true);
        EXPECT_TRUE(scan.opened);
        EXPECT_EQ(scan.entries, c.entries) << c.bytes.size();
    }
}

// The index answers the same wherever its caller expects a name: the place
// it is asked at first only spares a search, and moves on in file order.
TEST(VendorIndex, FindsANameFromAnyPlaceItIsAskedAt) {
    ScratchFolder folder;
    TextFile file;
    ASSERT_TRUE(file.Open(folder.Write(
        "idx.h", "void a(void);\nvoid b(int x);\nvoid a(void) { }\nvoid c(int y);\n")));
    DocumentLines lines(std::move(file));
    const VendorFunctionIndex index(lines);
    const auto firstLines = [&index](std::string_view name, std::size_t& next) {
        std::vector<std::size_t> found;
        for (const VendorFunction& function : index.Find(name, next)) {
            found.push_back(function.firstLine);
        }
        return found;
    };
    const struct {
        std::string_view name;
        std::size_t next;  // asked at
        std::optional<std::uint32_t> first;
        std::size_t nextAfterFirst;
        std::vector<std::size_t> lines;
        std::size_t nextAfterFind;
    } cases[] = {
        {"a", 0, 0, 1, {0, 2}, 1}, {"a", 1, 0, 1, {0, 2}, 1}, {"a", 2, 0, 3, {0, 2}, 2},
        {"a", 4, 0, 4, {0, 2}, 4}, {"b", 1, 1, 2, {1}, 2},    {"b", 3, 1, 3, {1}, 3},
        {"c", 0, 3, 4, {3}, 4},    {"c", 3, 3, 4, {3}, 4},    {"zz", 1, {}, 1, {}, 1},
    };
    for (const auto& c : cases) {
        std::size_t next = c.next;
        EXPECT_EQ(index.FirstPlace(c.name, next), c.first) << c.name << " at " << c.next;
        EXPECT_EQ(next, c.nextAfterFirst) << c.name << " at " << c.next;
        next = c.next;
        EXPECT_EQ(firstLines(c.name, next), c.lines) << c.name << " at " << c.next;
        EXPECT_EQ(next, c.nextAfterFind) << c.name << " at " << c.next;
    }
}

// What a lint prints of a choice, and what the window shows of it.
std::string Describe(const FunctionChoice& c) {
    std::string text = std::to_string(static_cast<int>(c.route)) + "|" + c.lookup.path + "|" +
                       c.lookup.text + "|" + c.documentation.functionName + "|" + c.helper.path +
                       (c.helper.exists ? "+" : "-");
    for (int k = 0; k < c.documentation.parameterCount; ++k) {
        text += "|" + c.documentation.parameters[k].choiceText;
        for (const std::string& value : c.suggestions[k].values) {
            text += "," + value;
        }
    }
    return text;
}

// A library readied for threads is chosen from two at once, each with a
// memory of its own, just as from one: blocks from the source folder and
// from the header, helpers, and values from the header's declarations.
TEST(VendorMode, TwoThreadsChooseAsOneDoes) {
    ScratchFolder folder;
    std::string header = "typedef enum { PIN_IN, PIN_OUT } pin_dir_t;\n";
    std::string source;
    constexpr int kFunctions = 300;
    for (int i = 0; i < kFunctions; ++i) {
        const std::string entry =
            "void pin_set" + std::to_string(i) + "(pin_dir_t dir, int iLevel)";
        const std::string block = "/**\n * @param dir the direction\n * @param iLevel :{0-" +
                                  std::to_string(i) + "}\n" +
                                  (i % 4 == 0 ? " * @note Run Pick.exe\n" : "") + " */\n";
        header += (i % 3 == 1 ? block : "") + entry + ";\n";
        source += i % 3 == 0 ? block + entry + "\n{\n}\n" : "";
    }
    folder.Write("pin/Src/pin.c", source);
    folder.Write("pin/Src/Pick.exe", "");
    const std::string path = folder.Write("pin/Inc/pin.h", header);

    const auto entriesOf = [](LibraryChoices& library) {
        Texts entries;
        library.ScanEntries([&entries](std::string_view e) { entries.emplace_back(e); });
        return entries;
    };
    LibraryChoices one(path, "", nullptr, /*vendorMode=*/true);
    one.IndexAll();
    const Texts entries = entriesOf(one);
    ASSERT_EQ(entries.size(), std::size_t{kFunctions});
    Texts expected;
    for (const std::string& entry : entries) {
        expected.push_back(Describe(one.Choose(entry)));
    }

    LibraryChoices notIndexed(path, "", nullptr, true);
    LibraryChoices plain(path, "", nullptr, /*vendorMode=*/false);
    plain.IndexAll();
    const LibraryChoices::RunBoth inTurn = [](const std::function<void()>& first,
                                              const std::function<void()>& second) {
        first();
        second();
    };
    EXPECT_FALSE(notIndexed.PrepareForThreads(inTurn));
    EXPECT_FALSE(plain.PrepareForThreads(inTurn));

    LibraryChoices two(path, "", nullptr, true);
    two.IndexAll();
    ASSERT_EQ(entriesOf(two), entries);
    ASSERT_TRUE(two.PrepareForThreads(
        [](const std::function<void()>& first, const std::function<void()>& second) {
            std::thread other(second);
            first();
            other.join();
        }));
    Texts chosen[2] = {Texts(kFunctions), Texts(kFunctions)};
    const auto chooseAll = [&](int t) {
        ChoiceMemory memory;
        for (int i = 0; i < kFunctions; ++i) {
            // One thread from the front, the other from the back.
            const int at = t == 0 ? i : kFunctions - 1 - i;
            chosen[t][at] = Describe(two.Choose(entries[at], memory));
        }
    };
    std::thread back(chooseAll, 1);
    chooseAll(0);
    back.join();
    EXPECT_EQ(chosen[0], expected);
    EXPECT_EQ(chosen[1], expected);
    EXPECT_EQ(expected[0],
              "4|" + folder.PathOf("pin/Src/pin.c") +
                  "|/**\n * @param dir the direction\n * @param iLevel :{0-0}\n * @note Run "
                  "Pick.exe\n */\nvoid pin_set0(pin_dir_t dir, int iLevel)\n{\n}\n|pin_set0|" +
                  folder.PathOf("pin/Src/Pick.exe") + "+|,PIN_IN,PIN_OUT|0-0");
    EXPECT_EQ(expected[1].substr(0, 2 + folder.PathOf("pin/Inc/pin.h").size()),
              "5|" + folder.PathOf("pin/Inc/pin.h"));
}

TEST(VendorMode, AutoIsOnForAHeaderWithoutItsSource) {
    ScratchFolder folder;
    const std::string alone = folder.Write("a/Alone.h", "");
    const std::string paired = folder.Write("a/Paired.h", "");
    folder.Write("a/Paired.c", "");
    const std::string included = folder.Write("p/include/Tmr.h", "");
    folder.Write("p/Src/tmr.c", "");
    const std::string assembler = folder.Write("a/Adc.s79", "");
    EXPECT_TRUE(UsesVendorMode(alone, VendorMode::Auto));
    EXPECT_FALSE(UsesVendorMode(paired, VendorMode::Auto));
    EXPECT_FALSE(UsesVendorMode(included, VendorMode::Auto));
    EXPECT_FALSE(UsesVendorMode(assembler, VendorMode::Auto));
    EXPECT_TRUE(UsesVendorMode(paired, VendorMode::On));
    EXPECT_FALSE(UsesVendorMode(alone, VendorMode::Off));
    EXPECT_EQ(ParseVendorMode("auto"), VendorMode::Auto);
    EXPECT_EQ(ParseVendorMode("On"), std::nullopt);
}

const char* const kLicence =
    "/**\n * Copyright (c) Tansy Ltd. All rights reserved.\n */\n"
    "#include \"tmr.h\"\n\n";

// The block right before the function, in the source, a source folder or
// the header; never a licence or a group marker, and never a box.
TEST(VendorMode, ShowsTheFunctionsOwnBlock) {
    ScratchFolder folder;
    const std::string header = folder.Write(
        "t/Inc/tmr.h",
        "/**\n * @brief Starts.\n * @param mode :{T_ON,T_OFF}\n */\nint tmr_start(int id,\n"
        "              int mode);\n/** @} */\nvoid tmr_stop(int id);\n");
    const std::string source =
        folder.Write("t/Src/tmr.c", std::string(kLicence) +
                                        "int tmr_start(int id, int mode)\n{\n    return 0;\n}\n");
    const FunctionChoice start =
        LookUpFunction(header, "int tmr_start(int id, int mode)", /*vendorMode=*/true);
    EXPECT_EQ(start.route, DocumentationRoute::Header);
    EXPECT_EQ(start.lookup.text,
              "/**\n * @brief Starts.\n * @param mode :{T_ON,T_OFF}\n */\nint tmr_start(int id,\n"
              "              int mode);\n");
    EXPECT_TRUE(start.messages.empty());

    FunctionRequest request{header, "int tmr_start(int id, int mode)", ""};
    request.vendorMode = true;
    const FunctionChoice chosen = ChooseFunction(request);
    EXPECT_EQ(chosen.documentation.parameterCount, 2);
    EXPECT_EQ(chosen.documentation.parameters[1].choiceText, "T_ON,T_OFF");

    // Not found: said in the text, naming only the files that were read.
    request.entry = "void tmr_stop(int id)";
    const FunctionChoice stop = ChooseFunction(request);
    EXPECT_EQ(stop.lookup.outcome, LookupOutcome::NoSource);
    EXPECT_TRUE(stop.messages.empty());
    EXPECT_EQ(stop.lookup.text, "No documentation block stands before tmr_stop in " + source +
                                    " or " + header + ".\n");

    // With a block of its own, the source's definition wins.
    folder.Write("t/Src/tmr.c",
                 std::string(kLicence) + "/** Runs. */\nint tmr_start(int id, int mode)\n{\n}\n");
    EXPECT_EQ(LookUpFunction(header, "int tmr_start(int id, int mode)", true).lookup.text,
              "/** Runs. */\nint tmr_start(int id, int mode)\n{\n}\n");

    // Declared with a block, then defined with another: the first in the file.
    const std::string pins = folder.Write(
        "p/pin.h",
        "/** Sets a pin. */\nvoid pin_set(int pin);\n/** Clears. */\nvoid pin_clr(int pin);\n"
        "/** The inline body. */\nstatic inline void pin_set(int pin)\n{\n}\n");
    EXPECT_EQ(LookUpFunction(pins, "void pin_set(int pin)", true).lookup.text,
              "/** Sets a pin. */\nvoid pin_set(int pin);\n");
}

TEST(VendorMode, OffKeepsThePlainLookupAndItsMessages) {
    ScratchFolder folder;
    const std::string header = folder.Write("h/Lone.h", "void LoneGo(int iMode);\n");
    const FunctionChoice off = ChooseFunction({header, "void LoneGo(int iMode)", ""});
    EXPECT_FALSE(off.vendorMode);
    EXPECT_EQ(off.messages.size(), 3u);  // no source, not found, could not find
    EXPECT_EQ(off.lookup.text, "-");
}

}  // namespace
}  // namespace quill
