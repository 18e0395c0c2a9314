// The combo boxes and labels of the main window.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "app/ControlWidgets.h"
#include "source/TextOps.h"

namespace quill {
namespace {

std::vector<std::string> Entries(const NotifyingComboBox& combo) {
    std::vector<std::string> entries;
    for (int i = 0; i < combo.count(); ++i) {
        entries.push_back(combo.TextAt(i));
    }
    return entries;
}

TEST(SortedCombo, AddsEachEntryAtItsPlaceIgnoringCase) {
    NotifyingComboBox combo;
    combo.SetSorted(true);
    EXPECT_EQ(combo.AddString("beta"), 0);
    EXPECT_EQ(combo.AddString("Gamma"), 1);
    EXPECT_EQ(combo.AddString("alpha"), 0);
    EXPECT_EQ(combo.AddString("ALPHA2"), 1);
    EXPECT_EQ(combo.AddString("beta"), 3);  // a second, equal entry goes after the first
    EXPECT_EQ(Entries(combo),
              (std::vector<std::string>{"alpha", "ALPHA2", "beta", "beta", "Gamma"}));
}

TEST(SortedCombo, AddingAllAtOnceGivesTheSameOrder) {
    const std::vector<std::string> texts = {"void b(void)", "Void a(void)", "void A(void)",
                                            "int z(void)",  "INT Y(void)",  "void a(void)",
                                            "_x(void)",     "9lives(void)"};
    NotifyingComboBox oneByOne;
    oneByOne.SetSorted(true);
    for (const std::string& text : texts) {
        oneByOne.AddString(text);
    }
    NotifyingComboBox atOnce;
    atOnce.SetSorted(true);
    atOnce.AddStrings(texts);
    EXPECT_EQ(Entries(atOnce), Entries(oneByOne));
    // Ascending ignoring case.
    const std::vector<std::string> entries = Entries(atOnce);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        EXPECT_FALSE(LessIgnoringCase(entries[i], entries[i - 1]))
            << entries[i - 1] << " before " << entries[i];
    }
}

TEST(UnsortedCombo, AppendsInOrder) {
    NotifyingComboBox combo;
    combo.AddStrings({"C", "a", "B"});
    EXPECT_EQ(combo.AddString(""), 3);
    EXPECT_EQ(Entries(combo), (std::vector<std::string>{"C", "a", "B", ""}));
}

TEST(ComboSearch, FindsWholeEntriesIgnoringAsciiCase) {
    NotifyingComboBox combo;
    combo.AddStrings({"void Init(void)", "void InitAll(void)", "int Read(int port)"});
    EXPECT_EQ(combo.FindStringExact("VOID INIT(VOID)"), 0);
    EXPECT_EQ(combo.FindStringExact("void initall(void)"), 1);
    EXPECT_EQ(combo.FindStringExact("int Read(int port)"), 2);
    EXPECT_EQ(combo.FindStringExact("void Init"), -1);
    EXPECT_EQ(combo.FindStringExact(""), -1);
    // Only ASCII letters fold: a Latin-1 capital is another byte.
    combo.AddString("void \xE9t\xE9(void)");
    EXPECT_EQ(combo.FindStringExact("VOID \xE9T\xE9(VOID)"), 3);
    EXPECT_EQ(combo.FindStringExact("void \xC9t\xE9(void)"), -1);
}

TEST(ComboSearch, TextOfABadIndexIsEmpty) {
    NotifyingComboBox combo;
    combo.AddString("one");
    EXPECT_EQ(combo.TextAt(-1), "");
    EXPECT_EQ(combo.TextAt(1), "");
    EXPECT_EQ(combo.SelectedText(), "one");
    combo.setCurrentIndex(-1);
    EXPECT_EQ(combo.SelectedText(), "");
}

class ComboAnnouncements : public ::testing::Test {
protected:
    void SetUp() override {
        combo = new NotifyingComboBox(&parent);
        combo->AddStrings({"zero", "one", "two"});
        parent.show();
    }
    QWidget parent;
    NotifyingComboBox* combo = nullptr;
};

TEST_F(ComboAnnouncements, DropDownComesBeforeTheListOpens) {
    bool listWasOpen = true;
    QObject::connect(combo, &NotifyingComboBox::droppedDown, combo, [&] {
        listWasOpen = combo->view()->isVisible();
        // The handler may refill the list before it opens.
        combo->clear();
        combo->AddStrings({"fresh"});
    });
    combo->showPopup();
    EXPECT_FALSE(listWasOpen);
    EXPECT_EQ(combo->count(), 1);
    EXPECT_TRUE(combo->view()->isVisible());
    combo->hidePopup();
}

TEST_F(ComboAnnouncements, CloseUpComesOnceAfterTheChoiceIsApplied) {
    int seenIndex = -2;
    QSignalSpy closedUp(combo, &NotifyingComboBox::closedUp);
    QObject::connect(combo, &NotifyingComboBox::closedUp, combo,
                     [&] { seenIndex = combo->currentIndex(); });
    combo->setCurrentIndex(0);
    combo->showPopup();
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(combo->view()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(closedUp.count(), 1);
    EXPECT_EQ(seenIndex, 2);
}

TEST_F(ComboAnnouncements, CloseUpComesWhenNothingChanged) {
    QSignalSpy closedUp(combo, &NotifyingComboBox::closedUp);
    combo->setCurrentIndex(1);
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(closedUp.count(), 0);  // not before Qt is done with the list
    QCoreApplication::processEvents();
    EXPECT_EQ(closedUp.count(), 1);
    EXPECT_EQ(combo->currentIndex(), 1);
    // Hiding a list that is not open announces nothing.
    combo->hidePopup();
    QCoreApplication::processEvents();
    EXPECT_EQ(closedUp.count(), 1);
}

TEST(ClickLabel, ReportsALeftClickInsideIt) {
    QWidget parent;
    auto* label = new ClickLabel(QStringLiteral("iMode"), &parent);
    label->resize(60, 20);
    parent.show();
    QSignalSpy clicked(label, &ClickLabel::clicked);

    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(label, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1);
    // Pressed inside, released outside: no click.
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));
    EXPECT_EQ(clicked.count(), 1);
}

}  // namespace
}  // namespace quill
