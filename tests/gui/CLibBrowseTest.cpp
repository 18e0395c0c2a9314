// The file dialog of every use, answered by the recording platform.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPlatform.h"
#include "catalogue/CLibBrowse.h"

namespace quill {
namespace {

FileDialogRequest RunAndRecord(CLibBrowse& dialog, RecordingPlatform& platform) {
    dialog.DoModal();
    const auto calls = platform.CallsOf(PlatformCall::Kind::ChooseFile);
    EXPECT_EQ(calls.size(), 1u);
    return calls.empty() ? FileDialogRequest{} : calls.back().dialog;
}

TEST(CLibBrowse, EveryUseHasItsTitleFiltersAndTheTwoLabels) {
    struct Use {
        CLibBrowse (*make)(Platform&);
        std::string title;
        std::vector<FileFilter> filters;
    };
    const std::vector<Use> uses = {
        {&CLibBrowse::ForLibrary,
         "Select Library Source",
         {{" Header(*.h)", "*.h"}, {" Library(*.s)", "*.s"}, {" All(*.*)", "*.*"}}},
        {&CLibBrowse::ForBrowser,
         "Select Browser",
         {{"Browser(*.exe)", "*.exe"}, {" All(*.*)", "*.*"}}},
        {&CLibBrowse::ForHelpParent,
         "Help Parent",
         {{"Help(*.html)", "*.html"}, {" All(*.*)", "*.*"}}},
    };
    for (const Use& use : uses) {
        SCOPED_TRACE(use.title);
        RecordingPlatform platform;
        CLibBrowse dialog = use.make(platform);
        const FileDialogRequest request = RunAndRecord(dialog, platform);
        EXPECT_EQ(request.title, use.title);
        EXPECT_EQ(request.filters, use.filters);
        EXPECT_EQ(request.fileNameLabel, "&Library");
        EXPECT_EQ(request.acceptLabel, "&Select");
        EXPECT_EQ(request.initialName, "");
        EXPECT_EQ(request.initialFolder, "");
    }
}

TEST(CLibBrowse, TheNameFieldTakesAtMost259Characters) {
    RecordingPlatform platform;
    CLibBrowse dialog = CLibBrowse::ForLibrary(platform);
    EXPECT_TRUE(dialog.SetFileName(std::string(259, 'n')));
    EXPECT_EQ(dialog.Request().initialName.size(), 259u);
    // Too long: the field is left empty rather than cut.
    EXPECT_FALSE(dialog.SetFileName(std::string(260, 'n')));
    EXPECT_EQ(dialog.Request().initialName, "");
    EXPECT_TRUE(dialog.SetFileName(""));
}

TEST(CLibBrowse, OnlyAConfirmedNonEmptyPathIsAChoice) {
    RecordingPlatform platform;
    platform.chosenFiles = {std::nullopt, std::string(), std::string("/x/typed-but-missing.h")};
    CLibBrowse dialog = CLibBrowse::ForLibrary(platform);
    EXPECT_FALSE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "");
    EXPECT_FALSE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "");
    EXPECT_TRUE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "/x/typed-but-missing.h");
    // A later cancel forgets the earlier choice.
    EXPECT_FALSE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "");
}

TEST(LibraryDialogFolder, ThePathUpToItsLastSeparatorAfterADrive) {
    EXPECT_EQ(LibraryDialogFolder("C:\\x\\b.s"), "C:\\x\\");
    EXPECT_EQ(LibraryDialogFolder("C:\\LibVexa.s79"), "C:\\");
    EXPECT_EQ(LibraryDialogFolder("ab\\c\\d.h"), "ab\\c\\");
    // No separator, or the first one too early: the path itself.
    EXPECT_EQ(LibraryDialogFolder("lib.h"), "lib.h");
    EXPECT_EQ(LibraryDialogFolder("a\\b.h"), "a\\b.h");
    EXPECT_EQ(LibraryDialogFolder("\\\\server\\share\\b.h"), "\\\\server\\share\\b.h");
    EXPECT_EQ(LibraryDialogFolder(""), "");
}

#ifndef _WIN32
TEST(LibraryDialogFolder, SlashesCountAndTheRootStandsForADrive) {
    EXPECT_EQ(LibraryDialogFolder("/home/x/lib.h"), "/home/x/");
    EXPECT_EQ(LibraryDialogFolder("/lib.h"), "/");
    EXPECT_EQ(LibraryDialogFolder("ab/c\\d.h"), "ab/c\\");
    EXPECT_EQ(LibraryDialogFolder("a/b.h"), "a/b.h");
}
#endif

}  // namespace
}  // namespace quill
