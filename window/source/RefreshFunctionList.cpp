// The function list is about to drop down: rescan the library, re-select the
// stored choice and show the documentation of the list's first function.

#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

void MainWindow::RefreshFunctionList() {
    const int selected = libraryCombo->currentIndex();
    if (selected >= 0) {
        const std::string libraryPath = libraryCombo->TextAt(selected);
        // The selection may have moved with the arrow keys, which does not
        // close a list: keep showing the library that is scanned.
        libraryIndex = selected;
        UpdateData(false);

        if (FillFunctionList(libraryPath) != 0) {
            // The first entry in list order, whichever one is selected.
            const std::string first = functionCombo->TextAt(0);
            // The source view's step comes first for its message; the lookup
            // replaces the text at once, so the library is only opened, not
            // read, and SourcePane is written once, with the block.
            LoadLibrarySourceText(false);
            LookUpPrototype(libraryPath, first);
        }
    }
    UpdateData(false);
}

}  // namespace quill
