// CopyButton: the chosen function with its parameter values as one line of C
// call text on the clipboard.

#include <QLineEdit>

#include "core/compose/CallText.h"
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

    std::array<ParameterSlotValue, 4> values;
    for (std::size_t k = 0; k < values.size(); ++k) {
        values[k].name = documentation.parameters[k].name;
        values[k].editText = documentation.parameters[k].editText;
        ReadDropDown(paramCombos[k], values[k]);
    }
    const CallText call = ComposeCallText(documentation.functionName, values);
    if (!call.allValuesGiven) {
        // A warning only: the text is placed all the same.
        ShowMessage("Some parameters not selected.", kStyleExclamation);
    }
    PlaceTextOnClipboard(CutToBytes(call.text, kMaxCallTextBytes));
}

}  // namespace quill
