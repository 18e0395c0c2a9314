// The prototype lookup as the window runs it: the block (or "-") goes into
// SourcePane, failures are reported in message boxes.

#include "app/MainWindow.h"
#include "platform/Platform.h"
#include "source/PrototypeLookup.h"

namespace quill {

std::string MainWindow::LookUpPrototype(const std::string& documentingPath,
                                        const std::string& entry) {
    PrototypeLookup lookup = LookUpPrototypeText(documentingPath, entry);
    if (lookup.outcome == LookupOutcome::NoSource) {
        ShowMessage(NoSourceMessage(documentingPath), kStyleExclamation);
    }
    if (lookup.outcome != LookupOutcome::Found) {
        ShowMessage(NotFoundMessage(entry, documentingPath), kStyleExclamation);
    }
    sourceText = std::move(lookup.text);  // "-" after every failure
    UpdateData(false);
    return lookup.path;
}

}  // namespace quill
