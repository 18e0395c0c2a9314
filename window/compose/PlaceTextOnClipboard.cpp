// The clipboard step shared by the call text and the include text.

#include "core/platform/Platform.h"
#include "window/MainWindow.h"

namespace quill {

void MainWindow::PlaceTextOnClipboard(const std::string& text) {
    if (!platform.PlaceOnClipboard(text)) {
        ShowMessage("Out of Memory", kStyleStopSystemModal);
    }
}

}  // namespace quill
