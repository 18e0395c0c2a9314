// Path separators and bounded whole-file reads.

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "core/files/FileBytes.h"
#include "core/settings/ProgramPaths.h"
#include "core/text/PathText.h"

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

TEST(StartUpPaths, ProgramFolderAndDisplayName) {
    EXPECT_EQ(ProgramFolderOf("Quill"), "");
    EXPECT_EQ(DisplayNameOf("/opt/tools/Quill"), "Quill");
    EXPECT_EQ(DisplayNameOf("/opt/v1.2/quill.v2.exe"), "quill.v2");
#ifdef _WIN32
    EXPECT_EQ(ProgramFolderOf("C:\\Tools\\Quill\\Quill.exe"), "C:\\Tools\\Quill\\");
    EXPECT_EQ(DisplayNameOf("C:\\Tools\\Quill\\Quill.exe"), "Quill");
#else
    // Elsewhere "\\" is a byte of a file name, not a separator.
    EXPECT_EQ(ProgramFolderOf("/opt/a\\b/Quill"), "/opt/a\\b/");
    EXPECT_EQ(DisplayNameOf("/opt/tools\\Quill"), "tools\\Quill");
#endif
}

}  // namespace
}  // namespace quill
