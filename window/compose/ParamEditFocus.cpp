// Entering and leaving a parameter's entry field: a combination of its own
// flags list hands the focus to its selection list (one vendor documentation
// suggests stays a field to type into, its list opened on request), a helper
// field runs its program once per visit and takes the first line it prints,
// and a value outside a documented range is pointed out on leaving.

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "core/compose/ValueRules.h"
#include "core/docs/ChoiceForms.h"
#include "core/platform/Platform.h"
#include "window/MainWindow.h"

namespace quill {

namespace {

#ifdef _WIN32
constexpr bool kHelpersRunOnWindows = true;
#else
constexpr bool kHelpersRunOnWindows = false;
#endif

}  // namespace

void MainWindow::OnParamEditSetFocus(int k) {
    // A field of a slot the current function does not have is hidden.
    if (static_cast<std::size_t>(k) > documentation.parameters.size()) {
        return;
    }
    paramGroup->repaint();
    UpdateData(false);
    CloseSelectionLists(k);

    const auto slot = static_cast<std::size_t>(k - 1);
    const std::string& choiceText = documentation.parameters[slot].choiceText;
    const ChoiceForm form = FormOf(choiceText);
    if (!SelectionItems(k).empty() && !IsSuggestedCombination(k)) {
        // The open list is drawn over the frame's area.
        paramGroup->hide();
        // Only a shown control takes the focus; the list's own handler
        // places and fills it.
        paramLists[slot]->show();
        // Runs this field's focus loss, then the list's focus gain, which
        // opens the list.
        paramLists[slot]->setFocus(Qt::OtherFocusReason);
    } else if (form == ChoiceForm::Helper && !helperLaunched) {
        RunFieldHelper(k, choiceText);
    }
    UpdateData(false);
}

void MainWindow::RunFieldHelper(int k, const std::string& choiceText) {
    const std::string program = HelperCommandLine(startupLibrary, choiceText);
    // Set first: the focus coming back when the program ends is no new visit.
    helperLaunched = true;
    std::string output;
    if (platform.RunProgramAndWait(program, output) == -1) {
        ShowMessage(HelperNotStartedMessage(program, kHelpersRunOnWindows), kStyleExclamation);
    } else if (const std::optional<std::string> value = HelperFieldValue(output)) {
        documentation.parameters[static_cast<std::size_t>(k - 1)].editText = *value;
    }
}

void MainWindow::OnParamEditKillFocus(int k) {
    UpdateData(true);
    helperLaunched = false;
    if (static_cast<std::size_t>(k) > documentation.parameters.size()) {
        return;
    }
    const ParameterDescription& parameter =
        documentation.parameters[static_cast<std::size_t>(k - 1)];
    // Copy checks every value itself: a message box opened here, while the
    // button is being pressed, would take its click.
    if (QApplication::focusWidget() == copyButton) {
        return;
    }
    // Advice only: the value stays as typed and is copied all the same.
    if (CheckRange(parameter.choiceText, parameter.editText) == RangeResult::Out) {
        ShowMessage(OutOfRangeMessage(parameter.name), kStyleExclamation);
    }
}

}  // namespace quill
