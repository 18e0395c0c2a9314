// CopyButton: the chosen function with its parameter values as one line of C
// call text on the clipboard.

#include <QLineEdit>

#include "core/compose/CallText.h"
#include "core/compose/CopyChecks.h"
#include "core/platform/Platform.h"
#include "window/MainWindow.h"
#include "window/platform/QtText.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

namespace {

// What the drop-down selector of one slot offers. An item counts as selected
// only while the field still shows it: text typed over the item is the
// developer's own value.
void ReadDropDown(const NotifyingComboBox* combo, ParameterSlotValue& slot) {
    const int index = combo->currentIndex();
    slot.comboHasSelection = index >= 0 && combo->currentText() == combo->itemText(index);
    slot.comboSelectedText = combo->TextAt(index);
    slot.comboEditText = ToBytes(combo->currentText());
}

}  // namespace

void MainWindow::CopyCallText() {
    UpdateData(true);
    CloseSelectionLists();

    std::vector<ParameterSlotValue> values(documentation.parameters.size());
    std::vector<EnteredValue> entered;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        values[k].name = parameter.name;
        values[k].editText = parameter.editText;
        if (k < paramCombos.size()) {
            ReadDropDown(paramCombos[k], values[k]);
        }
        if (static_cast<int>(k) < documentation.parameterCount) {
            entered.push_back({parameter.name, parameter.choiceText, parameter.editText});
        }
    }
    // The button and its key take this one path: the warnings come first and
    // never stop the copy.
    for (const std::string& warning : CopyWarnings(entered)) {
        ShowMessage(warning, kStyleExclamation);
    }
    const CallText call = ComposeCallText(documentation.functionName, values);
    if (!call.allValuesGiven) {
        ShowMessage("Some parameters not selected.", kStyleExclamation);
    }
    PlaceTextOnClipboard(CutToBytes(call.text, kMaxCallTextBytes));
}

}  // namespace quill
