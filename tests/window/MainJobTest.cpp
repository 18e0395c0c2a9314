// The main job on the demo catalogue: a function picked from the list shows
// its parameter row, return type and name, and the messages of a failed
// lookup; Copy puts the call on the clipboard, cut to 255 bytes, and tells a
// clipboard that fails.

#include "WindowHarness.h"

namespace quill {
namespace {

// The row, "type name", the helpers button's caption ("-": hidden) and the
// messages, after picking `entry`.
std::string Choose(WindowHarness& harness, const std::string& entry) {
    const WindowControls& ui = harness.ui;
    harness.platform.log.clear();
    harness.Choose(entry);
    std::string shown = ui.Row() + " " +
                        ToBytes(ui.typeLabel->text() + " " + ui.functionLabel->text()) + " " +
                        (ui.Shows(ui.helpersButton) ? ToBytes(ui.helpersButton->text()) : "-");
    for (const std::string& line : harness.platform.log) {
        shown += " | " + line;
    }
    return shown;
}

// The documentation of tns_uart_put cannot be found: with the plain rules a
// message box for each place it was looked for; in vendor mode, which a
// header without its .c gets, none. Name, type and free slots come from the
// entry.
TEST(MainJob, AFunctionWithoutDocumentationSaysWhereItWasLookedFor) {
    const std::string uart = Example("vendor/Inc/tns_uart.c");
    const std::string header = Example("vendor/Inc/tns_uart.h");
    const std::string entry = "void tns_uart_put(tns_uart_t *uart, uint8_t byte)";
    {
        WindowHarness harness(false);
        harness.SetSetting("VendorMode", header, "off");
        harness.Start(header);
        EXPECT_EQ(
            Choose(harness, entry),
            "uart<>,byte<>) void tns_uart_put - | " +
                Msg(48, "Could not find source " + uart + " or .c") + " | " +
                Msg(48, "Could not find \n" + entry + "\nin " + uart + "\nMust match exactly.") +
                " | " + Msg(48, "Could not find " + ToBytes(ToQString(uart).toLower())));
    }
    WindowHarness harness(header);
    EXPECT_EQ(Choose(harness, entry), "uart<>,byte<>) void tns_uart_put -");
}

TEST(MainJob, CopyCutsLongCallsAndTellsAFailingClipboard) {
    WindowHarness harness(Example("Uart.h"));
    const WindowControls& ui = harness.ui;
    Choose(harness, "void UartSendText(int iPort, const char *pText)");
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
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: UartSendText(iCh," + std::string(238, '7')});

    harness.Choose("void UartClose(int iPort)");
    harness.platform.clipboardWorks = false;
    EXPECT_EQ(harness.Click(ui.copyButton),
              (Texts{"clipboard: UartClose(0)", Msg(kStyleStopSystemModal, "Out of Memory")}));
}

// A vendor-style library: drop-downs from the enum its documentation names,
// the source of the values told on the label.
TEST(MainJob, VendorDocumentationFillsTheDropDowns) {
    WindowHarness harness(Example("vendor/Inc/tns_gpio.h"));
    const WindowControls& ui = harness.ui;
    Choose(harness, "void tns_gpio_write(tns_port_t port, uint16_t pins, bool level)");
    EXPECT_EQ(Entries(ui.paramCombos[0]), (Texts{"TNS_PORT_A", "TNS_PORT_B", "TNS_PORT_C"}));
    const QString labelTip = QStringLiteral("Click to go to details in Source Code.");
    EXPECT_EQ(ui.paramLabels[0]->toolTip(),
              labelTip + QStringLiteral("\nValues from enum tns_port_t in tns_gpio.h."));
    // The next function clears the note.
    Choose(harness, "uint16_t tns_gpio_read(tns_port_t port, uint16_t pin)");
    EXPECT_EQ(ui.paramLabels[0]->toolTip(), labelTip);
}

// A value some chips lack says so in the drop-down; the call gets it bare.
TEST(MainJob, AValueSomeChipsLackIsMarkedAndCopiedBare) {
    WindowHarness harness(Example("vendor/Inc/tns_clk.h"));
    const WindowControls& ui = harness.ui;
    Choose(harness, "void tns_clk_output(void *PORTx, uint16_t pins, uint32_t source)");
    EXPECT_EQ(ui.paramCombos[2]->itemText(1), QStringLiteral("TNS_CLK_SRC_XTAL"));
    EXPECT_EQ(ui.paramCombos[2]->itemText(2),
              QStringLiteral("TNS_CLK_SRC_PLL  [only: defined(TNS_T12B)]"));
    PickFromList(ui.paramCombos[2], "TNS_CLK_SRC_PLL");
    Type(ui.paramEdits[1], "3");
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: tns_clk_output(PORTA,3,TNS_CLK_SRC_PLL)"});
}

}  // namespace
}  // namespace quill
