// The main job on the demo catalogue: a function picked from the list shows
// its parameter row, return type, name and helper program as documented;
// Copy puts the call on the clipboard, with the warning before it, the cut
// to 255 bytes and a clipboard that fails.

#include <gtest/gtest.h>

#include <QListWidget>

#include "WindowHarness.h"

namespace quill {
namespace {

std::string Example(const std::string& name) {
    return std::string(QUILL_EXAMPLES_DIR) + "/" + name;
}

// A started window on the demo library `library`.
struct ExampleWindow {
    explicit ExampleWindow(const std::string& library) {
        harness.ListLibrary(Example(library));
        harness.Start();
        harness.platform.log.clear();
    }
    // The row, "type name", the helpers button's caption ("-": hidden) and
    // the messages, after picking `entry`.
    std::string Choose(const std::string& entry) {
        harness.platform.log.clear();
        harness.Choose(entry);
        std::string shown =
            harness.Row() + " " + ToBytes(harness.ui.typeLabel->text()) + " " +
            ToBytes(harness.ui.functionLabel->text()) + " " +
            (harness.Shows(harness.ui.helpersButton) ? ToBytes(harness.ui.helpersButton->text())
                                                     : "-");
        for (const std::string& line : harness.platform.log) {
            shown += " | " + line;
        }
        return shown;
    }
    WindowHarness harness{false};
};

TEST(MainJob, EachDemoFunctionShowsAsDocumented) {
    // The documentation of tns_uart_put cannot be found: the messages say
    // where it was looked for; name, type and free slots come from the entry.
    const std::string uart = Example("vendor/Inc/tns_uart.c");
    const std::string notFound =
        " | " + Msg(48, "Could not find source " + uart + " or .c") + " | " +
        Msg(48, "Could not find \nvoid tns_uart_put(tns_uart_t *uart, uint8_t byte)\nin " + uart +
                    "\nMust match exactly.") +
        " | " + Msg(48, "Could not find " + QString::fromStdString(uart).toLower().toStdString());
    const struct {
        const char* library;
        const char* entry;
        std::string shown;
    } cases[] = {
        {"Pwm.h", "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)",
         "iChannel[0],uOutputs<PWM_A>,iFreqHz<>) void PwmSetup -"},
        {"Gpio.h", "void GpioSetMode(int iPin, int iMode)",
         "iPin<\"PinHelp.exe\">,iMode[GPIO_INPUT]) void GpioSetMode PinHelp.exe"},
        {"Gpio.h", "int GpioRead(int iPin)", "iPin<\"PinHelp.exe\">) int GpioRead -"},
        {"Uart.h", "int UartInit(int iPort, long lBaud, unsigned int uFormat)",
         "iPort[0],lBaud[9600],uFormat<UART_8N1>) int UartInit -"},
        {"Adc.s79", "void AdcSetReference(int iSource)",
         "iSource[ADC_REF_VDD]) void AdcSetReference -"},
        {"include/Timer.h",
         "void TmrStart(int iTimer, unsigned int uPeriod, int iPriority, unsigned int uIrqFlags)",
         "iTimer[TMR0],uPeriod<>,iPriority<>,uIrqFlags<TMR_IRQ_NONE>) void TmrStart -"},
        {"include/Timer.h", "unsigned int TmrRead(int iTimer)",
         "iTimer[TMR0]) unsigned int TmrRead -"},
        {"vendor/Inc/tns_uart.h", "void tns_uart_put(tns_uart_t *uart, uint8_t byte)",
         "uart<>,byte<>) void tns_uart_put -" + notFound},
    };
    for (const auto& c : cases) {
        ExampleWindow window(c.library);
        EXPECT_EQ(window.Choose(c.entry), c.shown);
    }
}

TEST(MainJob, CopyWarnsAboutMissingValuesCutsLongCallsAndTellsAFailingClipboard) {
    ExampleWindow window("Uart.h");
    WindowHarness& harness = window.harness;
    const WindowControls& ui = harness.ui;
    window.Choose("void UartSendText(int iPort, const char *pText)");
    // The warning never stops the copy.
    EXPECT_EQ(harness.Click(ui.copyButton),
              (Texts{Msg(48, "Some parameters not selected."), "clipboard: UartSendText(0,)"}));
    // A value picked from the drop-down; 255 bytes at most reach the clipboard.
    PickFromList(ui.paramCombos[0], "1");
    Type(ui.paramEdits[1], std::string(300, '7'));
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: UartSendText(1," + std::string(240, '7')});
    // Text typed over a drop-down's item is the value.
    ClickInto(ui.paramCombos[0]);
    QTest::keyClick(ui.paramCombos[0], Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ui.paramCombos[0], QStringLiteral("iCh"));
    Type(ui.paramEdits[1], "");
    harness.Click(ui.copyButton);
    EXPECT_EQ(harness.platform.clipboardText, "UartSendText(iCh," + std::string(238, '7'));

    harness.Choose("void UartClose(int iPort)");
    harness.platform.clipboardWorks = false;
    EXPECT_EQ(harness.Click(ui.copyButton),
              (Texts{"clipboard: UartClose(0)", Msg(kStyleStopSystemModal, "Out of Memory")}));
    // Held by another program: no message.
    harness.platform.clipboardWorks = true;
    harness.platform.clipboardHeld = true;
    EXPECT_EQ(harness.Click(ui.copyButton), Texts{"clipboard: UartClose(0)"});
    EXPECT_EQ(harness.platform.clipboardText, "UartSendText(iCh," + std::string(238, '7'));
}

// A vendor-style library: drop-downs and a combination from what its
// documentation names, the source of the values told on the label.
TEST(MainJob, VendorDocumentationFillsTheDropDownsAndTheCombination) {
    ExampleWindow window("vendor/Inc/tns_gpio.h");
    WindowHarness& harness = window.harness;
    const WindowControls& ui = harness.ui;
    window.Choose("void tns_gpio_write(tns_port_t port, uint16_t pins, bool level)");
    EXPECT_EQ(Entries(ui.paramCombos[0]), (Texts{"TNS_PORT_A", "TNS_PORT_B", "TNS_PORT_C"}));
    const QString labelTip = QStringLiteral("Click to go to details in Source Code.");
    EXPECT_EQ(ui.paramLabels[0]->toolTip(),
              labelTip + QStringLiteral("\nValues from enum tns_port_t in tns_gpio.h."));
    PickFromList(ui.paramCombos[0], "TNS_PORT_C");
    // A suggested combination opens its list with nothing picked.
    ClickInto(ui.paramEdits[1]);
    QListWidget* pins = ui.paramLists[1];
    ASSERT_EQ(harness.Lists(), "2");
    ASSERT_EQ(pins->count(), 4);
    EXPECT_TRUE(pins->selectedItems().isEmpty());
    for (const int row : {3, 1}) {
        QTest::mouseClick(pins->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          pins->visualItemRect(pins->item(row)).center());
    }
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: tns_gpio_write(TNS_PORT_C,TNS_PIN_1|TNS_PIN_3,true)"});
    // The next function clears the note.
    window.Choose("uint16_t tns_gpio_read(tns_port_t port, uint16_t pin)");
    EXPECT_EQ(ui.paramLabels[0]->toolTip(), labelTip);
}

}  // namespace
}  // namespace quill
