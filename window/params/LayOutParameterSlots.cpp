// One slot per parameter between "(" and ")": a name label above a drop-down
// selector (list form) or an entry field (every other form).

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <functional>

#include "core/docs/ChoiceForms.h"
#include "core/docs/VendorValues.h"
#include "core/help/ToolTipTexts.h"
#include "window/MainWindow.h"
#include "window/platform/QtText.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

namespace {

// Moves and sizes `control` and shows it. Neither call changes where the
// control stands in the stacking order.
void PlaceAndShow(QWidget* control, const SlotRect& at) {
    control->setGeometry(at.x, at.y, at.width, at.height);
    control->show();
}

// A label's own tooltip, then the note on the values offered for its parameter.
QString LabelToolTip(const QWidget* label, const Suggestions& offered) {
    std::string text;
    for (const ToolTipText& tip : kToolTipTexts) {
        if (label->objectName() == QLatin1String(tip.control)) {
            text = tip.text;
        }
    }
    const std::string note = SuggestionNote(offered);
    if (!note.empty()) {
        text += (text.empty() ? "" : "\n") + note;
    }
    return ToQString(text);
}

// The button at the end of an entry field that opens the values vendor
// documentation suggests for it (Alt+Down and F4 do the same).
void ShowListOpener(QLineEdit* edit, bool shown, const std::function<void()>& open) {
    QAction* opener = edit->findChild<QAction*>(QStringLiteral("ListOpener"));
    if (opener == nullptr && !shown) {
        return;
    }
    if (opener == nullptr) {
        opener = edit->addAction(edit->style()->standardIcon(QStyle::SP_ArrowDown),
                                 QLineEdit::TrailingPosition);
        opener->setObjectName(QStringLiteral("ListOpener"));
        opener->setToolTip(QStringLiteral("Pick values (Alt+Down); typed text stays."));
        QObject::connect(opener, &QAction::triggered, edit, open);
    }
    opener->setVisible(shown);
}

}  // namespace

void MainWindow::LayOutParameterSlots() {
    MakeParameterSlots(documentation.parameterCount);
    for (QLabel* separator : separatorLabels) {
        separator->hide();
    }
    for (std::size_t k = 0; k < paramCombos.size(); ++k) {
        paramCombos[k]->hide();
        paramEdits[k]->hide();
        paramLabels[k]->hide();
    }

    const SlotGeometry geometry = ComputeSlotGeometry(row, documentation.parameterCount, slotSizes);
    slotSizes = geometry.sizes;
    FitWindowToSlotRows(geometry.rows);
    suggestions.resize(documentation.parameters.size());

    for (int k = 0; k < geometry.parameterCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        if (k > 0) {
            PlaceAndShow(separatorLabels[slot - 1], geometry.separators[slot - 1]);
        }
        NotifyingComboBox* combo = paramCombos[slot];
        combo->clear();
        PlaceAndShow(paramLabels[slot], geometry.labels[slot]);

        // The entry texts come preset with the documentation: empty under a
        // drop-down, the first value of a flags list.
        const ParameterDescription& parameter = documentation.parameters[slot];
        const ChoiceForm form = FormOf(parameter.choiceText);
        // Values vendor documentation names, where the parameter has no
        // choice text of its own: the label tells where they came from.
        const Suggestions& offered = suggestions[slot];
        paramLabels[slot]->setToolTip(LabelToolTip(paramLabels[slot], offered));
        const bool suggestedOneOf =
            form == ChoiceForm::Free && !offered.Empty() && offered.kind == SuggestionKind::OneOf;
        QLineEdit* edit = paramEdits[slot];
        ShowListOpener(edit, IsSuggestedCombination(k + 1),
                       [this, k] { OpenSuggestedCombination(k + 1); });
        if (form == ChoiceForm::List || suggestedOneOf) {
            PlaceAndShow(combo, geometry.selectors[slot]);
            // Every item in its order, empty ones too.
            combo->AddStrings(suggestedOneOf ? offered.values : ListItems(parameter.choiceText));
            // A value some chips lack says so in the list; the call gets the
            // bare value, which the item keeps as its bytes.
            for (int i = 0; suggestedOneOf && i < combo->count(); ++i) {
                combo->setItemText(i, ToQString(MarkedValue(offered, static_cast<std::size_t>(i))));
            }
            // The open list is as wide as its widest item, never narrower
            // than the box, so that no mark is cut.
            combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) +
                                           combo->view()->frameWidth() * 2);
            combo->setCurrentIndex(0);
        } else {
            PlaceAndShow(edit, geometry.selectors[slot]);
            edit->setReadOnly(false);
        }
    }
    PlaceAndShow(closeParenLabel, geometry.closeParen);
}

}  // namespace quill
