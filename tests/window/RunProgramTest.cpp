// Helper programs run as one literal file: blanks and shell characters in
// their names start nothing else.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/compose/ValueRules.h"
#include "window/platform/QtPlatform.h"

#ifndef _WIN32

namespace quill {
namespace {

namespace fs = std::filesystem;

class RunProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        // Whatever a shell would do to "owned" it would do here.
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }

    // An executable script at `relative` that appends its name to runs.txt
    // and exits with `status`.
    std::string Script(const std::string& relative, int status = 0) const {
        const fs::path path = fs::path(root) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\necho ran >> '" << root << "/runs.txt'\nexit " << status
                            << "\n";
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        return path.string();
    }
    int Runs() const {
        std::ifstream in(root + "/runs.txt");
        int lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        return lines;
    }
    bool Owned() const { return fs::exists(fs::path(root) / "owned"); }

    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    QString previous;
    QtPlatform platform;
};

TEST_F(RunProgram, ShellCharactersAndBlanksNameOneFile) {
    Script("My Libs/PinHelp.exe", 3);
    EXPECT_EQ(platform.RunProgramAndWait(root + "/My Libs/PinHelp.exe"), 3);
    // Missing: nothing runs, not even the part before the shell character.
    Script("PinHelp.exe");
    for (const std::string name : {"PinHelp.exe;touch owned", "PinHelp.exe&touch$IFS./owned",
                                   "PinHelp.exe\ntouch owned", "$(touch owned)"}) {
        EXPECT_EQ(platform.RunProgramAndWait(HelperCommandLine(root + "/Gpio.h", name)), -1)
            << name;
    }
    EXPECT_EQ(Runs(), 1);
    EXPECT_FALSE(Owned());
    // Present: exactly that file runs.
    Script("PinHelp.exe;touch owned");
    EXPECT_EQ(platform.RunProgramAndWait(root + "/PinHelp.exe;touch owned"), 0);
    EXPECT_EQ(Runs(), 2);
    EXPECT_FALSE(Owned());
}

TEST_F(RunProgram, BareNamesAreNotLookedForAlongThePath) {
    // "sh" is on every PATH but not in the current folder.
    EXPECT_EQ(platform.RunProgramAndWait("sh"), -1);
    EXPECT_EQ(platform.RunProgramAndWait(""), -1);
    Script("Local.exe");
    EXPECT_EQ(platform.RunProgramAndWait("Local.exe"), 0);
    // A zero byte does not cut the name short.
    EXPECT_EQ(platform.RunProgramAndWait(std::string("Local.exe\0;x", 12)), -1);
    EXPECT_EQ(Runs(), 1);
}

}  // namespace
}  // namespace quill

#endif
