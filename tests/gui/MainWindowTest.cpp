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
#include <QTimer>
#include <functional>

#include "WindowHarness.h"
#include "app/DialogUnits.h"

namespace quill {
namespace {

enum Kind { Button, Static, Click, Group, Combo, Pane, Edit, List };
const char* const kClassOf[] = {"QPushButton",
                                "QLabel",
                                "quill::ClickLabel",
                                "quill::FrameGroupBox",
                                "quill::NotifyingComboBox",
                                "QPlainTextEdit",
                                "QLineEdit",
                                "QListWidget"};

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
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.quillMarkButton->icon().isNull());

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
        const QRect expected = MapDialogRect(base, control.x, control.y, control.w, control.h);
        EXPECT_EQ(widget->geometry().topLeft(), expected.topLeft());
        EXPECT_EQ(widget->width(), expected.width());
        if (control.kind == Combo) {
            // The designed height is how far the list opens; the box is lower.
            EXPECT_LT(widget->height(), expected.height());
        } else {
            EXPECT_EQ(widget->height(), expected.height());
        }
        if (widget->focusPolicy() != Qt::NoFocus) {
            tabOrder.push_back(control.name);
        }
    }
    Texts chain;
    QWidget* widget = window.Control(QString::fromStdString(tabOrder.front()));
    do {
        if (widget->property("controlId").isValid() && widget->focusPolicy() != Qt::NoFocus) {
            chain.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    } while (widget->objectName().toStdString() != tabOrder.front() && chain.size() < 50);
    EXPECT_EQ(chain, tabOrder);
}

TEST(MainWindowDesign, StylesFontsAndGroupMnemonics) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    EXPECT_TRUE(window.libraryCombo->IsSorted() && window.libraryCombo->isEditable());
    // Typed text never turns into a library entry by itself.
    EXPECT_EQ(window.libraryCombo->insertPolicy(), QComboBox::NoInsert);
    EXPECT_TRUE(window.functionCombo->IsSorted() && !window.functionCombo->isEditable());
    EXPECT_TRUE(window.sourcePane->isReadOnly());
    EXPECT_TRUE(window.exitButton->isDefault());
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_TRUE(!window.paramCombos[k]->IsSorted() && window.paramCombos[k]->isEditable());
        EXPECT_EQ(window.paramCombos[k]->completer(), nullptr);
        EXPECT_TRUE(window.paramEdits[k]->isReadOnly());
        EXPECT_EQ(window.paramLists[k]->selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_EQ(window.paramLists[k]->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    // One fixed-pitch font, for the source and the two lists only.
    const QFont& font = window.sourceFont;
    EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(font.fixedPitch() && font.styleHint() == QFont::Monospace);
    EXPECT_EQ(font.pixelSize(), ScaleRounded(12, window.logicalDpiX(), 108));
    for (const QWidget* control :
         {static_cast<QWidget*>(window.sourcePane), static_cast<QWidget*>(window.functionCombo),
          static_cast<QWidget*>(window.libraryCombo)}) {
        EXPECT_EQ(control->font(), font);
    }
    EXPECT_NE(window.paramCombos[0]->font(), font);
    EXPECT_NE(window.copyButton->font(), font);

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
    const int scaled[][4] = {{12, 96, 108, 11}, {12, 120, 108, 13}, {7, 6, 4, 11},
                             {-7, 6, 4, -11},   {5, 6, 4, 8},       {1, 1, 0, -1}};
    for (const auto& row : scaled) {
        EXPECT_EQ(ScaleRounded(row[0], row[1], row[2]), row[3]) << row[0] << "*" << row[1];
    }
    // The classic dialog font, 6 pixels across and 13 down: edges at 10.5
    // and 697.5 pixels round outwards, so a unit's width depends on where
    // it starts.
    const DialogBaseUnits classic{6, 13};
    EXPECT_EQ(MapDialogRect(classic, 0, 0, 472, 290), QRect(0, 0, 708, 471));
    EXPECT_EQ(MapDialogRect(classic, 7, 31, 458, 139), QRect(11, 50, 687, 226));
    EXPECT_EQ(MapDialogRect(classic, 0, 0, 1, 1).width(), 2);
    EXPECT_EQ(MapDialogRect(classic, 1, 0, 1, 1).width(), 1);

    // Base units: the average width of the 52 letters and the font's height.
    const QFont font = DialogFont();
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    EXPECT_LE(std::abs(BaseUnitsOf(font).x * 52 - letters), 52);
    EXPECT_EQ(BaseUnitsOf(font).y, metrics.height());
    EXPECT_EQ(font.pointSize(), 8);
}

TEST(ControlWidgets, ComboAnnouncesDropDownBeforeItsListAndCloseUpOnceAfterIt) {
    QWidget parent;
    auto* combo = new NotifyingComboBox(&parent);
    combo->AddStrings({"zero", "one"});
    parent.show();
    bool listWasOpen = true;
    QObject::connect(combo, &NotifyingComboBox::droppedDown, combo, [&] {
        listWasOpen = combo->view()->isVisible();
        // The handler may refill the list before it opens.
        combo->clear();
        combo->AddStrings({"zero", "one", "two"});
    });
    int seenIndex = -2;
    QSignalSpy closedUp(combo, &NotifyingComboBox::closedUp);
    QObject::connect(combo, &NotifyingComboBox::closedUp, combo,
                     [&] { seenIndex = combo->currentIndex(); });

    combo->setCurrentIndex(0);
    combo->showPopup();
    EXPECT_FALSE(listWasOpen);
    EXPECT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(combo->view()->isVisible());
    // Announced once the choice is applied, not before Qt is done with it.
    EXPECT_EQ(closedUp.count(), 0);
    Settle();
    EXPECT_EQ(closedUp.count(), 1);
    EXPECT_EQ(seenIndex, 2);

    // Nothing changed: announced all the same; a list that is not open
    // announces nothing.
    combo->showPopup();
    combo->hidePopup();
    combo->hidePopup();
    Settle();
    EXPECT_EQ(closedUp.count(), 2);
}

TEST(ControlWidgets, ALabelReportsALeftClickInsideIt) {
    QWidget parent;
    auto* label = new ClickLabel(QStringLiteral("iMode"), &parent);
    label->resize(60, 20);
    parent.show();
    QSignalSpy clicked(label, &ClickLabel::clicked);
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(label, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    // Pressed inside, released outside: no click.
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));
    EXPECT_EQ(clicked.count(), 1);
}

std::vector<bool> ListsHidden(const MainWindow& window) {
    std::vector<bool> hidden;
    for (const QListWidget* list : window.paramLists) {
        hidden.push_back(list->isHidden());
    }
    return hidden;
}

TEST(CloseSelectionLists, ListsCloseAndTheButtonsComeHome) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    // The home positions are where the design puts the buttons.
    EXPECT_EQ(window.exitButtonPos, window.exitButton->pos());
    EXPECT_EQ(window.helpersButtonPos, window.helpersButton->pos());
    const QObjectList order = window.children();
    for (const bool helper : {false, true}) {
        SCOPED_TRACE(helper);
        window.helperProgram = helper ? harness.PathOf("Pick.exe") : "-";
        harness.OpenAllLists();
        window.CloseSelectionLists();
        EXPECT_EQ(ListsHidden(window), std::vector<bool>(4, true));
        for (const QListWidget* list : window.paramLists) {
            EXPECT_EQ(list->geometry(), QRect(1, 1, 1, 1));
        }
        EXPECT_FALSE(window.exitButton->isHidden());
        EXPECT_EQ(window.exitButton->geometry(), QRect(window.exitButtonPos, QSize(44, 30)));
        EXPECT_EQ(window.helpersButton->isHidden(), !helper);
        if (helper) {
            EXPECT_EQ(window.helpersButton->geometry(),
                      QRect(window.helpersButtonPos, QSize(88, 23)));
        }
        EXPECT_EQ(window.children(), order);
    }

    // A kept list is left as it is.
    for (std::size_t keep = 1; keep <= 4; ++keep) {
        SCOPED_TRACE(keep);
        harness.OpenAllLists();
        const QRect place = window.paramLists[keep - 1]->geometry();
        window.CloseSelectionLists(static_cast<int>(keep));
        std::vector<bool> expected(4, true);
        expected[keep - 1] = false;
        EXPECT_EQ(ListsHidden(window), expected);
        EXPECT_EQ(window.paramLists[keep - 1]->geometry(), place);
        EXPECT_FALSE(window.exitButton->isHidden());
    }
}

TEST(CloseSelectionLists, FocusOnAnotherControlClosesTheLists) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const auto focus = [](QWidget* widget, QEvent::Type type, Qt::FocusReason reason) {
        QFocusEvent event(type, reason);
        QCoreApplication::sendEvent(widget, &event);
    };
    for (QWidget* control : std::initializer_list<QWidget*>{window.functionCombo, window.sourcePane,
                                                            window.libraryCombo}) {
        SCOPED_TRACE(control->objectName().toStdString());
        harness.OpenAllLists();
        focus(control, QEvent::FocusIn, Qt::TabFocusReason);
        EXPECT_EQ(ListsHidden(window), std::vector<bool>(4, true));
        EXPECT_FALSE(window.exitButton->isHidden());
    }
    // A parameter drop-down keeps its own list.
    harness.OpenAllLists();
    focus(window.paramCombos[2], QEvent::FocusIn, Qt::MouseFocusReason);
    EXPECT_EQ(ListsHidden(window), (std::vector<bool>{true, true, false, true}));

    // Focus lost, or regained with the window (a message box or another
    // program took it) or with the control's own list, is no visit.
    harness.OpenAllLists();
    focus(window.functionCombo, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    focus(window.functionCombo, QEvent::FocusIn, Qt::PopupFocusReason);
    focus(window.functionCombo, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(ListsHidden(window), std::vector<bool>(4, false));
    EXPECT_TRUE(window.exitButton->isHidden());
}

TEST(UpdateData, AnUnchangedControlIsNotSetAgain) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.show();
    std::string lines;
    for (int i = 0; i < 400; ++i) {
        lines += "line " + std::to_string(i) + "\r\n";
    }
    harness.ShowText(lines);
    window.editTexts[0] = "12345";
    window.UpdateData(false);
    window.paramEdits[0]->setCursorPosition(2);
    QScrollBar* scroll = window.sourcePane->verticalScrollBar();
    scroll->setValue(100);
    QSignalSpy changes(window.sourcePane->document(), &QTextDocument::contentsChanged);

    window.UpdateData(true);
    window.UpdateData(false);

    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(scroll->value(), 100);
    EXPECT_EQ(window.paramEdits[0]->cursorPosition(), 2);
    // The text comes back with its bytes, line ends included.
    EXPECT_EQ(window.sourceText, lines);
}

// The OK command (ExitButton, Enter) saves the controls first, the close box
// ends with OK without saving, Esc cancels.
TEST(WindowEnding, EachWayEndsWithItsResult) {
    const struct {
        const char* way;
        std::function<void(MainWindow&)> end;
        int result;
        const char* saved;
    } ways[] = {
        {"Exit", [](MainWindow& w) { w.exitButton->click(); }, QDialog::Accepted, "typed"},
        {"Enter", [](MainWindow& w) { QTest::keyClick(&w, Qt::Key_Return); }, QDialog::Accepted,
         "typed"},
        {"close box", [](MainWindow& w) { w.close(); }, QDialog::Accepted, "before"},
        {"Esc", [](MainWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }, QDialog::Rejected,
         "before"},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        WindowHarness harness;
        MainWindow& window = *harness.window;
        window.show();
        window.editTexts[0] = "before";
        window.UpdateData(false);
        window.paramEdits[0]->setText(QStringLiteral("typed"));
        way.end(window);
        EXPECT_EQ(window.result(), way.result);
        EXPECT_TRUE(window.isHidden());
        EXPECT_EQ(window.editTexts[0], way.saved);
    }

    // ExitButton ends the modal loop too; a timer stops a hang.
    WindowHarness harness;
    MainWindow& window = *harness.window;
    QTimer::singleShot(0, &window, [&window] { window.exitButton->click(); });
    QTimer::singleShot(10000, &window, [&window] { window.done(-1); });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace quill
