// The library catalogue: LibraryCombo and section "Libraries" at start-up,
// when a library is added, removed or picked from the list; and the library
// file dialog of every use.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTest>
#include <cctype>
#include <sstream>

#include "WindowHarness.h"
#include "catalogue/CLibBrowse.h"

namespace quill {
namespace {

const char* const kHeaderA = "/* a */\nvoid AlphaInit(void);\nint AlphaRead(int iChannel);\n";
const char* const kAssemblerB = "; C Function prototype: void BetaGo(void)\n\tRSEG\tCODE\n";

std::string FileBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// A program folder with two libraries on disk; the window is not initialised
// until Start.
class LibraryList : public ::testing::Test {
protected:
    LibraryList() : harness(false), window(*harness.window) {}

    // Lists `libraries`, with `last` as the last library (none: no key), and
    // starts the window.
    void Start(const Texts& libraries, const std::string& last) {
        for (const std::string& library : libraries) {
            harness.SetSetting("Libraries", library, "Yes");
        }
        if (!last.empty()) {
            harness.SetSetting("Last", "Library", last);
        }
        window.OnInitDialog();
        window.show();
        harness.platform.Clear();
    }

    Texts LibraryKeys() const { return GetAllSettingKeys("Libraries", settingsFile); }

    // Clicks AddButton; the dialog answers `chosen` (nothing: cancelled).
    FileDialogRequest ClickAdd(std::optional<std::string> chosen) {
        harness.platform.chosenFiles.push_back(std::move(chosen));
        QTest::mouseClick(window.addButton, Qt::LeftButton);
        const auto dialogs = harness.platform.CallsOf(PlatformCall::Kind::ChooseFile);
        EXPECT_EQ(dialogs.size(), 1u);
        return dialogs.empty() ? FileDialogRequest{} : dialogs.back().dialog;
    }

    // After a change of library it is selected, stored and shown, and the
    // function list is empty.
    void ExpectCurrent(const std::string& library, const char* bytes) {
        EXPECT_EQ(window.libraryCombo->SelectedText(), library);
        EXPECT_EQ(harness.Setting("Last", "Library"), library);
        EXPECT_EQ(harness.Shown(), bytes);
        EXPECT_EQ(window.functionCombo->count(), 0);
    }

    WindowHarness harness;
    MainWindow& window;
    const std::string headerA = harness.WriteFile("lib/a.h", kHeaderA);
    const std::string assemblerB = harness.WriteFile("lib/b.s", kAssemblerB);
    const std::string settingsFile = harness.PathOf("Quill.ini");
};

TEST_F(LibraryList, StartUpRewritesTheSectionSortedAndDropsMissingLibraries) {
    const std::string missing = harness.PathOf("gone/old.h");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Libraries", missing, "Yes");
    harness.SetSetting("Libraries", headerA, "no");  // only the key name counts
    window.OnInitDialog();

    EXPECT_EQ(
        harness.platform.MessagesShown(),
        (Messages{{"Library " + missing + " not available.\nWill be removed from list.", 16}}));
    EXPECT_EQ(Entries(window.libraryCombo), (Texts{headerA, assemblerB}));
    EXPECT_EQ(LibraryKeys(), (Texts{headerA, assemblerB}));
    EXPECT_EQ(harness.Setting("Libraries", headerA), "Yes");
    // Nothing was stored as the last library: the first entry is.
    ExpectCurrent(headerA, kHeaderA);
    EXPECT_EQ(window.startupLibrary, headerA);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "int AlphaRead(int iChannel)");

    // The next start finds the cleaned section and has nothing to report.
    harness.platform.Clear();
    MainWindow again(harness.platform, window.paths);
    again.OnInitDialog();
    EXPECT_TRUE(harness.platform.calls.empty());
    EXPECT_EQ(Entries(again.libraryCombo), (Texts{headerA, assemblerB}));
}

TEST_F(LibraryList, TheLastLibraryIsFoundIgnoringCaseAndNotRewritten) {
    std::string shouted = assemblerB;
    for (char& c : shouted) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    harness.SetSetting("Libraries", headerA, "Yes");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Last", "Library", shouted);
    EXPECT_EQ(window.LoadLibraryList(), 2);
    EXPECT_EQ(window.libraryCombo->SelectedText(), assemblerB);
    EXPECT_EQ(harness.Setting("Last", "Library"), shouted);

    // No library left: nothing selected and no last library stored.
    DeleteSettingSection("Libraries", settingsFile);
    DeleteSettingKey("Last", "Library", settingsFile);
    harness.SetSetting("Libraries", harness.PathOf("gone.h"), "Yes");
    EXPECT_EQ(window.LoadLibraryList(), 0);
    EXPECT_EQ(window.libraryCombo->currentIndex(), -1);
    EXPECT_TRUE(Entries(window.libraryCombo).empty() && LibraryKeys().empty());
    EXPECT_EQ(harness.Setting("Last", "Library"), "<missing>");
}

TEST_F(LibraryList, StartUpWithALibraryWithoutFunctionsShowsNothing) {
    const std::string empty = harness.WriteFile("lib/empty.h", "/* nothing here */\n");
    harness.SetSetting("Last", "Choice", "void Kept(void)");
    Start({empty}, "");
    EXPECT_EQ(window.startupLibrary, empty);
    EXPECT_EQ(harness.Shown(), "");
    EXPECT_EQ(window.functionCombo->count(), 0);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void Kept(void)");
}

TEST_F(LibraryList, EveryLibraryIsKeptHoweverLongTheirNamesTogether) {
    // Some 140 names of about 100 characters: far more than the 10000
    // characters the section's names were once read into.
    Texts libraries;
    std::string section = "[Libraries]\r\n";
    for (int i = 0; i < 140; ++i) {
        libraries.push_back(harness.WriteFile(
            "many/" + std::string(80, 'x') + std::to_string(1000 + i) + ".h", "void F(void);\n"));
        // Listed in reverse so that the rewrite has something to sort.
        section = section.substr(0, 13) + libraries.back() + "=Yes\r\n" + section.substr(13);
    }
    harness.WriteFile("Quill.ini", section);
    ASSERT_LT(GetSettingKeys("Libraries", 10000, settingsFile).size(), libraries.size());

    EXPECT_EQ(window.LoadLibraryList(), 1);
    EXPECT_EQ(Entries(window.libraryCombo), libraries);
    EXPECT_EQ(LibraryKeys(), libraries);
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST_F(LibraryList, AddListsStoresSelectsAndShowsTheChosenFile) {
    Start({assemblerB}, "");
    const FileDialogRequest request = ClickAdd(headerA);
    EXPECT_EQ(request.title, "Select Library Source");
    EXPECT_EQ(request.fileNameLabel + request.acceptLabel, "&Library&Select");
    EXPECT_EQ(request.filters,
              (std::vector<FileFilter>{
                  {" Header(*.h)", "*.h"}, {" Library(*.s)", "*.s"}, {" All(*.*)", "*.*"}}));
    // It starts from the selected library.
    EXPECT_EQ(request.initialName, assemblerB);
    EXPECT_EQ(request.initialFolder, harness.PathOf("lib/"));
    EXPECT_EQ(Entries(window.libraryCombo), (Texts{headerA, assemblerB}));
    // The new key goes to the end of the section.
    EXPECT_EQ(LibraryKeys(), (Texts{assemblerB, headerA}));
    ExpectCurrent(headerA, kHeaderA);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "int AlphaRead(int iChannel)");
    EXPECT_TRUE(harness.platform.MessagesShown().empty());

    // A name that does not exist is listed as it is, and its scan reported.
    harness.platform.Clear();
    const std::string typed = harness.PathOf("lib/typed.h");
    ClickAdd(typed);
    EXPECT_EQ(window.libraryCombo->SelectedText(), typed);
    EXPECT_EQ(harness.Setting("Libraries", typed), "Yes");
    EXPECT_EQ(
        harness.platform.MessagesShown(),
        (Messages{{"Library " + typed + " source file not available.\nFix using Library Combobox.",
                   64}}));
    EXPECT_EQ(harness.Shown(), kHeaderA);

    // A listed file again: a second entry for this run, one key in the file.
    harness.platform.Clear();
    ClickAdd(assemblerB);
    EXPECT_EQ(Entries(window.libraryCombo), (Texts{headerA, assemblerB, assemblerB, typed}));
    EXPECT_EQ(LibraryKeys(), (Texts{assemblerB, headerA, typed}));
}

TEST_F(LibraryList, AddWithoutASelectionOffersTheStoredOrTheDefaultPath) {
    Start({assemblerB}, "");
    const std::string folder = "C:\\" + std::string(200, 'd') + "\\";
    const std::string fits = folder + std::string(259 - folder.size(), 'f');
    const struct {
        std::string stored, name, folder;
        Messages messages;
    } cases[] = {
        {"C:\\Lib\\Uart.h", "C:\\Lib\\Uart.h", "C:\\Lib\\", {}},
        {"", harness.folder + "LibVexa.s79", harness.folder, {}},
        // 259 characters still fit the name field; 260 do not, and the
        // dialog opens in the folder all the same, after the message.
        {fits, fits, folder, {}},
        {fits + "f", "", folder, {{"Drive:\\Path\\File too long!", 48}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.substr(0, 20));
        harness.platform.Clear();
        window.libraryCombo->setCurrentIndex(-1);
        harness.SetSetting("Last", "Library", c.stored);
        const FileDialogRequest request = ClickAdd(std::nullopt);
        EXPECT_EQ(request.initialName, c.name);
        EXPECT_EQ(request.initialFolder, c.folder);
        EXPECT_EQ(harness.platform.MessagesShown(), c.messages);
        EXPECT_EQ(harness.platform.calls.back().kind, PlatformCall::Kind::ChooseFile);
    }
}

TEST_F(LibraryList, ACancelledAddOrANoToUnlistChangesNothing) {
    Start({headerA, assemblerB}, assemblerB);
    harness.ShowText("documentation shown");
    const std::string before = FileBytes(settingsFile);
    ClickAdd(std::nullopt);
    harness.platform.messageAnswers.push_back(kAnswerNo);
    QTest::mouseClick(window.unlistButton, Qt::LeftButton);

    EXPECT_EQ(harness.platform.MessagesShown().size(), 1u);
    EXPECT_EQ(FileBytes(settingsFile), before);
    EXPECT_EQ(Entries(window.libraryCombo), (Texts{headerA, assemblerB}));
    EXPECT_EQ(window.libraryCombo->SelectedText(), assemblerB);
    EXPECT_EQ(harness.Shown(), "documentation shown");
}

TEST_F(LibraryList, UnlistRemovesTheLibraryAndSelectsTheFirstUntilNoneIsLeft) {
    Start({headerA, assemblerB}, assemblerB);
    QTest::mouseClick(window.unlistButton, Qt::LeftButton);  // answered Yes
    EXPECT_EQ(harness.platform.MessagesShown(),
              (Messages{{"Do you wish to remove access to\n" + assemblerB + " ?", 36}}));
    EXPECT_EQ(Entries(window.libraryCombo), (Texts{headerA}));
    EXPECT_EQ(LibraryKeys(), (Texts{headerA}));
    ExpectCurrent(headerA, kHeaderA);

    // The last one: "Last" / "Library" still names it, and the function list
    // and the source view are not touched.
    harness.ShowText("shown text");
    window.functionCombo->AddString("void AlphaInit(void)");
    window.UnlistLibrary();
    EXPECT_EQ(window.libraryCombo->currentIndex(), -1);
    EXPECT_TRUE(window.libraryCombo->currentText().isEmpty());
    EXPECT_TRUE(Entries(window.libraryCombo).empty() && LibraryKeys().empty());
    EXPECT_EQ(harness.Setting("Last", "Library"), headerA);
    EXPECT_EQ(harness.Shown(), "shown text");
    EXPECT_EQ(window.functionCombo->count(), 1);

    // Without a selection nobody is asked, and the next start selects nothing.
    harness.platform.Clear();
    window.UnlistLibrary();
    EXPECT_TRUE(harness.platform.calls.empty());
    MainWindow again(harness.platform, window.paths);
    again.OnInitDialog();
    EXPECT_EQ(again.libraryCombo->currentIndex(), -1);
    EXPECT_TRUE(again.startupLibrary.empty());
}

TEST_F(LibraryList, ClosingTheListRewritesBothKeysAndShowsThePickedLibrary) {
    Start({headerA, assemblerB}, headerA);
    const auto pick = [this](int down) {
        window.libraryCombo->showPopup();
        for (int i = 0; i < down; ++i) {
            QTest::keyClick(window.libraryCombo->view(), Qt::Key_Down);
        }
        QTest::keyClick(window.libraryCombo->view(), Qt::Key_Return);
        Settle();
    };
    // Unchanged: both keys are written all the same, and the library
    // replaces the documentation shown.
    DeleteSettingKey("Libraries", headerA, settingsFile);
    harness.SetSetting("Last", "Library", "elsewhere");
    harness.ShowText("a documentation block");
    window.functionCombo->AddString("void AlphaInit(void)");
    pick(0);
    EXPECT_EQ(harness.Setting("Libraries", headerA), "Yes");
    ExpectCurrent(headerA, kHeaderA);

    pick(1);
    ExpectCurrent(assemblerB, "; C Function prototype: void BetaGo(void)\n    RSEG    CODE\n");
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void BetaGo(void)");
    EXPECT_TRUE(harness.platform.MessagesShown().empty());
}

TEST(CLibBrowse, TheSetupUsesHaveTheirTitlesFiltersAndTheTwoLabels) {
    const struct {
        CLibBrowse (*make)(Platform&);
        std::string title;
        std::vector<FileFilter> filters;
    } uses[] = {
        {&CLibBrowse::ForBrowser,
         "Select Browser",
         {{"Browser(*.exe)", "*.exe"}, {" All(*.*)", "*.*"}}},
        {&CLibBrowse::ForHelpParent,
         "Help Parent",
         {{"Help(*.html)", "*.html"}, {" All(*.*)", "*.*"}}},
    };
    for (const auto& use : uses) {
        RecordingPlatform platform;
        use.make(platform).DoModal();
        ASSERT_EQ(platform.calls.size(), 1u);
        const FileDialogRequest& request = platform.calls[0].dialog;
        EXPECT_EQ(request.title, use.title);
        EXPECT_EQ(request.filters, use.filters);
        EXPECT_EQ(request.fileNameLabel + request.acceptLabel, "&Library&Select");
        EXPECT_EQ(request.initialName + request.initialFolder, "");
    }
}

TEST(CLibBrowse, OnlyAConfirmedNonEmptyPathIsAChoice) {
    RecordingPlatform platform;
    platform.chosenFiles = {std::string("/x/first.h"), std::nullopt, std::string(),
                            std::string("/x/typed-but-missing.h")};
    CLibBrowse dialog = CLibBrowse::ForLibrary(platform);
    EXPECT_TRUE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "/x/first.h");
    // A later cancel, or an empty name, forgets the earlier choice.
    EXPECT_FALSE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "");
    EXPECT_FALSE(dialog.DoModal());
    EXPECT_TRUE(dialog.DoModal());
    EXPECT_EQ(dialog.GetPathName(), "/x/typed-but-missing.h");
}

TEST(CLibBrowse, TheFolderIsThePathUpToItsLastSeparatorAfterADrive) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\x\\b.s", "C:\\x\\"},
        {"C:\\LibVexa.s79", "C:\\"},
        {"ab\\c\\d.h", "ab\\c\\"},
        // No separator, or the first one too early: the path itself.
        {"lib.h", "lib.h"},
        {"a\\b.h", "a\\b.h"},
        {"\\\\srv\\share\\b.h", "\\\\srv\\share\\b.h"},
#ifndef _WIN32
        // Slashes count, and the root stands for a drive.
        {"/home/x/lib.h", "/home/x/"},
        {"/lib.h", "/"},
        {"ab/c\\d.h", "ab/c\\"},
        {"a/b.h", "a/b.h"},
#endif
    };
    for (const auto& [path, folder] : cases) {
        EXPECT_EQ(LibraryDialogFolder(path), folder) << path;
    }
}

}  // namespace
}  // namespace quill
