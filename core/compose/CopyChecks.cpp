#include "core/compose/CopyChecks.h"

#include "core/compose/ValueRules.h"
#include "core/text/TextOps.h"

namespace quill {

std::vector<std::string> CopyWarnings(const std::vector<EnteredValue>& entries) {
    std::vector<std::string> warnings;
    for (const EnteredValue& entry : entries) {
        const std::string quotedHelper = '"' + entry.choiceText + '"';
        if (CheckRange(entry.choiceText, entry.editText) == RangeResult::Out) {
            warnings.push_back(OutOfRangeMessage(entry.name));
        } else if (AtPositionOneOrLater(entry.choiceText, ".exe") &&
                   entry.editText == quotedHelper) {
            warnings.push_back(HelperNameLeftMessage(entry.name, quotedHelper));
        }
    }
    return warnings;
}

}  // namespace quill
