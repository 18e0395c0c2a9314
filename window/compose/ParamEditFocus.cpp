// Entering and leaving a parameter's entry field: a combination (its own
// flags list, or one vendor documentation suggests) hands the
// focus to its selection list, a helper field runs its program once per
// visit, and a value outside a documented range is pointed out on leaving.

#include <QGroupBox>
#include <QListWidget>

#include "core/compose/ValueRules.h"
#include "core/docs/ChoiceForms.h"
#include "core/platform/Platform.h"
#include "window/MainWindow.h"

namespace quill {

void MainWindow::OnParamEditSetFocus(int k) {
    paramGroup->repaint();
    UpdateData(false);
    CloseSelectionLists(k);

    const auto slot = static_cast<std::size_t>(k - 1);
    const std::string& choiceText = documentation.parameters[slot].choiceText;
    const ChoiceForm form = FormOf(choiceText);
    if (!SelectionItems(k).empty()) {
        // The open list is drawn over the frame's area.
        paramGroup->hide();
        // Only a shown control takes the focus; the list's own handler
        // places and fills it.
        paramLists[slot]->show();
        // Runs this field's focus loss, then the list's focus gain, which
        // opens the list.
        paramLists[slot]->setFocus(Qt::OtherFocusReason);
    } else if (form == ChoiceForm::Helper && !helperLaunched) {
        const std::string program = HelperCommandLine(startupLibrary, choiceText);
        // Set first: the focus coming back when the program ends is no new visit.
        helperLaunched = true;
        if (platform.RunProgramAndWait(program) == -1) {
            ShowMessage(HelperNotStartedMessage(program), kStyleExclamation);
        }
    }
    UpdateData(false);
}

void MainWindow::OnParamEditKillFocus(int k) {
    UpdateData(true);
    helperLaunched = false;
    const ParameterDescription& parameter =
        documentation.parameters[static_cast<std::size_t>(k - 1)];
    // Advice only: the value stays as typed and is copied all the same.
    if (CheckRange(parameter.choiceText, parameter.editText) == RangeResult::Out) {
        ShowMessage(OutOfRangeMessage(parameter.name), kStyleExclamation);
    }
}

}  // namespace quill
