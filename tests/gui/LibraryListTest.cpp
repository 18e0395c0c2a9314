// The library catalogue: LibraryCombo and section "Libraries" at start-up,
// when a library is added, removed or picked from the list.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"
#include "app/SettingsStore.h"

namespace quill {
namespace {

using Message = std::pair<std::string, unsigned>;

const char* const kHeaderA =
    "/* a */\n"
    "void AlphaInit(void);\n"
    "int AlphaRead(int iChannel);\n";

const char* const kAssemblerB =
    "; C Function prototype: void BetaGo(void)\n"
    "\tRSEG\tCODE\n";

std::vector<Message> MessagesOf(const RecordingPlatform& platform) {
    std::vector<Message> messages;
    for (const PlatformCall& call : platform.CallsOf(PlatformCall::Kind::Message)) {
        messages.emplace_back(call.text, call.style);
    }
    return messages;
}

std::vector<std::string> Entries(const NotifyingComboBox* combo) {
    std::vector<std::string> entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries.push_back(combo->TextAt(i));
    }
    return entries;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A harness whose window is not initialised yet, with two libraries on disk.
class LibraryList : public ::testing::Test {
protected:
    LibraryList() : harness(false) {
        headerA = harness.WriteFile("lib/a.h", kHeaderA);
        assemblerB = harness.WriteFile("lib/b.s", kAssemblerB);
        settingsFile = harness.PathOf("Quill.ini");
    }

    MainWindow& Window() { return *harness.window; }
    std::vector<std::string> LibraryKeys() const {
        return GetAllSettingKeys("Libraries", settingsFile);
    }

    WindowHarness harness;
    std::string headerA;
    std::string assemblerB;
    std::string settingsFile;
};

TEST_F(LibraryList, StartUpRewritesTheSectionSortedAndDropsMissingLibraries) {
    const std::string missing = harness.PathOf("gone/old.h");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Libraries", missing, "Yes");
    harness.SetSetting("Libraries", headerA, "no");  // only the key name counts

    Window().OnInitDialog();

    EXPECT_EQ(MessagesOf(harness.platform),
              (std::vector<Message>{
                  {"Library " + missing + " not available.\nWill be removed from list.", 16}}));
    EXPECT_EQ(Entries(Window().libraryCombo), (std::vector<std::string>{headerA, assemblerB}));
    EXPECT_EQ(LibraryKeys(), (std::vector<std::string>{headerA, assemblerB}));
    EXPECT_EQ(harness.Setting("Libraries", headerA), "Yes");
    // Nothing was stored as the last library: the first entry is, and it is
    // the one shown.
    EXPECT_EQ(harness.Setting("Last", "Library"), headerA);
    EXPECT_EQ(Window().libraryCombo->currentIndex(), 0);
    EXPECT_EQ(Window().startupLibrary, headerA);
    EXPECT_EQ(Window().sourcePane->toPlainText().toStdString(), kHeaderA);
    EXPECT_EQ(Window().functionCombo->count(), 0);
    // The scan stored the first function as the choice.
    EXPECT_EQ(harness.Setting("Last", "Choice"), "int AlphaRead(int iChannel)");

    // The next start finds the cleaned section and has nothing to report.
    harness.platform.Clear();
    MainWindow again(harness.platform, Window().paths);
    again.OnInitDialog();
    EXPECT_TRUE(harness.platform.Messages().empty());
    EXPECT_EQ(Entries(again.libraryCombo), (std::vector<std::string>{headerA, assemblerB}));
}

TEST_F(LibraryList, TheLastLibraryIsFoundIgnoringCaseAndNotRewritten) {
    std::string shouted = assemblerB;
    for (char& c : shouted) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    harness.SetSetting("Libraries", headerA, "Yes");
    harness.SetSetting("Libraries", assemblerB, "Yes");
    harness.SetSetting("Last", "Library", shouted);

    EXPECT_EQ(Window().LoadLibraryList(), 2);
    EXPECT_EQ(Window().libraryCombo->SelectedText(), assemblerB);
    EXPECT_EQ(harness.Setting("Last", "Library"), shouted);
}

TEST_F(LibraryList, StartUpWithALibraryWithoutFunctionsShowsNothing) {
    const std::string empty = harness.WriteFile("lib/empty.h", "/* nothing here */\n");
    harness.SetSetting("Libraries", empty, "Yes");
    harness.SetSetting("Last", "Choice", "void Kept(void)");

    Window().OnInitDialog();

    EXPECT_EQ(Window().startupLibrary, empty);
    EXPECT_TRUE(Window().sourcePane->toPlainText().isEmpty());
    EXPECT_EQ(Window().functionCombo->count(), 0);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void Kept(void)");
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST_F(LibraryList, NoLibrariesSelectsNothingAndStoresNoLastLibrary) {
    harness.SetSetting("Libraries", harness.PathOf("gone.h"), "Yes");
    EXPECT_EQ(Window().LoadLibraryList(), 0);
    EXPECT_EQ(Window().libraryCombo->count(), 0);
    EXPECT_EQ(Window().libraryCombo->currentIndex(), -1);
    EXPECT_TRUE(LibraryKeys().empty());
    EXPECT_EQ(harness.Setting("Last", "Library"), "<missing>");
}

TEST_F(LibraryList, EveryLibraryIsKeptHoweverLongTheirNamesTogether) {
    // Some 140 names of about 100 characters: far more than the 10000
    // characters the section's names were once read into.
    std::vector<std::string> libraries;
    const std::string padding(80, 'x');
    for (int i = 0; i < 140; ++i) {
        const std::string name = "many/" + padding + std::to_string(1000 + i) + ".h";
        libraries.push_back(harness.WriteFile(name, "void F(void);\n"));
    }
    // Listed in reverse so that the rewrite has something to sort.
    std::string section = "[Libraries]\r\n";
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it) {
        section += *it + "=Yes\r\n";
    }
    harness.WriteFile("Quill.ini", section);
    ASSERT_LT(GetSettingKeys("Libraries", 10000, settingsFile).size(), libraries.size());

    EXPECT_EQ(Window().LoadLibraryList(), 1);
    EXPECT_EQ(Entries(Window().libraryCombo), libraries);
    EXPECT_EQ(LibraryKeys(), libraries);
    EXPECT_TRUE(harness.platform.calls.empty());
}

// AddButton and the file dialog, on an initialised window.
class AddLibrary : public LibraryList {
protected:
    void SetUp() override {
        harness.SetSetting("Libraries", assemblerB, "Yes");
        Window().OnInitDialog();
        Window().show();
        harness.platform.Clear();
    }

    // Clicks AddButton; the dialog answers `chosen` (nothing: cancelled).
    FileDialogRequest ClickAdd(std::optional<std::string> chosen) {
        harness.platform.chosenFiles.push_back(std::move(chosen));
        QTest::mouseClick(Window().addButton, Qt::LeftButton);
        const auto dialogs = harness.platform.CallsOf(PlatformCall::Kind::ChooseFile);
        EXPECT_EQ(dialogs.size(), 1u);
        return dialogs.empty() ? FileDialogRequest{} : dialogs.back().dialog;
    }
};

TEST_F(AddLibrary, TheChosenFileIsListedStoredSelectedAndShown) {
    const FileDialogRequest request = ClickAdd(headerA);

    EXPECT_EQ(request.title, "Select Library Source");
    EXPECT_EQ(request.fileNameLabel, "&Library");
    EXPECT_EQ(request.acceptLabel, "&Select");
    EXPECT_EQ(request.filters,
              (std::vector<FileFilter>{
                  {" Header(*.h)", "*.h"}, {" Library(*.s)", "*.s"}, {" All(*.*)", "*.*"}}));
    // It starts from the selected library.
    EXPECT_EQ(request.initialName, assemblerB);
    EXPECT_EQ(request.initialFolder, harness.PathOf("lib/"));

    EXPECT_EQ(Entries(Window().libraryCombo), (std::vector<std::string>{headerA, assemblerB}));
    EXPECT_EQ(Window().libraryCombo->SelectedText(), headerA);
    EXPECT_EQ(harness.Setting("Libraries", headerA), "Yes");
    EXPECT_EQ(harness.Setting("Last", "Library"), headerA);
    EXPECT_EQ(Window().sourcePane->toPlainText().toStdString(), kHeaderA);
    EXPECT_EQ(Window().functionCombo->count(), 0);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "int AlphaRead(int iChannel)");
    EXPECT_TRUE(harness.platform.Messages().empty());
}

TEST_F(AddLibrary, WithoutASelectionTheStoredOrTheDefaultPathIsOffered) {
    Window().libraryCombo->setCurrentIndex(-1);
    harness.SetSetting("Last", "Library", "C:\\Lib\\Uart.h");
    FileDialogRequest request = ClickAdd(std::nullopt);
    EXPECT_EQ(request.initialName, "C:\\Lib\\Uart.h");
    EXPECT_EQ(request.initialFolder, "C:\\Lib\\");

    harness.platform.Clear();
    Window().libraryCombo->setCurrentIndex(-1);
    harness.SetSetting("Last", "Library", "");
    request = ClickAdd(std::nullopt);
    EXPECT_EQ(request.initialName, harness.folder + "LibVexa.s79");
    EXPECT_EQ(request.initialFolder, harness.folder);
    EXPECT_TRUE(harness.platform.Messages().empty());
}

TEST_F(AddLibrary, AStartingPathThatDoesNotFitTheNameFieldIsReported) {
    Window().libraryCombo->setCurrentIndex(-1);
    const std::string folder = "C:\\" + std::string(200, 'd') + "\\";

    // 259 characters still fit.
    const std::string fits = folder + std::string(259 - folder.size(), 'f');
    harness.SetSetting("Last", "Library", fits);
    FileDialogRequest request = ClickAdd(std::nullopt);
    EXPECT_EQ(request.initialName, fits);
    EXPECT_TRUE(harness.platform.Messages().empty());

    harness.platform.Clear();
    Window().libraryCombo->setCurrentIndex(-1);
    const std::string tooLong = fits + "f";
    harness.SetSetting("Last", "Library", tooLong);
    request = ClickAdd(std::nullopt);
    EXPECT_EQ(MessagesOf(harness.platform),
              (std::vector<Message>{{"Drive:\\Path\\File too long!", 48}}));
    // The message comes before the dialog, which still opens, in the folder.
    EXPECT_EQ(harness.platform.calls.front().kind, PlatformCall::Kind::Message);
    EXPECT_EQ(request.initialName, "");
    EXPECT_EQ(request.initialFolder, folder);
}

TEST_F(AddLibrary, ACancelledDialogChangesNothing) {
    Window().sourceText = "documentation shown";
    Window().UpdateData(false);
    const std::string before = FileBytes(settingsFile);

    ClickAdd(std::nullopt);

    EXPECT_EQ(FileBytes(settingsFile), before);
    EXPECT_EQ(Entries(Window().libraryCombo), (std::vector<std::string>{assemblerB}));
    EXPECT_EQ(Window().libraryCombo->SelectedText(), assemblerB);
    EXPECT_EQ(Window().sourcePane->toPlainText(), QStringLiteral("documentation shown"));
}

TEST_F(AddLibrary, ANameThatDoesNotExistOrIsListedAlreadyIsTakenAsItIs) {
    const std::string typed = harness.PathOf("lib/typed.h");
    const QString shownBefore = Window().sourcePane->toPlainText();
    ClickAdd(typed);
    EXPECT_EQ(Window().libraryCombo->SelectedText(), typed);
    EXPECT_EQ(harness.Setting("Libraries", typed), "Yes");
    EXPECT_EQ(MessagesOf(harness.platform),
              (std::vector<Message>{
                  {"Library " + typed + " source file not available.\nFix using Library Combobox.",
                   64}}));
    EXPECT_EQ(Window().sourcePane->toPlainText(), shownBefore);

    // The same file again: a second entry for this run, one key in the file.
    harness.platform.Clear();
    ClickAdd(assemblerB);
    EXPECT_EQ(Entries(Window().libraryCombo),
              (std::vector<std::string>{assemblerB, assemblerB, typed}));
    EXPECT_EQ(LibraryKeys(), (std::vector<std::string>{assemblerB, typed}));
}

// UnlistButton.
class UnlistLibrary : public LibraryList {
protected:
    void SetUp() override {
        harness.SetSetting("Libraries", headerA, "Yes");
        harness.SetSetting("Libraries", assemblerB, "Yes");
        harness.SetSetting("Last", "Library", assemblerB);
        Window().OnInitDialog();
        Window().show();
        harness.platform.Clear();
    }
};

TEST_F(UnlistLibrary, YesRemovesTheLibraryAndSelectsTheFirstOne) {
    harness.platform.messageAnswers.push_back(kAnswerYes);
    QTest::mouseClick(Window().unlistButton, Qt::LeftButton);

    EXPECT_EQ(
        MessagesOf(harness.platform),
        (std::vector<Message>{{"Do you wish to remove access to\n" + assemblerB + " ?", 36}}));
    EXPECT_EQ(Entries(Window().libraryCombo), (std::vector<std::string>{headerA}));
    EXPECT_EQ(Window().libraryCombo->currentIndex(), 0);
    EXPECT_EQ(LibraryKeys(), (std::vector<std::string>{headerA}));
    EXPECT_EQ(harness.Setting("Last", "Library"), headerA);
    EXPECT_EQ(Window().sourcePane->toPlainText().toStdString(), kHeaderA);
    EXPECT_EQ(Window().functionCombo->count(), 0);
}

TEST_F(UnlistLibrary, NoChangesNothing) {
    const std::string before = FileBytes(settingsFile);
    harness.platform.messageAnswers.push_back(kAnswerNo);
    QTest::mouseClick(Window().unlistButton, Qt::LeftButton);

    EXPECT_EQ(harness.platform.Messages().size(), 1u);
    EXPECT_EQ(FileBytes(settingsFile), before);
    EXPECT_EQ(Entries(Window().libraryCombo), (std::vector<std::string>{headerA, assemblerB}));
    EXPECT_EQ(Window().libraryCombo->SelectedText(), assemblerB);
}

TEST_F(UnlistLibrary, RemovingTheLastLibraryLeavesTheRestAlone) {
    Window().UnlistLibrary();  // b.s, answered Yes
    Window().sourceText = "shown text";
    Window().UpdateData(false);
    Window().functionCombo->AddString("void AlphaInit(void)");
    Window().UnlistLibrary();  // a.h

    EXPECT_EQ(Window().libraryCombo->count(), 0);
    EXPECT_EQ(Window().libraryCombo->currentIndex(), -1);
    EXPECT_TRUE(Window().libraryCombo->currentText().isEmpty());
    EXPECT_TRUE(LibraryKeys().empty());
    // "Last" / "Library" still names the removed library, and the function
    // list and the source view are not touched.
    EXPECT_EQ(harness.Setting("Last", "Library"), headerA);
    EXPECT_EQ(Window().sourcePane->toPlainText(), QStringLiteral("shown text"));
    EXPECT_EQ(Window().functionCombo->count(), 1);

    // Without a selection nobody is asked.
    harness.platform.Clear();
    Window().UnlistLibrary();
    EXPECT_TRUE(harness.platform.calls.empty());

    // The next start selects nothing.
    MainWindow again(harness.platform, Window().paths);
    again.OnInitDialog();
    EXPECT_EQ(again.libraryCombo->currentIndex(), -1);
    EXPECT_TRUE(again.startupLibrary.empty());
}

// The close-up of LibraryCombo, through the real list.
class SelectLibrary : public LibraryList {
protected:
    void SetUp() override {
        harness.SetSetting("Libraries", headerA, "Yes");
        harness.SetSetting("Libraries", assemblerB, "Yes");
        harness.SetSetting("Last", "Library", headerA);
        Window().OnInitDialog();
        Window().show();
        harness.platform.Clear();
    }

    // Opens the library list, moves `down` entries and closes it.
    void PickFromList(int down) {
        NotifyingComboBox* combo = Window().libraryCombo;
        combo->showPopup();
        for (int i = 0; i < down; ++i) {
            QTest::keyClick(combo->view(), Qt::Key_Down);
        }
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

TEST_F(SelectLibrary, ClosingTheListWithoutAChangeStillRewritesBothKeys) {
    DeleteSettingKey("Libraries", headerA, settingsFile);
    harness.SetSetting("Last", "Library", "elsewhere");
    Window().sourceText = "a documentation block";
    Window().UpdateData(false);
    Window().functionCombo->AddString("void AlphaInit(void)");

    PickFromList(0);

    EXPECT_EQ(harness.Setting("Libraries", headerA), "Yes");
    EXPECT_EQ(harness.Setting("Last", "Library"), headerA);
    EXPECT_EQ(Window().sourcePane->toPlainText().toStdString(), kHeaderA);
    EXPECT_EQ(Window().functionCombo->count(), 0);
}

TEST_F(SelectLibrary, PickingAnotherLibraryMakesItTheCurrentOne) {
    PickFromList(1);

    EXPECT_EQ(Window().libraryCombo->SelectedText(), assemblerB);
    EXPECT_EQ(harness.Setting("Last", "Library"), assemblerB);
    EXPECT_EQ(Window().sourcePane->toPlainText(),
              QStringLiteral("; C Function prototype: void BetaGo(void)\n    RSEG    CODE\n"));
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void BetaGo(void)");
    EXPECT_TRUE(harness.platform.Messages().empty());
}

}  // namespace
}  // namespace quill
