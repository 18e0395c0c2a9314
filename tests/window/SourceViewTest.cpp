// SourcePane read with keys and mouse.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QScrollBar>

#include "WindowHarness.h"

namespace quill {
namespace {

// The whole library read in the pane with keys and mouse: a "\r\n" ends a
// line like "\n"; a line far longer than the pane is read wherever it is
// scrolled to; the selection can be copied and stays shown when another
// control has the focus.
TEST(SourcePane, ReadsScrollsAndSelectsWithKeysAndMouse) {
    WindowHarness harness(false);
    std::string wide;
    for (int i = 0; i < 3000; ++i) {
        wide += "Col" + std::to_string(10000 + i) + ' ';
    }
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
    const double pitch = QFontMetricsF(pane->font()).horizontalAdvance('x');
    const auto at = [&](int row, int column = 0) {
        return QPoint(4 + static_cast<int>(column * pitch) + 1, 4 + row * line + line / 2);
    };

    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, at(0));
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
    const QString selected = pane->SelectedText();
    EXPECT_EQ(ToBytes(selected), wide + "\nvoid F0(int n);\nvoid F1(int n);");
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), selected);

    // The long line: End scrolls to its end; a click in its middle and
    // Shift+End select the rest of it.
    QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(pane, Qt::Key_End);
    EXPECT_NEAR(pane->horizontalScrollBar()->value(), wide.size() * pitch, page->width());
    const int column = static_cast<int>(wide.size()) / 2;
    pane->horizontalScrollBar()->setValue(static_cast<int>(column * pitch));
    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, at(0));
    QTest::keyClick(pane, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(ToBytes(pane->SelectedText()), wide.substr(static_cast<std::size_t>(column)));

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

}  // namespace
}  // namespace quill
