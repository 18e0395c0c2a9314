#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchFolder.h"
#include "source/PathCase.h"
#include "source/TextOps.h"

namespace quill {
namespace {

using testing::ScratchFolder;

bool DistinguishesCase(const ScratchFolder& folder) {
    folder.Write("probe", "x");
    return !std::filesystem::exists(folder.PathOf("PROBE"));
}

class PathCaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!DistinguishesCase(folder_)) {
            GTEST_SKIP() << "the temporary folder ignores case";
        }
    }
    ScratchFolder folder_{"QuillPathCase"};
};

TEST_F(PathCaseTest, ExistingPathComesBackAsWritten) {
    const std::string file = folder_.Write("include/tmr.h", "");
    EXPECT_EQ(ResolvePathIgnoringCase(file), file);
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.PathOf("include")), folder_.PathOf("include"));
}

TEST_F(PathCaseTest, EveryFolderAndFileNameIsMatchedIgnoringCase) {
    const std::string real = folder_.Write("Proj/SRC/Tmr.c", "");
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/proj/src/TMR.C"), real);
    // The scratch folder's own mixed-case name is found again from lower case.
    EXPECT_EQ(ResolvePathIgnoringCase(ToLowerAscii(folder_.Root()) + "/proj/Src/tmr.c"), real);
}

TEST_F(PathCaseTest, ExactNameWinsOverOtherSpellings) {
    folder_.Write("Src/tmr.c", "");
    folder_.Write("src/tmr.c", "");
    folder_.Write("SRC/tmr.c", "");
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/src/TMR.c"), folder_.PathOf("src/tmr.c"));
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/Src/TMR.c"), folder_.PathOf("Src/tmr.c"));
    // Without an exact spelling the first name in byte order is taken.
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/sRc/TMR.c"), folder_.PathOf("SRC/tmr.c"));
}

TEST_F(PathCaseTest, MissingNameLeavesThePathUnchanged) {
    folder_.Write("Src/tmr.c", "");
    const std::string missingFile = folder_.Root() + "/src/uart.c";
    EXPECT_EQ(ResolvePathIgnoringCase(missingFile), missingFile);
    const std::string missingFolder = folder_.Root() + "/lib/tmr.c";
    EXPECT_EQ(ResolvePathIgnoringCase(missingFolder), missingFolder);
    // A file cannot stand for a folder.
    const std::string throughFile = folder_.Root() + "/src/TMR.C/x";
    EXPECT_EQ(ResolvePathIgnoringCase(throughFile), throughFile);
    EXPECT_EQ(ResolvePathIgnoringCase(""), "");
}

TEST_F(PathCaseTest, SeparatorsAndDotsAreKeptAsWritten) {
    const std::string real = folder_.Write("A/b.c", "");
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "//a//B.C"), folder_.Root() + "//A//b.c");
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/a/./B.C"), folder_.Root() + "/A/./b.c");
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/a/../a/B.C"),
              folder_.Root() + "/A/../A/b.c");
    folder_.MakeFolder("Dir");
    EXPECT_EQ(ResolvePathIgnoringCase(folder_.Root() + "/dir/"), folder_.Root() + "/Dir/");
    // A backslash is part of a name here, not a separator.
    const std::string backslashed = folder_.Root() + "\\a\\B.C";
    EXPECT_EQ(ResolvePathIgnoringCase(backslashed), backslashed);
}

TEST_F(PathCaseTest, RelativePathsStartAtTheCurrentFolder) {
    folder_.Write("Inc/Uart.h", "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Root());
    const std::string resolved = ResolvePathIgnoringCase("inc/uart.H");
    const std::string dotted = ResolvePathIgnoringCase("./INC/uart.h");
    std::filesystem::current_path(previous);
    EXPECT_EQ(resolved, "Inc/Uart.h");
    EXPECT_EQ(dotted, "./Inc/Uart.h");
}

}  // namespace
}  // namespace quill
