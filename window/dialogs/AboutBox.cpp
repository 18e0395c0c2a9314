#include "window/dialogs/AboutBox.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "window/widgets/ControlWidgets.h"
#include "window/widgets/DialogUnits.h"

namespace quill {

namespace {

constexpr int kWidthUnits = 235;
constexpr int kHeightUnits = 55;
constexpr int kIconPixels = 32;  // the system's icon size

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    const DialogBaseUnits base =
        SetUpDialogFrame(*this, "AboutBox", "About Quill", kWidthUnits, kHeightUnits);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("AboutIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/quill128.png")).pixmap(kIconPixels, kIconPixels));
    icon->setGeometry(
        QRect(MapDialogRect(base, 11, 17, 0, 0).topLeft(), QSize(kIconPixels, kIconPixels)));

    auto* version = NewPlainLabel(QStringLiteral("Quill Version 2.0"), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setGeometry(MapDialogRect(base, 40, 10, 135, 8));
    auto* purpose = NewPlainLabel(QStringLiteral("Calls to peripheral libraries, composed."), this);
    purpose->setObjectName(QStringLiteral("PurposeLabel"));
    purpose->setGeometry(MapDialogRect(base, 40, 25, 135, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setGeometry(MapDialogRect(base, 178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace quill
