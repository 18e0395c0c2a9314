// The multi-selection list of a combination parameter: opened under its
// field when the field is entered (a library's own flags list) or when the
// developer asks for it (values vendor documentation suggests), its picks
// joined with "|" into the field when it loses the focus.

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/compose/MultiSelection.h"
#include "core/docs/ChoiceForms.h"
#include "core/docs/VendorValues.h"
#include "window/MainWindow.h"
#include "window/platform/QtText.h"
#include "window/widgets/ItemBytes.h"
#include "window/widgets/TuckAway.h"

namespace quill {

void MainWindow::OpenSelectionList(int k, const std::vector<std::string>& items) {
    const auto slot = static_cast<std::size_t>(k - 1);
    QListWidget* list = paramLists[slot];
    // The open list reaches down over the place of the two buttons.
    TuckAway(helpersButton);
    TuckAway(exitButton);
    paramGroup->hide();

    list->clear();
    const SlotRect at = SelectionListRect(row, slotSizes, k);
    list->setGeometry(at.x, at.y, at.width, at.height);
    list->show();
    // Above everything it overlaps, the help frame beside the first slot
    // included.
    list->raise();
    // Suggested values some chips lack say so; the item's bytes stay bare.
    const bool marked = IsSuggestedCombination(k);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string shown = marked ? MarkedValue(suggestions[slot], i) : items[i];
        auto* item = new QListWidgetItem(ToQString(shown), list);
        item->setData(kBytesRole, AsByteArray(items[i]));
    }
    const std::vector<int> selected =
        FindPreselection(items, documentation.parameters[slot].editText);
    for (const int position : selected) {
        list->item(position)->setSelected(true);
    }
    // The keyboard starts at the first pick (or the top) and leaves the
    // selection as it is.
    if (list->count() > 0) {
        list->setCurrentRow(selected.empty() ? 0 : selected.front(), QItemSelectionModel::NoUpdate);
    }
}

std::vector<std::string> MainWindow::SelectionItems(int k) const {
    const auto slot = static_cast<std::size_t>(k - 1);
    if (slot >= documentation.parameters.size()) {
        return {};
    }
    const std::string& choiceText = documentation.parameters[slot].choiceText;
    const ChoiceForm form = FormOf(choiceText);
    if (form == ChoiceForm::Flags) {
        return SplitChoices(choiceText);
    }
    const Suggestions& offered = suggestions[slot];
    if (form == ChoiceForm::Free && offered.kind == SuggestionKind::Combination) {
        return offered.values;
    }
    return {};
}

bool MainWindow::IsSuggestedCombination(int k) const {
    const auto slot = static_cast<std::size_t>(k - 1);
    return slot < documentation.parameters.size() &&
           FormOf(documentation.parameters[slot].choiceText) == ChoiceForm::Free &&
           slot < suggestions.size() && !suggestions[slot].Empty() &&
           suggestions[slot].kind == SuggestionKind::Combination;
}

void MainWindow::OpenSuggestedCombination(int k) {
    if (!IsSuggestedCombination(k)) {
        return;
    }
    const auto slot = static_cast<std::size_t>(k - 1);
    paramGroup->hide();
    paramLists[slot]->show();
    // The field's focus loss keeps what was typed; the list's focus gain
    // opens the list with the typed values picked.
    paramLists[slot]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OnParamListSetFocus(int k) {
    CloseSelectionLists(k);
    const std::vector<std::string> items = SelectionItems(k);
    if (!items.empty()) {
        OpenSelectionList(k, items);
    }
    UpdateData(false);
}

void MainWindow::OnParamListKillFocus(int k) {
    const auto slot = static_cast<std::size_t>(k - 1);
    if (slot >= documentation.parameters.size()) {
        TuckAway(paramLists[slot]);
        return;
    }
    std::string& value = documentation.parameters[slot].editText;
    // A field of suggested values keeps what was typed that the list does
    // not hold; a flags list of the library's own gives its picks alone.
    const std::string typed = IsSuggestedCombination(k) ? value : std::string();
    QListWidget* list = paramLists[slot];
    value.clear();
    UpdateData(false);
    TuckAway(list);
    paramGroup->show();

    std::vector<std::string> items;
    std::vector<int> selected;
    for (int i = 0; i < list->count(); ++i) {
        items.push_back(BytesOf(list->item(i)->data(kBytesRole)));
        if (list->item(i)->isSelected()) {
            selected.push_back(i);
        }
    }
    value = JoinSelectionKeepingTyped(items, selected, typed);

    const SlotRect at =
        ComputeSlotGeometry(row, documentation.parameterCount, slotSizes).selectors[slot];
    paramEdits[slot]->setGeometry(at.x, at.y, at.width, at.height);
    paramEdits[slot]->show();
    UpdateData(false);
}

}  // namespace quill
