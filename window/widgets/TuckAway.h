#pragma once
// Putting a control out of the way while something else uses its place.

#include <QWidget>

namespace quill {

// Hides `control` and shrinks it to one pixel at (1, 1), so that it covers
// nothing until it is placed and shown again.
inline void TuckAway(QWidget* control) {
    control->setGeometry(1, 1, 1, 1);
    control->hide();
}

}  // namespace quill
