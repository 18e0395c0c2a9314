#pragma once
// Dialog units: the window is laid out in units of the dialog font, a
// quarter of its average character width across and an eighth of its
// character height down, and turned into pixels the way Windows does it.

#include <QFont>
#include <QRect>
#include <QWidget>

namespace quill {

struct DialogBaseUnits {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels
};

// number * numerator / denominator, rounded half away from zero.
int ScaleRounded(int number, int numerator, int denominator);

// Pixel rectangle of a rectangle given in dialog units; each edge is scaled
// on its own, as Windows does.
QRect MapDialogRect(const DialogBaseUnits& base, int x, int y, int width, int height);

// Base units of a font: the average width of the 52 letters, rounded, and
// the font's height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// The dialog font: "MS Sans Serif" 8 point, or the platform's sans-serif
// font at 8 point where it is missing.
QFont DialogFont();

// Gives `dialog` its name, caption, the frame of a modal dialog (title bar,
// window menu, close box, and the `more` buttons), the dialog font and its
// fixed size in dialog units; returns the base units to place its controls
// with.
DialogBaseUnits SetUpDialogFrame(QWidget& dialog, const char* name, const char* caption,
                                 int widthUnits, int heightUnits,
                                 Qt::WindowFlags more = Qt::WindowFlags());

// The fixed-pitch font of the source pane and the two lists: "Courier New",
// or the platform's monospace font, with a character height of
// 12 * dpi / 108 pixels (11 at 96 dots per inch).
QFont SourceFont(int dotsPerInchX);

}  // namespace quill
