// The main window's fixed frame (size, tab order, mnemonics, where the main
// controls stand), the widgets it is built from, closing the parameter
// selection lists, the data exchange and how the window ends.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <functional>

#include "WindowHarness.h"
#include "window/widgets/DialogUnits.h"

namespace quill {
namespace {

std::string Example(const std::string& name) {
    return std::string(QUILL_EXAMPLES_DIR) + "/" + name;
}

TEST(MainWindowFrame, FixedSizeTabOrderAndWhereTheMainControlsStand) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const WindowControls& ui = harness.ui;
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), MapDialogRect(BaseUnitsOf(window.font()), 0, 0, 472, 290).size());

    Texts chain;
    QWidget* first = ui.Find("IncludeButton");
    for (QWidget* w = first; chain.empty() || w != first; w = w->nextInFocusChain()) {
        if (w->property("controlId").isValid() && w->focusPolicy() != Qt::NoFocus) {
            chain.push_back(w->objectName().toStdString());
        }
        ASSERT_LT(chain.size(), 60u);
    }
    EXPECT_EQ(chain, (Texts{"IncludeButton", "UnlistButton", "AddButton",       "LibraryCombo",
                            "FunctionCombo", "SourcePane",   "CopyButton",      "ExitButton",
                            "HelpButton",    "SetupButton",  "QuillMarkButton", "CancelButton",
                            "ShowButton",    "ParamCombo1",  "ParamEdit1",      "ParamList1",
                            "ParamCombo2",   "ParamEdit2",   "ParamList2",      "ParamCombo3",
                            "ParamEdit3",    "ParamList3",   "ParamCombo4",     "ParamEdit4",
                            "ParamList4",    "HelpersButton"}));

    // The library row, the function list, the source and the parameter row
    // are stacked in that order, flush left and equally wide, inside the
    // window; the two buttons at the bottom stand apart below the row.
    const QRect groups[] = {ui.Find("LibraryGroup")->geometry(), ui.functionCombo->geometry(),
                            ui.sourcePane->geometry(), ui.paramGroup->geometry()};
    for (std::size_t i = 0; i < std::size(groups); ++i) {
        EXPECT_TRUE(window.rect().contains(groups[i])) << i;
        EXPECT_LE(std::abs(groups[i].left() - ui.sourcePane->x()), 4) << i;
        EXPECT_LE(std::abs(groups[i].right() - ui.sourcePane->geometry().right()), 4) << i;
        if (i > 0) {
            EXPECT_LE(groups[i - 1].bottom(), groups[i].top()) << i;
        }
    }
    for (const QWidget* button : {ui.exitButton, ui.helpersButton}) {
        EXPECT_GT(button->y(), ui.paramGroup->geometry().bottom());
        EXPECT_TRUE(window.rect().contains(button->geometry()));
    }
}

TEST(MainWindowFrame, MnemonicsReachTheirControls) {
    WindowHarness harness(false);
    harness.ListLibrary(Example("Pwm.h"));
    harness.Start();
    const WindowControls& ui = harness.ui;
    const auto alt = [&](Qt::Key key, QWidget* focused) {
        QTest::keyClick(harness.window.get(), key, Qt::AltModifier);
        return focused->hasFocus();
    };
    EXPECT_TRUE(alt(Qt::Key_F, ui.functionCombo));
    EXPECT_TRUE(alt(Qt::Key_S, ui.sourcePane));
    EXPECT_TRUE(alt(Qt::Key_L, ui.libraryCombo));  // the group's caption leads into it

    // "Choose &Parameters" goes to the first selector shown; it shares its
    // letter with "Setu&p", so a second press goes there.
    harness.Choose("void PwmSetDuty(int iChannel, unsigned char ucDuty)");
    EXPECT_EQ(harness.Row(), "iChannel[0],ucDuty<>)");
    EXPECT_NE(alt(Qt::Key_P, ui.paramCombos[0]), alt(Qt::Key_P, ui.paramCombos[0]));
    // A button's own mnemonic clicks it: Sho&w shows the whole library again.
    QTest::keyClick(harness.window.get(), Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return harness.Shown().find("#define PWM_CHANNELS 4") != std::string::npos; }));
}

// Visiting the function list, the source or the library list closes every
// selection list; visiting a parameter's drop-down, all but its own. The
// buttons an open list covers come back, HelpersButton only with a helper.
TEST(CloseSelectionLists, AVisitClosesTheListsAndTheButtonsComeHome) {
    WindowHarness harness(false);
    harness.ListLibrary(Example("Gpio.h"));
    harness.Start();
    const WindowControls& ui = harness.ui;
    const QRect exitHome = ui.exitButton->geometry();
    const QPoint helpersHome = ui.helpersButton->pos();
    const QObjectList order = harness.window->children();
    const auto visit = [&](QWidget* control) {
        harness.OpenAllLists();
        control->setFocus(Qt::TabFocusReason);
        return harness.Lists();
    };
    EXPECT_EQ(visit(ui.functionCombo), "X");
    EXPECT_EQ(visit(ui.libraryCombo), "X");
    EXPECT_EQ(ui.exitButton->geometry(), QRect(exitHome.topLeft(), QSize(44, 30)));
    for (const QListWidget* list : ui.paramLists) {
        EXPECT_EQ(list->geometry(), QRect(1, 1, 1, 1));
    }

    harness.Choose("void GpioSetMode(int iPin, int iMode)");
    ASSERT_NE(harness.window->HelperPath(), "-");
    EXPECT_EQ(visit(ui.sourcePane), "XH");
    EXPECT_EQ(ui.helpersButton->geometry(), QRect(helpersHome, QSize(88, 23)));
    EXPECT_EQ(visit(ui.paramCombos[1]), "2XH");
    EXPECT_EQ(harness.window->children(), order);  // the stacking order stays

    // Focus that comes back with the window (after a message box or another
    // program) or with a control's own list is no visit.
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        harness.OpenAllLists();
        QFocusEvent back(QEvent::FocusIn, reason);
        QCoreApplication::sendEvent(ui.functionCombo, &back);
        EXPECT_EQ(harness.Lists(), "1234");
    }
}

TEST(UpdateData, TheSourcePaneKeepsItsPlaceWhenOtherControlsAreExchanged) {
    WindowHarness harness(false);
    std::string lines;
    for (int i = 0; i < 400; ++i) {
        lines += "void F" + std::to_string(i) + "(void);\n";
    }
    harness.ListLibrary(harness.WriteFile("lib/Many.h", lines));
    harness.Start();
    ASSERT_TRUE(harness.Shown() == lines);
    QScrollBar* bar = harness.ui.sourcePane->verticalScrollBar();
    bar->setValue(100);
    QSignalSpy changes(harness.ui.sourcePane, &SourceView::textChanged);
    // A cancelled Add saves every control's value and writes them back.
    EXPECT_EQ(harness.Click(harness.ui.addButton), Texts{"dialog: Select Library Source"});
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(bar->value(), 100);
}

// The OK command (Enter presses ExitButton) saves the controls first, the close box
// ends with OK without saving, Esc cancels.
TEST(WindowEnding, EachWayEndsWithItsResult) {
    const struct {
        std::function<void(WindowHarness&)> end;
        int result;
        const char* saved;
    } ways[] = {
        {[](WindowHarness& h) { QTest::keyClick(h.window.get(), Qt::Key_Return); },
         QDialog::Accepted, "500"},
        {[](WindowHarness& h) { h.window->close(); }, QDialog::Accepted, ""},
        {[](WindowHarness& h) { QTest::keyClick(h.window.get(), Qt::Key_Escape); },
         QDialog::Rejected, ""},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(&way - ways);
        WindowHarness harness(false);
        harness.ListLibrary(Example("Pwm.h"));
        harness.Start();
        harness.Choose("void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
        QTest::mouseClick(harness.ui.paramEdits[2], Qt::LeftButton);
        QTest::keyClicks(harness.ui.paramEdits[2], QStringLiteral("500"));
        way.end(harness);
        EXPECT_EQ(harness.window->result(), way.result);
        EXPECT_TRUE(harness.window->isHidden());
        EXPECT_EQ(harness.window->Documentation().parameters[2].editText, way.saved);
    }
}

}  // namespace
}  // namespace quill
