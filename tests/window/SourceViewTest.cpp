// The function list and the source view: opening FunctionCombo rescans the
// library, re-selects the stored choice and shows the first function's
// documentation block; SourcePane read with keys and mouse.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QScrollBar>

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

const char* const kAssembler =
    "/*!\nint UartRead(void)\n  @brief Reads.\n*/\n; C Function prototype: int UartRead(void)\n";

// A started window on lib/Tmr.h with its source; lib/Uart.s79 is listed too.
class FunctionListView : public ::testing::Test {
protected:
    void SetUp() override {
        harness.SetSetting("Libraries", assembler, "Yes");
        harness.ListLibrary(header);
        harness.Start();
        log.clear();
    }

    // Opens the function list with Alt+Down; `inspect` sees the window while
    // the list is open, then Enter closes it with the selected entry chosen.
    void OpenFunctionList(const std::function<void()>& inspect) {
        QTest::keyClick(ui.functionCombo, Qt::Key_Down, Qt::AltModifier);
        inspect();
        QTest::keyClick(ui.functionCombo->view(), Qt::Key_Return);
        Settle();
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    Texts& log = harness.platform.log;
    const std::string header = harness.WriteFile("lib/Tmr.h", kHeader);
    const std::string source = harness.WriteFile("lib/Tmr.c", kSource);
    const std::string assembler = harness.WriteFile("lib/Uart.s79", kAssembler);
};

TEST_F(FunctionListView, OpeningTheListRescansAndShowsTheFirstEntrysBlockInOneWrite) {
    // The stored choice, found ignoring case, is the last entry; a function
    // added to the header since the start is listed.
    harness.SetSetting("Last", "Choice", "VOID TMRSTOP(VOID)");
    harness.WriteFile("lib/Tmr.h", std::string(kHeader) + "void TmrNew(void);\n");
    Texts texts;  // every text the pane showed
    QObject::connect(ui.sourcePane, &SourceView::textChanged, ui.sourcePane,
                     [&] { texts.push_back(harness.Shown()); });
    OpenFunctionList([&] {
        EXPECT_EQ(Entries(ui.functionCombo),
                  (Texts{"int TmrAlpha(void)", "void TmrGo(int iMode, char *pBuf)",
                         "void TmrNew(void)", "void TmrStop(void)"}));
        EXPECT_EQ(ui.functionCombo->currentIndex(), 3);
        // The block, and never the library on the way.
        EXPECT_EQ(texts, Texts{kAlphaBlock});
    });
    // Closing the list chooses the selected entry.
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void TmrStop(void)");
    EXPECT_NE(harness.Shown().find("@brief Stops the timer."), std::string::npos);
    EXPECT_TRUE(log.empty());
    // A stored choice that is not listed: the first entry takes its place.
    harness.SetSetting("Last", "Choice", "void TmrGone(void)");
    OpenFunctionList([&] {
        EXPECT_EQ(ui.functionCombo->currentIndex(), 0);
        EXPECT_EQ(harness.Setting("Last", "Choice"), "int TmrAlpha(void)");
        EXPECT_EQ(harness.Shown(), kAlphaBlock);
    });
}

TEST_F(FunctionListView, OpeningTheListFollowsASelectionMovedWithTheArrowKeys) {
    // Arrow keys move the selection without a close-up.
    QTest::keyClick(harness.window.get(), Qt::Key_L, Qt::AltModifier);
    QTest::keyClick(ui.libraryCombo, Qt::Key_Down);
    ASSERT_EQ(ui.libraryCombo->SelectedText(), assembler);
    OpenFunctionList([&] {
        EXPECT_EQ(Entries(ui.functionCombo), Texts{"int UartRead(void)"});
        // An assembler library documents its functions itself.
        EXPECT_EQ(harness.Shown(), kAssembler);
    });
    EXPECT_EQ(ui.libraryCombo->SelectedText(), assembler);
    EXPECT_EQ(harness.Setting("Last", "Library"), header);
}

// The whole library read in the pane with keys and mouse: a "\r\n" ends a
// line like "\n", the selection can be copied and stays shown when another
// control has the focus.
TEST(SourcePane, ReadsScrollsAndSelectsWithKeysAndMouse) {
    WindowHarness harness(false);
    const std::string wide = "int Wide(void); /* " + std::string(300, 'w') + " */";
    std::string text = wide + "\r\n";
    for (int i = 0; i < 200; ++i) {
        text += "void F" + std::to_string(i) + "(int n);\n";
    }
    harness.ListLibrary(harness.WriteFile("lib/Long.h", text + "int caf\xC3\xA9(void);"));
    harness.Start();
    SourceView* pane = harness.ui.sourcePane;
    QWidget* page = pane->viewport();
    QScrollBar* bar = pane->verticalScrollBar();
    ASSERT_EQ(pane->LineCount(), 202);
    const int line = pane->fontMetrics().height();
    const auto at = [&](int row, int column = 0) {
        return QPoint(4 + column * pane->fontMetrics().horizontalAdvance('x') + 1,
                      4 + row * line + line / 2);
    };

    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, at(0));
    ASSERT_TRUE(pane->hasFocus());
    QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
    EXPECT_GT(bar->maximum(), 150);
    EXPECT_EQ(bar->value(), bar->maximum());
    // A cancelled Add writes every control back; the pane keeps its place.
    int changes = 0;
    QObject::connect(pane, &SourceView::textChanged, pane, [&] { ++changes; });
    EXPECT_EQ(harness.Click(harness.ui.addButton), Texts{"dialog: Select Library Source"});
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(changes, 0);
    QTest::keyClick(harness.window.get(), Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(pane, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(pane->SelectedText(), QString::fromUtf8("int caf\xC3\xA9(void);"));
    QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(pane, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(pane, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(pane, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_GT(pane->horizontalScrollBar()->maximum(), 0);
    const QString selected = pane->SelectedText();
    EXPECT_EQ(ToBytes(selected), wide + "\nvoid F0(int n);\nvoid F1(int n);");
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), selected);

    // A drag over two lines, a double click on a word.
    QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    QTest::mousePress(page, Qt::LeftButton, Qt::NoModifier, at(1));
    QTest::mouseMove(page, at(3));
    QTest::mouseRelease(page, Qt::LeftButton, Qt::NoModifier, at(3));
    EXPECT_EQ(ToBytes(pane->SelectedText()), "void F0(int n);\nvoid F1(int n);\n");
    QTest::mouseDClick(page, Qt::LeftButton, Qt::NoModifier, at(2, 6));
    EXPECT_EQ(pane->SelectedText(), "F1");

    QTest::keyClick(harness.window.get(), Qt::Key_F, Qt::AltModifier);
    ASSERT_FALSE(pane->hasFocus());
    const QImage shot = page->grab().toImage();
    const QRgb highlight = pane->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    int highlighted = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            highlighted += shot.pixel(x, y) == highlight ? 1 : 0;
        }
    }
    EXPECT_GT(highlighted, 20);
}

// A line far longer than the pane is laid out only where it is shown: a
// click in its middle and Shift+End select the rest of it.
TEST(SourcePane, ALongLineIsReadWhereverItIsScrolledTo) {
    WindowHarness harness(false);
    std::string line;
    for (int i = 0; i < 3000; ++i) {
        line += "Col" + std::to_string(10000 + i) + ' ';
    }
    harness.ListLibrary(harness.WriteFile("lib/Wide.h", "int f(void);\n" + line + "\n"));
    harness.Start();
    SourceView* pane = harness.ui.sourcePane;
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 3));
    QTest::keyClick(pane, Qt::Key_Down);
    QTest::keyClick(pane, Qt::Key_End);
    const int scrolled = pane->horizontalScrollBar()->value();
    const double pitch = QFontMetricsF(pane->font()).horizontalAdvance('x');
    EXPECT_NEAR(scrolled, line.size() * pitch, pane->viewport()->width());
    // Back to a column in the middle, on the same line.
    const int column = static_cast<int>(line.size()) / 2;
    pane->horizontalScrollBar()->setValue(static_cast<int>(column * pitch));
    const int height = pane->fontMetrics().height();
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(4 + static_cast<int>(pitch / 4), 4 + height + height / 2));
    QTest::keyClick(pane, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(ToBytes(pane->SelectedText()), line.substr(static_cast<std::size_t>(column)));
}

}  // namespace
}  // namespace quill
