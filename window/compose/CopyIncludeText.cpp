// IncludeButton: the path of the library the window opened with, on the
// clipboard as it is (no include directive around it).

#include "core/compose/CallText.h"
#include "window/MainWindow.h"

namespace quill {

void MainWindow::CopyIncludeText() {
    UpdateData(true);
    PlaceTextOnClipboard(CutToBytes(startupLibrary, kMaxIncludeTextBytes));
}

}  // namespace quill
