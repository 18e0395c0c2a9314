// Path separators and bounded whole-file reads.

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "source/FileBytes.h"
#include "source/PathText.h"

namespace quill {
namespace {

TEST(PathText, FolderUpToTheLastSeparator) {
    EXPECT_EQ(FolderOf("C:\\kit\\lib\\Pwm.h"), "C:\\kit\\lib\\");
    EXPECT_EQ(FolderOf("Pwm.h"), "");
    EXPECT_EQ(FolderOf(""), "");
#ifndef _WIN32
    EXPECT_EQ(FolderOf("/opt/kit\\lib/Pwm.h"), "/opt/kit\\lib/");
    EXPECT_EQ(FolderOf("/opt/kit/lib\\Pwm.h"), "/opt/kit/lib\\");
#endif
}

TEST(FileBytes, WholeFilesUpToTheLimitOnly) {
    testing::ScratchFolder folder;
    const std::string ten = folder.Write("ten", "0123456789");
    const FileBytesRead exact = FileBytes(ten, 10);
    EXPECT_EQ(exact.outcome, FileReadOutcome::Read);
    EXPECT_EQ(exact.bytes, "0123456789");
    const FileBytesRead over = FileBytes(ten, 9);
    EXPECT_EQ(over.outcome, FileReadOutcome::TooLarge);
    EXPECT_EQ(over.bytes, "");
    EXPECT_EQ(FileBytes(folder.Write("empty", ""), 0).outcome, FileReadOutcome::Read);
    for (const std::string& path : {folder.PathOf("missing"), folder.Root(), std::string()}) {
        EXPECT_EQ(FileBytes(path, 100).outcome, FileReadOutcome::NotOpened) << path;
        EXPECT_FALSE(CanOpenForReading(path)) << path;
    }
    EXPECT_TRUE(CanOpenForReading(ten));
#ifndef _WIN32
    // A device without end is no file to read whole.
    EXPECT_EQ(FileBytes("/dev/zero", 1 << 20).outcome, FileReadOutcome::NotOpened);
#endif
}

}  // namespace
}  // namespace quill
