#include "core/docs/VendorLookup.h"

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "core/ChooseFunction.h"

namespace quill {
namespace {

const std::string kEntry = "void tmr_start(int channel)";
const std::string kDocumented =
    "/**\n * @param channel one\n */\nvoid tmr_start(int channel)\n{\n}\n";
const std::string kHeaderOnly = "void tmr_start(int channel);\n";

// Where choosing kEntry finds its block for a header at `header`, relative
// to the scratch folder: "relative path (route)", or "-".
std::string FoundFor(const testing::ScratchFolder& folder, const std::string& header) {
    const FunctionChoice choice = ChooseFunction({folder.PathOf(header), kEntry, ""});
    if (!choice.Found()) {
        EXPECT_FALSE(choice.messages.empty());
        EXPECT_EQ(choice.route, DocumentationRoute::None);
        return "-";
    }
    // Found anywhere, it is read as if the documenting file held it.
    EXPECT_EQ(choice.messages, std::vector<std::string>{});
    EXPECT_NE(choice.lookup.text.find("@param channel"), std::string::npos);
    EXPECT_EQ(choice.documentation.functionName, "tmr_start");
    return choice.lookup.path.substr(folder.Root().size() + 1) + " (" +
           DocumentationRouteName(choice.route) + ")";
}

TEST(VendorLookup, SourceFoldersBesideTheIncludeFolder) {
    const struct {
        const char* header;
        const char* source;
        const char* expected;
    } cases[] = {{"a/Inc/tmr.h", "a/Src/tmr.c", "a/Src/tmr.c (source folder)"},
                 {"b/inc/tmr.H", "b/src/tmr.c", "b/src/tmr.c (source folder)"},
                 {"c/Include/tmr.h", "c/Source/tmr.c", "c/Source/tmr.c (source folder)"},
                 // The parent is the include folder: sub-folder kept, or not.
                 {"e/Inc/periph/tmr.h", "e/src/periph/tmr.c", "e/src/periph/tmr.c (source folder)"},
                 {"f/include/periph/tmr.h", "f/src/tmr.c", "f/src/tmr.c (source folder)"},
                 // No include folder, no source folder, or the source elsewhere.
                 {"g/lib/tmr.h", "g/src/tmr.c", "-"},
                 {"i/Inc/tmr.h", "i/Src/other/tmr.c", "-"}};
    for (const auto& c : cases) {
        testing::ScratchFolder folder;
        folder.Write(c.header, kHeaderOnly);
        folder.Write(c.source, kDocumented);
        EXPECT_EQ(FoundFor(folder, c.header), c.expected) << c.header;
    }
}

// A header documents the function in place when a block's comment ends right
// before its line, blank lines aside; the line reader gives lines longer than
// 255 bytes in pieces, which the check joins again.
TEST(VendorLookup, TheHeaderWhenItsBlockStandsRightBeforeThePrototype) {
    const std::string prototype = kEntry + ";\n";
    const std::pair<std::string, bool> cases[] = {
        {"/**\n * @param channel one\n */\n" + prototype, true},
        {"/*! @param channel one */\n\n\t\r\nvoid  tmr_start( int channel );\n/** next */\n", true},
        {"int y;\n  /** @param channel\n */\n" + prototype + "/** next */\n", true},
        {"/** @param channel " + std::string(300, 'c') + " */\n" + prototype, true},
        {"/** @param channel one */\nint x;\n" + prototype, false},
        {"/** @param channel */ int y;\n" + prototype, false},
        {prototype + "/** @param channel one */\n", false},
        {"/* @param channel */\n" + prototype, false},
        {"/** @param channel one\n" + prototype, false},
        {"/** @param channel\n" + prototype + " */\n", false},
        {"/** @param channel */\n" + std::string(255, ' ') + prototype, false},
    };
    for (const auto& [header, expected] : cases) {
        SCOPED_TRACE(header);
        testing::ScratchFolder folder;
        folder.Write("Inc/tmr.h", header);
        EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), expected ? "Inc/tmr.h (header)" : "-");
    }
}

TEST(VendorLookup, TheDocumentingPathFirstThenASourceFolderThenTheHeader) {
    testing::ScratchFolder folder;
    folder.Write("Inc/tmr.h", "/** @param channel one */\nvoid tmr_start(int channel);\n");
    folder.Write("Src/tmr.c", "/** other */\nvoid tmr_stop(void)\n");
    EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), "Inc/tmr.h (header)");
    folder.Write("Src/tmr.c", kDocumented);
    EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), "Src/tmr.c (source folder)");
    folder.Write("Inc/tmr.c", kDocumented);
    EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), "Inc/tmr.c (as given)");
    // The lower-case form of an "include" folder is one of the documenting paths.
    folder.Write("x/include/tmr.h", kHeaderOnly);
    folder.Write("x/Src/tmr.c", kDocumented);
    EXPECT_EQ(FoundFor(folder, "x/include/tmr.h"), "x/Src/tmr.c (lower case Src)");
}

}  // namespace
}  // namespace quill
