// Bounded whole-file reads, the program's own paths and the
// whole-library view built on the line reader. The reader itself and the
// line normalisation are compared with plain versions in ScanReferenceTest.

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "core/files/FileBytes.h"
#include "core/library/LibrarySource.h"
#include "core/settings/ProgramPaths.h"
#include "core/text/TextOps.h"

namespace quill {
namespace {

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

// Runs of spaces become one; a tab is no space.
TEST(TextOps, CollapseBlanksLeavesTabs) {
    EXPECT_EQ(CollapseBlanks("a  \t  b"), "a \t b");
}

TEST(ReadLibrarySource, TabStopsCountPerLinePiece) {
    testing::ScratchFolder scratch;
    const auto shown = [&](const std::string& bytes) {
        const LibrarySource source = ReadLibrarySource(scratch.Write("lib.h", bytes));
        EXPECT_TRUE(source.opened);
        return source.text;
    };
    EXPECT_EQ(shown("ab\tc\r\n\t\tdeep\r\nlast\tline"), "ab  c\r\n        deep\r\nlast    line");
    // The tab right after the first 255-byte piece starts the next piece.
    const std::string piece(255, 'a');
    EXPECT_EQ(shown(piece + "\tb\n"), piece + "    b\n");
    EXPECT_EQ(shown(""), "");
    // A path that does not open gives no text.
    EXPECT_FALSE(ReadLibrarySource(scratch.PathOf("missing.h")).opened);
}

}  // namespace
}  // namespace quill
