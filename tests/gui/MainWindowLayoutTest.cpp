// The main window's controls as designed: names, ids, kinds, captions,
// places, visibility, tab order, styles and fonts.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcutEvent>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"
#include "app/DialogUnits.h"

namespace quill {
namespace {

enum class Kind { Button, Static, ClickStatic, Group, Combo, Pane, Edit, List };

struct Designed {
    const char* name;
    int id;
    Kind kind;
    const char* caption;
    int x, y, w, h;
    bool visible;
    bool enabled;
};

// In tab order.
const std::vector<Designed>& Design() {
    static const std::vector<Designed> design = {
        {"IncludeButton", 1060, Kind::Button, "#&Inc", 335, 50, 10, 10, false, false},
        {"UnlistButton", 1006, Kind::Button, "&Unlist", 375, 15, 29, 15, true, true},
        {"AddButton", 1007, Kind::Button, "&Add", 425, 15, 30, 15, true, true},
        {"LibraryCombo", 1005, Kind::Combo, "", 7, 31, 458, 139, true, true},
        {"FunctionComboLabel", -1, Kind::Static, "Choose &Function", 10, 55, 65, 8, true, true},
        {"FunctionCombo", 1000, Kind::Combo, "", 7, 65, 458, 105, true, true},
        {"SourcePaneLabel", -1, Kind::Static, "&Source Code", 10, 80, 42, 8, true, true},
        {"SourcePane", 1014, Kind::Pane, "", 7, 90, 458, 115, true, true},
        {"CopyButton", 3, Kind::Button, "&Copy", 430, 215, 30, 15, true, true},
        {"ExitButton", 1, Kind::Button, "E&xit", 425, 260, 30, 20, true, true},
        {"HelpGroup", -1, Kind::Group, "Help", 7, 255, 84, 30, true, true},
        {"HelpButton", 1004, Kind::Button, "F1=&Help", 10, 265, 30, 15, true, true},
        {"SetupButton", 1003, Kind::Button, "Setu&p", 50, 265, 30, 15, true, true},
        {"LibraryGroup", -1, Kind::Group, "Select &Library", 5, 5, 460, 45, true, true},
        {"SeparatorLabel1", 1033, Kind::Static, ",", 15, 15, 8, 10, false, true},
        {"SeparatorLabel2", 1034, Kind::Static, ",", 31, 15, 8, 10, false, true},
        {"SeparatorLabel3", 1035, Kind::Static, ",", 51, 15, 8, 10, false, true},
        {"CloseParenLabel", 1036, Kind::Static, ")", 65, 15, 8, 10, false, true},
        {"OpenParenLabel", -1, Kind::Static, "(", 75, 234, 8, 8, true, true},
        {"QuillMarkButton", 1180, Kind::Button, "&Quill", 305, 50, 25, 10, false, false},
        {"CancelButton", 2, Kind::Button, "&Cancel", 350, 50, 10, 10, false, false},
        // The four parameter labels and the two labels below start empty.
        {"ParamLabel1", 1045, Kind::ClickStatic, "", 115, 220, 15, 8, true, true},
        {"ParamLabel2", 1046, Kind::ClickStatic, "", 205, 220, 15, 8, true, true},
        {"ParamLabel3", 1047, Kind::ClickStatic, "", 305, 220, 15, 8, true, true},
        {"ParamLabel4", 1048, Kind::ClickStatic, "", 400, 220, 15, 8, true, true},
        {"ShowButton", 1061, Kind::Button, "Sho&w", 325, 15, 30, 15, true, true},
        {"ParamGroup", 1056, Kind::Group, "Choose &Parameters", 7, 208, 458, 45, true, true},
        {"TypeLabel", 1051, Kind::Static, "", 10, 226, 65, 8, true, true},
        {"FunctionLabel", 1050, Kind::ClickStatic, "", 15, 233, 60, 10, true, true},
        {"ParamCombo1", 1037, Kind::Combo, "", 75, 15, 16, 130, false, true},
        {"ParamEdit1", 1041, Kind::Edit, "", 82, 233, 10, 12, false, true},
        {"ParamList1", 1054, Kind::List, "", 0, 0, 10, 15, false, true},
        {"ParamCombo2", 1038, Kind::Combo, "", 95, 15, 16, 130, false, true},
        {"ParamEdit2", 1042, Kind::Edit, "", 184, 232, 10, 12, false, true},
        {"ParamList2", 1053, Kind::List, "", 255, 15, 10, 15, false, true},
        {"ParamCombo3", 1039, Kind::Combo, "", 115, 15, 16, 130, false, true},
        {"ParamEdit3", 1043, Kind::Edit, "", 283, 229, 10, 12, false, true},
        {"ParamList3", 1049, Kind::List, "", 275, 15, 10, 15, false, true},
        {"ParamCombo4", 1040, Kind::Combo, "", 135, 15, 16, 130, false, true},
        {"ParamEdit4", 1044, Kind::Edit, "", 453, 233, 10, 12, false, true},
        {"ParamList4", 1052, Kind::List, "", 462, 275, 10, 15, false, true},
        {"HelpersButton", 4, Kind::Button, "&Helpers", 220, 265, 30, 15, false, true},
    };
    return design;
}

bool IsOfKind(QWidget* widget, Kind kind) {
    switch (kind) {
        case Kind::Button:
            return qobject_cast<QPushButton*>(widget) != nullptr;
        case Kind::Static:
            return qobject_cast<QLabel*>(widget) != nullptr &&
                   qobject_cast<ClickLabel*>(widget) == nullptr;
        case Kind::ClickStatic:
            return qobject_cast<ClickLabel*>(widget) != nullptr;
        case Kind::Group:
            return qobject_cast<QGroupBox*>(widget) != nullptr;
        case Kind::Combo:
            return qobject_cast<NotifyingComboBox*>(widget) != nullptr;
        case Kind::Pane:
            return qobject_cast<QPlainTextEdit*>(widget) != nullptr;
        case Kind::Edit:
            return qobject_cast<QLineEdit*>(widget) != nullptr;
        case Kind::List:
            return qobject_cast<QListWidget*>(widget) != nullptr;
    }
    return false;
}

QString CaptionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return group->title();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* pane = qobject_cast<QPlainTextEdit*>(widget)) {
        return pane->toPlainText();
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentText();
    }
    return QString();
}

TEST(MainWindowDesign, EveryControlHasItsIdKindCaptionAndStartState) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    for (const Designed& control : Design()) {
        SCOPED_TRACE(control.name);
        QWidget* widget = window.Control(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->property("controlId").toInt(), control.id);
        EXPECT_TRUE(IsOfKind(widget, control.kind));
        EXPECT_EQ(CaptionOf(widget).toStdString(), control.caption);
        EXPECT_EQ(!widget->isHidden(), control.visible);
        EXPECT_EQ(widget->isEnabled(), control.enabled);
    }
}

TEST(MainWindowDesign, ControlsStandWhereTheDialogUnitsPutThem) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const DialogBaseUnits base = BaseUnitsOf(window.font());
    ASSERT_GT(base.x, 0);
    ASSERT_GT(base.y, 0);
    EXPECT_EQ(window.size(), MapDialogRect(base, 0, 0, 472, 290).size());
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quill"));

    for (const Designed& control : Design()) {
        SCOPED_TRACE(control.name);
        QWidget* widget = window.Control(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        const QRect expected = MapDialogRect(base, control.x, control.y, control.w, control.h);
        EXPECT_EQ(widget->x(), expected.x());
        EXPECT_EQ(widget->y(), expected.y());
        EXPECT_EQ(widget->width(), expected.width());
        if (control.kind == Kind::Combo) {
            // The designed height is how far the list opens; the box is lower.
            EXPECT_LT(widget->height(), expected.height());
            EXPECT_GT(widget->height(), 0);
        } else {
            EXPECT_EQ(widget->height(), expected.height());
        }
    }
}

TEST(MainWindowDesign, TabOrderFollowsTheDesign) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    std::vector<std::string> expected;
    for (const Designed& control : Design()) {
        QWidget* widget = window.Control(QString::fromLatin1(control.name));
        if (widget->focusPolicy() != Qt::NoFocus) {
            expected.push_back(control.name);
        }
    }
    ASSERT_GT(expected.size(), 20u);

    std::vector<std::string> chain;
    QWidget* first = window.Control(QString::fromLatin1(expected.front().c_str()));
    QWidget* widget = first;
    do {
        if (widget->property("controlId").isValid() && widget->focusPolicy() != Qt::NoFocus) {
            chain.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);
}

TEST(MainWindowDesign, StylesOfListsAndFields) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    EXPECT_TRUE(window.libraryCombo->IsSorted());
    EXPECT_TRUE(window.libraryCombo->isEditable());
    EXPECT_TRUE(window.functionCombo->IsSorted());
    EXPECT_FALSE(window.functionCombo->isEditable());
    EXPECT_TRUE(window.sourcePane->isReadOnly());
    EXPECT_TRUE(window.exitButton->isDefault());
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_FALSE(window.paramCombos[k]->IsSorted());
        EXPECT_TRUE(window.paramCombos[k]->isEditable());
        EXPECT_EQ(window.paramCombos[k]->completer(), nullptr);
        EXPECT_TRUE(window.paramEdits[k]->isReadOnly());
        EXPECT_EQ(window.paramLists[k]->selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_EQ(window.paramLists[k]->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    // Typed text never turns into a library entry by itself.
    EXPECT_EQ(window.libraryCombo->insertPolicy(), QComboBox::NoInsert);
}

TEST(MainWindowDesign, SourceFontIsFixedPitchOnTheSourceAndListControls) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const QFont& font = window.sourceFont;
    EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(font.styleHint(), QFont::Monospace);
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(font.pixelSize(), ScaleRounded(12, window.logicalDpiX(), 108));
    EXPECT_EQ(window.sourcePane->font(), font);
    EXPECT_EQ(window.functionCombo->font(), font);
    EXPECT_EQ(window.libraryCombo->font(), font);
    EXPECT_NE(window.paramCombos[0]->font(), font);
    EXPECT_NE(window.copyButton->font(), font);
}

TEST(MainWindowDesign, IconsAreLoaded) {
    WindowHarness harness;
    EXPECT_FALSE(harness.window->appIcon.isNull());
    EXPECT_FALSE(harness.window->windowIcon().isNull());
    EXPECT_FALSE(harness.window->quillMarkButton->icon().isNull());
}

TEST(MainWindowDesign, GroupMnemonicsMoveTheFocusIntoTheGroup) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    QShortcutEvent libraryKey(QKeySequence(QStringLiteral("Alt+L")), 0);
    QCoreApplication::sendEvent(window.libraryGroup, &libraryKey);
    EXPECT_EQ(window.focusWidget(), window.libraryCombo);

    // With the second parameter shown as an entry field, "Choose &Parameters"
    // goes to it.
    window.paramEdits[1]->show();
    QShortcutEvent paramKey(QKeySequence(QStringLiteral("Alt+P")), 0);
    QCoreApplication::sendEvent(window.paramGroup, &paramKey);
    EXPECT_EQ(window.focusWidget(), window.paramEdits[1]);
}

TEST(DialogUnits, ScaleRoundsHalfAwayFromZero) {
    EXPECT_EQ(ScaleRounded(12, 96, 108), 11);
    EXPECT_EQ(ScaleRounded(12, 120, 108), 13);
    EXPECT_EQ(ScaleRounded(7, 6, 4), 11);    // 10.5
    EXPECT_EQ(ScaleRounded(-7, 6, 4), -11);  // -10.5
    EXPECT_EQ(ScaleRounded(5, 6, 4), 8);     // 7.5
    EXPECT_EQ(ScaleRounded(0, 6, 4), 0);
    EXPECT_EQ(ScaleRounded(1, 1, 0), -1);
}

TEST(DialogUnits, RectanglesScaleEachEdge) {
    // The classic dialog font: 6 pixels across, 13 down.
    const DialogBaseUnits base{6, 13};
    EXPECT_EQ(MapDialogRect(base, 0, 0, 472, 290), QRect(0, 0, 708, 471));
    // Edges at 10.5 and 697.5 pixels round outwards on both sides.
    EXPECT_EQ(MapDialogRect(base, 7, 31, 458, 139), QRect(11, 50, 687, 226));
    // One unit is 1.5 pixels: its width depends on where it starts.
    EXPECT_EQ(MapDialogRect(base, 0, 0, 1, 1).width(), 2);
    EXPECT_EQ(MapDialogRect(base, 1, 0, 1, 1).width(), 1);
}

TEST(DialogUnits, BaseUnitsComeFromTheLettersAndHeightOfTheFont) {
    const QFont font = DialogFont();
    const DialogBaseUnits base = BaseUnitsOf(font);
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    EXPECT_LE(std::abs(base.x * 52 - letters), 52);
    EXPECT_EQ(base.y, metrics.height());
    EXPECT_EQ(font.pointSize(), 8);
}

}  // namespace
}  // namespace quill
