// Entering values as a user does, in one journey through a function with a
// combination, a helper program field and a range: the selection list under
// its field, the helper run once per visit, the range pointed out on leaving,
// Copy, the buttons an open list covers, and the label clicks that bring a
// line of the documentation to the top.

#include "WindowHarness.h"

namespace quill {
namespace {

const std::string kMix = "void Mix(int uFirst, int uSecond, int iPin, int iFreq)";

// The block: "@brief" repeating the prototype on line 1, the first three
// "@param" lines on 22 to 24, iFreq's on 45, the prototype on 68, then a body.
std::string MixSource() {
    const auto filler = [](int lines) {
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text += " * \xc3\x84 filler\n";
        }
        return text;
    };
    std::string body;
    for (int i = 0; i < 40; ++i) {
        body += "    x = " + std::to_string(i) + ";\n";
    }
    return "/**\n * @brief " + kMix + "\n" + filler(20) +
           " * @param uFirst :{A|B|C}\n * @param uSecond :{X|Y}\n * @param iPin :{Pick.exe}\n" +
           filler(20) + " * @param iFreq :{1-20000}\n * @note Run Pick.exe.\n" + filler(20) +
           " */\n" + kMix + "\n{\n" + body +
           "}\n/**\n * @note Run Gone.exe.\n */\nvoid Bare(void)\n";
}

class ValueEntry : public ::testing::Test {
protected:
    void SetUp() override {
        harness.WriteFile("My Libs/Mix.c", MixSource());
        harness.WriteFile("My Libs/Pick.exe", "#!/bin/sh\n");
        harness.Start(harness.WriteFile("My Libs/Mix.h", kMix + ";\nvoid Bare(void);\n"));
    }

    // Clicks item `row` of an open list with Ctrl held.
    static void CtrlClick(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(row)).center());
    }
    static std::string Selected(const QListWidget* list) {
        std::string picks;
        for (int i = 0; i < list->count(); ++i) {
            picks += list->item(i)->isSelected() ? ToBytes(list->item(i)->text()) : "";
        }
        return picks;
    }
    // Another window takes the focus and gives it back: no visit.
    void LeaveAndComeBack() {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        other.close();
        harness.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(harness.window.get()));
    }
    // Clicks the label; the first line SourcePane then shows.
    int ClickLabel(QLabel* label, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(label, button, Qt::NoModifier, QPoint(label->width() - 3, 3));
        return ui.sourcePane->verticalScrollBar()->value();
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    Texts& log = harness.platform.log;
    const std::string pick = harness.folder + "My Libs/Pick.exe";
};

TEST_F(ValueEntry, CombinationHelperRangeCopyAndLabels) {
    harness.Choose(kMix);
    EXPECT_EQ(harness.ui.Row(), "uFirst<A>,uSecond<X>,iPin<\"Pick.exe\">,iFreq<>)");
    EXPECT_EQ(ui.helpersButton->text(), QStringLiteral("Pick.exe"));
    EXPECT_EQ(harness.ui.Lists(), "XH");
    log.clear();

    // A value out of range is pointed out when its field is left.
    Type(ui.paramEdits[3], "30000");
    ClickInto(ui.paramEdits[1]);
    EXPECT_EQ(log, Texts{Msg(48, "iFreq Out of range.")});
    // The combination's list opens under its field with the field's value
    // picked, over the two buttons at the bottom.
    QListWidget* list = ui.paramLists[1];
    ASSERT_EQ(harness.ui.Lists(), "2");
    EXPECT_TRUE(list->hasFocus());
    EXPECT_TRUE(ui.paramGroup->isHidden());
    EXPECT_EQ(Selected(list), "X");
    EXPECT_EQ(list->geometry(), QRect(310, 398, 153, 69));
    // Y with Ctrl, then X off and on again.
    CtrlClick(list, 1);
    CtrlClick(list, 0);
    CtrlClick(list, 0);
    LeaveAndComeBack();
    EXPECT_EQ(harness.ui.Lists(), "2");
    // F1 leaves it open too; it starts what the settings say, the notes file.
    log.clear();
    QTest::keyClick(harness.window.get(), Qt::Key_F1);
    EXPECT_EQ(log, Texts{"editor: " + harness.folder + "Quill.txt"});
    EXPECT_EQ(harness.ui.Lists(), "2");
    // A visit elsewhere closes it, joins the picks with "|" in list order and
    // brings the buttons home.
    ClickInto(ui.sourcePane->viewport());
    EXPECT_EQ(harness.ui.Lists(), "XH");
    EXPECT_EQ(ui.exitButton->geometry(), QRect(744, 423, 44, 30));
    EXPECT_EQ(ui.helpersButton->geometry(), QRect(385, 431, 88, 23));
    EXPECT_EQ(harness.ui.Row(), "uFirst<A>,uSecond<X|Y>,iPin<\"Pick.exe\">,iFreq<30000>)");

    // The helper field runs its program once per visit of the field; a start
    // that fails is told.
    log.clear();
    ClickInto(ui.paramEdits[2]);
    LeaveAndComeBack();
    ClickInto(ui.paramEdits[2]);
    harness.platform.runStatuses = {-1};
    ClickInto(ui.sourcePane->viewport());
    ClickInto(ui.paramEdits[2]);
    EXPECT_EQ(log,
              (Texts{"run: " + pick, "run: " + pick, Msg(48, pick + " could not be started.")}));
    // HelpersButton starts it on its own.
    EXPECT_EQ(harness.Click(ui.helpersButton), Texts{"start: " + pick + " "});

    // Copy warns about what it copies all the same.
    const Texts warnings{Msg(48, "iPin still holds the helper \"Pick.exe\" and no value."),
                         Msg(48, "iFreq Out of range.")};
    Texts copied = warnings;
    copied.push_back("clipboard: Mix(A,X|Y,\"Pick.exe\",30000)");
    EXPECT_EQ(harness.Click(ui.copyButton), copied);
    // Opened again, the list picks the value's items; nothing picked is a
    // missing value, which the copy warns about.
    ClickInto(ui.paramEdits[1]);
    EXPECT_EQ(Selected(list), "XY");
    CtrlClick(list, 0);
    CtrlClick(list, 1);
    // The help button, unlike F1, closes it.
    EXPECT_EQ(harness.Click(ui.Find<QPushButton>("HelpButton")),
              Texts{"editor: " + harness.folder + "Quill.txt"});
    EXPECT_EQ(harness.ui.Lists(), "XH");
    copied = warnings;
    copied.push_back(Msg(48, "Some parameters not selected."));
    copied.push_back("clipboard: Mix(A,,\"Pick.exe\",30000)");
    EXPECT_EQ(harness.Click(ui.copyButton), copied);

    // A label click brings its "@param" line to the top; a right click is no
    // click; the function's name brings the prototype, not the "@brief" that
    // repeats it.
    QTest::keyClick(ui.sourcePane, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(ClickLabel(ui.paramLabels[3]), 45);
    EXPECT_EQ(ClickLabel(ui.paramLabels[1], Qt::RightButton), 45);
    EXPECT_EQ(ClickLabel(ui.paramLabels[1]), 23);
    EXPECT_EQ(ClickLabel(ui.functionLabel), 68);

    // Chosen again, the values typed are gone. A function whose helper is
    // missing hides the button, without a message; no parameters leave ")".
    harness.Choose(kMix);
    EXPECT_EQ(harness.ui.Row(), "uFirst<A>,uSecond<X>,iPin<\"Pick.exe\">,iFreq<>)");
    log.clear();
    harness.Choose("void Bare(void)");
    EXPECT_EQ(harness.ui.Row(), ")");
    EXPECT_EQ(harness.ui.Lists(), "X");
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace quill
