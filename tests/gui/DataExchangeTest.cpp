// Moving bound values between members and controls, and how the window ends.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

std::string ManyLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    return text;
}

TEST(UpdateData, MovesEveryBoundValueBothWays) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.functionCombo->AddStrings({"void a(void)", "void b(void)"});
    window.libraryCombo->AddStrings({"/x/a.h", "/x/b.h", "/x/c.h"});

    window.functionIndex = 1;
    window.libraryIndex = 2;
    window.sourceText = "/** block */\n";
    window.editTexts = {"1", "PWM_A|PWM_C", "", "\"Pick.exe\""};
    window.parameterNames = {"iMode", "iFlags", "", ""};
    window.returnType = "void";
    window.functionName = "PwmSetup";
    window.UpdateData(false);

    EXPECT_EQ(window.functionCombo->currentIndex(), 1);
    EXPECT_EQ(window.libraryCombo->currentIndex(), 2);
    EXPECT_EQ(window.sourcePane->toPlainText(), QStringLiteral("/** block */\n"));
    EXPECT_EQ(window.paramEdits[1]->text(), QStringLiteral("PWM_A|PWM_C"));
    EXPECT_EQ(window.paramEdits[3]->text(), QStringLiteral("\"Pick.exe\""));
    EXPECT_EQ(window.paramLabels[0]->text(), QStringLiteral("iMode"));
    EXPECT_EQ(window.typeLabel->text(), QStringLiteral("void"));
    EXPECT_EQ(window.functionLabel->text(), QStringLiteral("PwmSetup"));

    // The user changes the controls; saving brings the members up to date.
    window.paramEdits[0]->setText(QStringLiteral("200"));
    window.functionCombo->setCurrentIndex(0);
    window.libraryCombo->setCurrentIndex(-1);
    window.UpdateData(true);
    EXPECT_EQ(window.editTexts[0], "200");
    EXPECT_EQ(window.functionIndex, 0);
    EXPECT_EQ(window.libraryIndex, -1);
    EXPECT_EQ(window.parameterNames[1], "iFlags");
    EXPECT_EQ(window.sourceText, "/** block */\n");
}

TEST(UpdateData, AnUnchangedSourceTextIsNotSetAgain) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.show();
    window.sourceText = ManyLines(400);
    window.UpdateData(false);
    QScrollBar* scroll = window.sourcePane->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 100);
    scroll->setValue(100);
    QSignalSpy changes(window.sourcePane->document(), &QTextDocument::contentsChanged);

    window.UpdateData(true);
    window.UpdateData(false);
    window.UpdateData(false);

    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(scroll->value(), 100);
    // The text comes back with its bytes, line ends included.
    EXPECT_EQ(window.sourceText, ManyLines(400));
}

TEST(UpdateData, AChangedSourceTextIsShown) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.sourceText = "first\n";
    window.UpdateData(false);
    window.sourceText = "-";
    window.UpdateData(false);
    EXPECT_EQ(window.sourcePane->toPlainText(), QStringLiteral("-"));
    window.UpdateData(true);
    EXPECT_EQ(window.sourceText, "-");
}

TEST(UpdateData, AnUnchangedFieldKeepsItsCaret) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.editTexts[0] = "12345";
    window.UpdateData(false);
    window.paramEdits[0]->setCursorPosition(2);
    window.UpdateData(false);
    EXPECT_EQ(window.paramEdits[0]->cursorPosition(), 2);
}

// How the window ends: the OK command saves the controls first, the close
// box ends with OK without saving, Esc cancels.
class WindowEnding : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.editTexts[0] = "before";
        window.UpdateData(false);
        window.paramEdits[0]->setText(QStringLiteral("typed"));
    }
    WindowHarness harness;
    MainWindow& window = *harness.window;
};

TEST_F(WindowEnding, ExitButtonSavesThenEndsWithOk) {
    window.exitButton->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(window.editTexts[0], "typed");
}

TEST_F(WindowEnding, EnterIsTheOkCommand) {
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(window.editTexts[0], "typed");
}

TEST_F(WindowEnding, CloseBoxEndsWithOkWithoutSaving) {
    EXPECT_TRUE(window.close());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(window.editTexts[0], "before");
}

TEST_F(WindowEnding, EscapeCancelsWithoutSaving) {
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(window.editTexts[0], "before");
}

TEST_F(WindowEnding, ExitEndsTheModalLoop) {
    QTimer::singleShot(0, &window, [this] { window.exitButton->click(); });
    // Never hang the test run, whatever goes wrong.
    QTimer::singleShot(10000, &window, [this] { window.done(-1); });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_EQ(window.editTexts[0], "typed");
}

}  // namespace
}  // namespace quill
