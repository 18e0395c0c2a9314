// Laying out the parameter slots from the parsed documentation: which
// selector each parameter gets, what it holds and where it stands.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

QRect RectOf(const SlotRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

std::vector<std::string> Items(const NotifyingComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i) {
        items.push_back(combo->TextAt(i));
    }
    return items;
}

// Gives the window a parsed function whose parameters have these choice
// texts (one per parameter, named p1...), then lays out its slots.
void LayOut(MainWindow& window, const std::vector<std::string>& choices,
            const std::vector<std::string>& editTexts = {}) {
    window.documentation = FunctionDocumentation();
    window.documentation.functionName = "Fn";
    for (std::size_t k = 0; k < choices.size(); ++k) {
        auto& parameter = window.documentation.parameters[k];
        parameter.name = "iArg" + std::to_string(k + 1);
        parameter.choiceText = choices[k];
        parameter.editText = k < editTexts.size() ? editTexts[k] : "";
        window.parameterNames[k] = parameter.name;
        window.editTexts[k] = parameter.editText;
    }
    for (std::size_t k = choices.size(); k < 4; ++k) {
        window.parameterNames[k].clear();
        window.editTexts[k].clear();
    }
    window.parameterCount = static_cast<int>(choices.size());
    window.LayOutParameterSlots();
}

std::vector<QObject*> StackingOrder(const MainWindow& window) {
    std::vector<QObject*> order;
    for (QObject* child : window.children()) {
        order.push_back(child);
    }
    return order;
}

TEST(ParameterSlots, NoParametersShowOnlyTheClosingParenthesis) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    LayOut(window, {"A,B", "X|Y"});
    ASSERT_FALSE(window.paramCombos[0]->isHidden());
    const SlotSizes sizesOfTwo = window.slotSizes;

    LayOut(window, {});

    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_TRUE(window.paramCombos[k]->isHidden());
        EXPECT_TRUE(window.paramEdits[k]->isHidden());
        EXPECT_TRUE(window.paramLabels[k]->isHidden());
    }
    for (QLabel* separator : window.separatorLabels) {
        EXPECT_TRUE(separator->isHidden());
    }
    EXPECT_FALSE(window.closeParenLabel->isHidden());
    const RowMetrics& row = window.row;
    EXPECT_EQ(
        window.closeParenLabel->geometry(),
        QRect(row.slotLeft + 8, row.selectorY + 1, row.separatorWidth - 1, row.selectorHeight));
    // Nothing to divide the row by: the sizes of the last function stay.
    EXPECT_EQ(window.slotSizes, sizesOfTwo);
}

TEST(ParameterSlots, EachCountFillsTheRowAsTheGeometrySays) {
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        WindowHarness harness;
        MainWindow& window = *harness.window;
        // Alternating drop-downs and entry fields.
        const std::vector<std::string> all = {"A,B", "", "C,D", "NONE|FAST"};
        LayOut(window, std::vector<std::string>(all.begin(), all.begin() + n));

        const SlotGeometry expected = ComputeSlotGeometry(window.row, n, SlotSizes());
        EXPECT_EQ(window.slotSizes, expected.sizes);
        EXPECT_EQ(window.slotSizes.slotWidth, window.row.rowWidth / n);
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k + 1);
            const auto i = static_cast<std::size_t>(k);
            const bool inUse = k < n;
            const bool dropDown = inUse && k % 2 == 0;
            EXPECT_EQ(window.paramLabels[i]->isHidden(), !inUse);
            EXPECT_EQ(window.paramCombos[i]->isHidden(), !dropDown);
            EXPECT_EQ(window.paramEdits[i]->isHidden(), !inUse || dropDown);
            if (!inUse) {
                continue;
            }
            EXPECT_EQ(window.paramLabels[i]->geometry(), RectOf(expected.labels[i]));
            QWidget* selector = dropDown ? static_cast<QWidget*>(window.paramCombos[i])
                                         : static_cast<QWidget*>(window.paramEdits[i]);
            EXPECT_EQ(selector->geometry(), RectOf(expected.selectors[i]));
        }
        for (int s = 0; s < 3; ++s) {
            SCOPED_TRACE(s + 1);
            const auto i = static_cast<std::size_t>(s);
            EXPECT_EQ(window.separatorLabels[i]->isHidden(), s >= n - 1);
            if (s < n - 1) {
                EXPECT_EQ(window.separatorLabels[i]->geometry(), RectOf(expected.separators[i]));
            }
        }
        EXPECT_FALSE(window.closeParenLabel->isHidden());
        EXPECT_EQ(window.closeParenLabel->geometry(), RectOf(expected.closeParen));
    }
}

TEST(ParameterSlots, ListFormFillsTheDropDownInOrderWithTheFirstSelected) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.paramCombos[1]->AddString("left over");
    LayOut(window, {"A,B,C", "A,,B", "X,"});

    EXPECT_EQ(Items(window.paramCombos[0]), (std::vector<std::string>{"A", "B", "C"}));
    // Empty items are offered too.
    EXPECT_EQ(Items(window.paramCombos[1]), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(Items(window.paramCombos[2]), (std::vector<std::string>{"X", ""}));
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(window.paramCombos[k]->currentIndex(), 0);
    }
    EXPECT_EQ(window.paramCombos[0]->currentText(), QStringLiteral("A"));
}

TEST(ParameterSlots, OtherFormsGetAWritableEntryField) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    for (QLineEdit* edit : window.paramEdits) {
        ASSERT_TRUE(edit->isReadOnly());
    }
    // A single value, a comma first, flags, a helper program.
    LayOut(window, {"A", ",A", "NONE|FAST|SLOW", "Pick.exe"}, {"", "", "", "\"Pick.exe\""});

    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_TRUE(window.paramCombos[k]->isHidden());
        EXPECT_FALSE(window.paramEdits[k]->isHidden());
        EXPECT_FALSE(window.paramEdits[k]->isReadOnly());
    }
    // The flags field starts with the first value; the others keep their text.
    EXPECT_EQ(window.editTexts, (std::array<std::string, 4>{"", "", "NONE", "\"Pick.exe\""}));
    EXPECT_EQ(window.documentation.parameters[2].editText, "NONE");
}

TEST(ParameterSlots, FlagsRuleComesLastForAHelperWithFlags) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    LayOut(window, {"Pick.exe|X"}, {"\"Pick.exe|X\""});
    EXPECT_EQ(window.editTexts[0], "Pick.exe");
}

TEST(ParameterSlots, ADropDownParameterCarriesNoHiddenEntryText) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    // A list of helper names got a quoted entry text from the parse; the
    // field is hidden, so it must not stand in for the item picked.
    LayOut(window, {"Pick.exe,Other.exe"}, {"\"Pick.exe,Other.exe\""});
    EXPECT_FALSE(window.paramCombos[0]->isHidden());
    EXPECT_EQ(window.editTexts[0], "");
    EXPECT_EQ(window.documentation.parameters[0].editText, "");
}

TEST(ParameterSlots, ShownFieldsStayWritableAndStackingOrderIsKept) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const auto order = StackingOrder(window);
    LayOut(window, {"", "", "", ""});
    LayOut(window, {"A,B", "C,D"});
    // The field of parameter 1 was made writable before and stays so.
    EXPECT_FALSE(window.paramEdits[0]->isReadOnly());
    EXPECT_TRUE(window.paramEdits[0]->isHidden());
    EXPECT_EQ(StackingOrder(window), order);
}

}  // namespace
}  // namespace quill
