// The function list and the source view: filling FunctionCombo and
// re-selecting the stored choice, the whole library in SourcePane
// (ShowButton), and the opening of the function list, which rescans the
// library and shows the first function's documentation block.

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "WindowHarness.h"

namespace quill {
namespace {

const char* const kHeader =
    "#ifndef TMR_H\nvoid TmrStop(void);\nvoid TmrGo(int iMode, char *pBuf);\nint TmrAlpha(void);\n";

// The first function in list order has an indented "/*!" opener and tabs.
const char* const kSource =
    "#include \"Tmr.h\"\n/**\n * @brief Stops the timer.\n */\nvoid TmrStop(void)\n{\n}\n"
    "\t/*! Alpha\n * @brief\tFirst in the list.\n */\nint TmrAlpha(void)\n{\n\treturn 0;\n}\n"
    "/**\n * @brief Starts the timer.\n */\nvoid TmrGo(int iMode, char *pBuf)\n{\n}\n";

// Its block: the opener without its indentation, tabs expanded, up to the
// next opener.
const char* const kAlphaBlock =
    "/*! Alpha\n * @brief   First in the list.\n */\nint TmrAlpha(void)\n{\n    return 0;\n}\n";

// A started window whose current library is lib/Tmr.h with its source.
class SourceView : public ::testing::Test {
protected:
    void SetUp() override {
        harness.SetSetting("Libraries", header, "Yes");
        window.OnInitDialog();
        window.show();
        log.clear();
    }

    // Opens the function list the way the user does, and closes it again
    // without letting the close-up through.
    void OpenFunctionList() {
        window.functionCombo->showPopup();
        window.functionCombo->hidePopup();
    }

    WindowHarness harness{false};
    MainWindow& window = *harness.window;
    Texts& log = harness.platform.log;
    const std::string header = harness.WriteFile("lib/Tmr.h", kHeader);
    const std::string source = harness.WriteFile("lib/Tmr.c", kSource);
};

TEST_F(SourceView, FillListsTheEntriesIgnoringCaseAndReselectsTheStoredChoice) {
    const std::string timer = harness.WriteFile(
        "lib/Timer.h",
        "void init(void);\nint Zeta(void);\r\n  void Indented(void);\nVoid Start(int a);\n"
        "INT alpha(void);\n");
    const struct {
        const char* stored;  // nullptr: no key
        int result;
        const char* storedAfter;
    } cases[] = {
        {"int Zeta(void)", 2, "int Zeta(void)"},
        {"VOID INIT(VOID)", 3, "VOID INIT(VOID)"},
        // Not listed: the first entry becomes the choice.
        {"", 1, "INT alpha(void)"},
        {"void init", 1, "INT alpha(void)"},
        {nullptr, 1, "INT alpha(void)"},
    };
    harness.ShowText("shown before\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "no key");
        if (c.stored) {
            harness.SetSetting("Last", "Choice", c.stored);
        } else {
            DeleteSettingKey("Last", "Choice", harness.PathOf("Quill.ini"));
        }
        EXPECT_EQ(window.FillFunctionList(timer), c.result);
        EXPECT_EQ(Entries(window.functionCombo), (Texts{"INT alpha(void)", "int Zeta(void)",
                                                        "void init(void)", "Void Start(int a)"}));
        // The window's record of the selection follows the list.
        EXPECT_EQ(window.functionCombo->currentIndex(), c.result - 1);
        EXPECT_EQ(window.functionIndex, c.result - 1);
        EXPECT_EQ(harness.Setting("Last", "Choice"), c.storedAfter);
    }
    EXPECT_EQ(window.sourceText, "shown before\n");
    EXPECT_EQ(harness.Shown(), "shown before\n");

    // Latin-1 bytes, not valid in UTF-8, reach the list and the settings
    // unchanged; only ASCII letters match ignoring case.
    const std::string entry = "void \xE9t\xE9(int n)";
    harness.SetSetting("Last", "Choice", "VOID \xC9T\xC9(INT N)");
    EXPECT_EQ(window.FillFunctionList(harness.WriteFile("lib/Wait.h", entry + ";\n")), 1);
    EXPECT_EQ(window.functionCombo->TextAt(0), entry);
    EXPECT_EQ(harness.Setting("Last", "Choice"), entry);
    EXPECT_TRUE(log.empty());
}

TEST_F(SourceView, FillWithoutFunctionsEmptiesTheListAndKeepsTheChoice) {
    harness.WriteFile("lib.h.d/keep", "");
    const std::string notAvailable = " source file not available.\nFix using Library Combobox.";
    // A missing file or a folder is reported, an empty path or a file
    // without prototypes is not.
    const std::pair<std::string, bool> cases[] = {
        {harness.PathOf("missing/Uart.h"), true},
        {harness.PathOf("lib.h.d"), true},
        {"", false},
        {harness.WriteFile("lib/Empty.h", "#define X 1\n  void Indented(void);\n"), false}};
    for (const auto& [library, reported] : cases) {
        SCOPED_TRACE(library);
        log.clear();
        harness.SetSetting("Last", "Choice", "void init(void)");
        window.functionCombo->AddString("left over");
        window.functionCombo->setCurrentIndex(0);
        EXPECT_EQ(window.FillFunctionList(library), 0);
        EXPECT_EQ(window.functionCombo->count(), 0);
        EXPECT_EQ(window.functionIndex, -1);
        EXPECT_EQ(harness.Setting("Last", "Choice"), "void init(void)");
        EXPECT_EQ(log, reported ? Texts{Msg(64, "Library " + library + notAvailable)} : Texts{});
    }
}

TEST_F(SourceView, ShowButtonShowsTheWholeLibraryOrNothingAfterItsMessage) {
    EXPECT_EQ(harness.Shown(), kHeader);  // from start-up
    harness.ShowText("something else");
    QTest::mouseClick(window.showButton, Qt::LeftButton);
    EXPECT_EQ(harness.Shown(), kHeader);
    EXPECT_TRUE(log.empty());

    harness.ShowText("old");
    window.libraryCombo->setCurrentIndex(-1);
    QTest::mouseClick(window.showButton, Qt::LeftButton);
    EXPECT_EQ(harness.Shown(), "");
    harness.ShowText("old");
    window.libraryCombo->setCurrentIndex(0);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(header)));
    window.ShowLibrarySource();
    EXPECT_EQ(harness.Shown(), "");
    EXPECT_EQ(log,
              (Texts{Msg(48, "No library to show."), Msg(48, "Could not find source " + header)}));
}

TEST_F(SourceView, OpeningTheListRescansAndShowsTheFirstEntrysBlockInOneWrite) {
    // The stored choice is the last entry; a function added to the header
    // since the start is listed.
    harness.SetSetting("Last", "Choice", "void TmrStop(void)");
    harness.WriteFile("lib/Tmr.h", std::string(kHeader) + "void TmrNew(void);\n");
    Texts texts;  // every text the pane showed
    QObject::connect(window.sourcePane, &QPlainTextEdit::textChanged, window.sourcePane,
                     [&] { texts.push_back(harness.Shown()); });
    OpenFunctionList();
    EXPECT_EQ(Entries(window.functionCombo),
              (Texts{"int TmrAlpha(void)", "void TmrGo(int iMode, char *pBuf)", "void TmrNew(void)",
                     "void TmrStop(void)"}));
    EXPECT_EQ(window.functionCombo->currentIndex(), 3);
    EXPECT_EQ(window.functionIndex, 3);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void TmrStop(void)");
    EXPECT_TRUE(log.empty());
    // The block, and never the library on the way; opening the list again
    // changes nothing that is shown.
    EXPECT_EQ(texts, Texts{kAlphaBlock});
    OpenFunctionList();
    EXPECT_EQ(texts, Texts{kAlphaBlock});
}

TEST_F(SourceView, OpeningTheListFollowsASelectionMovedWithTheArrowKeys) {
    const char* const assembler =
        "/*!\nint UartRead(void)\n  @brief Reads.\n*/\n; C Function prototype: int "
        "UartRead(void)\n";
    const std::string other = harness.WriteFile("lib/Uart.s79", assembler);
    window.libraryCombo->AddString(other);
    // Arrow keys move the selection without a close-up.
    window.libraryCombo->setFocus();
    QTest::keyClick(window.libraryCombo, Qt::Key_Down);
    ASSERT_EQ(window.libraryCombo->SelectedText(), other);
    OpenFunctionList();
    EXPECT_EQ(Entries(window.functionCombo), Texts{"int UartRead(void)"});
    EXPECT_EQ(window.libraryCombo->SelectedText(), other);
    EXPECT_EQ(harness.Setting("Last", "Library"), header);
    // An assembler library documents its functions itself.
    EXPECT_EQ(harness.Shown(), assembler);
}

TEST_F(SourceView, OpeningTheListWithNothingToListLeavesThePaneAlone) {
    harness.ShowText("kept");
    window.functionCombo->AddString("void Stale(void)");
    window.libraryCombo->setCurrentIndex(-1);
    OpenFunctionList();
    EXPECT_EQ(Entries(window.functionCombo), Texts{"void Stale(void)"});
    EXPECT_EQ(harness.Shown(), "kept");
    // A library without functions: the list is emptied, the pane kept.
    harness.WriteFile("lib/Tmr.h", "/* no prototypes */\n");
    window.libraryCombo->setCurrentIndex(0);
    OpenFunctionList();
    EXPECT_EQ(window.functionCombo->count(), 0);
    EXPECT_EQ(harness.Shown(), "kept");
    EXPECT_TRUE(log.empty());
}

TEST_F(SourceView, AnUndocumentedFirstEntryIsReportedEachTime) {
    harness.WriteFile("lib/Tmr.h", std::string(kHeader) + "char AAOrphan(void);\n");
    const std::string notFound =
        Msg(48, "Could not find \nchar AAOrphan(void)\nin " + source + "\nMust match exactly.");
    OpenFunctionList();
    OpenFunctionList();
    EXPECT_EQ(log, (Texts{notFound, notFound}));
    EXPECT_EQ(harness.Shown(), "-");
    // Without any documenting file both messages come, in order.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(source)));
    log.clear();
    harness.ShowText("");
    OpenFunctionList();
    EXPECT_EQ(log, (Texts{Msg(48, "Could not find source " + source + " or .c"), notFound}));
    EXPECT_EQ(harness.Shown(), "-");
}

}  // namespace
}  // namespace quill
