// Starting Quill on a program folder: the settings file, the notes file and
// the window as it first opens.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "UnsavableSettings.h"
#include "WindowHarness.h"
#include "window/QuillApp.h"

namespace quill {
namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(QString::fromStdString(programFolder)); }

    // Runs StartUp; `inspect` sees the open window, which is then closed.
    void Run(const std::function<void(MainWindow&)>& inspect = [](MainWindow&) {}) {
        platform.log.clear();
        QuillApp app(platform, programFolder + "Quill", root.path().toStdString() + "/config/");
        bool opened = false;
        app.SetWindowOpenHook([&](MainWindow& window) {
            opened = true;
            inspect(window);
            window.close();
        });
        app.StartUp();
        EXPECT_TRUE(opened);
        appFolder = app.appFolder;
        settingsFile = app.settingsFile;
    }

    std::string Setting(const std::string& key) const {
        return GetSetting("Last", key, "<missing>", 1000, programFolder + "Quill.ini");
    }

    QTemporaryDir root;
    const std::string programFolder = root.path().toStdString() + "/Tools/Quill/";
    RecordingPlatform platform;
    std::string appFolder;
    std::string settingsFile;
};

TEST_F(StartUp, FirstStartInAnEmptyFolder) {
    Run([](MainWindow& window) {
        const WindowControls ui(window);
        // Nothing listed, shown or chosen; no parameter row, only ExitButton.
        EXPECT_EQ(ui.libraryCombo->count() + ui.functionCombo->count(), 0);
        EXPECT_EQ(ui.sourcePane->Text() + ToBytes(ui.typeLabel->text() + ui.functionLabel->text()) +
                      ui.Row() + ui.Lists(),
                  "X");
        EXPECT_TRUE(ui.sourcePane->font().fixedPitch());
    });
    // The settings file is made in the program folder, which it names in
    // lower case; "Intro" is missing, so the notes file opens, through the
    // real folder.
    EXPECT_EQ(settingsFile, programFolder + "Quill.ini");
    const std::string lowered = root.path().toLower().toStdString() + "/tools/quill/";
    EXPECT_EQ(appFolder, lowered);
    EXPECT_EQ(Setting("AppPath"), lowered);
    EXPECT_EQ(GetAllSettingKeys("Last", settingsFile), Texts{"AppPath"});
    EXPECT_EQ(platform.log, Texts{"editor: " + programFolder + "Quill.txt"});
}

#ifndef _WIN32
TEST_F(StartUp, AReadOnlySettingsFileGivesOneMessageOnlyWhenAChangeIsLost) {
    const std::string ini = programFolder + "Quill.ini";
    const std::string library = programFolder + "b.s";
    const std::string gone = programFolder + "gone.h";
    std::ofstream(library) << "; C Function prototype: void BetaGo(void)\n";
    std::ofstream(ini) << "[Last]\nIntro=No\nAppPath=c:\\old\\place\\\nLibrary=" << library
                       << "\nChoice=void BetaGo(void)\n[Libraries]\n"
                       << library << "=Yes\n"
                       << gone << "=Yes\n";
    const std::string goneMessage =
        Msg(16, "Library " + gone + " not available.\nWill be removed from list.");
    {
        const ReadOnly readOnly(ini);
        if (!readOnly.Made()) {
            GTEST_SKIP() << "this system cannot make a file read-only for its user";
        }
        // "AppPath" and the gone library fail: one message, which says what
        // the other one claimed.
        Run();
        EXPECT_EQ(platform.log,
                  (Texts{goneMessage, Msg(48, "Could not save the settings to " + ini +
                                                  ": the file is read-only.\nLibrary " + gone +
                                                  " was not removed from it.")}));
        EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Texts{library, gone}));
    }
    Run();
    EXPECT_EQ(platform.log, Texts{goneMessage});
    // Nothing to change: the file is not replaced, so a read-only one gives
    // no message.
    struct stat before = {};
    struct stat after = {};
    stat(ini.c_str(), &before);
    Run();
    stat(ini.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    const ReadOnly readOnly(ini);
    Run();
    EXPECT_EQ(platform.log, Texts{});
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), Texts{library});
}
#endif

}  // namespace
}  // namespace quill
