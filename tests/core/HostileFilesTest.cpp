// Files that other programs or people may leave where a library, its
// documenting source or the settings file is expected. None may hang a scan,
// grow memory without end, or pass off part of a file as the whole.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "ScratchFolder.h"
#include "core/ChooseFunction.h"
#include "core/files/RegularFile.h"
#include "core/library/FunctionScanner.h"
#include "core/library/LibrarySource.h"
#include "core/settings/SettingsStore.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntry = "void UartSend(int iByte)";

// A documented library whose lines fill several reader buffers.
std::string LibraryText() {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "/** Sends. @param iByte :{0,1} */\nvoid UartSend(int iByte);\n";
    }
    return text;
}

// Each case makes "<name>.h" and "<name>.c" in the folder, as links or files.
struct Hostile {
    const char* name;
    std::function<void(const std::string& path)> make;
};

void LinkTo(const char* target, const std::string& path) {
    fs::create_symlink(target, path);
}

TEST(HostileFiles, NoScanLookupOrSettingsReadHangsOrTakesPartOfAFile) {
    testing::ScratchFolder scratch;
    const Hostile cases[] = {
        {"fifo", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
        {"device", [](const std::string& path) { LinkTo("/dev/zero", path); }},
        {"folder", [](const std::string& path) { fs::create_directory(path); }},
        // A regular file whose reads fail with EIO.
        {"read-error", [](const std::string& path) { LinkTo("/proc/self/mem", path); }},
        // Larger than any library, without taking room on disk.
        {"oversized",
         [](const std::string& path) {
             std::ofstream(path) << LibraryText();
             fs::resize_file(path, kMaxInputFileBytes + 1);
         }},
    };
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string header = scratch.PathOf(std::string(c.name) + ".h");
        c.make(header);
        c.make(scratch.PathOf(std::string(c.name) + ".c"));

        const LibraryScan scan = ScanLibraryFile(header);
        EXPECT_FALSE(scan.opened);
        EXPECT_TRUE(scan.entries.empty());
        EXPECT_FALSE(ReadLibrarySource(header).opened);

        const FunctionChoice choice = ChooseFunction({header, kEntry, header});
        EXPECT_EQ(choice.lookup.outcome, LookupOutcome::NoSource);
        EXPECT_EQ(choice.lookup.text, "-");
        EXPECT_FALSE(choice.messages.empty());

        EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, header), "dflt");
        EXPECT_FALSE(WriteSetting("Last", "Intro", "No", header));
    }
}

TEST(HostileFiles, AFileCutWhileItIsScannedIsAFailedScan) {
    testing::ScratchFolder scratch;
    const std::string header = scratch.Write("uart.h", LibraryText());
    std::size_t seen = 0;
    const bool whole = ScanLibraryFile(header, [&](std::string_view) {
        if (seen++ == 0) {
            fs::resize_file(header, 100);
        }
    });
    EXPECT_FALSE(whole);
    EXPECT_GT(seen, 0u);

    // The same file read whole afterwards is fine, and so is one that grew.
    std::ofstream(header, std::ios::app) << "int UartRead(void);\n";
    seen = 0;
    EXPECT_TRUE(ScanLibraryFile(header, [&](std::string_view) {
        if (seen++ == 0) {
            std::ofstream(header, std::ios::app) << "int UartMore(void);\n";
        }
    }));
}

// A vendor tree: the header in Inc/, the blocks in Src/. The source is cut
// after a first choice read its beginning, and before the block of the
// second was read to its end.
TEST(HostileFiles, ASourceFolderFileCutWhileItIsReadDocumentsNothing) {
    testing::ScratchFolder scratch;
    const std::string header =
        scratch.Write("Inc/uart.h", "int UartInit(void);\nvoid UartSend(int iByte);\n");
    std::string body =
        "/** Starts. */\nint UartInit(void)\n{\n}\n"
        "/** Sends. @param iByte :{0,1} */\nvoid UartSend(int iByte)\n{\n";
    for (int i = 0; i < 20000; ++i) {
        body += "    Transmit(iByte);\n";
    }
    for (const bool choose : {true, false}) {
        const std::string source = scratch.Write("Src/uart.c", body + "}\n");
        LibraryChoices library(header, header);
        ASSERT_EQ(library.Choose("int UartInit(void)").route, DocumentationRoute::SourceFolder);
        fs::resize_file(source, 100);
        const FunctionChoice choice = choose ? library.Choose(kEntry) : library.LookUp(kEntry);
        EXPECT_EQ(choice.lookup.outcome, LookupOutcome::NoSource);  // Inc/uart.c is not there
        EXPECT_TRUE(choice.lookup.text == "-") << choice.lookup.text.size() << " bytes shown";
        EXPECT_EQ(choice.documentation.parameters[0].choiceText, "");
        EXPECT_FALSE(choice.messages.empty());
    }
}

}  // namespace
}  // namespace quill

#endif
