// What the help button, the F1 key, the setup dialog's F1 and the helpers
// button start, and the help folder rules of the setup dialog.

#include "core/help/HelpDecisions.h"

#include <gtest/gtest.h>

#include <set>

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

// "editor <document>", "start <program> <parameters>" or "-".
std::string Said(const HelpStart& start) {
    switch (start.kind) {
        case HelpStart::Kind::TextEditor:
            return "editor " + start.parameters;
        case HelpStart::Kind::Program:
            return "start " + start.program + " " + start.parameters;
        default:
            return "-";
    }
}

const std::string kIe = kDefaultBrowser;
const std::string kNotes = "/q/Quill.txt";
const std::string kViewer = "/bin/viewer";
const std::string kPage = "/q/quill/QH_P.html";
const std::string kProgram = "/q/QuillHelp.exe";
const std::string kShowPage = "start " + kViewer + " " + kPage;
const std::string kWinShowPage = "start " + kIe + " c:\\h\\quill\\QH_P.html";

TEST(HelpStarts, ButtonAndKeyFollowTheModeTheHostAndTheHelpFolder) {
    const struct {
        std::string intro, browser, url;
        std::set<std::string> files;
        std::string button;
        std::string key = {};  // the same as the button when empty
    } cases[] = {
        {"yES", kViewer, "/q/", {kPage}, "editor " + kNotes},
        {"No", kViewer, "/q/", {kPage, kProgram}, kShowPage},
        {"no", kViewer, "/q/", {kProgram}, "start " + kProgram + " ", kShowPage},
        {"No", kViewer, "/q/", {}, kShowPage},
        // A browser that is no program: the desktop opens the page.
        {"No", kIe, "/q/", {kPage}, "start xdg-open " + kPage},
        // A url without a separator is followed directly by the page.
        {"No", kViewer, "/h", {}, "start " + kViewer + " /hquill/QH_P.html"},
        // On Windows ("c:") the browser setting is used as it stands, and the
        // help program stands in for a missing page.
        {"No", kIe, "c:\\h\\", {}, kWinShowPage},
        {"No",
         kIe,
         "c:\\h\\",
         {"c:\\h\\QuillHelp.exe"},
         "start c:\\h\\QuillHelp.exe ",
         kWinShowPage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.intro + " " + c.browser + " " + c.url);
        const HelpSettings settings{c.intro, c.browser, c.url};
        const HostRules host = c.url.starts_with("c:") ? WindowsHost() : PosixHost();
        const FileFacts facts = Facts(c.files, {kViewer});
        EXPECT_EQ(Said(HelpButtonStart(settings, kNotes, host, facts)), c.button);
        EXPECT_EQ(Said(HelpKeyStart(settings, kNotes, host, facts)),
                  c.key.empty() ? c.button : c.key);
    }
    // The setup dialog's F1: the browser field as it stands on Windows.
    EXPECT_EQ(Said(SetupHelpStart("No", kIe, "c:\\h\\", kNotes, WindowsHost(), Facts({}))),
              "start " + kIe + " c:\\h\\QHS_B.html");
    EXPECT_EQ(Said(SetupHelpStart("No", kIe, "/h/", kNotes, PosixHost(), Facts({}))),
              "start xdg-open /h/QHS_B.html");
    // The helper program is started as one literal path.
    EXPECT_EQ(Said(HelperProgramStart("-")) + Said(HelperProgramStart("")), "--");
    const std::string odd = "/lib s/Pin Help; rm -rf ~ $(x).exe";
    EXPECT_EQ(HelperProgramStart(odd), HelpStart::Start(odd, ""));
}

TEST(HelpFolder, SeparatorBrowseStartAndTheRealProgramFolder) {
    const struct {
        const char* folder;
        HostRules host;
        const char* completed;
        const char* browse;
    } cases[] = {
        {"", PosixHost(), "/", "/"},
        {"", WindowsHost(), "\\", "C:\\"},
        {"/usr/share/quill", PosixHost(), "/usr/share/quill/", "/usr/share/quill"},
        {"doc/", PosixHost(), "doc/", "/"},
        {"c:\\help\\", PosixHost(), "c:\\help\\", "/"},
        {"c:\\help", WindowsHost(), "c:\\help\\", "c:\\help"},
        {"help\\", WindowsHost(), "help\\", "C:\\"},
        {"d:", WindowsHost(), "d:\\", "d:"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithTrailingSeparator(c.folder, c.host), c.completed) << c.folder;
        EXPECT_EQ(HelpBrowseStart(c.folder, c.host), c.browse) << c.folder;
    }
    EXPECT_EQ(HelpFolderOnDisk("/opt/quill/doc/", "/opt/quill/", "/opt/Quill/"), "/opt/Quill/doc/");
    EXPECT_EQ(HelpFolderOnDisk("/srv/help/", "/opt/quill/", "/opt/Quill/"), "/srv/help/");
    EXPECT_EQ(HelpFolderOnDisk("/opt/quil", "/opt/quill/", "/opt/Quill/"), "/opt/quil");
}

TEST(HelpStarts, WhatIsToldWhenNothingStartedAndTheIntroSetting) {
    const std::string browser = "C:\\Web\\browse.exe";
    const struct {
        HelpStart start;
        const char* message;
    } cases[] = {
        {HelpStart::Editor("/q/Quill.txt"),
         "Could not open the notes file\n/q/Quill.txt\nin a text editor."},
        {HelpStart::Start("/q/help.exe", ""), "Could not start the help program\n/q/help.exe"},
        {HelpStart::Start(browser, "/q/a.htm"),
         "Could not open the help page\n/q/a.htm\nThe browser\nC:\\Web\\browse.exe\n"
         "could not be started."},
        {HelpStart::Start("xdg-open", "/q/a.htm"),
         "Could not open the help page\n/q/a.htm\nThe browser\nC:\\Web\\browse.exe\nwas not "
         "found, and xdg-open could not be started either."},
        {HelpStart::Start("", "/q/a.htm"),
         "Could not open the help page\n/q/a.htm\nThe browser\nC:\\Web\\browse.exe\nwas not "
         "found."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HelpNotStartedMessage(c.start, browser), c.message);
    }
    const std::pair<const char*, bool> intro[] = {
        {"yes", true}, {"YeS", true}, {"yes ", false}, {"no", false}, {"", false}};
    for (const auto& [text, is] : intro) {
        EXPECT_EQ(IsIntroMode(text), is) << text;
    }
}

}  // namespace
}  // namespace quill
