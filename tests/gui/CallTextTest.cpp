// The main job on the demo catalogue, driven through the controls as a user
// drives them (open the function list, pick a function, set its values,
// press Copy, find the call on the clipboard); and the call text, the
// warning before it and the clipboard's failures in detail.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "WindowHarness.h"

namespace quill {
namespace {

std::string Example(const std::string& name) {
    return std::string(QUILL_EXAMPLES_DIR) + "/" + name;
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

class MainJob : public ::testing::Test {
protected:
    // A program folder whose settings list the demo library `header`.
    void Open(const std::string& header) {
        const std::string library = Example(header);
        harness.SetSetting("Libraries", library, "Yes");
        harness.SetSetting("Last", "Library", library);
        window.OnInitDialog();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_EQ(window.libraryCombo->SelectedText(), library);
        // The list stays empty until it is opened.
        ASSERT_EQ(window.functionCombo->count(), 0);
        harness.platform.log.clear();
    }

    WindowHarness harness{false};
    MainWindow& window = *harness.window;
};

TEST_F(MainJob, PwmSetupFromPickTypeAndDefaultToTheClipboard) {
    Open("Pwm.h");
    PickFromList(window.functionCombo,
                 "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
    EXPECT_EQ(harness.Setting("Last", "Choice"),
              "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
    EXPECT_EQ(window.typeLabel->text() + window.functionLabel->text(),
              QStringLiteral("voidPwmSetup"));
    // The flags start with their first value.
    EXPECT_EQ(Row(window), "iChannel[0],uOutputs<PWM_A>,iFreqHz<>)");
    EXPECT_NE(harness.Shown().find("@param iFreqHz"), std::string::npos);
    EXPECT_EQ(harness.Shown().find("PwmInit"), std::string::npos);

    // A value from the drop-down, a value typed into a field that was
    // read-only as designed.
    PickFromList(window.paramCombos[0], "1");
    QTest::mouseClick(window.paramEdits[2], Qt::LeftButton);
    QTest::keyClicks(window.paramEdits[2], QStringLiteral("500"));
    QTest::mouseClick(window.copyButton, Qt::LeftButton);
    Settle();
    EXPECT_EQ(harness.platform.log, Texts{"clipboard: PwmSetup(1,PWM_A,500)"});
}

TEST_F(MainJob, AHelperProgramBesideTheDocumentationIsOffered) {
    // Gpio.c has CR-LF line ends and "/*!" blocks.
    Open("Gpio.h");
    PickFromList(window.functionCombo, "void GpioSetMode(int iPin, int iMode)");
    EXPECT_TRUE(window.helpersButton->isVisible());
    EXPECT_EQ(window.helpersButton->geometry(), QRect(window.helpersButtonPos, QSize(88, 23)));
    EXPECT_EQ(window.helpersButton->text(), QStringLiteral("PinHelp.exe"));
    EXPECT_EQ(window.helperProgram, Example("PinHelp.exe"));
    EXPECT_EQ(Row(window), "iPin<\"PinHelp.exe\">,iMode[GPIO_INPUT])");
    PickFromList(window.paramCombos[1], "GPIO_OUTPUT");

    QTest::mouseClick(window.copyButton, Qt::LeftButton);
    Settle();
    EXPECT_EQ(harness.platform.log, Texts{"clipboard: GpioSetMode(\"PinHelp.exe\",GPIO_OUTPUT)"});

    // A function of the same file without a helper note takes the button away.
    PickFromList(window.functionCombo, "int GpioRead(int iPin)");
    EXPECT_TRUE(window.helpersButton->isHidden());
    EXPECT_EQ(window.helperProgram, "-");
}

class CopyCallText : public ::testing::Test {
protected:
    // A chosen function with these parameter names and entry texts.
    void Choose(const std::string& name, const Texts& parameters, const Texts& values = {}) {
        window.functionName = name;
        for (std::size_t k = 0; k < 4; ++k) {
            window.parameterNames[k] = k < parameters.size() ? parameters[k] : "";
            window.editTexts[k] = k < values.size() ? values[k] : "";
        }
        window.UpdateData(false);
    }

    void FillDropDown(std::size_t k, const Texts& items, int selected) {
        window.paramCombos[k - 1]->clear();
        window.paramCombos[k - 1]->AddStrings(items);
        window.paramCombos[k - 1]->setCurrentIndex(selected);
    }

    // Presses Copy; what it did.
    Texts Copy() {
        log.clear();
        window.CopyCallText();
        return log;
    }

    WindowHarness harness;
    MainWindow& window = *harness.window;
    Texts& log = harness.platform.log;
};

TEST_F(CopyCallText, TheCallTextAndTheWarningBeforeIt) {
    const Texts three = {"iChannel", "uOutputs", "iFreqHz"};
    const std::string warning = Msg(48, "Some parameters not selected.");
    const struct {
        std::string name;
        Texts parameters, values, log;
    } cases[] = {
        {"Pwm", three, {"1", "PWM_A|PWM_C", "500"}, {"clipboard: Pwm(1,PWM_A|PWM_C,500)"}},
        // The warning never stops the copy.
        {"Pwm", three, {"1", "", "500"}, {warning, "clipboard: Pwm(1,,500)"}},
        {"Pwm", {"a1", "a2", "a3", "a4"}, {}, {warning, "clipboard: Pwm(,,,)"}},
        // No function, no parameters: no warning.
        {"", {}, {}, {"clipboard: ()"}},
        {"PwmInit", {}, {}, {"clipboard: PwmInit()"}},
        // A missing name ends the list.
        {"Pwm", {"iChannel", "", "iFreqHz"}, {"1", "", "500"}, {"clipboard: Pwm(1)"}},
        // Cut to 255 bytes without a message.
        {"F", {"iValue"}, {std::string(297, 'x')}, {"clipboard: F(" + std::string(253, 'x')}},
        {"F", {"iValue"}, {std::string(252, 'y')}, {"clipboard: F(" + std::string(252, 'y') + ")"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log.back().substr(0, 40));
        Choose(c.name, c.parameters, c.values);
        EXPECT_EQ(Copy(), c.log);
        // Nothing is stored: a second press does the same.
        EXPECT_EQ(Copy(), c.log);
    }
}

TEST_F(CopyCallText, TheDropDownGivesItsItemOrTheTextTypedOverIt) {
    Choose("Fn", {"iA", "iB", "iC", "iD"});
    FillDropDown(1, {"0", "1"}, 0);
    window.paramCombos[0]->lineEdit()->selectAll();
    QTest::keyClicks(window.paramCombos[0]->lineEdit(), QStringLiteral("7"));
    // Typed into a list with no item selected.
    FillDropDown(2, {"X", "Y"}, -1);
    window.paramCombos[1]->setEditText(QStringLiteral("Z"));
    // An entry text wins over the drop-down.
    FillDropDown(3, {"P", "Q"}, 1);
    window.editTexts[2] = "R";
    window.UpdateData(false);
    FillDropDown(4, {"S", "T"}, 1);
    EXPECT_EQ(Copy(), Texts{"clipboard: Fn(7,Z,R,T)"});
    // An empty item picked from the list is a missing value.
    FillDropDown(2, {"A", "", "B"}, 1);
    EXPECT_EQ(Copy(), (Texts{Msg(48, "Some parameters not selected."), "clipboard: Fn(7,,R,T)"}));
}

TEST_F(CopyCallText, ARefusingClipboardIsReportedAHeldOneIsNot) {
    Choose("PwmInit", {});
    harness.platform.clipboardText = "before";
    harness.platform.clipboardWorks = false;
    EXPECT_EQ(Copy(), (Texts{"clipboard: PwmInit()", Msg(kStyleStopSystemModal, "Out of Memory")}));
    EXPECT_EQ(harness.platform.clipboardText, "before");

    // Held by another program: no message, and the lists close all the same.
    harness.platform.clipboardWorks = true;
    harness.platform.clipboardHeld = true;
    window.helperProgram = harness.PathOf("Pick.exe");
    harness.OpenAllLists();
    EXPECT_EQ(Copy(), Texts{"clipboard: PwmInit()"});
    EXPECT_EQ(harness.platform.clipboardText, "before");
    EXPECT_EQ(Lists(window), "XH");
}

TEST_F(CopyCallText, IncludeButtonPlacesTheStartUpLibraryCutTo98Bytes) {
    window.startupLibrary = "/opt/kit/include/Pwm.h";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // IncludeButton stays hidden and disabled, and its mnemonic reaches
    // nothing either.
    QTest::keyClick(&window, Qt::Key_I, Qt::AltModifier);
    QTest::mouseClick(window.includeButton, Qt::LeftButton);
    EXPECT_TRUE(log.empty());
    // Clicked while enabled and shown, it copies, and leaves the lists open.
    window.includeButton->setEnabled(true);
    window.includeButton->show();
    harness.OpenAllLists();
    QTest::mouseClick(window.includeButton, Qt::LeftButton);
    EXPECT_EQ(log, Texts{"clipboard: /opt/kit/include/Pwm.h"});
    EXPECT_EQ(Lists(window), "1234");

    const std::string longPath = "/" + std::string(120, 'd') + "/Pwm.h";
    window.startupLibrary = longPath;
    harness.platform.clipboardWorks = false;
    log.clear();
    window.CopyIncludeText();
    EXPECT_EQ(log, (Texts{"clipboard: " + longPath.substr(0, 98),
                          Msg(kStyleStopSystemModal, "Out of Memory")}));
}

}  // namespace
}  // namespace quill
