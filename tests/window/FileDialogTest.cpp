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
    const QDir folder(dir.path());
    EXPECT_EQ(folder.entryList({FilterPattern("*.*")}, QDir::Files, QDir::Name),
              (QStringList{"Adc.s79", "Gpio.h", "Makefile", "noext"}));
    EXPECT_EQ(folder.entryList({FilterPattern("*.h")}, QDir::Files, QDir::Name),
              QStringList{"Gpio.h"});
}

}  // namespace
}  // namespace quill
