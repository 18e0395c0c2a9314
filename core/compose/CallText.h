#pragma once
// Composing the call text "Name(v1,v2)" from the parameter slots.

#include <cstddef>
#include <string>
#include <vector>

namespace quill {

// What the window shows for one parameter slot.
struct ParameterSlotValue {
    std::string name;      // ParamLabel text; "" means no such parameter
    std::string editText;  // ParamEdit text
    bool comboHasSelection = false;
    std::string comboSelectedText;  // text of the selected ParamCombo item
    std::string comboEditText;      // text in ParamCombo's own entry field
};

// Entry text if not empty, else the selected item, else the combo's own text.
std::string ValueOfParameter(const ParameterSlotValue& slot);

struct CallText {
    std::string text;  // not cut
    bool allValuesGiven = true;
};

// One value per slot, as many slots as the function has parameters; the first
// slot without a name ends the list.
CallText ComposeCallText(const std::string& functionName,
                         const std::vector<ParameterSlotValue>& slots);

constexpr std::size_t kMaxCallTextBytes = 255;
constexpr std::size_t kMaxIncludeTextBytes = 98;

// The first `maxBytes` bytes of `text`.
std::string CutToBytes(const std::string& text, std::size_t maxBytes);

}  // namespace quill
