// Entering values as a user does: a combination picked in its selection
// list, a helper program started from its field once per visit, and a value
// outside its documented range pointed out and still copied.

#include <gtest/gtest.h>

#include <QTest>

#include "WindowHarness.h"

namespace quill {
namespace {

const std::string kMix = "void Mix(int uFirst, int uSecond, int iPin, int iFreq)";

class ValueEntry : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string library = harness.WriteFile("My Libs/Mix.h", kMix + ";\n");
        harness.WriteFile("My Libs/Mix.c",
                          "/**\n * @param uFirst :{A|B|C}\n * @param uSecond :{X|Y}\n"
                          " * @param iPin :{Pick.exe}\n * @param iFreq :{1-20000}\n"
                          " * @note Run Pick.exe.\n */\n" +
                              kMix + "\n");
        harness.WriteFile("My Libs/Pick.exe", "#!/bin/sh\n");
        harness.ListLibrary(library);
        harness.Start();
        harness.Choose(kMix);
        log.clear();
    }

    // Clicks into a control, as the user moves the focus there.
    void ClickInto(QWidget* control) {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        Settle();
    }
    // Clicks item `row` of an open list with `modifiers` held.
    void ClickItem(QListWidget* list, int row, Qt::KeyboardModifiers modifiers) {
        const QRect at = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at.center());
    }
    static std::string Selected(const QListWidget* list) {
        std::string picks;
        for (int i = 0; i < list->count(); ++i) {
            picks += list->item(i)->isSelected() ? ToBytes(list->item(i)->text()) : "";
        }
        return picks;
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    Texts& log = harness.platform.log;
};

TEST_F(ValueEntry, ACombinationPickedWithCtrlClicksIsCopiedInListOrder) {
    EXPECT_EQ(harness.Row(), "uFirst<A>,uSecond<X>,iPin<\"Pick.exe\">,iFreq<>)");
    ClickInto(ui.paramEdits[3]);
    QTest::keyClicks(ui.paramEdits[3], QStringLiteral("500"));
    ClickInto(ui.paramEdits[1]);
    QListWidget* list = ui.paramLists[1];
    ASSERT_EQ(harness.Lists(), "2");
    EXPECT_TRUE(list->hasFocus());
    EXPECT_TRUE(ui.paramGroup->isHidden());
    EXPECT_EQ(Selected(list), "X");
    // Directly under the field, as wide as it, down to the window's bottom.
    const QRect field = ui.paramEdits[1]->geometry();
    EXPECT_EQ(list->geometry().topLeft(), field.bottomLeft() + QPoint(0, 1));
    EXPECT_EQ(list->width(), field.width());
    EXPECT_LE(list->geometry().bottom(), harness.window->height());

    // Y with Ctrl, then X off and on again: list order, not click order.
    ClickItem(list, 1, Qt::ControlModifier);
    ClickItem(list, 0, Qt::ControlModifier);
    ClickItem(list, 0, Qt::ControlModifier);
    EXPECT_EQ(Selected(list), "XY");
    EXPECT_EQ(harness.Click(ui.copyButton), Texts{"clipboard: Mix(A,X|Y,\"Pick.exe\",500)"});
    EXPECT_EQ(harness.Lists(), "XH");
    EXPECT_FALSE(ui.paramGroup->isHidden());
    EXPECT_EQ(harness.Row(), "uFirst<A>,uSecond<X|Y>,iPin<\"Pick.exe\">,iFreq<500>)");

    // Opened again, the value selects its items; nothing picked is an empty
    // value, and the copy warns.
    ClickInto(ui.paramEdits[1]);
    EXPECT_EQ(Selected(list), "XY");
    ClickItem(list, 0, Qt::ControlModifier);
    ClickItem(list, 1, Qt::ControlModifier);
    EXPECT_EQ(harness.Click(ui.copyButton), (Texts{Msg(48, "Some parameters not selected."),
                                                   "clipboard: Mix(A,,\"Pick.exe\",500)"}));
}

TEST_F(ValueEntry, AHelperProgramRunsOncePerVisitOfItsField) {
    const std::string pick = harness.PathOf("My Libs/Pick.exe");
    ClickInto(ui.paramEdits[2]);
    EXPECT_EQ(log, Texts{"run: " + pick});
    // The window losing and regaining the focus is no new visit.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.close();
    harness.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(harness.window.get()));
    ClickInto(ui.paramEdits[2]);
    EXPECT_EQ(log.size(), 1u);
    // Leaving and entering again is; a start that fails is reported.
    harness.platform.runStatuses = {-1};
    ClickInto(ui.paramEdits[3]);
    ClickInto(ui.paramEdits[2]);
    EXPECT_EQ(log,
              (Texts{"run: " + pick, "run: " + pick, Msg(48, pick + " or CMD.EXE not found.")}));
}

TEST_F(ValueEntry, AValueOutOfRangeIsPointedOutAndStillCopied) {
    ClickInto(ui.paramEdits[3]);
    QTest::keyClicks(ui.paramEdits[3], QStringLiteral("30000"));
    EXPECT_EQ(harness.Click(ui.copyButton),
              (Texts{Msg(48, "iFreq Out of range."), "clipboard: Mix(A,X,\"Pick.exe\",30000)"}));
}

}  // namespace
}  // namespace quill
