// Which handler each control event goes to.

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

namespace {

// Focus moves that are not a visit of the control: the control's own list
// opening or closing, and the whole window losing or regaining the focus
// (a message box, another program). Only real visits reach the handlers.
bool IsVisit(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason &&
           event->reason() != Qt::ActiveWindowFocusReason;
}

template <typename Widget>
int ParameterOf(const std::vector<Widget*>& controls, const QObject* watched) {
    for (std::size_t k = 0; k < controls.size(); ++k) {
        if (controls[k] == watched) {
            return static_cast<int>(k) + 1;
        }
    }
    return 0;
}

}  // namespace

void MainWindow::RouteEvents() {
    // Focus notifications, through eventFilter.
    for (QWidget* control :
         std::initializer_list<QWidget*>{libraryCombo, functionCombo, sourcePane}) {
        control->installEventFilter(this);
    }
    for (std::size_t k = 0; k < paramCombos.size(); ++k) {
        paramCombos[k]->installEventFilter(this);
        paramEdits[k]->installEventFilter(this);
        paramLists[k]->installEventFilter(this);
    }
    // Mnemonics of the two group boxes.
    libraryGroup->installEventFilter(this);
    paramGroup->installEventFilter(this);

    // ExitButton is the default button, so Enter clicks it too.
    connect(exitButton, &QPushButton::clicked, this, &MainWindow::accept);
    connect(cancelButton, &QPushButton::clicked, this, &MainWindow::reject);
    // QuillMarkButton: a click does nothing.

    // Library catalogue:
    connect(addButton, &QPushButton::clicked, this, [this] { AddLibrary(); });
    connect(unlistButton, &QPushButton::clicked, this, [this] { UnlistLibrary(); });
    connect(libraryCombo, &NotifyingComboBox::closedUp, this, [this] { SelectLibrary(); });
    libraryCombo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(libraryCombo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowLibraryMenu(at); });
    // Source view:
    connect(showButton, &QPushButton::clicked, this, [this] { ShowLibrarySource(); });
    connect(functionCombo, &NotifyingComboBox::droppedDown, this,
            [this] { RefreshFunctionList(); });
    // Parameters:
    connect(functionCombo, &NotifyingComboBox::closedUp, this, [this] { OnFunctionChosen(); });
    for (std::size_t k = 0; k < paramLabels.size(); ++k) {
        connect(paramLabels[k], &ClickLabel::clicked, this,
                [this, k] { OnParamLabelClicked(static_cast<int>(k) + 1); });
    }
    connect(functionLabel, &ClickLabel::clicked, this, [this] { OnFunctionLabelClicked(); });

    // Call text:
    connect(copyButton, &QPushButton::clicked, this, [this] { CopyCallText(); });
    connect(includeButton, &QPushButton::clicked, this, [this] { CopyIncludeText(); });

    // Help and setup:
    connect(helpButton, &QPushButton::clicked, this, [this] { ShowHelp(); });
    connect(helpersButton, &QPushButton::clicked, this, [this] { RunHelperProgram(); });
    connect(setupButton, &QPushButton::clicked, this, [this] { OpenSetupDialog(); });
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] { ShowHelpForKey(); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        if (watched == libraryGroup) {
            libraryCombo->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        if (watched == paramGroup) {
            // The first parameter selector that is shown.
            for (QWidget* next = paramGroup->nextInFocusChain(); next != paramGroup;
                 next = next->nextInFocusChain()) {
                if (next->parentWidget() == this && next->isVisibleTo(this) && next->isEnabled() &&
                    (next->focusPolicy() & Qt::TabFocus) != 0) {
                    next->setFocus(Qt::ShortcutFocusReason);
                    break;
                }
            }
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }

    if (event->type() == QEvent::KeyPress) {
        // Alt+Down and F4 open the values suggested for a field, as they
        // open a drop-down's list.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool opensList = key->key() == Qt::Key_F4 ||
                               (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier);
        if (const int k = ParameterOf(paramEdits, watched);
            k != 0 && opensList && IsSuggestedCombination(k)) {
            OpenSuggestedCombination(k);
            return true;
        }
    }
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) {
        return QDialog::eventFilter(watched, event);
    }
    if (!IsVisit(static_cast<QFocusEvent*>(event))) {
        return QDialog::eventFilter(watched, event);
    }
    // The control takes its own focus change first; the handler follows,
    // as a notification would.
    static_cast<QObject*>(watched)->event(event);
    const bool gained = event->type() == QEvent::FocusIn;

    if (watched == functionCombo || watched == sourcePane || watched == libraryCombo) {
        if (gained) {
            CloseSelectionLists();
        }
    } else if (const int k = ParameterOf(paramCombos, watched); k != 0) {
        if (gained) {
            CloseSelectionLists(k);
        }
    } else if (const int k = ParameterOf(paramEdits, watched); k != 0) {
        gained ? OnParamEditSetFocus(k) : OnParamEditKillFocus(k);
    } else if (const int k = ParameterOf(paramLists, watched); k != 0) {
        gained ? OnParamListSetFocus(k) : OnParamListKillFocus(k);
    }
    return true;
}

}  // namespace quill
