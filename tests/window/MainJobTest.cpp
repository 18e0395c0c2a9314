// The main job on the demo catalogue, driven through the controls as a user
// drives them: pick a function from the list, set its values, press Copy and
// find the call on the clipboard; with the warning before it, the cut to
// 255 bytes and a clipboard that fails.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "WindowHarness.h"

namespace quill {
namespace {

std::string Example(const std::string& name) {
    return std::string(QUILL_EXAMPLES_DIR) + "/" + name;
}

class MainJob : public ::testing::Test {
protected:
    // A program folder whose settings list the demo library `header`.
    void Open(const std::string& header) {
        harness.ListLibrary(Example(header));
        harness.Start();
        log.clear();
    }

    // Clicks into `field` and types `text` at its end.
    void Type(QWidget* field, const std::string& text) {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, QString::fromStdString(text));
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    Texts& log = harness.platform.log;
};

TEST_F(MainJob, PwmSetupFromPickTypeAndDefaultToTheClipboard) {
    Open("Pwm.h");
    const std::string entry = "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)";
    harness.Choose(entry);
    // The flags start with their first value.
    EXPECT_EQ(harness.Row(), "iChannel[0],uOutputs<PWM_A>,iFreqHz<>)");
    EXPECT_TRUE(log.empty());

    // A value from the drop-down, one typed into a field that starts
    // read-only.
    PickFromList(ui.paramCombos[0], "1");
    Type(ui.paramEdits[2], "500");
    EXPECT_EQ(harness.Click(ui.copyButton), Texts{"clipboard: PwmSetup(1,PWM_A,500)"});
    // Text typed over a drop-down's item is the value.
    ui.paramCombos[0]->lineEdit()->selectAll();
    QTest::keyClicks(ui.paramCombos[0]->lineEdit(), QStringLiteral("iCh"));
    EXPECT_EQ(harness.Click(ui.copyButton), Texts{"clipboard: PwmSetup(iCh,PWM_A,500)"});
}

TEST_F(MainJob, MissingValuesAreWarnedAboutAndLongTextIsCut) {
    Open("Uart.h");
    harness.Choose("void UartSendText(int iPort, const char *pText)");
    const std::string warning = Msg(48, "Some parameters not selected.");
    // The warning never stops the copy.
    EXPECT_EQ(harness.Click(ui.copyButton), (Texts{warning, "clipboard: UartSendText(0,)"}));
    // 255 bytes at most reach the clipboard, without a message.
    const std::string name = "UartSendText(0,";
    Type(ui.paramEdits[1], std::string(255 - name.size() - 1, '7'));
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: " + name + std::string(255 - name.size() - 1, '7') + ")"});
    Type(ui.paramEdits[1], "8");
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: " + name + std::string(255 - name.size() - 1, '7') + "8"});
    // A drop-down whose text was deleted is a missing value too.
    harness.Choose("int UartInit(int iPort, long lBaud, unsigned int uFormat)");
    ui.paramCombos[1]->lineEdit()->selectAll();
    QTest::keyClick(ui.paramCombos[1]->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(harness.Click(ui.copyButton), (Texts{warning, "clipboard: UartInit(0,,UART_8N1)"}));
}

TEST_F(MainJob, ARefusingClipboardIsReportedAHeldOneIsNot) {
    Open("Pwm.h");
    harness.Choose("void PwmInit(void)");
    harness.platform.clipboardText = "before";
    harness.platform.clipboardWorks = false;
    EXPECT_EQ(harness.Click(ui.copyButton),
              (Texts{"clipboard: PwmInit()", Msg(kStyleStopSystemModal, "Out of Memory")}));
    // Held by another program: no message, and the lists close all the same.
    harness.platform.clipboardWorks = true;
    harness.platform.clipboardHeld = true;
    harness.OpenAllLists();
    EXPECT_EQ(harness.Click(ui.copyButton), Texts{"clipboard: PwmInit()"});
    EXPECT_EQ(harness.platform.clipboardText, "before");
    EXPECT_EQ(harness.Lists(), "X");
}

// A vendor-style library: documentation in Src/ beside Inc/, or in the
// header, and drop-downs filled from what that documentation names.
TEST_F(MainJob, VendorDocumentationFillsTheDropDowns) {
    Open("vendor/Inc/tns_gpio.h");
    harness.Choose("void tns_gpio_write(tns_port_t port, uint16_t pins, bool level)");
    EXPECT_EQ(log, Texts{});
    EXPECT_NE(harness.Shown().find("Drives output pins high or low."), std::string::npos);
    EXPECT_EQ(harness.Row(), "port[TNS_PORT_A],pins<>,level[true])");
    EXPECT_EQ(Entries(ui.paramCombos[0]), (Texts{"TNS_PORT_A", "TNS_PORT_B", "TNS_PORT_C"}));
    const QString labelTip = QStringLiteral("Click to go to details in Source Code.");
    EXPECT_EQ(ui.paramLabels[0]->toolTip(),
              labelTip + QStringLiteral("\nValues from enum tns_port_t in tns_gpio.h."));

    PickFromList(ui.paramCombos[0], "TNS_PORT_C");
    PickFromList(ui.paramCombos[2], "false");
    // A suggested combination opens its list with nothing picked.
    QTest::mouseClick(ui.paramEdits[1], Qt::LeftButton);
    Settle();
    QListWidget* pins = ui.paramLists[1];
    ASSERT_EQ(harness.Lists(), "2");
    ASSERT_EQ(pins->count(), 4);
    EXPECT_TRUE(pins->selectedItems().isEmpty());
    for (const int row : {3, 1}) {
        QTest::mouseClick(pins->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          pins->visualItemRect(pins->item(row)).center());
    }
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: tns_gpio_write(TNS_PORT_C,TNS_PIN_1|TNS_PIN_3,false)"});

    // A parameter's own list keeps its place; the next function clears the note.
    harness.Choose("uint16_t tns_gpio_read(tns_port_t port, uint16_t pin)");
    EXPECT_EQ(harness.Row(), "port[TNS_PORT_A],pin[TNS_PIN_0])");
    EXPECT_EQ(Entries(ui.paramCombos[0]), (Texts{"TNS_PORT_A", "TNS_PORT_B"}));
    EXPECT_EQ(ui.paramLabels[0]->toolTip(), labelTip);
}

}  // namespace
}  // namespace quill
