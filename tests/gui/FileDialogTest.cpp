// The desktop's library file dialog: its labels, its type list, and the
// starting path in its name field.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "platform/QtPlatform.h"

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

TEST(FileDialog, ShowsTheLabelsTheTypeNamesAndTheWholeStartingPath) {
    QTemporaryDir dir;
    const std::string start = dir.filePath(QStringLiteral("lib/LibVexa.s79")).toStdString();
    QDir().mkpath(dir.filePath(QStringLiteral("lib")));

    FileDialogRequest request;
    request.title = "Select Library Source";
    request.initialName = start;
    request.initialFolder = dir.filePath(QStringLiteral("lib")).toStdString();
    request.filters = {{" Header(*.h)", "*.h"}, {" Library(*.s)", "*.s"}, {" All(*.*)", "*.*"}};

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select Library Source"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text().toStdString(), start);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i) {
            shown << types->itemText(i);
        }
        EXPECT_EQ(shown, (QStringList{"Header(*.h)", "Library(*.s)", "All(*.*)"}));
        auto* label = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("&Library"));
        dialog->reject();
    });
    QtPlatform platform;
    EXPECT_EQ(platform.ChooseFile(request), std::nullopt);
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace quill
