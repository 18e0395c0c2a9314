// Starting Quill on a program folder: the settings file, the notes file and
// the window as it first opens.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "RecordingPlatform.h"
#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "app/QuillApp.h"
#include "app/SettingsStore.h"

namespace quill {
namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        programFolder = root.path().toStdString() + "/Tools/Quill/";
        configFolder = root.path().toStdString() + "/config/";
        QDir().mkpath(QString::fromStdString(programFolder));
    }

    // Runs StartUp; `inspect` sees the open window, which is then closed.
    bool Run(const std::function<void(MainWindow&)>& inspect = {}) {
        QuillApp app(platform, programFolder + "Quill", configFolder);
        bool hookRan = false;
        app.SetWindowOpenHook([&](MainWindow& window) {
            hookRan = true;
            if (inspect) {
                inspect(window);
            }
            window.close();
        });
        const bool result = app.StartUp();
        EXPECT_TRUE(hookRan);
        appFolder = app.appFolder;
        settingsFile = app.settingsFile;
        return result;
    }

    std::string Setting(const std::string& key) const {
        return GetSetting("Last", key, "<missing>", 1000, programFolder + "Quill.ini");
    }

    QTemporaryDir root;
    std::string programFolder;
    std::string configFolder;
    RecordingPlatform platform;
    std::string appFolder;
    std::string settingsFile;
};

TEST_F(StartUpTest, FirstStartInAnEmptyFolder) {
    const bool result = Run([](MainWindow& window) {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.libraryCombo->count(), 0);
        EXPECT_EQ(window.functionCombo->count(), 0);
        EXPECT_TRUE(window.sourcePane->toPlainText().isEmpty());
        for (std::size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE(k + 1);
            EXPECT_TRUE(window.paramLabels[k]->text().isEmpty());
            EXPECT_FALSE(window.paramLabels[k]->isHidden());
            EXPECT_TRUE(window.paramCombos[k]->isHidden());
            EXPECT_TRUE(window.paramEdits[k]->isHidden());
            EXPECT_TRUE(window.paramLists[k]->isHidden());
        }
        EXPECT_TRUE(window.typeLabel->text().isEmpty());
        EXPECT_TRUE(window.functionLabel->text().isEmpty());
        EXPECT_TRUE(window.helpersButton->isHidden());
        EXPECT_EQ(window.helperProgram, "-");
        EXPECT_TRUE(window.startupLibrary.empty());
    });
    EXPECT_FALSE(result);

    // The settings file is created in the program folder with the folder in
    // lower case.
    EXPECT_EQ(settingsFile, programFolder + "Quill.ini");
    const std::string lowered = root.path().toLower().toStdString() + "/tools/quill/";
    EXPECT_EQ(appFolder, lowered);
    EXPECT_EQ(Setting("AppPath"), lowered);
    EXPECT_EQ(GetSettingKeys("Last", 10000, settingsFile), std::vector<std::string>{"AppPath"});

    // "Intro" is missing, so the notes file opens, through the real folder.
    const auto opened = platform.CallsOf(PlatformCall::Kind::OpenInTextEditor);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].text, programFolder + "Quill.txt");
    EXPECT_TRUE(platform.CallsOf(PlatformCall::Kind::Message).empty());
}

TEST_F(StartUpTest, IntroModeIsAYesInAnyCase) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"yes", true}, {"YES", true}, {"yEs", true}, {"No", false}, {"", false}, {"y", false}};
    for (const auto& [intro, opens] : cases) {
        SCOPED_TRACE("Intro=" + intro);
        platform.Clear();
        WriteSetting("Last", "Intro", intro, programFolder + "Quill.ini");
        Run();
        EXPECT_EQ(platform.CallsOf(PlatformCall::Kind::OpenInTextEditor).size(), opens ? 1u : 0u);
        EXPECT_EQ(Setting("Intro"), intro);
    }
}

TEST_F(StartUpTest, AppPathOfAnEarlierInstallationIsReplaced) {
    WriteSetting("Last", "AppPath", "c:\\old\\place\\", programFolder + "Quill.ini");
    WriteSetting("Last", "Library", "/x/a.h", programFolder + "Quill.ini");
    Run();
    EXPECT_EQ(Setting("AppPath"), appFolder);
    EXPECT_EQ(Setting("Library"), "/x/a.h");
}

TEST_F(StartUpTest, TheWindowIsInitialisedBeforeItOpens) {
    Run([](MainWindow& window) {
        EXPECT_EQ(window.exitButtonPos, window.exitButton->pos());
        EXPECT_GT(window.row.rowWidth, 0);
        EXPECT_FALSE(window.windowIcon().isNull());
    });
}

TEST(StartUpPaths, ProgramFolderAppFolderAndName) {
    EXPECT_EQ(ProgramFolderOf("/opt/Tools/Quill/Quill"), "/opt/Tools/Quill/");
    EXPECT_EQ(ProgramFolderOf("Quill"), "");
    EXPECT_EQ(AppFolderText("/opt/Tools/Quill/"), "/opt/tools/quill/");
    EXPECT_EQ(DisplayNameOf("/opt/Tools/Quill/Quill"), "Quill");
    EXPECT_EQ(DisplayNameOf("/opt/tools/Quill.exe"), "Quill");
    EXPECT_EQ(DisplayNameOf("/opt/v1.2/quill.v2.exe"), "quill.v2");
#ifdef _WIN32
    EXPECT_EQ(ProgramFolderOf("C:\\Tools\\Quill\\Quill.exe"), "C:\\Tools\\Quill\\");
    EXPECT_EQ(AppFolderText("C:\\Tools\\Quill\\"), "c:\\tools\\quill\\");
    EXPECT_EQ(DisplayNameOf("C:\\Tools\\Quill\\Quill.exe"), "Quill");
#endif
}

}  // namespace
}  // namespace quill
