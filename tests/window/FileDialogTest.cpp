// The filter patterns of the desktop's file dialog.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "window/platform/QtPlatform.h"

namespace quill {
namespace {

TEST(FileDialog, AllFilesListsNamesWithoutADot) {
    QTemporaryDir dir;
    for (const char* name : {"Makefile", "noext", "Gpio.h", "Adc.s79"}) {
        std::ofstream(dir.filePath(QString::fromLatin1(name)).toStdString()) << "x";
    }
    const QStringList all =
        QDir(dir.path()).entryList({FilterPattern("*.*")}, QDir::Files, QDir::Name);
    EXPECT_EQ(all, (QStringList{"Adc.s79", "Gpio.h", "Makefile", "noext"}));
    const QStringList headers =
        QDir(dir.path()).entryList({FilterPattern("*.h")}, QDir::Files, QDir::Name);
    EXPECT_EQ(headers, QStringList{"Gpio.h"});
}

}  // namespace
}  // namespace quill
