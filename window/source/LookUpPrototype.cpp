// The prototype lookup as the window runs it: the block (or "-") goes into
// SourcePane, failures are reported in message boxes. In vendor mode a
// missing block is said in SourcePane instead, with no box.

#include "core/ChooseFunction.h"
#include "core/platform/Platform.h"
#include "window/MainWindow.h"

namespace quill {

std::string MainWindow::LookUpPrototype(const std::string& libraryPath, const std::string& entry) {
    FunctionChoice found = LookUpFunction(libraryPath, entry, LibraryInVendorMode(libraryPath));
    for (const std::string& message : found.messages) {
        ShowMessage(message, kStyleExclamation);
    }
    sourceText = ShareText(std::move(found.lookup.text));  // kNoText after every failure
    UpdateData(false);
    return found.lookup.path;
}

}  // namespace quill
