#include <QListWidget>
#include <QPushButton>

#include "window/MainWindow.h"
#include "window/widgets/TuckAway.h"

namespace quill {

namespace {

// Sizes of the two buttons when they come back.
constexpr int kExitButtonWidth = 44;
constexpr int kExitButtonHeight = 30;
constexpr int kHelpersButtonWidth = 88;
constexpr int kHelpersButtonHeight = 23;

}  // namespace

void MainWindow::CloseSelectionLists(int keep) {
    for (int k = 1; k <= static_cast<int>(paramLists.size()); ++k) {
        if (k == keep) {
            continue;
        }
        TuckAway(paramLists[static_cast<std::size_t>(k - 1)]);
    }
    exitButton->setGeometry(exitButtonPos.x(), exitButtonPos.y(), kExitButtonWidth,
                            kExitButtonHeight);
    exitButton->show();
    if (helperProgram != "-") {
        helpersButton->setGeometry(helpersButtonPos.x(), helpersButtonPos.y(), kHelpersButtonWidth,
                                   kHelpersButtonHeight);
        helpersButton->show();
    }
}

}  // namespace quill
