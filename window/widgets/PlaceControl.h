#pragma once
// Placing a new control of a dialog: its control name, its control id and
// its rectangle in dialog units.

#include <QString>
#include <QVariant>

#include "window/widgets/DialogUnits.h"

namespace quill {

// A rectangle in dialog units.
struct DialogRect {
    int x, y, width, height;
};

// Gives `widget` the objectName `name`, the property "controlId" `id` and the
// pixel rectangle of `at`; returns it.
template <typename Widget>
Widget* PlaceControl(Widget* widget, const DialogBaseUnits& base, const char* name, int id,
                     const DialogRect& at) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setProperty("controlId", id);
    widget->setGeometry(MapDialogRect(base, at.x, at.y, at.width, at.height));
    return widget;
}

}  // namespace quill
