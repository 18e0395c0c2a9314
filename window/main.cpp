// Quill: the desktop tool.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "window/QuillApp.h"
#include "window/platform/QtPlatform.h"
#include "window/platform/QtText.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    quill::QtPlatform platform;

    const QString executable = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!configFolder.isEmpty()) {
        configFolder = QDir::toNativeSeparators(configFolder + QLatin1Char('/'));
    }

    quill::QuillApp app(platform, quill::ToBytes(executable), quill::ToBytes(configFolder));
    app.StartUp();
    return 0;
}
