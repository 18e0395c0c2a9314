// The main window's frame as a user meets it: its size and where the main
// controls stand, the first focus, the tab order and the mnemonics, the
// function list's drop-down, and the three ways the window ends.

#include "WindowHarness.h"

namespace quill {
namespace {

// The pixel numbers below are the dialog-unit layout in the dialog font of
// the offscreen platform: 7 pixels per 4 units across and 13 per 8 down.
TEST(WindowFrame, SizePlacesFocusTabOrderAndMnemonics) {
    WindowHarness harness(Example("Pwm.h"));
    MainWindow& window = *harness.window;
    const WindowControls& ui = harness.ui;
    ASSERT_EQ(QFontMetrics(window.font()).height(), 13) << "another dialog font than measured";
    // 472 x 290 units, fixed.
    EXPECT_EQ(window.minimumSize(), QSize(826, 471));
    EXPECT_EQ(window.maximumSize(), QSize(826, 471));
    const std::pair<const char*, QRect> places[] = {
        {"LibraryGroup", QRect(9, 8, 805, 73)},      // 5, 5, 460, 45
        {"FunctionCombo", QRect(12, 106, 802, 22)},  // 7, 65, 458, the box's own height
        {"SourcePane", QRect(12, 146, 802, 187)},    // 7, 90, 458, 115
        {"ParamGroup", QRect(12, 338, 802, 73)},     // 7, 208, 458, 45
        {"ExitButton", QRect(744, 423, 52, 32)},     // 425, 260, 30, 20
        {"CopyButton", QRect(753, 349, 52, 25)},     // 430, 215, 30, 15
    };
    for (const auto& [name, rect] : places) {
        EXPECT_EQ(ui.Find(name)->geometry(), rect) << name;
    }

    EXPECT_EQ(QApplication::focusWidget(), ui.unlistButton);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    Texts chain;
    for (QWidget* w = ui.unlistButton; chain.size() < 16; w = w->nextInFocusChain()) {
        if (w->parentWidget() == &window && w->focusPolicy() != Qt::NoFocus) {
            chain.push_back(w->objectName().toStdString());
        }
    }
    EXPECT_EQ(chain, (Texts{"UnlistButton", "AddButton", "LibraryCombo", "FunctionCombo",
                            "SourcePane", "CopyButton", "ExitButton", "HelpButton", "SetupButton",
                            "QuillMarkButton", "CancelButton", "ShowButton", "ParamCombo1",
                            "ParamEdit1", "ParamList1", "ParamCombo2"}));

    const auto alt = [&](Qt::Key key, QWidget* focused) {
        QTest::keyClick(&window, key, Qt::AltModifier);
        return focused->hasFocus();
    };
    EXPECT_TRUE(alt(Qt::Key_F, ui.functionCombo));
    EXPECT_TRUE(alt(Qt::Key_S, ui.sourcePane));
    EXPECT_TRUE(alt(Qt::Key_L, ui.libraryCombo));  // the group's caption leads into it
    // "Choose &Parameters" goes to the first selector shown; it shares its
    // letter with "Setu&p", so a second press goes there.
    harness.Choose("void PwmSetDuty(int iChannel, unsigned char ucDuty)");
    EXPECT_NE(alt(Qt::Key_P, ui.paramCombos[0]), alt(Qt::Key_P, ui.paramCombos[0]));
    // A button's own mnemonic clicks it: Sho&w shows the whole library again.
    QTest::keyClick(&window, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return harness.Shown().find("#define PWM_CHANNELS 4") != std::string::npos; }));
    // SetupButton opens the setup dialog; its OK writes what it shows.
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    QTest::mouseClick(ui.Find<QPushButton>("SetupButton"), Qt::LeftButton);
    EXPECT_EQ(harness.Setting("Last", "Intro"), "No");
}

// 5,000 functions: a scrolled list right below the field, 24 rows high.
TEST(WindowFrame, ALongFunctionListDropsDownScrolledBelowItsField) {
    WindowHarness harness(false);
    std::string lines;
    for (int i = 0; i < 5000; ++i) {
        lines += "void glFunction" + std::to_string(i) + "(int iValue);\n";
    }
    harness.Start(harness.WriteFile("lib/Gl.h", lines));
    NotifyingComboBox* functions = harness.ui.functionCombo;
    QTest::keyClick(functions, Qt::Key_Down, Qt::AltModifier);
    QWidget* popup = functions->view()->window();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(functions->count(), 5000);
    EXPECT_EQ(popup->frameGeometry().top() - functions->mapToGlobal(QPoint(0, 0)).y(), 21);
    QAbstractItemView* view = functions->view();
    EXPECT_EQ(view->viewport()->height() / view->visualRect(view->currentIndex()).height(), 24);
    EXPECT_TRUE(functions->view()->verticalScrollBar()->isVisible());
    QTest::keyClick(functions->view(), Qt::Key_Escape);
}

// Enter presses ExitButton, which saves the controls first; the close box
// ends with OK without saving; Esc cancels. Enter right after the start,
// on UnlistButton, does not end the window.
TEST(WindowFrame, EachWayEndsWithItsResult) {
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
        WindowHarness harness(Example("Pwm.h"));
        harness.platform.messageAnswers.push_back(kAnswerNo);  // should Unlist ask
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(harness.window->isVisible());
        harness.Choose("void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
        Type(harness.ui.paramEdits[2], "500");
        way.end(harness);
        EXPECT_EQ(harness.window->result(), way.result);
        EXPECT_TRUE(harness.window->isHidden());
        EXPECT_EQ(harness.window->Documentation().parameters[2].editText, way.saved);
    }
}

}  // namespace
}  // namespace quill
