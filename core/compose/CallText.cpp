#include "core/compose/CallText.h"

namespace quill {

std::string ValueOfParameter(const ParameterSlotValue& slot) {
    if (!slot.editText.empty()) {
        return slot.editText;
    }
    return slot.comboHasSelection ? slot.comboSelectedText : slot.comboEditText;
}

CallText ComposeCallText(const std::string& functionName,
                         const std::vector<ParameterSlotValue>& slots) {
    CallText call;
    call.text = functionName + "(";
    for (std::size_t k = 0; k < slots.size(); ++k) {
        // The first missing name ends the parameter list, whatever follows.
        if (slots[k].name.empty()) {
            break;
        }
        const std::string value = ValueOfParameter(slots[k]);
        if (value.empty()) {
            call.allValuesGiven = false;
        }
        if (k > 0) {
            call.text += ',';
        }
        call.text += value;
    }
    call.text += ')';
    return call;
}

std::string CutToBytes(const std::string& text, std::size_t maxBytes) {
    return text.size() <= maxBytes ? text : text.substr(0, maxBytes);
}

}  // namespace quill
