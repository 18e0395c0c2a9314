// The layout values of the parameter row, taken from where CreateControls
// puts the reference controls (client coordinates).

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

void MainWindow::MeasureLayout() {
    const QRect edit1 = paramEdits[0]->geometry();
    const QRect edit4 = paramEdits[3]->geometry();
    const QRect label1 = paramLabels[0]->geometry();

    // The slots start at ParamEdit1 and reach to the right edge of ParamEdit4.
    row.slotLeft = edit1.x();
    row.rowWidth = (edit4.x() + edit4.width()) - edit1.x();
    // ParamList1 is laid out at the client origin.
    row.selectorY = edit1.y() - paramLists[0]->geometry().y();
    row.selectorHeight = edit1.height();
    row.labelHeight = label1.height();
    row.labelY = row.selectorY - row.labelHeight - 3;
    row.separatorWidth = separatorLabels[0]->geometry().width() - 3;

    exitButtonPos = exitButton->geometry().topLeft();
    helpersButtonPos = helpersButton->geometry().topLeft();
}

}  // namespace quill
