// Clicking the function and parameter labels brings the matching line of the
// documentation to the top of SourcePane.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <string>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

// Number of the line shown at the top of the pane.
int TopLine(const QPlainTextEdit* pane) {
    return pane->cursorForPosition(QPoint(2, 2)).blockNumber();
}

// A text of `lines` filler lines with `insert` placed as line `at`, each line
// ended by `lineEnd`; filler lines carry `filler` so that byte and character
// counts differ when it holds multi-byte characters.
std::string TextWith(int lines, int at, const std::string& insert, const std::string& lineEnd,
                     const std::string& filler = "filler") {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += i == at ? insert : " * " + filler + " " + std::to_string(i);
        text += lineEnd;
    }
    return text;
}

class LabelClickTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void Show(const std::string& text) {
        window.sourceText = text;
        window.UpdateData(false);
        ASSERT_EQ(TopLine(window.sourcePane), 0);
    }

    void SetParameterName(int k, const std::string& name) {
        window.parameterNames[static_cast<std::size_t>(k - 1)] = name;
        window.UpdateData(false);
    }

    WindowHarness harness;
    MainWindow& window = *harness.window;
};

TEST_F(LabelClickTest, ParameterLabelScrollsItsEntryToTheTop) {
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        SCOPED_TRACE(lineEnd.size());
        Show(TextWith(80, 41, " * @param iMode :{A,B} the mode", lineEnd));
        SetParameterName(2, "iMode");

        window.OnParamLabelClicked(2);
        EXPECT_EQ(TopLine(window.sourcePane), 41);
    }
}

TEST_F(LabelClickTest, PositionsCountBytesOfTheEightBitText) {
    // Every filler line holds many two-byte characters: a byte position
    // taken for a character position would land far below the entry.
    Show(TextWith(80, 30, " * @param iMode :{A,B}", "\r\n",
                  "\xc3\x84\xc3\x84\xc3\x84\xc3\x84\xc3\x84\xc3\x84\xc3\x84\xc3\x84"));
    SetParameterName(1, "iMode");
    window.OnParamLabelClicked(1);
    EXPECT_EQ(TopLine(window.sourcePane), 30);
}

TEST_F(LabelClickTest, TheNameIsMatchedAsAPrefix) {
    std::string text = TextWith(80, 10, " * @param iModeX :{A,B}", "\n");
    text += " * @param iMode :{C,D}\n";
    Show(text);
    SetParameterName(1, "iMode");
    window.OnParamLabelClicked(1);
    EXPECT_EQ(TopLine(window.sourcePane), 10);
}

TEST_F(LabelClickTest, AnEntryNotFoundScrollsToTheCaretLine) {
    // A tab between "@param" and the name: the entry is not found.
    Show(TextWith(80, 20, " * @param\tiMode :{A,B}", "\n"));
    SetParameterName(1, "iMode");
    QTextCursor caret(window.sourcePane->document()->findBlockByNumber(33));
    caret.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 4);
    window.sourcePane->setTextCursor(caret);
    window.sourcePane->verticalScrollBar()->setValue(0);

    window.OnParamLabelClicked(1);
    // The start of the selection decides.
    EXPECT_EQ(TopLine(window.sourcePane), 33);
}

TEST_F(LabelClickTest, ClickingTheLabelItselfScrolls) {
    Show(TextWith(80, 52, " * @param uFlags :{F_A|F_B}", "\n"));
    window.parameterCount = 3;
    window.documentation.parameters[2].name = "uFlags";
    SetParameterName(3, "uFlags");
    window.LayOutParameterSlots();
    ClickLabel* label = window.paramLabels[2];
    ASSERT_TRUE(label->isVisible());

    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, label->height() / 2));
    EXPECT_EQ(TopLine(window.sourcePane), 52);
}

TEST_F(LabelClickTest, FunctionLabelPassesOverABriefThatRepeatsThePrototype) {
    std::string text =
        "/**\n"
        " * @brief void PwmSetDuty(int iChannel, unsigned char ucDuty)\n"
        " *        Sets the share.\n";
    text += TextWith(40, -1, "", "\n");
    text += "void PwmSetDuty(int iChannel, unsigned char ucDuty)\n";  // line 43
    text += TextWith(40, -1, "", "\n");
    Show(text);
    window.returnType = "void";
    window.functionName = "PwmSetDuty";
    window.UpdateData(false);

    // FunctionLabel reports clicks like the parameter labels.
    ClickLabel* label = window.functionLabel;
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier,
                      QPoint(label->width() - 3, label->height() / 2));
    EXPECT_EQ(TopLine(window.sourcePane), 43);
}

TEST_F(LabelClickTest, FunctionLabelFindsThePrototypeWithoutABrief) {
    std::string text = "/**\n * @brief Stops a channel.\n */\n";
    text += TextWith(30, -1, "", "\r\n");
    text += "void PwmStop(int iChannel)\r\n";  // line 33
    text += TextWith(40, -1, "", "\r\n");
    Show(text);
    window.returnType = "void";
    window.functionName = "PwmStop";
    window.OnFunctionLabelClicked();
    EXPECT_EQ(TopLine(window.sourcePane), 33);
}

}  // namespace
}  // namespace quill
