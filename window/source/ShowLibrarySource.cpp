// The source view: the whole library file in SourcePane.

#include "core/library/LibrarySource.h"
#include "core/platform/Platform.h"
#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

void MainWindow::ShowLibrarySource() {
    LoadLibrarySourceText(true);
    UpdateData(false);
}

void MainWindow::LoadLibrarySourceText(bool textWanted) {
    sourceText = ShareText("");
    if (libraryCombo->currentIndex() < 0) {
        ShowMessage("No library to show.", kStyleExclamation);
        return;
    }
    const std::string path = libraryCombo->SelectedText();
    LibrarySource source;
    if (textWanted) {
        source = ReadLibrarySource(path);
    } else {
        source.opened = LibrarySourceOpens(path);
    }
    if (!source.opened) {
        ShowMessage("Could not find source " + path, kStyleExclamation);
        return;
    }
    sourceText = ShareText(std::move(source.text));
}

}  // namespace quill
