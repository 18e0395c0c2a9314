// The desktop side of the platform seam: the file dialog's filter patterns,
// and helper programs run as one literal file: blanks and shell characters
// in their names start nothing else, and bare names are not looked for along
// the path.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/compose/ValueRules.h"
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

#ifndef _WIN32
namespace fs = std::filesystem;

TEST(RunProgram, ExactlyTheNamedFileRuns) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    const QString previous = QDir::currentPath();
    // Whatever a shell would do to "owned" it would do here.
    QDir::setCurrent(dir.path());
    // An executable script at `name` that notes its run and exits with `status`.
    const auto script = [&](const std::string& name, int status = 0) {
        const fs::path path = fs::path(root) / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\necho " << status << " >> '" << root
                            << "/runs.txt'\nexit " << status << "\n";
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    };
    QtPlatform platform;
    std::string output;
    const auto run = [&](const std::string& path) {
        return platform.RunProgramAndWait(path, output);
    };
    script("My Libs/PinHelp.exe", 3);
    EXPECT_EQ(run(root + "/My Libs/PinHelp.exe"), 3);
    // Missing: nothing runs, not even the part before the shell character.
    script("PinHelp.exe", 1);
    for (const std::string name : {"PinHelp.exe;touch owned", "PinHelp.exe&touch$IFS./owned",
                                   "PinHelp.exe\ntouch owned", "$(touch owned)"}) {
        EXPECT_EQ(run(HelperCommandLine(root + "/Gpio.h", name)), -1) << name;
    }
    // Present: exactly that file runs.
    script("PinHelp.exe;touch owned");
    EXPECT_EQ(run(root + "/PinHelp.exe;touch owned"), 0);
    // "sh" is on every PATH but not in the current folder; a zero byte does
    // not cut a name short.
    script("Local.exe", 4);
    for (const std::string& name :
         {std::string("sh"), std::string(), std::string("Local.exe\0;x", 12)}) {
        EXPECT_EQ(run(name), -1) << name;
    }
    EXPECT_EQ(run("Local.exe"), 4);
    // Standard output is the program's answer, kept up to 64 KiB.
    std::ofstream(root + "/Say.exe") << "#!/bin/sh\nprintf ' PIN_7 \\nB\\n'\n"
                                     << "head -c 70000 /dev/zero | tr '\\0' x\n";
    fs::permissions(root + "/Say.exe", fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(run("Say.exe"), 0);
    EXPECT_EQ(output.size(), 65536u);
    EXPECT_EQ(output.substr(0, 12), " PIN_7 \nB\nxx");
    std::ostringstream runs;
    runs << std::ifstream(root + "/runs.txt").rdbuf();
    EXPECT_EQ(runs.str(), "3\n0\n4\n");
    EXPECT_FALSE(fs::exists(fs::path(root) / "owned"));
    QDir::setCurrent(previous);
}

#endif

}  // namespace
}  // namespace quill
