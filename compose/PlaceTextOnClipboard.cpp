// The clipboard step shared by the call text and the include text.

#include "app/MainWindow.h"
#include "platform/Platform.h"

namespace quill {

void MainWindow::PlaceTextOnClipboard(const std::string& text) {
    if (!platform.PlaceOnClipboard(text)) {
        ShowMessage("Out of Memory", kStyleStopSystemModal);
    }
}

}  // namespace quill
