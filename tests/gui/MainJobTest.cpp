// The main job on the demo catalogue, driven through the controls as a user
// drives them: open the function list, pick a function, set its values,
// press Copy, and find the call on the clipboard.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <string>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"
#include "platform/QtText.h"

namespace quill {
namespace {

std::string Example(const std::string& name) {
    return std::string(QUILL_EXAMPLES_DIR) + "/" + name;
}

// Lets queued announcements (the close-up of a list) reach their handlers.
void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

// Opens the list of `combo` with Alt+Down, moves to the entry `text` and
// takes it with Enter, which closes the list.
void PickFromList(NotifyingComboBox* combo, const std::string& text) {
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->view()->isVisible());
    const int index = combo->FindStringExact(text);
    ASSERT_GE(index, 0) << text;
    combo->view()->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    Settle();
    ASSERT_FALSE(combo->view()->isVisible());
    ASSERT_EQ(combo->currentIndex(), index);
}

class MainJobTest : public ::testing::Test {
protected:
    // A program folder whose settings list the demo library `header`.
    void Open(const std::string& header) {
        const std::string library = Example(header);
        harness.SetSetting("Libraries", library, "Yes");
        harness.SetSetting("Last", "Library", library);
        harness.SetSetting("Last", "Intro", "No");
        window.OnInitDialog();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_EQ(window.libraryCombo->SelectedText(), library);
        // The list stays empty until it is opened.
        ASSERT_EQ(window.functionCombo->count(), 0);
        harness.platform.Clear();
    }

    WindowHarness harness{false};
    MainWindow& window = *harness.window;
};

TEST_F(MainJobTest, PwmSetupFromPickTypeAndDefaultToTheClipboard) {
    Open("Pwm.h");

    PickFromList(window.functionCombo,
                 "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
    EXPECT_EQ(ToBytes(window.functionLabel->text()), "PwmSetup");
    EXPECT_EQ(ToBytes(window.paramLabels[0]->text()), "iChannel");
    EXPECT_EQ(ToBytes(window.paramLabels[1]->text()), "uOutputs");
    EXPECT_EQ(ToBytes(window.paramLabels[2]->text()), "iFreqHz");
    EXPECT_TRUE(window.paramLabels[3]->isHidden());
    EXPECT_NE(window.sourcePane->toPlainText().indexOf(QStringLiteral("@param iFreqHz")), -1);

    // A value from the drop-down.
    ASSERT_FALSE(window.paramCombos[0]->isHidden());
    PickFromList(window.paramCombos[0], "1");
    // The flags keep their first value.
    ASSERT_FALSE(window.paramEdits[1]->isHidden());
    EXPECT_EQ(window.paramEdits[1]->text(), QStringLiteral("PWM_A"));
    // A typed value.
    QLineEdit* frequency = window.paramEdits[2];
    ASSERT_FALSE(frequency->isHidden());
    QTest::mouseClick(frequency, Qt::LeftButton);
    QTest::keyClicks(frequency, QStringLiteral("500"));
    Settle();

    QTest::mouseClick(window.copyButton, Qt::LeftButton);
    Settle();

    EXPECT_EQ(harness.platform.clipboardText, "PwmSetup(1,PWM_A,500)");
    EXPECT_TRUE(harness.platform.Messages().empty());
    EXPECT_EQ(harness.Setting("Last", "Choice"),
              "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
}

TEST_F(MainJobTest, AHelperProgramBesideTheDocumentationIsOffered) {
    // Gpio.c has CR-LF line ends and "/*!" blocks.
    Open("Gpio.h");

    PickFromList(window.functionCombo, "void GpioSetMode(int iPin, int iMode)");
    EXPECT_FALSE(window.helpersButton->isHidden());
    EXPECT_EQ(window.helpersButton->text(), QStringLiteral("PinHelp.exe"));
    EXPECT_EQ(window.helperProgram, Example("PinHelp.exe"));
    EXPECT_EQ(window.paramEdits[0]->text(), QStringLiteral("\"PinHelp.exe\""));
    PickFromList(window.paramCombos[1], "GPIO_OUTPUT");

    // The function's name scrolls its prototype line up, as far as the text
    // allows.
    QLabel* name = window.functionLabel;
    QTest::mouseClick(name, Qt::LeftButton, Qt::NoModifier,
                      QPoint(name->width() - 3, name->height() / 2));
    const int prototype = window.sourcePane->document()
                              ->find(QStringLiteral("void GpioSetMode(int iPin, int iMode)"))
                              .blockNumber();
    const int expected = std::min(prototype, window.sourcePane->verticalScrollBar()->maximum());
    EXPECT_GT(expected, 0);
    EXPECT_EQ(window.sourcePane->cursorForPosition(QPoint(2, 2)).blockNumber(), expected);

    QTest::mouseClick(window.copyButton, Qt::LeftButton);
    Settle();
    EXPECT_EQ(harness.platform.clipboardText, "GpioSetMode(\"PinHelp.exe\",GPIO_OUTPUT)");

    // A function of the same file without a helper note takes the button away.
    PickFromList(window.functionCombo, "int GpioRead(int iPin)");
    EXPECT_TRUE(window.helpersButton->isHidden());
    EXPECT_EQ(window.helperProgram, "-");
}

}  // namespace
}  // namespace quill
