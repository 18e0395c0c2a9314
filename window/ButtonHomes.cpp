// ExitButton and HelpersButton back at their home positions, at the pixel
// sizes they have there, after an open selection list covered them.

#include <QPushButton>

#include "window/MainWindow.h"

namespace quill {

namespace {

constexpr int kExitButtonWidth = 44;
constexpr int kExitButtonHeight = 30;
constexpr int kHelpersButtonWidth = 88;
constexpr int kHelpersButtonHeight = 23;

}  // namespace

void MainWindow::ShowExitButtonAtHome() {
    exitButton->setGeometry(exitButtonPos.x(), exitButtonPos.y(), kExitButtonWidth,
                            kExitButtonHeight);
    exitButton->show();
}

void MainWindow::ShowHelpersButtonAtHome() {
    helpersButton->setGeometry(helpersButtonPos.x(), helpersButtonPos.y(), kHelpersButtonWidth,
                               kHelpersButtonHeight);
    helpersButton->show();
}

}  // namespace quill
