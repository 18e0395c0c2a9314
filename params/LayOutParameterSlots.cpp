// One slot per parameter between "(" and ")": a name label above a drop-down
// selector (list form) or an entry field (every other form).

#include <QLabel>
#include <QLineEdit>

#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "params/ChoiceForms.h"

namespace quill {

namespace {

// Moves and sizes `control` and shows it. Neither call changes where the
// control stands in the stacking order.
void PlaceAndShow(QWidget* control, const SlotRect& at) {
    control->setGeometry(at.x, at.y, at.width, at.height);
    control->show();
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
        if (FormOf(parameter.choiceText) == ChoiceForm::List) {
            PlaceAndShow(combo, geometry.selectors[slot]);
            // Every item in its order, empty ones too.
            for (const std::string& item : ListItems(parameter.choiceText)) {
                combo->AddString(item);
            }
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
