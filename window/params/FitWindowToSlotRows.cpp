// Rows of slots below the first make the window taller: the parameter frame
// grows with them and the controls below it move down by as much, their home
// positions too. Back at one row, everything is where the design put it.

#include <QGroupBox>
#include <QPushButton>

#include "core/compose/SlotGeometry.h"
#include "window/MainWindow.h"

namespace quill {

void MainWindow::FitWindowToSlotRows(int rows) {
    const int height = (rows - 1) * RowPitch(row);
    const int down = height - slotRowsHeight;
    if (down == 0) {
        return;
    }
    slotRowsHeight = height;
    for (QWidget* control : {static_cast<QWidget*>(helpGroup), static_cast<QWidget*>(helpButton),
                             static_cast<QWidget*>(setupButton)}) {
        control->move(control->x(), control->y() + down);
    }
    // The two buttons an open list tucks away move with their homes.
    exitButtonPos.ry() += down;
    helpersButtonPos.ry() += down;
    if (exitButton->isVisible()) {
        ShowExitButtonAtHome();
    }
    if (helpersButton->isVisible()) {
        ShowHelpersButtonAtHome();
    }
    paramGroup->resize(paramGroup->width(), paramGroup->height() + down);
    setFixedSize(width(), this->height() + down);
}

}  // namespace quill
