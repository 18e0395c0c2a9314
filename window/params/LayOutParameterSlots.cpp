// One slot per parameter between "(" and ")": a name label above a drop-down
// selector (list form) or an entry field (every other form).

#include <QLabel>
#include <QLineEdit>

#include "core/docs/ChoiceForms.h"
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

}  // namespace

void MainWindow::LayOutParameterSlots() {
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
        if (form == ChoiceForm::List || suggestedOneOf) {
            PlaceAndShow(combo, geometry.selectors[slot]);
            // Every item in its order, empty ones too.
            combo->AddStrings(suggestedOneOf ? offered.values : ListItems(parameter.choiceText));
            combo->setCurrentIndex(0);
        } else {
            QLineEdit* edit = paramEdits[slot];
            PlaceAndShow(edit, geometry.selectors[slot]);
            edit->setReadOnly(false);
        }
    }
    PlaceAndShow(closeParenLabel, geometry.closeParen);
}

}  // namespace quill
