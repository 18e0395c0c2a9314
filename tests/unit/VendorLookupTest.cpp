#include "source/VendorLookup.h"

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "source/PrototypeLookup.h"

namespace quill {
namespace {

const std::string kEntry = "void tmr_start(int channel)";
const std::string kDocumented =
    "/**\n * @param channel one\n */\nvoid tmr_start(int channel)\n{\n}\n";
const std::string kHeaderOnly = "void tmr_start(int channel);\n";

// Where the block of kEntry is found for a header at `header`, relative to
// the scratch folder: "relative path (place)", or "-".
std::string FoundFor(const testing::ScratchFolder& folder, const std::string& header) {
    const std::string library = folder.PathOf(header);
    const VendorLookup lookup = LookUpInVendorPlaces(library, SourcePathForHeader(library), kEntry);
    if (lookup.place == VendorPlace::None) {
        EXPECT_EQ(lookup.text, "");
        return "-";
    }
    EXPECT_NE(lookup.text.find("@param channel"), std::string::npos);
    return lookup.path.substr(folder.Root().size() + 1) + " (" + VendorPlaceName(lookup.place) +
           ")";
}

TEST(VendorLookup, SourceFoldersBesideTheIncludeFolder) {
    const struct {
        const char* header;
        const char* source;
        const char* expected;
    } cases[] = {
        {"a/Inc/tmr.h", "a/Src/tmr.c", "a/Src/tmr.c (source folder)"},
        {"b/inc/tmr.H", "b/src/tmr.c", "b/src/tmr.c (source folder)"},
        {"c/Include/tmr.h", "c/Source/tmr.c", "c/Source/tmr.c (source folder)"},
        {"d/INCLUDE/tmr.h", "d/source/TMR.C", "d/source/TMR.C (source folder)"},
        // The parent is the include folder: sub-folder kept, or not.
        {"e/include/periph/tmr.h", "e/src/periph/tmr.c", "e/src/periph/tmr.c (source folder)"},
        {"f/include/periph/tmr.h", "f/src/tmr.c", "f/src/tmr.c (source folder)"},
        // No include folder, no source folder, or the source elsewhere.
        {"g/lib/tmr.h", "g/src/tmr.c", "-"},
        {"h/Inc/tmr.h", "h/Sources/tmr.c", "-"},
        {"i/Inc/tmr.h", "i/Src/other/tmr.c", "-"}};
    for (const auto& c : cases) {
        testing::ScratchFolder folder;
        folder.Write(c.header, kHeaderOnly);
        folder.Write(c.source, kDocumented);
        EXPECT_EQ(FoundFor(folder, c.header), c.expected) << c.header;
    }
}

TEST(VendorLookup, TheHeaderWhenItsBlockStandsRightBeforeThePrototype) {
    const std::pair<const char*, const char*> cases[] = {
        {"/**\n * @param channel one\n */\nvoid tmr_start(int channel);\n", "Inc/tmr.h (header)"},
        {"/*! @param channel one */\n\n\t\nvoid  tmr_start( int channel );\n/** next */\n",
         "Inc/tmr.h (header)"},
        // Declarations between the block and the prototype: that block is not its own.
        {"/** @param channel one */\nint x;\nvoid tmr_start(int channel);\n", "-"},
        {"/* @param channel one */\nvoid tmr_start(int channel);\n", "-"},
        {"void tmr_start(int channel);\n/** @param channel one */\n", "-"},
        {"/** @param channel one\nvoid tmr_start(int channel);\n", "-"}};
    for (const auto& [header, expected] : cases) {
        testing::ScratchFolder folder;
        folder.Write("Inc/tmr.h", header);
        EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), expected) << header;
    }
}

TEST(VendorLookup, ASourceFolderWinsOverTheHeaderAndMustHoldTheFunction) {
    testing::ScratchFolder folder;
    folder.Write("Inc/tmr.h", "/** @param channel one */\nvoid tmr_start(int channel);\n");
    folder.Write("Src/tmr.c", "/** other */\nvoid tmr_stop(void)\n");
    EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), "Inc/tmr.h (header)");
    folder.Write("Src/tmr.c", kDocumented);
    EXPECT_EQ(FoundFor(folder, "Inc/tmr.h"), "Src/tmr.c (source folder)");
    // An assembler library is its own documenting file: it is not read twice.
    folder.Write("lib/tmr.s79", "/** @param channel one */\nvoid tmr_start(int channel)\n");
    EXPECT_EQ(FoundFor(folder, "lib/tmr.s79"), "-");
}

}  // namespace
}  // namespace quill
