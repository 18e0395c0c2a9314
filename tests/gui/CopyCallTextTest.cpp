// CopyButton and IncludeButton: the text that reaches the clipboard, the
// warning before it, and the message when the clipboard refuses it.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

using Kind = PlatformCall::Kind;

class CopyCallTextTest : public ::testing::Test {
protected:
    // A chosen function with these parameter names, shown in the labels.
    void Choose(const std::string& name, const std::vector<std::string>& parameters) {
        window.functionName = name;
        for (std::size_t k = 0; k < 4; ++k) {
            window.parameterNames[k] = k < parameters.size() ? parameters[k] : "";
            window.editTexts[k].clear();
        }
        window.UpdateData(false);
    }

    void FillDropDown(int k, const std::vector<std::string>& items, int selected) {
        NotifyingComboBox* combo = window.paramCombos[static_cast<std::size_t>(k - 1)];
        combo->clear();
        for (const std::string& item : items) {
            combo->AddString(item);
        }
        combo->setCurrentIndex(selected);
    }

    void Type(int k, const std::string& text) {
        QLineEdit* edit = window.paramEdits[static_cast<std::size_t>(k - 1)];
        edit->setReadOnly(false);
        edit->clear();
        QTest::keyClicks(edit, QString::fromStdString(text));
    }

    std::vector<PlatformCall> Copy() {
        harness.platform.Clear();
        window.CopyCallText();
        return harness.platform.calls;
    }

    WindowHarness harness;
    MainWindow& window = *harness.window;
};

TEST_F(CopyCallTextTest, ComposesFromWhatTheControlsShow) {
    Choose("PwmSetup", {"iChannel", "uOutputs", "iFreqHz"});
    FillDropDown(1, {"0", "1", "2"}, 1);
    Type(2, "PWM_A|PWM_C");
    Type(3, "500");

    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, Kind::Clipboard);
    EXPECT_EQ(calls[0].text, "PwmSetup(1,PWM_A|PWM_C,500)");
    // Nothing is stored: a second press gives the same text.
    EXPECT_EQ(Copy()[0].text, "PwmSetup(1,PWM_A|PWM_C,500)");
}

TEST_F(CopyCallTextTest, TextTypedOverADropDownItemIsTheValue) {
    Choose("Fn", {"iA", "iB", "iC"});
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

    EXPECT_EQ(Copy().back().text, "Fn(7,Z,R)");
}

TEST_F(CopyCallTextTest, AnEmptyItemPickedFromTheListIsAMissingValue) {
    Choose("Fn", {"iA", "iB"});
    FillDropDown(1, {"A", "", "B"}, 1);
    FillDropDown(2, {"C"}, 0);

    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].text, "Fn(,C)");
}

TEST_F(CopyCallTextTest, WarnsBeforeCopyingWhenAValueIsMissing) {
    Choose("PwmSetup", {"iChannel", "uOutputs", "iFreqHz"});
    FillDropDown(1, {"0", "1"}, 1);
    Type(3, "500");

    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Message);
    EXPECT_EQ(calls[0].text, "Some parameters not selected.");
    EXPECT_EQ(calls[0].style, unsigned{kStyleExclamation});
    EXPECT_EQ(calls[0].caption, "Quill");
    // The warning never stops the copy.
    EXPECT_EQ(calls[1].kind, Kind::Clipboard);
    EXPECT_EQ(calls[1].text, "PwmSetup(1,,500)");
}

TEST_F(CopyCallTextTest, FourEmptyValuesGiveOneWarning) {
    Choose("PwmSetup", {"a1", "a2", "a3", "a4"});
    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(harness.platform.Messages(),
              std::vector<std::string>{"Some parameters not selected."});
    EXPECT_EQ(calls[1].text, "PwmSetup(,,,)");
}

TEST_F(CopyCallTextTest, NoFunctionOrNoParametersNeedNoWarning) {
    Choose("", {});
    auto calls = Copy();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "()");

    Choose("PwmInit", {});
    calls = Copy();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "PwmInit()");
}

TEST_F(CopyCallTextTest, AMissingNameEndsTheParameterList) {
    Choose("PwmSetup", {"iChannel", "", "iFreqHz"});
    FillDropDown(1, {"1"}, 0);
    Type(3, "500");
    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "PwmSetup(1)");
}

TEST_F(CopyCallTextTest, ALongCallIsCutTo255BytesSilently) {
    // "F(" + 297 bytes + ")" is 300 bytes.
    Choose("F", {"iValue"});
    const std::string value(297, 'x');
    window.editTexts[0] = value;
    window.UpdateData(false);

    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, ("F(" + value + ")").substr(0, 255));
    EXPECT_EQ(calls[0].text.size(), 255u);

    // Exactly 255 bytes go as they are.
    window.editTexts[0] = std::string(252, 'y');
    window.UpdateData(false);
    EXPECT_EQ(Copy().back().text, "F(" + std::string(252, 'y') + ")");
}

TEST_F(CopyCallTextTest, ARefusingClipboardIsReportedAsOutOfMemory) {
    Choose("PwmInit", {});
    harness.platform.clipboardText = "before";
    harness.platform.clipboardWorks = false;

    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].kind, Kind::Message);
    EXPECT_EQ(calls[1].text, "Out of Memory");
    EXPECT_EQ(calls[1].style, unsigned{kStyleStopSystemModal});
    EXPECT_EQ(calls[1].caption, "Quill");
    EXPECT_EQ(harness.platform.clipboardText, "before");
}

TEST_F(CopyCallTextTest, AClipboardHeldElsewhereKeepsItsTextWithoutAMessage) {
    Choose("PwmInit", {});
    harness.platform.clipboardText = "before";
    harness.platform.clipboardHeld = true;
    window.paramLists[0]->setGeometry(40, 300, 90, 120);
    window.paramLists[0]->show();

    const auto calls = Copy();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, Kind::Clipboard);
    EXPECT_EQ(harness.platform.clipboardText, "before");
    // The lists are closed all the same.
    EXPECT_TRUE(window.paramLists[0]->isHidden());
}

TEST_F(CopyCallTextTest, ClosesTheSelectionListsFirst) {
    Choose("PwmInit", {});
    window.helperProgram = harness.PathOf("Pick.exe");
    for (QListWidget* list : window.paramLists) {
        list->setGeometry(40, 300, 90, 120);
        list->show();
    }
    window.exitButton->hide();
    window.helpersButton->hide();

    Copy();
    for (QListWidget* list : window.paramLists) {
        EXPECT_TRUE(list->isHidden());
    }
    EXPECT_FALSE(window.exitButton->isHidden());
    EXPECT_FALSE(window.helpersButton->isHidden());
}

TEST_F(CopyCallTextTest, CopyButtonRunsTheCopy) {
    Choose("PwmInit", {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.copyButton, Qt::LeftButton);
    EXPECT_EQ(harness.platform.clipboardText, "PwmInit()");
}

TEST(CopyIncludeText, PlacesTheStartUpLibraryCutTo98Bytes) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.startupLibrary = "/opt/kit/include/Pwm.h";
    window.paramLists[1]->setGeometry(40, 300, 90, 120);
    window.paramLists[1]->show();

    window.CopyIncludeText();
    EXPECT_EQ(harness.platform.clipboardText, "/opt/kit/include/Pwm.h");
    EXPECT_TRUE(harness.platform.Messages().empty());
    // The lists stay as they are.
    EXPECT_FALSE(window.paramLists[1]->isHidden());

    const std::string longPath = "/" + std::string(120, 'd') + "/Pwm.h";
    window.startupLibrary = longPath;
    window.CopyIncludeText();
    EXPECT_EQ(harness.platform.clipboardText, longPath.substr(0, 98));

    harness.platform.clipboardWorks = false;
    window.CopyIncludeText();
    EXPECT_EQ(harness.platform.Messages(), std::vector<std::string>{"Out of Memory"});
}

TEST(CopyIncludeText, IncludeButtonStaysHiddenAndDisabled) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.startupLibrary = "/opt/kit/include/Pwm.h";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.includeButton->isHidden());
    EXPECT_FALSE(window.includeButton->isEnabled());
    // Its mnemonic reaches nothing either.
    QTest::keyClick(&window, Qt::Key_I, Qt::AltModifier);
    QTest::mouseClick(window.includeButton, Qt::LeftButton);
    EXPECT_TRUE(harness.platform.CallsOf(Kind::Clipboard).empty());
    // Clicked while enabled and shown, it copies.
    window.includeButton->setEnabled(true);
    window.includeButton->show();
    QTest::mouseClick(window.includeButton, Qt::LeftButton);
    EXPECT_EQ(harness.platform.clipboardText, "/opt/kit/include/Pwm.h");
}

}  // namespace
}  // namespace quill
