// The source view: the whole library in SourcePane (ShowButton), and the
// opening of the function list, which rescans the library and shows the
// first function's documentation block.

#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"
#include "source/PrototypeLookup.h"

namespace quill {
namespace {

using Message = std::pair<std::string, unsigned>;

const char* const kHeader =
    "#ifndef TMR_H\n"
    "void TmrStop(void);\n"
    "void TmrGo(int iMode, char *pBuf);\n"
    "int TmrAlpha(void);\n"
    "#endif\n";

const char* const kSource =
    "#include \"Tmr.h\"\n"
    "/**\n"
    " * @brief Stops the timer.\n"
    " */\n"
    "void TmrStop(void)\n"
    "{\n"
    "}\n"
    "\t/*! Alpha\n"
    " * @brief\tFirst in the list.\n"
    " */\n"
    "int TmrAlpha(void)\n"
    "{\n"
    "\treturn 0;\n"
    "}\n"
    "/**\n"
    " * @brief Starts the timer.\n"
    " */\n"
    "extern  void  TmrGo( int iMode ,char *pBuf )\n"
    "{\n"
    "}\n";

// The block of "int TmrAlpha(void)": opener without its indentation, tabs
// expanded, up to the next opener.
const char* const kAlphaBlock =
    "/*! Alpha\n"
    " * @brief   First in the list.\n"
    " */\n"
    "int TmrAlpha(void)\n"
    "{\n"
    "    return 0;\n"
    "}\n";

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

std::string Shown(const MainWindow& window) {
    return window.sourcePane->toPlainText().toStdString();
}

// A started window whose current library is lib/Tmr.h with its source.
class SourceView : public ::testing::Test {
protected:
    SourceView() : harness(false) {
        header = harness.WriteFile("lib/Tmr.h", kHeader);
        source = harness.WriteFile("lib/Tmr.c", kSource);
        harness.SetSetting("Libraries", header, "Yes");
    }

    void SetUp() override {
        Window().OnInitDialog();
        Window().show();
        harness.platform.Clear();
    }

    MainWindow& Window() { return *harness.window; }

    // Opens the function list the way the user does, and closes it again
    // without letting the close-up through.
    void OpenFunctionList() {
        Window().functionCombo->showPopup();
        Window().functionCombo->hidePopup();
    }

    void ShowText(const std::string& text) {
        Window().sourceText = text;
        Window().UpdateData(false);
    }

    WindowHarness harness;
    std::string header;
    std::string source;
};

TEST_F(SourceView, ShowButtonShowsTheWholeLibrary) {
    EXPECT_EQ(Shown(Window()), kHeader);  // from start-up
    ShowText("something else");
    QTest::mouseClick(Window().showButton, Qt::LeftButton);
    EXPECT_EQ(Shown(Window()), kHeader);
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST_F(SourceView, TabsAreExpandedPerDeliveredLineAndLongLinesStayWhole) {
    const std::string longLine(300, 'L');
    const std::string piece(255, 'p');
    harness.WriteFile("lib/Tmr.h", "\tx\ty\n" + longLine + "\n" + piece + "\tz\n");
    Window().ShowLibrarySource();
    // A tab just after a 255-byte piece starts a new delivered line.
    EXPECT_EQ(Shown(Window()), "    x   y\n" + longLine + "\n" + piece + "    z\n");
}

TEST_F(SourceView, FailuresLeaveThePaneEmpty) {
    ShowText("old");
    Window().libraryCombo->setCurrentIndex(-1);
    QTest::mouseClick(Window().showButton, Qt::LeftButton);
    EXPECT_EQ(MessagesOf(harness.platform), (std::vector<Message>{{"No library to show.", 48}}));
    EXPECT_EQ(Shown(Window()), "");

    harness.platform.Clear();
    ShowText("old");
    Window().libraryCombo->setCurrentIndex(0);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(header)));
    Window().ShowLibrarySource();
    EXPECT_EQ(MessagesOf(harness.platform),
              (std::vector<Message>{{"Could not find source " + header, 48}}));
    EXPECT_EQ(Shown(Window()), "");
}

TEST_F(SourceView, OpeningTheListRescansAndShowsTheFirstEntrysBlock) {
    // The stored choice is the third entry; a function added to the header
    // since the start is listed.
    harness.SetSetting("Last", "Choice", "void TmrStop(void)");
    harness.WriteFile("lib/Tmr.h", std::string(kHeader) + "void TmrNew(void);\n");

    OpenFunctionList();

    EXPECT_EQ(Entries(Window().functionCombo),
              (std::vector<std::string>{"int TmrAlpha(void)", "void TmrGo(int iMode, char *pBuf)",
                                        "void TmrNew(void)", "void TmrStop(void)"}));
    EXPECT_EQ(Window().functionCombo->currentIndex(), 3);
    EXPECT_EQ(Window().functionIndex, 3);
    EXPECT_EQ(Shown(Window()), kAlphaBlock);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void TmrStop(void)");
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST_F(SourceView, OpeningTheListWritesThePaneOnceWithTheBlockOnly) {
    ASSERT_EQ(Shown(Window()), kHeader);
    std::vector<std::string> texts;
    QObject::connect(Window().sourcePane, &QPlainTextEdit::textChanged, Window().sourcePane,
                     [&] { texts.push_back(Shown(Window())); });

    Window().RefreshFunctionList();

    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), kAlphaBlock);
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find("TmrStop(void);"), std::string::npos) << "the library reached the pane";
    }

    // Opening it again changes nothing that is shown.
    texts.clear();
    Window().RefreshFunctionList();
    EXPECT_TRUE(texts.empty());
}

TEST_F(SourceView, TheListFollowsASelectionMovedWithoutClosingTheLibraryList) {
    const char* const assembler =
        "/*!\n"
        "int UartRead(void)\n"
        "  @brief Reads.\n"
        "*/\n"
        "; C Function prototype: int UartRead(void)\n";
    const std::string other = harness.WriteFile("lib/Uart.s79", assembler);
    Window().libraryCombo->AddString(other);
    ASSERT_EQ(Window().libraryCombo->TextAt(1), other);
    // Arrow keys move the selection without a close-up.
    Window().libraryCombo->setCurrentIndex(1);

    OpenFunctionList();

    EXPECT_EQ(Entries(Window().functionCombo), std::vector<std::string>{"int UartRead(void)"});
    EXPECT_EQ(Window().libraryCombo->SelectedText(), other);
    EXPECT_EQ(harness.Setting("Last", "Library"), header);
    // An assembler library documents its functions itself.
    EXPECT_EQ(Shown(Window()), assembler);
}

TEST_F(SourceView, NothingToListLeavesThePaneAlone) {
    ShowText("kept");
    Window().functionCombo->AddString("void Stale(void)");
    Window().libraryCombo->setCurrentIndex(-1);
    OpenFunctionList();
    EXPECT_EQ(Entries(Window().functionCombo), std::vector<std::string>{"void Stale(void)"});
    EXPECT_EQ(Shown(Window()), "kept");
    EXPECT_TRUE(harness.platform.calls.empty());

    // A library without functions: the list is emptied, the pane kept.
    harness.WriteFile("lib/Tmr.h", "/* no prototypes */\n");
    Window().libraryCombo->setCurrentIndex(0);
    OpenFunctionList();
    EXPECT_EQ(Window().functionCombo->count(), 0);
    EXPECT_EQ(Shown(Window()), "kept");
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST_F(SourceView, AnUndocumentedFirstEntryIsReportedEachTime) {
    harness.WriteFile("lib/Tmr.h", std::string(kHeader) + "char AAOrphan(void);\n");
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        harness.platform.Clear();
        OpenFunctionList();
        EXPECT_EQ(MessagesOf(harness.platform),
                  (std::vector<Message>{{NotFoundMessage("char AAOrphan(void)", source), 48}}));
        EXPECT_EQ(Shown(Window()), "-");
    }

    // Without any documenting file both messages come, in order.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(source)));
    harness.platform.Clear();
    OpenFunctionList();
    EXPECT_EQ(MessagesOf(harness.platform),
              (std::vector<Message>{{"Could not find source " + source + " or .c", 48},
                                    {NotFoundMessage("char AAOrphan(void)", source), 48}}));
    EXPECT_EQ(Shown(Window()), "-");
}

}  // namespace
}  // namespace quill
