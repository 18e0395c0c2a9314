// Every parameter in the call, typed or picked: more than four parameters on
// rows below the first, Copy that copies when a warning comes first, helper
// programs that answer on their output, and suggested combinations that
// keep what was typed.

#include "WindowHarness.h"

namespace quill {
namespace {

const std::string kConfigure =
    "void TmrConfigure(int iTimer, unsigned int uPrescaler, int iMode, unsigned int uPeriod, "
    "int iPriority, unsigned int uIrqFlags)";

TEST(EveryParameter, SixParametersOnTwoRowsAllInTheCall) {
    WindowHarness harness(Example("include/Timer.h"));
    const WindowControls& ui = harness.ui;
    const int height = harness.window->height();
    const QPoint exit = ui.exitButton->pos();
    harness.Choose(kConfigure);
    auto* fifth = ui.Find<QLineEdit>("ParamEdit5");
    auto* sixth = ui.Find<QLineEdit>("ParamEdit6");
    EXPECT_EQ(ui.Find<QLabel>("ParamLabel6")->text(), QStringLiteral("uIrqFlags"));
    // The second row starts under the first, the window and its bottom
    // controls moved down by one row.
    const int down = fifth->y() - ui.paramEdits[0]->y();
    EXPECT_GT(down, ui.paramEdits[0]->height());
    EXPECT_EQ(fifth->x(), ui.paramEdits[0]->x());
    EXPECT_EQ(harness.window->height(), height + down);
    EXPECT_EQ(ui.exitButton->pos(), exit + QPoint(0, down));
    Type(ui.paramEdits[3], "1000");
    Type(fifth, "3");
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: TmrConfigure(TMR0,1,TMR_ONESHOT,1000,3,TMR_IRQ_NONE)"});
    // Its own flags list opens under the field on the second row.
    ClickInto(sixth);
    EXPECT_TRUE(ui.Find<QListWidget>("ParamList6")->hasFocus());
    EXPECT_EQ(ui.Find<QListWidget>("ParamList6")->y(), sixth->y() + sixth->height());

    harness.Choose("void TmrStop(int iTimer)");
    EXPECT_EQ(harness.window->height(), height);
    // The button the list tucked away comes back at its first home.
    ClickInto(ui.sourcePane->viewport());
    EXPECT_EQ(ui.exitButton->pos(), exit);
    EXPECT_TRUE(fifth->isHidden());
}

TEST(EveryParameter, CopyCopiesAfterTheRangeWarningByClickOrKey) {
    WindowHarness harness(Example("Pwm.h"));
    const WindowControls& ui = harness.ui;
    harness.Choose("void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
    const Texts copied{Msg(48, "iFreqHz Out of range."), "clipboard: PwmSetup(0,PWM_A,77777)"};
    // A message box that opens while the button is held takes the release,
    // as a modal box does: the click is then lost.
    bool pressing = false;
    bool boxDuringPress = false;
    harness.platform.whileMessageShows = [&](const std::string&) { boxDuringPress |= pressing; };
    Type(ui.paramEdits[2], "77777");
    harness.platform.log.clear();
    pressing = true;
    QTest::mousePress(ui.copyButton, Qt::LeftButton);
    pressing = false;
    if (!boxDuringPress) {
        QTest::mouseRelease(ui.copyButton, Qt::LeftButton);
    }
    Settle();
    EXPECT_EQ(harness.platform.log, copied);
    // Alt+C from the field takes the same path.
    Type(ui.paramEdits[2], "");
    harness.platform.log.clear();
    QTest::keyClick(ui.paramEdits[2], Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return harness.platform.log.size() == 2; }));
    EXPECT_EQ(harness.platform.log, copied);
}

TEST(EveryParameter, HelperOutputFillsTheField) {
    WindowHarness harness(Example("Gpio.h"));
    const WindowControls& ui = harness.ui;
    harness.Choose("void GpioSetMode(int iPin, int iMode)");
    // The first line, trimmed; nothing printed leaves the field as it was.
    harness.platform.runOutputs = {" 17 \r\nP1.1\n", " \n"};
    ClickInto(ui.paramEdits[0]);
    EXPECT_EQ(ui.paramEdits[0]->text(), QStringLiteral("17"));
    ClickInto(ui.sourcePane->viewport());
    ClickInto(ui.paramEdits[0]);
    EXPECT_EQ(ui.paramEdits[0]->text(), QStringLiteral("17"));
    EXPECT_EQ(harness.Click(ui.copyButton), Texts{"clipboard: GpioSetMode(17,GPIO_INPUT)"});
}

TEST(EveryParameter, ASuggestedCombinationKeepsWhatWasTyped) {
    WindowHarness harness(Example("vendor/Inc/tns_gpio.h"));
    const WindowControls& ui = harness.ui;
    harness.Choose("void tns_gpio_init(tns_port_t port, uint16_t pins, tns_gpio_dir_t dir)");
    Type(ui.paramEdits[1], "myMask");
    EXPECT_TRUE(ui.paramEdits[1]->hasFocus());
    // Alt+Down opens the suggestions; the picks join what no item stands for.
    QTest::keyClick(ui.paramEdits[1], Qt::Key_Down, Qt::AltModifier);
    QListWidget* list = ui.paramLists[1];
    ASSERT_TRUE(list->hasFocus());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(2)).center());
    ClickInto(ui.sourcePane->viewport());
    EXPECT_EQ(ui.paramEdits[1]->text(), QStringLiteral("TNS_PIN_2|myMask"));
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: tns_gpio_init(TNS_PORT_A,TNS_PIN_2|myMask,TNS_GPIO_DIR_IN)"});
}

}  // namespace
}  // namespace quill
