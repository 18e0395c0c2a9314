// What the help button, the F1 key, the setup dialog's F1 and the helpers
// button start, and the help folder rules of the setup dialog.

#include "app/HelpDecisions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "ScratchFolder.h"

namespace quill {
namespace {

// A file system holding exactly `files`; programs exist when listed in
// `programs`.
FileFacts Facts(std::set<std::string> files, std::set<std::string> programs = {}) {
    FileFacts facts;
    facts.exists = [files](const std::string& path) { return files.count(path) != 0; };
    facts.programExists = [programs](const std::string& p) { return programs.count(p) != 0; };
    return facts;
}

const std::string kIe = kDefaultBrowser;
const std::string kNotes = "/opt/Quill/Quill.txt";

struct HelpCase {
    const char* name;
    HelpSettings settings;
    std::set<std::string> files;
    std::set<std::string> programs;
    HostRules host;
    HelpStart button;  // HelpButtonStart
    HelpStart key;     // HelpKeyStart
};

// The window tests walk through the modes and the help folder's contents;
// here the rules of the other host and the plain concatenation.
TEST(HelpStarts, ButtonAndKeyFollowTheHostsRules) {
    const HelpCase cases[] = {
        {"a url without a separator is followed directly by the page",
         {"No", "/usr/bin/firefox", "/h"},
         {},
         {"/usr/bin/firefox"},
         PosixHost(),
         HelpStart::Start("/usr/bin/firefox", "/hquill/QH_P.html"),
         HelpStart::Start("/usr/bin/firefox", "/hquill/QH_P.html")},
        {"on Windows the browser setting is used as it stands",
         {"No", kIe, "c:\\h\\"},
         {},
         {},
         WindowsHost(),
         HelpStart::Start(kIe, "c:\\h\\quill\\QH_P.html"),
         HelpStart::Start(kIe, "c:\\h\\quill\\QH_P.html")},
        {"on Windows the help program stands in for a missing page",
         {"No", kIe, "c:\\h\\"},
         {"c:\\h\\QuillHelp.exe"},
         {},
         WindowsHost(),
         HelpStart::Start("c:\\h\\QuillHelp.exe", ""),
         HelpStart::Start(kIe, "c:\\h\\quill\\QH_P.html")},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FileFacts facts = Facts(c.files, c.programs);
        EXPECT_EQ(HelpButtonStart(c.settings, kNotes, c.host, facts), c.button);
        EXPECT_EQ(HelpKeyStart(c.settings, kNotes, c.host, facts), c.key);
    }
}

TEST(HelpStarts, SetupHelpOnWindowsUsesTheBrowserFieldAsItStands) {
    EXPECT_EQ(SetupHelpStart("No", kIe, "c:\\h\\", kNotes, WindowsHost(), Facts({})),
              HelpStart::Start(kIe, "c:\\h\\QHS_B.html"));
}

TEST(HelpStarts, HelperProgramIsStartedAsOneLiteralPath) {
    EXPECT_EQ(HelperProgramStart("-"), HelpStart{});
    EXPECT_EQ(HelperProgramStart(""), HelpStart{});
    const std::string odd = "/lib s/Pin Help; rm -rf ~ $(x).exe";
    EXPECT_EQ(HelperProgramStart(odd), HelpStart::Start(odd, ""));
}

TEST(HelpFolder, SeparatorIsAddedOnlyWhenMissing) {
    struct {
        const char* folder;
        HostRules host;
        const char* expected;
    } cases[] = {
        {"", PosixHost(), "/"},
        {"", WindowsHost(), "\\"},
        {"/usr/share/quill", PosixHost(), "/usr/share/quill/"},
        {"/usr/share/quill/", PosixHost(), "/usr/share/quill/"},
        {"c:\\help\\", PosixHost(), "c:\\help\\"},
        {"c:\\help", WindowsHost(), "c:\\help\\"},
        {"c:\\help\\", WindowsHost(), "c:\\help\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithTrailingSeparator(c.folder, c.host), c.expected) << c.folder;
    }
}

TEST(HelpFolder, BrowseStartsAtTheRootWithoutADriveOrAnAbsolutePath) {
    EXPECT_EQ(HelpBrowseStart("", WindowsHost()), "C:\\");
    EXPECT_EQ(HelpBrowseStart("x", WindowsHost()), "C:\\");
    EXPECT_EQ(HelpBrowseStart("help\\", WindowsHost()), "C:\\");
    EXPECT_EQ(HelpBrowseStart("d:", WindowsHost()), "d:");
    EXPECT_EQ(HelpBrowseStart("d:\\doc\\", WindowsHost()), "d:\\doc\\");
    EXPECT_EQ(HelpBrowseStart("", PosixHost()), "/");
    EXPECT_EQ(HelpBrowseStart("doc/", PosixHost()), "/");
    EXPECT_EQ(HelpBrowseStart("/usr/doc", PosixHost()), "/usr/doc");
}

TEST(HelpFolder, TheDefaultUrlIsReadThroughTheRealProgramFolder) {
    EXPECT_EQ(HelpFolderOnDisk("/opt/quill/", "/opt/quill/", "/opt/Quill/"), "/opt/Quill/");
    EXPECT_EQ(HelpFolderOnDisk("/opt/quill/doc/", "/opt/quill/", "/opt/Quill/"), "/opt/Quill/doc/");
    EXPECT_EQ(HelpFolderOnDisk("/srv/help/", "/opt/quill/", "/opt/Quill/"), "/srv/help/");
    EXPECT_EQ(HelpFolderOnDisk("/opt/quil", "/opt/quill/", "/opt/Quill/"), "/opt/quil");
}

#ifndef _WIN32
TEST(HelpFacts, ProgramsAreFoundByPathOrOnTheSearchPath) {
    testing::ScratchFolder scratch;
    const std::string tool = scratch.Write("bin/viewer", "#!/bin/sh\n");
    scratch.MakeFolder("bin/folder");
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath != nullptr ? oldPath : "";
    setenv("PATH", ("/nonexistent::" + scratch.PathOf("bin")).c_str(), 1);

    const FileFacts facts = RealFileFacts();
    EXPECT_TRUE(facts.programExists(tool));
    EXPECT_TRUE(facts.programExists("viewer"));
    EXPECT_FALSE(facts.programExists("folder"));  // a folder is no program
    EXPECT_FALSE(facts.programExists(scratch.PathOf("bin/folder")));
    EXPECT_FALSE(facts.programExists(kDefaultBrowser));
    EXPECT_FALSE(facts.programExists(""));
    EXPECT_TRUE(facts.exists(scratch.PathOf("bin/folder")));  // folders count for pages
    EXPECT_FALSE(facts.exists(scratch.PathOf("bin/none")));
    setenv("PATH", saved.c_str(), 1);
}
#endif

}  // namespace
}  // namespace quill
