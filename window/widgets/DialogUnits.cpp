#include "window/widgets/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <cstdlib>

namespace quill {

int ScaleRounded(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapDialogRect(const DialogBaseUnits& base, int x, int y, int width, int height) {
    const int left = ScaleRounded(x, base.x, 4);
    const int top = ScaleRounded(y, base.y, 8);
    const int right = ScaleRounded(x + width, base.x, 4);
    const int bottom = ScaleRounded(y + height, base.y, 8);
    return QRect(left, top, right - left, bottom - top);
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    if (QFontInfo(font).family().compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) ==
        0) {
        return font;
    }
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    fallback.setPointSize(8);
    return fallback;
}

DialogBaseUnits SetUpDialogFrame(QWidget& dialog, const char* name, const char* caption,
                                 int widthUnits, int heightUnits, Qt::WindowFlags more) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(QString::fromLatin1(caption));
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | more);
    dialog.setFont(DialogFont());
    const DialogBaseUnits base = BaseUnitsOf(dialog.font());
    dialog.setFixedSize(MapDialogRect(base, 0, 0, widthUnits, heightUnits).size());
    return base;
}

QFont SourceFont(int dotsPerInchX) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace, QFont::PreferMatch);
    font.setFixedPitch(true);
    font.setPixelSize(ScaleRounded(12, dotsPerInchX, 108));
    return font;
}

}  // namespace quill
