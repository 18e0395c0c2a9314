// The main window as designed (controls, places, tab order, styles, fonts),
// the widgets it is built from, closing the parameter selection lists, the
// data exchange and how the window ends.

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcutEvent>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "WindowHarness.h"
#include "app/DialogUnits.h"

namespace quill {
namespace {

enum Kind { Button, Static, Click, Group, Combo, Pane, Edit, List };
// clang-format off
const char* const kClassOf[] = {"QPushButton", "QLabel", "quill::ClickLabel", "quill::FrameGroupBox",
                                "quill::NotifyingComboBox", "QPlainTextEdit", "QLineEdit", "QListWidget"};
// clang-format on

struct Designed {
    const char* name;
    int id;
    Kind kind;
    const char* caption;
    int x, y, w, h;
    bool visible, enabled;
};

// In tab order. The parameter labels and the two labels below them start
// empty.
const Designed kDesign[] = {
    {"IncludeButton", 1060, Button, "#&Inc", 335, 50, 10, 10, false, false},
    {"UnlistButton", 1006, Button, "&Unlist", 375, 15, 29, 15, true, true},
    {"AddButton", 1007, Button, "&Add", 425, 15, 30, 15, true, true},
    {"LibraryCombo", 1005, Combo, "", 7, 31, 458, 139, true, true},
    {"FunctionComboLabel", -1, Static, "Choose &Function", 10, 55, 65, 8, true, true},
    {"FunctionCombo", 1000, Combo, "", 7, 65, 458, 105, true, true},
    {"SourcePaneLabel", -1, Static, "&Source Code", 10, 80, 42, 8, true, true},
    {"SourcePane", 1014, Pane, "", 7, 90, 458, 115, true, true},
    {"CopyButton", 3, Button, "&Copy", 430, 215, 30, 15, true, true},
    {"ExitButton", 1, Button, "E&xit", 425, 260, 30, 20, true, true},
    {"HelpGroup", -1, Group, "Help", 7, 255, 84, 30, true, true},
    {"HelpButton", 1004, Button, "F1=&Help", 10, 265, 30, 15, true, true},
    {"SetupButton", 1003, Button, "Setu&p", 50, 265, 30, 15, true, true},
    {"LibraryGroup", -1, Group, "Select &Library", 5, 5, 460, 45, true, true},
    {"SeparatorLabel1", 1033, Static, ",", 15, 15, 8, 10, false, true},
    {"SeparatorLabel2", 1034, Static, ",", 31, 15, 8, 10, false, true},
    {"SeparatorLabel3", 1035, Static, ",", 51, 15, 8, 10, false, true},
    {"CloseParenLabel", 1036, Static, ")", 65, 15, 8, 10, false, true},
    {"OpenParenLabel", -1, Static, "(", 75, 234, 8, 8, true, true},
    {"QuillMarkButton", 1180, Button, "&Quill", 305, 50, 25, 10, false, false},
    {"CancelButton", 2, Button, "&Cancel", 350, 50, 10, 10, false, false},
    {"ParamLabel1", 1045, Click, "", 115, 220, 15, 8, true, true},
    {"ParamLabel2", 1046, Click, "", 205, 220, 15, 8, true, true},
    {"ParamLabel3", 1047, Click, "", 305, 220, 15, 8, true, true},
    {"ParamLabel4", 1048, Click, "", 400, 220, 15, 8, true, true},
    {"ShowButton", 1061, Button, "Sho&w", 325, 15, 30, 15, true, true},
    {"ParamGroup", 1056, Group, "Choose &Parameters", 7, 208, 458, 45, true, true},
    {"TypeLabel", 1051, Static, "", 10, 226, 65, 8, true, true},
    {"FunctionLabel", 1050, Click, "", 15, 233, 60, 10, true, true},
    {"ParamCombo1", 1037, Combo, "", 75, 15, 16, 130, false, true},
    {"ParamEdit1", 1041, Edit, "", 82, 233, 10, 12, false, true},
    {"ParamList1", 1054, List, "", 0, 0, 10, 15, false, true},
    {"ParamCombo2", 1038, Combo, "", 95, 15, 16, 130, false, true},
    {"ParamEdit2", 1042, Edit, "", 184, 232, 10, 12, false, true},
    {"ParamList2", 1053, List, "", 255, 15, 10, 15, false, true},
    {"ParamCombo3", 1039, Combo, "", 115, 15, 16, 130, false, true},
    {"ParamEdit3", 1043, Edit, "", 283, 229, 10, 12, false, true},
    {"ParamList3", 1049, List, "", 275, 15, 10, 15, false, true},
    {"ParamCombo4", 1040, Combo, "", 135, 15, 16, 130, false, true},
    {"ParamEdit4", 1044, Edit, "", 453, 233, 10, 12, false, true},
    {"ParamList4", 1052, List, "", 462, 275, 10, 15, false, true},
    {"HelpersButton", 4, Button, "&Helpers", 220, 265, 30, 15, false, true},
};

QString CaptionOf(const QWidget* widget) {
    for (const char* property : {"text", "title", "plainText", "currentText"}) {
        if (widget->property(property).isValid()) {
            return widget->property(property).toString();
        }
    }
    return QString();
}

TEST(MainWindowDesign, EveryControlAsDesignedAndInTabOrder) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const DialogBaseUnits base = BaseUnitsOf(window.font());
    EXPECT_EQ(window.size(), MapDialogRect(base, 0, 0, 472, 290).size());
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quill"));
    EXPECT_FALSE(window.windowIcon().isNull() || window.quillMarkButton->icon().isNull());
    Texts tabOrder;
    for (const Designed& control : kDesign) {
        SCOPED_TRACE(control.name);
        QWidget* widget = window.Control(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->property("controlId").toInt(), control.id);
        EXPECT_STREQ(widget->metaObject()->className(), kClassOf[control.kind]);
        EXPECT_EQ(CaptionOf(widget).toStdString(), control.caption);
        EXPECT_EQ(!widget->isHidden(), control.visible);
        EXPECT_EQ(widget->isEnabled(), control.enabled);
        QRect place = widget->geometry();
        const QRect expected = MapDialogRect(base, control.x, control.y, control.w, control.h);
        if (control.kind == Combo) {
            // The designed height is how far the list opens; the box is lower.
            EXPECT_LT(place.height(), expected.height());
            place.setHeight(expected.height());
        }
        EXPECT_EQ(place, expected);
        if (widget->focusPolicy() != Qt::NoFocus) {
            tabOrder.push_back(control.name);
        }
    }
    Texts chain = {tabOrder.front()};
    for (QWidget* widget =
             window.Control(QString::fromStdString(tabOrder.front()))->nextInFocusChain();
         widget->objectName().toStdString() != tabOrder.front() && chain.size() < 50;
         widget = widget->nextInFocusChain()) {
        if (widget->property("controlId").isValid() && widget->focusPolicy() != Qt::NoFocus) {
            chain.push_back(widget->objectName().toStdString());
        }
    }
    EXPECT_EQ(chain, tabOrder);
}

TEST(MainWindowDesign, StylesFontsAndGroupMnemonics) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    // Typed text never turns into a library entry by itself.
    EXPECT_TRUE(window.libraryCombo->IsSorted() && window.libraryCombo->isEditable() &&
                window.libraryCombo->insertPolicy() == QComboBox::NoInsert);
    EXPECT_TRUE(window.functionCombo->IsSorted() && !window.functionCombo->isEditable());
    EXPECT_TRUE(window.sourcePane->isReadOnly() && window.exitButton->isDefault());
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(!window.paramCombos[k]->IsSorted() && window.paramCombos[k]->isEditable() &&
                    window.paramCombos[k]->completer() == nullptr &&
                    window.paramEdits[k]->isReadOnly() &&
                    window.paramLists[k]->selectionMode() == QAbstractItemView::ExtendedSelection &&
                    window.paramLists[k]->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
            << k;
    }
    // One fixed-pitch font, for the source and the two lists only.
    const QFont& font = window.sourceFont;
    EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(font.fixedPitch() && font.styleHint() == QFont::Monospace);
    EXPECT_EQ(font.pixelSize(), ScaleRounded(12, window.logicalDpiX(), 108));
    EXPECT_TRUE(window.sourcePane->font() == font && window.functionCombo->font() == font &&
                window.libraryCombo->font() == font);
    EXPECT_FALSE(window.paramCombos[0]->font() == font || window.copyButton->font() == font);

    // A group's mnemonic moves the focus into the group: with the second
    // parameter shown as an entry field, "Choose &Parameters" goes to it.
    QShortcutEvent libraryKey(QKeySequence(QStringLiteral("Alt+L")), 0);
    QCoreApplication::sendEvent(window.libraryGroup, &libraryKey);
    EXPECT_EQ(window.focusWidget(), window.libraryCombo);
    window.paramEdits[1]->show();
    QShortcutEvent paramKey(QKeySequence(QStringLiteral("Alt+P")), 0);
    QCoreApplication::sendEvent(window.paramGroup, &paramKey);
    EXPECT_EQ(window.focusWidget(), window.paramEdits[1]);
}

TEST(DialogUnits, ScalingRoundsHalfAwayFromZeroEdgeByEdge) {
    EXPECT_EQ(ScaleRounded(12, 96, 108), 11);
    EXPECT_EQ(ScaleRounded(12, 120, 108), 13);
    EXPECT_EQ(ScaleRounded(7, 6, 4), 11);    // 10.5
    EXPECT_EQ(ScaleRounded(-7, 6, 4), -11);  // -10.5
    EXPECT_EQ(ScaleRounded(1, 1, 0), -1);
    // The classic dialog font, 6 pixels across and 13 down: edges at 10.5
    // and 697.5 pixels round outwards, so a unit's width depends on where
    // it starts.
    const DialogBaseUnits classic{6, 13};
    EXPECT_EQ(MapDialogRect(classic, 0, 0, 472, 290), QRect(0, 0, 708, 471));
    EXPECT_EQ(MapDialogRect(classic, 7, 31, 458, 139), QRect(11, 50, 687, 226));
    EXPECT_EQ(MapDialogRect(classic, 0, 0, 1, 1).width(), 2);
    EXPECT_EQ(MapDialogRect(classic, 1, 0, 1, 1).width(), 1);
    // The dialog font is 8 points high; its base units are the average width
    // of the 52 letters and its height.
    const QFont font = DialogFont();
    EXPECT_EQ(font.pointSize(), 8);
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    EXPECT_LE(std::abs(BaseUnitsOf(font).x * 52 - letters), 52);
    EXPECT_EQ(BaseUnitsOf(font).y, metrics.height());
}

TEST(ControlWidgets, ComboAnnouncesDropDownBeforeItsListAndCloseUpOnceAfterIt) {
    QWidget parent;
    auto* combo = new NotifyingComboBox(&parent);
    parent.show();
    bool listWasOpen = true;
    QObject::connect(combo, &NotifyingComboBox::droppedDown, combo, [&] {
        listWasOpen = combo->view()->isVisible();
        combo->AddStrings({"zero", "one", "two"});  // the list may be filled before it opens
    });
    Texts seen;  // the selection when the close-up arrives
    QObject::connect(combo, &NotifyingComboBox::closedUp, combo,
                     [&] { seen.push_back(combo->SelectedText()); });
    combo->showPopup();
    EXPECT_FALSE(listWasOpen);
    EXPECT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(combo->view()->isVisible());
    // Announced once the choice is applied, not before Qt is done with it.
    EXPECT_TRUE(seen.empty());
    Settle();
    EXPECT_EQ(seen, Texts{"two"});
    // Nothing changed: announced all the same; a list that is not open
    // announces nothing.
    combo->showPopup();
    combo->hidePopup();
    combo->hidePopup();
    Settle();
    EXPECT_EQ(seen, (Texts{"two", "two"}));
}

TEST(CloseSelectionLists, ListsCloseAndTheButtonsComeHome) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    // The home positions are where the design puts the buttons.
    EXPECT_EQ(window.exitButtonPos, window.exitButton->pos());
    EXPECT_EQ(window.helpersButtonPos, window.helpersButton->pos());
    const QObjectList order = window.children();
    for (const bool helper : {false, true}) {
        window.helperProgram = helper ? harness.PathOf("Pick.exe") : "-";
        harness.OpenAllLists();
        window.CloseSelectionLists();
        EXPECT_EQ(Lists(window), helper ? "XH" : "X");
        for (const QListWidget* list : window.paramLists) {
            EXPECT_EQ(list->geometry(), QRect(1, 1, 1, 1));
        }
        EXPECT_EQ(window.exitButton->geometry(), QRect(window.exitButtonPos, QSize(44, 30)));
        EXPECT_EQ(window.helpersButton->geometry(),
                  helper ? QRect(window.helpersButtonPos, QSize(88, 23)) : QRect(1, 1, 1, 1));
        EXPECT_EQ(window.children(), order);
    }
    // A kept list is left as it is.
    for (std::size_t keep = 1; keep <= 4; ++keep) {
        harness.OpenAllLists();
        const QRect place = window.paramLists[keep - 1]->geometry();
        window.CloseSelectionLists(static_cast<int>(keep));
        EXPECT_EQ(Lists(window), std::to_string(keep) + "XH");
        EXPECT_EQ(window.paramLists[keep - 1]->geometry(), place);
    }

    // Focus on the function list, the source or the library list closes
    // them all; on a parameter drop-down, all but its own.
    const auto focus = [](QWidget* widget, QEvent::Type type, Qt::FocusReason reason) {
        QFocusEvent event(type, reason);
        QCoreApplication::sendEvent(widget, &event);
    };
    window.helperProgram = "-";
    for (QWidget* control : std::initializer_list<QWidget*>{window.functionCombo, window.sourcePane,
                                                            window.libraryCombo}) {
        harness.OpenAllLists();
        focus(control, QEvent::FocusIn, Qt::TabFocusReason);
        EXPECT_EQ(Lists(window), "X") << control->objectName().toStdString();
    }
    harness.OpenAllLists();
    focus(window.paramCombos[2], QEvent::FocusIn, Qt::MouseFocusReason);
    EXPECT_EQ(Lists(window), "3X");
    // Focus lost, or regained with the window (a message box or another
    // program took it) or with the control's own list, is no visit.
    harness.OpenAllLists();
    focus(window.functionCombo, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    focus(window.functionCombo, QEvent::FocusIn, Qt::PopupFocusReason);
    focus(window.functionCombo, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(Lists(window), "1234");
}

TEST(UpdateData, AnUnchangedControlIsNotSetAgain) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.show();
    std::string lines;
    for (int i = 0; i < 400; ++i) {
        lines += "line " + std::to_string(i) + "\r\n";
    }
    window.editTexts[0] = "12345";
    harness.ShowText(lines);
    window.paramEdits[0]->setCursorPosition(2);
    window.sourcePane->verticalScrollBar()->setValue(100);
    QSignalSpy changes(window.sourcePane->document(), &QTextDocument::contentsChanged);
    window.UpdateData(true);
    window.UpdateData(false);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(window.sourcePane->verticalScrollBar()->value(), 100);
    EXPECT_EQ(window.paramEdits[0]->cursorPosition(), 2);
    // The text comes back with its bytes, line ends included.
    EXPECT_EQ(window.sourceText, lines);
}

// The OK command (ExitButton, Enter) saves the controls first, the close box
// ends with OK without saving, Esc cancels.
TEST(WindowEnding, EachWayEndsWithItsResult) {
    const struct {
        std::function<void(MainWindow&)> end;
        int result;
        const char* saved;
    } ways[] = {
        {[](MainWindow& w) { w.exitButton->click(); }, QDialog::Accepted, "typed"},
        {[](MainWindow& w) { QTest::keyClick(&w, Qt::Key_Return); }, QDialog::Accepted, "typed"},
        {[](MainWindow& w) { w.close(); }, QDialog::Accepted, "before"},
        {[](MainWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }, QDialog::Rejected, "before"},
    };
    for (const auto& way : ways) {
        WindowHarness harness;
        MainWindow& window = *harness.window;
        window.show();
        window.editTexts[0] = "before";
        window.UpdateData(false);
        window.paramEdits[0]->setText(QStringLiteral("typed"));
        way.end(window);
        EXPECT_EQ(window.result(), way.result) << (&way - ways);
        EXPECT_TRUE(window.isHidden());
        EXPECT_EQ(window.editTexts[0], way.saved) << (&way - ways);
    }
}

}  // namespace
}  // namespace quill
