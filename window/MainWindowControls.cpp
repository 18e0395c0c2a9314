// The controls of the main window, placed in dialog units of the dialog font.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <vector>

#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"
#include "window/widgets/DialogUnits.h"
#include "window/widgets/FunctionListBox.h"
#include "window/widgets/PlaceControl.h"

namespace quill {

namespace {

// Window size in dialog units.
constexpr int kWindowWidthUnits = 472;
constexpr int kWindowHeightUnits = 290;

// Id of the static texts and group boxes that no code refers to.
constexpr int kNoId = -1;

class ControlBuilder {
public:
    ControlBuilder(QWidget* window, const DialogBaseUnits& base) : window_(window), base_(base) {}

    // Names, ids and places a new control; `visible` and `enabled` as laid out.
    template <typename Widget>
    Widget* Place(Widget* widget, const char* name, int id, const DialogRect& at,
                  bool visible = true, bool enabled = true) {
        PlaceControl(widget, base_, name, id, at);
        widget->setEnabled(enabled);
        widget->setVisible(visible);
        return widget;
    }

    QPushButton* Button(const char* name, int id, const char* caption, const DialogRect& at,
                        bool visible = true, bool enabled = true) {
        return Place(new QPushButton(QString::fromLatin1(caption), window_), name, id, at, visible,
                     enabled);
    }

    QLabel* Static(const char* name, int id, const char* caption, const DialogRect& at,
                   Qt::Alignment alignment, bool visible = true) {
        QLabel* label = NewPlainLabel(QString::fromLatin1(caption), window_);
        label->setAlignment(alignment);
        return Place(label, name, id, at, visible);
    }

    ClickLabel* ClickStatic(const char* name, int id, const char* caption, const DialogRect& at,
                            Qt::Alignment alignment) {
        auto* label = new ClickLabel(QString::fromLatin1(caption), window_);
        label->setAlignment(alignment);
        return Place(label, name, id, at);
    }

    QGroupBox* Group(const char* name, int id, const char* caption, const DialogRect& at) {
        return Place(new FrameGroupBox(QString::fromLatin1(caption), window_), name, id, at);
    }

    // `at.height` is the extent of the opened list; the closed box takes the
    // height its style needs.
    template <typename Box = NotifyingComboBox>
    Box* Combo(const char* name, int id, const DialogRect& at, bool editable, bool sorted,
               bool visible = true) {
        auto* combo = new Box(window_);
        combo->setEditable(editable);
        if (editable) {
            // No completion: a typed "1" must not become a listed "10".
            combo->setCompleter(nullptr);
        }
        combo->SetSorted(sorted);
        Place(combo, name, id, at, visible);
        combo->FitBoxHeight();
        return combo;
    }

    QLineEdit* ParamEdit(const char* name, int id, const DialogRect& at) {
        auto* edit = new QLineEdit(window_);
        edit->setReadOnly(true);
        return Place(edit, name, id, at, false);
    }

    QListWidget* ParamList(const char* name, int id, const DialogRect& at) {
        auto* list = new SelectionList(window_);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return Place(list, name, id, at, false);
    }

private:
    QWidget* window_;
    DialogBaseUnits base_;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;

}  // namespace

void MainWindow::CreateControls() {
    const DialogBaseUnits base = SetUpDialogFrame(*this, "MainWindow", "Quill", kWindowWidthUnits,
                                                  kWindowHeightUnits, Qt::WindowMinimizeButtonHint);
    // Library texts reach the tooltips of the parameter labels.
    ShowToolTipsAsPlainText(this);

    ControlBuilder make(this, base);
    // The design's four slots; more are made when a function needs them.
    separatorLabels.resize(3);
    paramLabels.resize(4);
    paramCombos.resize(4);
    paramEdits.resize(4);
    paramLists.resize(4);

    // In tab order.
    includeButton = make.Button("IncludeButton", 1060, "#&Inc", {335, 50, 10, 10}, false, false);
    unlistButton = make.Button("UnlistButton", 1006, "&Unlist", {375, 15, 29, 15});
    addButton = make.Button("AddButton", 1007, "&Add", {425, 15, 30, 15});
    libraryCombo = make.Combo("LibraryCombo", 1005, {7, 31, 458, 139}, true, true);
    // Long paths show their file name end first.
    libraryCombo->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLabel* functionComboLabel =
        make.Static("FunctionComboLabel", kNoId, "Choose &Function", {10, 55, 65, 8}, kLeft);
    // Finds a function by a piece of its name while its list is open.
    functionCombo =
        make.Combo<FunctionListBox>("FunctionCombo", 1000, {7, 65, 458, 105}, false, true);
    functionComboLabel->setBuddy(functionCombo);
    QLabel* sourcePaneLabel =
        make.Static("SourcePaneLabel", kNoId, "&Source Code", {10, 80, 42, 8}, kLeft);
    // Read-only, selectable, never wrapped.
    sourcePane = make.Place(new SourceView(this), "SourcePane", 1014, {7, 90, 458, 115});
    sourcePane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sourcePane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    {
        // The selection stays visible while another control has the focus.
        QPalette palette = sourcePane->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
        sourcePane->setPalette(palette);
    }
    sourcePaneLabel->setBuddy(sourcePane);
    copyButton = make.Button("CopyButton", 3, "&Copy", {430, 215, 30, 15});
    exitButton = make.Button("ExitButton", 1, "E&xit", {425, 260, 30, 20});
    exitButton->setDefault(true);
    helpGroup = make.Group("HelpGroup", kNoId, "Help", {7, 255, 84, 30});
    helpButton = make.Button("HelpButton", 1004, "F1=&Help", {10, 265, 30, 15});
    setupButton = make.Button("SetupButton", 1003, "Setu&p", {50, 265, 30, 15});
    libraryGroup = make.Group("LibraryGroup", kNoId, "Select &Library", {5, 5, 460, 45});
    separatorLabels[0] =
        make.Static("SeparatorLabel1", 1033, ",", {15, 15, 8, 10}, kCentred, false);
    separatorLabels[1] =
        make.Static("SeparatorLabel2", 1034, ",", {31, 15, 8, 10}, kCentred, false);
    separatorLabels[2] =
        make.Static("SeparatorLabel3", 1035, ",", {51, 15, 8, 10}, kCentred, false);
    closeParenLabel = make.Static("CloseParenLabel", 1036, ")", {65, 15, 8, 10}, kCentred, false);
    openParenLabel = make.Static("OpenParenLabel", kNoId, "(", {75, 234, 8, 8}, kCentred);
    quillMarkButton =
        make.Button("QuillMarkButton", 1180, "&Quill", {305, 50, 25, 10}, false, false);
    cancelButton = make.Button("CancelButton", 2, "&Cancel", {350, 50, 10, 10}, false, false);
    paramLabels[0] = make.ClickStatic("ParamLabel1", 1045, "Parmn1", {115, 220, 15, 8}, kLeft);
    paramLabels[1] = make.ClickStatic("ParamLabel2", 1046, "Parmn2", {205, 220, 15, 8}, kLeft);
    paramLabels[2] = make.ClickStatic("ParamLabel3", 1047, "Parmn3", {305, 220, 15, 8}, kLeft);
    paramLabels[3] = make.ClickStatic("ParamLabel4", 1048, "Parmn4", {400, 220, 15, 8}, kLeft);
    showButton = make.Button("ShowButton", 1061, "Sho&w", {325, 15, 30, 15});
    paramGroup = make.Group("ParamGroup", 1056, "Choose &Parameters", {7, 208, 458, 45});
    typeLabel = make.Static("TypeLabel", 1051, "Type", {10, 226, 65, 8}, kCentred);
    // Reports clicks too: a click on the function's name shows its prototype.
    functionLabel = make.ClickStatic("FunctionLabel", 1050, "Function", {15, 233, 60, 10},
                                     Qt::AlignRight | Qt::AlignVCenter);
    paramCombos[0] = make.Combo("ParamCombo1", 1037, {75, 15, 16, 130}, true, false, false);
    paramEdits[0] = make.ParamEdit("ParamEdit1", 1041, {82, 233, 10, 12});
    paramLists[0] = make.ParamList("ParamList1", 1054, {0, 0, 10, 15});
    paramCombos[1] = make.Combo("ParamCombo2", 1038, {95, 15, 16, 130}, true, false, false);
    paramEdits[1] = make.ParamEdit("ParamEdit2", 1042, {184, 232, 10, 12});
    paramLists[1] = make.ParamList("ParamList2", 1053, {255, 15, 10, 15});
    paramCombos[2] = make.Combo("ParamCombo3", 1039, {115, 15, 16, 130}, true, false, false);
    paramEdits[2] = make.ParamEdit("ParamEdit3", 1043, {283, 229, 10, 12});
    paramLists[2] = make.ParamList("ParamList3", 1049, {275, 15, 10, 15});
    paramCombos[3] = make.Combo("ParamCombo4", 1040, {135, 15, 16, 130}, true, false, false);
    paramEdits[3] = make.ParamEdit("ParamEdit4", 1044, {453, 233, 10, 12});
    paramLists[3] = make.ParamList("ParamList4", 1052, {462, 275, 10, 15});
    helpersButton = make.Button("HelpersButton", 4, "&Helpers", {220, 265, 30, 15}, false);

    // Drawn as default buttons; Enter still presses ExitButton.
    GiveDefaultButtonLook(copyButton);
    GiveDefaultButtonLook(helpersButton);
    // The two big lists open below their fields, scrolled within their box.
    libraryCombo->OpenListBelowField();
    functionCombo->OpenListBelowField();
}

// Earlier controls lie above later ones where they overlap.
void MainWindow::ApplyStackingOrder(const std::vector<QWidget*>& controls) {
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        (*it)->raise();
    }
}

void MainWindow::ApplyTabOrder(const std::vector<QWidget*>& controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (control->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace quill
