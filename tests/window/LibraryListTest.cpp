// The library catalogue as a user keeps it: LibraryCombo and section
// "Libraries" at start-up, through Add, a pick from the list, Unlist and Show,
// and at the next start; and a start-up while another copy writes the file.

#include <gtest/gtest.h>

#include <QFile>
#include <cstdio>
#include <set>

#include "WindowHarness.h"

namespace quill {
namespace {

const char* const kHeaderA = "/* a */\nvoid AlphaInit(void);\nint AlphaRead(int iChannel);\n";
const char* const kSourceA =
    "/**\n * @brief Starts.\n */\nvoid AlphaInit(void)\n/**\n * @brief Reads.\n */\n"
    "int AlphaRead(int iChannel)\n";
const char* const kAssemblerB = "; C Function prototype: void BetaGo(void)\n\tRSEG\tCODE\n";

class LibraryList : public ::testing::Test {
protected:
    // Clicks AddButton; the dialog answers `chosen`.
    Texts ClickAdd(const std::string& chosen) {
        harness.platform.chosenFiles.push_back(chosen);
        return harness.Click(harness.ui.addButton);
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    const std::string headerA = harness.WriteFile("lib/a.h", kHeaderA);
    const std::string assemblerB = harness.WriteFile("lib/b.s", kAssemblerB);
    const std::string settingsFile = harness.PathOf("Quill.ini");
};

TEST_F(LibraryList, StartAddPickUnlistShowAndStartAgain) {
    // Start-up drops a library that is gone, says so, and writes the section
    // back sorted; with no stored last library the first entry is selected.
    const std::string gone = harness.PathOf("gone/old.h");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Libraries", gone, "Yes");
    harness.SetSetting("Libraries", headerA, "no");  // only the key name counts
    harness.Start();
    EXPECT_EQ(harness.platform.log,
              Texts{Msg(16, "Library " + gone + " not available.\nWill be removed from list.")});
    EXPECT_EQ(harness.Catalogue(), "lib/a.h* lib/b.s | keys lib/a.h lib/b.s | last lib/a.h");
    EXPECT_EQ(harness.Shown(), kHeaderA);
    EXPECT_EQ(ui.functionCombo->count(), 0);

    // Opening the function list rescans the library, selects the stored
    // choice (found ignoring case) and shows the first entry's block, in one
    // write; Enter chooses the selected entry.
    harness.WriteFile("lib/a.c", kSourceA);
    harness.WriteFile("lib/a.h", std::string(kHeaderA) + "void AlphaNew(void);\n");
    harness.SetSetting("Last", "Choice", "VOID ALPHAINIT(VOID)");
    Texts texts;
    QObject::connect(ui.sourcePane, &SourceView::textChanged, ui.sourcePane,
                     [&] { texts.push_back(harness.Shown()); });
    QTest::keyClick(ui.functionCombo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Entries(ui.functionCombo), (Texts{"int AlphaRead(int iChannel)",
                                                "void AlphaInit(void)", "void AlphaNew(void)"}));
    EXPECT_EQ(ui.functionCombo->currentIndex(), 1);
    EXPECT_EQ(texts, Texts{"/**\n * @brief Reads.\n */\nint AlphaRead(int iChannel)\n"});
    QTest::keyClick(ui.functionCombo->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void AlphaInit(void)");
    EXPECT_EQ(harness.Shown(), "/**\n * @brief Starts.\n */\nvoid AlphaInit(void)\n");

    // Add starts the dialog at the selected library. A path the settings file
    // cannot keep is refused; a chosen file is listed, stored and shown.
    EXPECT_EQ(ClickAdd(harness.PathOf("lib/a=b.h")),
              (Texts{"dialog: Select Library Source",
                     Msg(48, "Library " + harness.PathOf("lib/a=b.h") +
                                 " cannot be listed: the settings file cannot keep a name that "
                                 "holds \"=\".")}));
    EXPECT_EQ(harness.platform.dialogs.back().initialName, headerA);
    EXPECT_EQ(harness.platform.dialogs.back().initialFolder, harness.PathOf("lib/"));
    const std::string headerC = harness.WriteFile("lib/my lib ;[1].h", "void Gamma(void);\n");
    EXPECT_EQ(ClickAdd(headerC), Texts{"dialog: Select Library Source"});
    EXPECT_EQ(harness.Catalogue(),
              "lib/a.h lib/b.s lib/my lib ;[1].h* | keys lib/a.h lib/b.s lib/my lib ;[1].h | "
              "last lib/my lib ;[1].h");
    EXPECT_EQ(harness.Shown(), "void Gamma(void);\n");

    // The arrow keys move the library selection without closing a list: the
    // function list follows it, the stored last library does not.
    QTest::keyClick(harness.window.get(), Qt::Key_L, Qt::AltModifier);
    QTest::keyClick(ui.libraryCombo, Qt::Key_Up);
    harness.Choose("void BetaGo(void)");
    EXPECT_EQ(ui.libraryCombo->SelectedText(), assemblerB);
    EXPECT_EQ(Entries(ui.functionCombo), Texts{"void BetaGo(void)"});
    EXPECT_EQ(harness.Setting("Last", "Library"), headerC);

    // Picked from the list: stored as the last library, shown with its tabs
    // expanded, its only function becomes the stored choice.
    PickFromList(ui.libraryCombo, assemblerB);
    EXPECT_EQ(harness.Catalogue(),
              "lib/a.h lib/b.s* lib/my lib ;[1].h | keys lib/a.h lib/b.s lib/my lib ;[1].h | "
              "last lib/b.s");
    EXPECT_EQ(harness.Shown(), "; C Function prototype: void BetaGo(void)\n    RSEG    CODE\n");
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void BetaGo(void)");

    // Unlist asks; No keeps the library, Yes drops it and selects the first.
    harness.platform.messageAnswers.push_back(kAnswerNo);
    EXPECT_EQ(harness.Click(ui.unlistButton),
              Texts{Msg(36, "Do you wish to remove access to\n" + assemblerB + " ?")});
    EXPECT_EQ(ui.libraryCombo->count(), 3);
    harness.Click(ui.unlistButton);
    EXPECT_EQ(harness.Catalogue(),
              "lib/a.h* lib/my lib ;[1].h | keys lib/a.h lib/my lib ;[1].h | last lib/a.h");
    EXPECT_EQ(harness.Shown(), std::string(kHeaderA) + "void AlphaNew(void);\n");

    // Show: a library that has gone is reported and nothing is shown.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(headerA)));
    EXPECT_EQ(harness.Click(ui.showButton), Texts{Msg(48, "Could not find source " + headerA)});
    EXPECT_EQ(harness.Shown(), "");

    // The next start selects the stored last library, found ignoring case.
    harness.SetSetting("Last", "Library", harness.folder + "LIB/MY LIB ;[1].H");
    RecordingPlatform quiet;
    MainWindow again(quiet, AppPaths{harness.folder, harness.folder, settingsFile, "Quill"});
    again.OnInitDialog();
    EXPECT_EQ(again.StartupLibrary(), headerC);

    // The last library unlisted: nothing is selected and nothing to show.
    harness.Click(ui.unlistButton);
    harness.Click(ui.unlistButton);
    EXPECT_EQ(harness.Catalogue(), "| keys | last lib/my lib ;[1].h");
    EXPECT_TRUE(harness.Click(ui.unlistButton).empty());
    EXPECT_EQ(harness.Click(ui.showButton), Texts{Msg(48, "No library to show.")});
}

#ifndef _WIN32
// Another copy of the program lists libraries while the message about a
// library that has gone is open; dropping that one keeps all of theirs.
TEST_F(LibraryList, StartUpDropsOnlyTheGoneLibraryWhileAnotherCopyAddsLibraries) {
    const std::string gone = harness.PathOf("gone/old.h");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Libraries", gone, "Yes");
    std::string written;
    harness.platform.whileMessageShows = [&](const std::string&) {
        const std::string writer =
            "'" QUILL_SETTINGS_WRITER "' keys '" + settingsFile + "' /other/lib 1";
        FILE* pipe = popen(writer.c_str(), "r");
        char buffer[64];
        while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            written += buffer;
        }
        EXPECT_EQ(pipe != nullptr ? pclose(pipe) : -1, 0);
    };
    harness.Start();
    const int count = std::stoi(written);
    ASSERT_GT(count, 0);

    const Texts keys = GetAllSettingKeys("Libraries", settingsFile);
    const std::set<std::string> listed(keys.begin(), keys.end());
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        missing += listed.count("/other/lib" + std::to_string(i)) == 0;
    }
    EXPECT_EQ(missing, 0) << "of " << count;
    EXPECT_EQ(listed.count(gone), 0u);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(count) + 1);
    EXPECT_EQ(Entries(ui.libraryCombo), Texts{assemblerB});
}
#endif

}  // namespace
}  // namespace quill
