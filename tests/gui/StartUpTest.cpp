// Starting Quill on a program folder: the settings file, the notes file and
// the window as it first opens.

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "WindowHarness.h"
#include "app/QuillApp.h"
#include "app/SettingsStore.h"

namespace quill {
namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder = root.path().toStdString() + "/Tools/Quill/";
        QDir().mkpath(QString::fromStdString(programFolder));
    }

    // Runs StartUp; `inspect` sees the open window, which is then closed.
    void Run(const std::function<void(MainWindow&)>& inspect = {}) {
        QuillApp app(platform, programFolder + "Quill", root.path().toStdString() + "/config/");
        bool opened = false;
        app.SetWindowOpenHook([&](MainWindow& window) {
            opened = true;
            if (inspect) {
                inspect(window);
            }
            window.close();
        });
        EXPECT_FALSE(app.StartUp());
        EXPECT_TRUE(opened);
        appFolder = app.appFolder;
        settingsFile = app.settingsFile;
    }

    std::string Setting(const std::string& key) const {
        return GetSetting("Last", key, "<missing>", 1000, programFolder + "Quill.ini");
    }

    QTemporaryDir root;
    std::string programFolder;
    RecordingPlatform platform;
    std::string appFolder;
    std::string settingsFile;
};

TEST_F(StartUpTest, FirstStartInAnEmptyFolder) {
    Run([](MainWindow& window) {
        EXPECT_TRUE(window.isVisible());
        EXPECT_GT(window.row.rowWidth, 0);  // initialised before it opens
        EXPECT_EQ(window.libraryCombo->count() + window.functionCombo->count(), 0);
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
        EXPECT_TRUE(window.startupLibrary.empty());
    });

    // The settings file is made in the program folder, which it names in
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
    EXPECT_TRUE(platform.MessagesShown().empty());
}

TEST_F(StartUpTest, IntroModeIsAYesInAnyCaseAndAppPathIsReplaced) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"yes", true}, {"YES", true}, {"yEs", true}, {"No", false}, {"", false}, {"y", false}};
    for (const auto& [intro, opens] : cases) {
        SCOPED_TRACE("Intro=" + intro);
        platform.Clear();
        WriteSetting("Last", "Intro", intro, programFolder + "Quill.ini");
        WriteSetting("Last", "AppPath", "c:\\old\\place\\", programFolder + "Quill.ini");
        Run();
        EXPECT_EQ(platform.CallsOf(PlatformCall::Kind::OpenInTextEditor).size(), opens ? 1u : 0u);
        EXPECT_EQ(Setting("Intro"), intro);
        EXPECT_EQ(Setting("AppPath"), appFolder);
    }
}

TEST(StartUpPaths, ProgramFolderAppFolderAndName) {
    EXPECT_EQ(ProgramFolderOf("/opt/Tools/Quill/Quill"), "/opt/Tools/Quill/");
    EXPECT_EQ(ProgramFolderOf("Quill"), "");
    EXPECT_EQ(AppFolderText("/opt/Tools/Quill/"), "/opt/tools/quill/");
    EXPECT_EQ(DisplayNameOf("/opt/tools/Quill.exe"), "Quill");
    EXPECT_EQ(DisplayNameOf("/opt/v1.2/quill.v2.exe"), "quill.v2");
#ifdef _WIN32
    EXPECT_EQ(ProgramFolderOf("C:\\Tools\\Quill\\Quill.exe"), "C:\\Tools\\Quill\\");
    EXPECT_EQ(DisplayNameOf("C:\\Tools\\Quill\\Quill.exe"), "Quill");
#endif
}

}  // namespace
}  // namespace quill
