// Choosing a function and what it brings: the parameter slots (which
// selector each parameter gets, what it holds, where it stands), the helper
// program button, and the label clicks that bring the matching line of the
// documentation to the top of SourcePane.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "WindowHarness.h"
#include "source/TextOps.h"

namespace quill {
namespace {

QRect RectOf(const SlotRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

class FunctionChoice : public ::testing::Test {
protected:
    // A library whose source documents functions with no and with one
    // parameter, naming a helper program beside it and one that is missing.
    void SetUp() override {
        library = harness.WriteFile("lib/Dev.h",
                                    "void DevReset(void);\nvoid DevMode(int iMode);\n"
                                    "void DevWait(int iTicks);\n");
        harness.WriteFile("lib/Dev.c",
                          "/**\n * @brief Resets.\n */\nvoid DevReset(void)\n\n"
                          "/**\n * @param iMode :{MODE_A,,MODE_B}\n * @note Run DevHelp.exe.\n */\n"
                          "void DevMode(int iMode)\n\n"
                          "/**\n * @param iTicks :{1-9}\n * @note  Run Gone.exe first.\n */\n"
                          "void DevWait(int iTicks)\n");
        harness.WriteFile("lib/DevHelp.exe", "#!/bin/sh\n");
    }

    // Selects `libraryPath` and its function `entry`, as the user leaves them
    // when the function list closes, then chooses.
    void Choose(const std::string& libraryPath, const std::string& entry) {
        window.libraryCombo->clear();
        window.libraryCombo->AddString(libraryPath);
        window.libraryCombo->setCurrentIndex(0);
        window.FillFunctionList(libraryPath);
        window.functionCombo->setCurrentIndex(window.functionCombo->FindStringExact(entry));
        ASSERT_GE(window.functionCombo->currentIndex(), 0) << entry;
        harness.SetSetting("Last", "Choice", "something else");
        harness.platform.log.clear();
        window.OnFunctionChosen();
    }

    // Gives the window a parsed function whose parameters (iArg1...) have
    // these choice texts and parsed entry texts, then lays out its slots.
    void LayOut(const Texts& choices, const Texts& editTexts = {}) {
        window.documentation = FunctionDocumentation();
        for (std::size_t k = 0; k < 4; ++k) {
            auto& parameter = window.documentation.parameters[k];
            parameter.name = k < choices.size() ? "iArg" + std::to_string(k + 1) : "";
            parameter.choiceText = k < choices.size() ? choices[k] : "";
            parameter.editText = k < editTexts.size() ? editTexts[k] : "";
            window.parameterNames[k] = parameter.name;
            window.editTexts[k] = parameter.editText;
        }
        window.parameterCount = static_cast<int>(choices.size());
        window.LayOutParameterSlots();
        window.UpdateData(false);
    }

    void ExpectHelper(const std::string& program) {
        EXPECT_EQ(window.helperProgram, program);
        EXPECT_EQ(window.helpersButton->isHidden(), program == "-");
    }

    WindowHarness harness;
    MainWindow& window = *harness.window;
    std::string library;
};

TEST_F(FunctionChoice, ChoosingReplacesTheSlotsAndTheHelperOfTheLastFunction) {
    Choose(library, "void DevMode(int iMode)");
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void DevMode(int iMode)");
    EXPECT_EQ(Row(window), "iMode[MODE_A])");
    EXPECT_EQ(Entries(window.paramCombos[0]), (Texts{"MODE_A", "", "MODE_B"}));
    ExpectHelper(harness.PathOf("lib/DevHelp.exe"));
    EXPECT_EQ(window.helpersButton->text(), QStringLiteral("DevHelp.exe"));
    const SlotSizes sizesOfOne = window.slotSizes;

    // A helper program that is missing, or a folder of its name, hides the
    // button without a message; a value typed for the last choice is gone.
    Choose(library, "void DevWait(int iTicks)");
    EXPECT_EQ(window.helperName, "Gone.exe");
    ExpectHelper("-");
    window.paramEdits[0]->setText(QStringLiteral("5"));
    harness.WriteFile("lib/Gone.exe/inside", "");
    Choose(library, "void DevWait(int iTicks)");
    ExpectHelper("-");
    EXPECT_EQ(Row(window), "iTicks<>)");
    EXPECT_TRUE(harness.platform.log.empty());

    // No parameters: only ")" stays, and the sizes of the last function.
    window.paramEdits[0]->setText(QStringLiteral("5"));
    Choose(library, "void DevReset(void)");
    EXPECT_EQ(Row(window), ")");
    EXPECT_EQ(window.parameterCount, 0);
    EXPECT_EQ(window.paramLabels[0]->text() + window.paramEdits[0]->text(), QString());
    EXPECT_EQ(window.slotSizes, sizesOfOne);
}

TEST_F(FunctionChoice, ADocumentingFileThatCannotBeOpenedIsReported) {
    Choose(library, "void DevMode(int iMode)");
    const std::string orphan = harness.WriteFile("other/Orphan.h", "long OrphanGet(int iPort);\n");
    Choose(orphan, "long OrphanGet(int iPort)");
    // The lookup reports both its failures; the parse then names the last
    // form of the path that was tried.
    const std::string source = harness.PathOf("other/Orphan.c");
    EXPECT_EQ(harness.platform.log,
              (Texts{Msg(48, "Could not find source " + source + " or .c"),
                     Msg(48, "Could not find \nlong OrphanGet(int iPort)\nin " + source +
                                 "\nMust match exactly."),
                     Msg(48, "Could not find " + ToLowerAscii(source))}));
    EXPECT_EQ(harness.Setting("Last", "Choice"), "long OrphanGet(int iPort)");
    EXPECT_EQ(harness.Shown(), "-");
    // Name, type and a free slot per parameter still come from the entry.
    EXPECT_EQ(Row(window), "iPort<>)");
    EXPECT_EQ(window.functionLabel->text(), QStringLiteral("OrphanGet"));
    EXPECT_EQ(window.typeLabel->text(), QStringLiteral("long"));
    ExpectHelper("-");
}

TEST_F(FunctionChoice, WithoutAFunctionNothingIsParsedAndWithoutALibraryNothingHappens) {
    Choose(library, "void DevMode(int iMode)");
    window.helpersButton->hide();
    window.functionCombo->clear();
    harness.SetSetting("Last", "Choice", "kept");
    window.OnFunctionChosen();
    EXPECT_EQ(harness.Setting("Last", "Choice"), "kept");
    EXPECT_EQ(Row(window), "iMode[MODE_A])");
    EXPECT_EQ(harness.Shown(), "");
    // The library's own folder holds the helper named last.
    ExpectHelper(harness.PathOf("lib/DevHelp.exe"));

    harness.ShowText("shown");
    window.libraryCombo->clear();
    window.OnFunctionChosen();
    EXPECT_EQ(harness.Setting("Last", "Choice"), "kept");
    EXPECT_EQ(harness.Shown(), "shown");
    EXPECT_EQ(Row(window), "iMode[MODE_A])");
    ExpectHelper(harness.PathOf("lib/DevHelp.exe"));
    EXPECT_TRUE(harness.platform.log.empty());
}

TEST_F(FunctionChoice, EachCountFillsTheRowAsTheGeometrySays) {
    const QObjectList order = window.children();
    const Texts all = {"A,B", "", "C,D", "NONE|FAST"};  // drop-downs and entry fields
    const char* const rows[] = {"iArg1[A])", "iArg1[A],iArg2<>)", "iArg1[A],iArg2<>,iArg3[C])",
                                "iArg1[A],iArg2<>,iArg3[C],iArg4<NONE>)"};
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        LayOut(Texts(all.begin(), all.begin() + n));
        EXPECT_EQ(Row(window), rows[n - 1]);
        const SlotGeometry expected = ComputeSlotGeometry(window.row, n, SlotSizes());
        EXPECT_EQ(window.slotSizes, expected.sizes);
        for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
            EXPECT_EQ(window.paramLabels[k]->geometry(), RectOf(expected.labels[k])) << k;
            QWidget* selector = k % 2 == 0 ? static_cast<QWidget*>(window.paramCombos[k])
                                           : static_cast<QWidget*>(window.paramEdits[k]);
            EXPECT_EQ(selector->geometry(), RectOf(expected.selectors[k])) << k;
            if (k > 0) {
                EXPECT_EQ(window.separatorLabels[k - 1]->geometry(),
                          RectOf(expected.separators[k - 1]));
            }
        }
        EXPECT_EQ(window.closeParenLabel->geometry(), RectOf(expected.closeParen));
    }
    // No parameters: only ")" remains, one pixel below the row after "(".
    LayOut({});
    EXPECT_EQ(Row(window), ")");
    const RowMetrics& row = window.row;
    EXPECT_EQ(
        window.closeParenLabel->geometry(),
        QRect(row.slotLeft + 8, row.selectorY + 1, row.separatorWidth - 1, row.selectorHeight));
    // A field made writable stays so when hidden; the stacking order is kept.
    EXPECT_FALSE(window.paramEdits[1]->isReadOnly());
    EXPECT_EQ(window.children(), order);
}

TEST_F(FunctionChoice, TheChoiceTextDecidesTheSelectorAndItsContents) {
    const struct {
        const char *choice, *parsedEditText, *row;
        Texts items;
    } cases[] = {
        {"A,B,C", "", "iArg1[A])", {"A", "B", "C"}},
        {"A,,B", "", "iArg1[A])", {"A", "", "B"}},
        {"X,", "", "iArg1[X])", {"X", ""}},
        // The hidden field of a drop-down must not stand in for the item.
        {"Pick.exe,Other.exe",
         "\"Pick.exe,Other.exe\"",
         "iArg1[Pick.exe])",
         {"Pick.exe", "Other.exe"}},
        {"A", "", "iArg1<>)", {}},
        {",A", "", "iArg1<>)", {}},
        {"NONE|FAST|SLOW", "", "iArg1<NONE>)", {}},
        {"Pick.exe", "\"Pick.exe\"", "iArg1<\"Pick.exe\">)", {}},
        {"Pick.exe|X", "\"Pick.exe|X\"", "iArg1<Pick.exe>)", {}},  // the flags rule comes last
    };
    ASSERT_TRUE(window.paramEdits[0]->isReadOnly());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        window.paramCombos[0]->AddString("left over");
        LayOut({c.choice}, {c.parsedEditText});
        EXPECT_EQ(Row(window), c.row);
        EXPECT_EQ(Entries(window.paramCombos[0]), c.items);
        EXPECT_EQ(window.documentation.parameters[0].editText, window.editTexts[0]);
        if (c.items.empty()) {
            EXPECT_FALSE(window.paramEdits[0]->isReadOnly());
        } else {
            EXPECT_EQ(window.editTexts[0], "");  // what Copy would take first
        }
    }
}

// `lines` filler lines with `insert` as line `at`, each ended by `lineEnd`;
// the filler may hold multi-byte characters so that byte and character
// counts differ.
std::string TextWith(int lines, int at, const std::string& insert, const std::string& lineEnd,
                     const std::string& filler = "filler") {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += (i == at ? insert : " * " + filler + " " + std::to_string(i)) + lineEnd;
    }
    return text;
}

int TopLine(const QPlainTextEdit* pane) {
    return pane->cursorForPosition(QPoint(2, 2)).blockNumber();
}

TEST_F(FunctionChoice, ClickingALabelBringsItsLineToTheTop) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    LayOut({"", "", "", ""});
    window.returnType = "void";
    window.functionName = "PwmSetDuty";
    window.UpdateData(false);
    const std::string brief = "/**\n * @brief void PwmSetDuty(int iChannel, char c)\n *  Sets.\n";
    const struct {
        const char* what;
        std::string text;
        int label;  // 0: FunctionLabel
        int top;
    } cases[] = {
        {"LF", TextWith(80, 41, " * @param iArg2 :{A,B}", "\n"), 2, 41},
        {"CR LF", TextWith(80, 41, " * @param iArg3 :{A,B}", "\r\n"), 3, 41},
        // Positions count bytes of the 8-bit text, not characters.
        {"multi-byte", TextWith(80, 30, " * @param iArg1 :{A}", "\r\n", "\xc3\x84\xc3\x84\xc3\x84"),
         1, 30},
        // The name is matched as a prefix.
        {"prefix", TextWith(80, 10, " * @param iArg4X :{A}", "\n") + " * @param iArg4 :{C}\n", 4,
         10},
        // A "@brief" that repeats the prototype is passed over.
        {"brief",
         brief + TextWith(40, -1, "", "\n") + "void PwmSetDuty(int iChannel, char c)\n" +
             TextWith(40, -1, "", "\n"),
         0, 43},
        {"no brief",
         "/**\n * @brief Stops.\n */\n" + TextWith(30, -1, "", "\r\n") +
             "void PwmSetDuty(int iChannel)\r\n" + TextWith(40, -1, "", "\r\n"),
         0, 33},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        harness.ShowText(c.text);
        ASSERT_EQ(TopLine(window.sourcePane), 0);
        QLabel* label = c.label == 0 ? static_cast<QLabel*>(window.functionLabel)
                                     : window.paramLabels[static_cast<std::size_t>(c.label - 1)];
        const QPoint inside(label->width() - 3, label->height() / 2);
        // A right click, or a press released outside the label, is no click.
        QTest::mouseClick(label, Qt::RightButton, Qt::NoModifier, inside);
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, inside);
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, inside + QPoint(200, 0));
        ASSERT_EQ(TopLine(window.sourcePane), 0);
        QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, inside);
        EXPECT_EQ(TopLine(window.sourcePane), c.top);
    }

    // An entry not found ("@param" and the name apart by a tab) scrolls to
    // the start of the selection.
    harness.ShowText(TextWith(80, 20, " * @param\tiArg1 :{A,B}", "\n"));
    QTextCursor caret(window.sourcePane->document()->findBlockByNumber(33));
    caret.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 4);
    window.sourcePane->setTextCursor(caret);
    window.sourcePane->verticalScrollBar()->setValue(0);
    window.OnParamLabelClicked(1);
    EXPECT_EQ(TopLine(window.sourcePane), 33);
}

}  // namespace
}  // namespace quill
