#include "core/docs/ChoiceForms.h"

#include "core/text/TextOps.h"

namespace quill {

ChoiceForm FormOf(const std::string& choiceText) {
    if (AtPositionOneOrLater(choiceText, ",")) {
        return ChoiceForm::List;
    }
    if (AtPositionOneOrLater(choiceText, "|")) {
        return ChoiceForm::Flags;
    }
    if (AtPositionOneOrLater(choiceText, ".exe")) {
        return ChoiceForm::Helper;
    }
    return ChoiceForm::Free;
}

const char* FormName(ChoiceForm form) {
    switch (form) {
        case ChoiceForm::List:
            return "list";
        case ChoiceForm::Flags:
            return "flags";
        case ChoiceForm::Helper:
            return "helper";
        case ChoiceForm::Free:
            break;
    }
    return "free";
}

bool IsRangeForm(const std::string& choiceText) {
    return FormOf(choiceText) != ChoiceForm::List && AtPositionOneOrLater(choiceText, "-");
}

std::vector<std::string> ListItems(const std::string& choiceText) {
    return SplitAtEvery(choiceText, ',');
}

std::string FirstFlag(const std::string& choiceText) {
    return choiceText.substr(0, choiceText.find('|'));
}

std::string QuotedHelperText(const std::string& choiceText) {
    std::string quoted;
    quoted.reserve(choiceText.size() + 2);
    quoted.append(1, '"').append(choiceText).append(1, '"');
    return quoted;
}

}  // namespace quill
