// The library catalogue: LibraryCombo and section "Libraries" at start-up,
// when a library is added, removed or picked from the list; and the library
// file dialog of every use.

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "WindowHarness.h"
#include "core/catalogue/CLibBrowse.h"

namespace quill {
namespace {

const char* const kHeaderA = "/* a */\nvoid AlphaInit(void);\nint AlphaRead(int iChannel);\n";
const char* const kAssemblerB = "; C Function prototype: void BetaGo(void)\n\tRSEG\tCODE\n";

// A program folder with two libraries on disk; the window is not initialised
// until Start.
class LibraryList : public ::testing::Test {
protected:
    // Lists `libraries`, with `last` as the last library (none: no key), and
    // starts the window.
    void Start(const Texts& libraries, const std::string& last = "") {
        for (const std::string& library : libraries) {
            harness.SetSetting("Libraries", library, "Yes");
        }
        if (!last.empty()) {
            harness.SetSetting("Last", "Library", last);
        }
        harness.Start();
        log.clear();
    }

    Texts LibraryKeys() const { return GetAllSettingKeys("Libraries", settingsFile); }
    // The catalogue in one line, paths under the program folder shortened:
    // the entries with the selected one starred, the keys of "Libraries",
    // and "Last" / "Library".
    std::string Catalogue() const {
        const auto shorter = [this](const std::string& path) {
            return path.rfind(harness.folder, 0) == 0 ? path.substr(harness.folder.size()) : path;
        };
        std::string text;
        for (int i = 0; i < ui.libraryCombo->count(); ++i) {
            text += shorter(ui.libraryCombo->TextAt(i)) +
                    (i == ui.libraryCombo->currentIndex() ? "* " : " ");
        }
        text += "| keys";
        for (const std::string& key : LibraryKeys()) {
            text += " " + shorter(key);
        }
        return text + " | last " + shorter(harness.Setting("Last", "Library"));
    }

    // Clicks AddButton; the dialog answers `chosen` (nothing: cancelled).
    FileDialogRequest ClickAdd(std::optional<std::string> chosen) {
        harness.platform.chosenFiles.push_back(std::move(chosen));
        QTest::mouseClick(ui.addButton, Qt::LeftButton);
        return harness.platform.dialogs.back();
    }

    // A second window on the same program folder, as the next start makes.
    std::unique_ptr<MainWindow> NextStart() {
        auto again = std::make_unique<MainWindow>(
            harness.platform, AppPaths{harness.folder, harness.folder, settingsFile, "Quill"});
        again->OnInitDialog();
        return again;
    }

    // After a change of library it is shown and the function list is empty.
    void ExpectShown(const char* bytes) {
        EXPECT_EQ(harness.Shown(), bytes);
        EXPECT_EQ(ui.functionCombo->count(), 0);
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    Texts& log = harness.platform.log;
    const std::string headerA = harness.WriteFile("lib/a.h", kHeaderA);
    const std::string assemblerB = harness.WriteFile("lib/b.s", kAssemblerB);
    const std::string settingsFile = harness.PathOf("Quill.ini");
};

TEST_F(LibraryList, StartUpRewritesTheSectionSortedAndDropsMissingLibraries) {
    const std::string missing = harness.PathOf("gone/old.h");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Libraries", missing, "Yes");
    harness.SetSetting("Libraries", headerA, "no");  // only the key name counts
    harness.Start();
    EXPECT_EQ(log,
              Texts{Msg(16, "Library " + missing + " not available.\nWill be removed from list.")});
    // Nothing was stored as the last library: the first entry is.
    EXPECT_EQ(Catalogue(), "lib/a.h* lib/b.s | keys lib/a.h lib/b.s | last lib/a.h");
    EXPECT_EQ(harness.Setting("Libraries", headerA), "Yes");
    ExpectShown(kHeaderA);

    // The next start finds the cleaned section and has nothing to report;
    // "Last" / "Library" is found ignoring case.
    log.clear();
    harness.SetSetting("Last", "Library", harness.folder + "LIB/B.S");
    EXPECT_EQ(NextStart()->StartupLibrary(), assemblerB);
    EXPECT_TRUE(log.empty());
}

TEST_F(LibraryList, AddListsStoresSelectsAndShowsTheChosenFile) {
    Start({assemblerB});
    const FileDialogRequest request = ClickAdd(headerA);
    EXPECT_EQ(log, Texts{"dialog: Select Library Source"});
    // It starts from the selected library.
    EXPECT_EQ(request.initialName, assemblerB);
    EXPECT_EQ(request.initialFolder, harness.PathOf("lib/"));
    EXPECT_EQ(Catalogue(), "lib/a.h* lib/b.s | keys lib/b.s lib/a.h | last lib/a.h");
    ExpectShown(kHeaderA);

    // A name that does not exist is listed as it is, and its scan reported;
    // a listed file again is a second entry for this run, and one key.
    log.clear();
    const std::string typed = harness.PathOf("lib/typed.h");
    ClickAdd(typed);
    EXPECT_EQ(log,
              (Texts{"dialog: Select Library Source",
                     Msg(64, "Library " + typed +
                                 " source file not available.\nFix using Library Combobox.")}));
    EXPECT_EQ(harness.Shown(), kHeaderA);
    ClickAdd(assemblerB);
    EXPECT_EQ(
        Catalogue(),
        "lib/a.h lib/b.s lib/b.s* lib/typed.h | keys lib/b.s lib/a.h lib/typed.h | last lib/b.s");
}

TEST_F(LibraryList, UnlistRemovesTheLibraryAndSelectsTheFirstUntilNoneIsLeft) {
    Start({headerA, assemblerB}, assemblerB);
    // No keeps it.
    harness.platform.messageAnswers.push_back(kAnswerNo);
    harness.Click(ui.unlistButton);
    EXPECT_EQ(Catalogue(), "lib/a.h lib/b.s* | keys lib/a.h lib/b.s | last lib/b.s");
    log.clear();
    QTest::mouseClick(ui.unlistButton, Qt::LeftButton);  // answered Yes
    EXPECT_EQ(log, Texts{Msg(36, "Do you wish to remove access to\n" + assemblerB + " ?")});
    EXPECT_EQ(Catalogue(), "lib/a.h* | keys lib/a.h | last lib/a.h");
    ExpectShown(kHeaderA);

    // The last one: "Last" / "Library" still names it, and the function list
    // and the source view are not touched.
    PickFromList(ui.functionCombo, "void AlphaInit(void)");
    const std::string shown = harness.Shown();
    harness.Click(ui.unlistButton);
    EXPECT_EQ(Catalogue(), "| keys | last lib/a.h");
    EXPECT_TRUE(ui.libraryCombo->currentText().isEmpty());
    EXPECT_EQ(harness.Shown(), shown);
    EXPECT_EQ(ui.functionCombo->count(), 2);

    // Without a selection nobody is asked, and the next start selects nothing.
    EXPECT_TRUE(harness.Click(ui.unlistButton).empty());
    EXPECT_TRUE(NextStart()->StartupLibrary().empty());
}

TEST_F(LibraryList, ClosingTheListRewritesBothKeysAndShowsThePickedLibrary) {
    Start({headerA, assemblerB}, headerA);
    // Unchanged: both keys are written all the same, and the library
    // replaces the documentation shown.
    PickFromList(ui.functionCombo, "void AlphaInit(void)");
    DeleteSettingKey("Libraries", headerA, settingsFile);
    harness.SetSetting("Last", "Library", "elsewhere");
    log.clear();
    PickFromList(ui.libraryCombo, headerA);
    EXPECT_EQ(Catalogue(), "lib/a.h* lib/b.s | keys lib/b.s lib/a.h | last lib/a.h");
    ExpectShown(kHeaderA);

    PickFromList(ui.libraryCombo, assemblerB);
    EXPECT_EQ(Catalogue(), "lib/a.h lib/b.s* | keys lib/b.s lib/a.h | last lib/b.s");
    ExpectShown("; C Function prototype: void BetaGo(void)\n    RSEG    CODE\n");
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void BetaGo(void)");
    EXPECT_TRUE(log.empty());
}

TEST_F(LibraryList, PathsTheSettingsFileCannotKeepAreRefusedOthersReadBackExactly) {
    Start({assemblerB}, assemblerB);
    const std::string before = Catalogue();
    const std::pair<std::string, const char*> refused[] = {
        {harness.PathOf("lib/a=b.h"), "holds \"=\""},
        {harness.PathOf("lib/two\nlines.h"), "holds a line break"},
        {harness.PathOf("lib/trailing.h "), "begins or ends with a blank"},
        {" " + headerA, "begins or ends with a blank"},
        {";lib.h", "begins with \";\""},
    };
    for (const auto& [path, why] : refused) {
        log.clear();
        ClickAdd(path);
        EXPECT_EQ(log, (Texts{"dialog: Select Library Source",
                              Msg(48, "Library " + path +
                                          " cannot be listed: the settings file cannot keep a "
                                          "name that " +
                                          why + ".")}));
        EXPECT_EQ(Catalogue(), before);
    }
    // Blanks inside, ";" and "[" after the start are kept as they are.
    const std::string odd = harness.WriteFile("lib/my lib ;[1].h", kHeaderA);
    ClickAdd(odd);
    EXPECT_EQ(LibraryKeys(), (Texts{assemblerB, odd}));
    EXPECT_EQ(NextStart()->StartupLibrary(), odd);
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

    const Texts keys = LibraryKeys();
    const std::set<std::string> listed(keys.begin(), keys.end());
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        missing += listed.count("/other/lib" + std::to_string(i)) == 0;
    }
    EXPECT_EQ(missing, 0) << "of " << count;
    EXPECT_EQ(listed.count(gone), 0u);
    EXPECT_EQ(listed.count(assemblerB), 1u);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(count) + 1);
    EXPECT_EQ(Entries(ui.libraryCombo), Texts{assemblerB});
}
#endif

TEST(CLibBrowse, TheFolderIsThePathUpToItsLastSeparatorAfterADrive) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\x\\b.s", "C:\\x\\"},
        // No separator, or the first one too early: the path itself.
        {"lib.h", "lib.h"},
        {"a\\b.h", "a\\b.h"},
        {"\\\\srv\\share\\b.h", "\\\\srv\\share\\b.h"},
#ifndef _WIN32
        // Slashes count, and the root stands for a drive.
        {"/home/x/lib.h", "/home/x/"},
        {"/lib.h", "/"},
        {"a/b.h", "a/b.h"},
#endif
    };
    for (const auto& [path, folder] : cases) {
        EXPECT_EQ(LibraryDialogFolder(path), folder) << path;
    }
}

}  // namespace
}  // namespace quill
