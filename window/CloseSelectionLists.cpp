#include <QListWidget>

#include "core/text/NoText.h"
#include "window/MainWindow.h"
#include "window/widgets/TuckAway.h"

namespace quill {

void MainWindow::CloseSelectionLists(int keep) {
    for (int k = 1; k <= static_cast<int>(paramLists.size()); ++k) {
        if (k == keep) {
            continue;
        }
        TuckAway(paramLists[static_cast<std::size_t>(k - 1)]);
    }
    ShowExitButtonAtHome();
    if (helperProgram != kNoText) {
        ShowHelpersButtonAtHome();
    }
}

}  // namespace quill
