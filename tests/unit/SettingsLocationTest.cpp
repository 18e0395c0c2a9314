#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchFolder.h"
#include "app/SettingsLocation.h"
#include "app/SettingsStore.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quill {
namespace {

namespace fs = std::filesystem;

SettingsFolderFacts Facts(bool folderWritable, bool fileExists, bool fileWritable) {
    SettingsFolderFacts facts;
    facts.programFolder = "/opt/quill/";
    facts.configFolder = "/home/dev/.config/Quill/";
    facts.programFolderWritable = folderWritable;
    facts.fileExistsInProgramFolder = fileExists;
    facts.fileWritableInProgramFolder = fileWritable;
    return facts;
}

TEST(ChooseSettingsFolder, StaysInTheProgramFolderOnlyWhenTheSettingsCanBeKeptThere) {
    const std::string program = "/opt/quill/";
    const std::string config = "/home/dev/.config/Quill/";
    EXPECT_EQ(ChooseSettingsFolder(Facts(true, false, false)), program);
    EXPECT_EQ(ChooseSettingsFolder(Facts(true, true, true)), program);
    // A read-only file in a writable folder stays where it is.
    EXPECT_EQ(ChooseSettingsFolder(Facts(true, true, false)), program);
    // A folder that cannot take new files still keeps a file that can be written.
    EXPECT_EQ(ChooseSettingsFolder(Facts(false, true, true)), program);
    EXPECT_EQ(ChooseSettingsFolder(Facts(false, true, false)), config);
    EXPECT_EQ(ChooseSettingsFolder(Facts(false, false, false)), config);
}

class SettingsLocationTest : public ::testing::Test {
protected:
    testing::ScratchFolder scratch{"QuillLocation"};
};

TEST_F(SettingsLocationTest, AWritableProgramFolderKeepsTheSettings) {
    const std::string program = scratch.MakeFolder("bin");
    const std::string config = scratch.PathOf("config/Quill");
    const SettingsFolderFacts facts = GatherSettingsFolderFacts(program, config);
    EXPECT_TRUE(facts.programFolderWritable);
    EXPECT_FALSE(facts.fileExistsInProgramFolder);
    // Separators are added where missing.
    EXPECT_EQ(LocateSettingsFile(program, config), (fs::path(program) / "Quill.ini").string());
    EXPECT_EQ(LocateSettingsFile(program + "/", config), program + "/Quill.ini");
    // The configuration folder is not made when it is not used.
    EXPECT_FALSE(fs::exists(config));

    scratch.Write("bin/Quill.ini", "[Last]\n");
    const SettingsFolderFacts withFile = GatherSettingsFolderFacts(program, config);
    EXPECT_TRUE(withFile.fileExistsInProgramFolder);
    EXPECT_TRUE(withFile.fileWritableInProgramFolder);
}

TEST_F(SettingsLocationTest, AProgramFolderThatCannotBeWrittenSendsThemToTheConfigFolder) {
    // A folder that is not there cannot take a file.
    const std::string program = scratch.PathOf("gone/bin/");
    const std::string config = scratch.PathOf("home/.config/Quill/");
    const SettingsFolderFacts facts = GatherSettingsFolderFacts(program, config);
    EXPECT_FALSE(facts.programFolderWritable);

    const std::string file = LocateSettingsFile(program, config);
    EXPECT_EQ(file, config + "Quill.ini");
    EXPECT_TRUE(fs::is_directory(config));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(WriteSetting("Last", "AppPath", program, file));
    EXPECT_EQ(GetSetting("Last", "AppPath", "", 1000, file), program);
}

TEST_F(SettingsLocationTest, SettingsLeftInTheProgramFolderCarryOverOnce) {
    const std::string program = scratch.MakeFolder("bin") + "/";
    const std::string config = scratch.PathOf("config") + "/";
    scratch.Write("bin/Quill.ini", "[Libraries]\n/usr/share/quill/uart.h=Yes\n");

    SettingsFolderFacts facts = GatherSettingsFolderFacts(program, config);
    // As if the program folder were read-only for this user.
    facts.programFolderWritable = false;
    facts.fileWritableInProgramFolder = false;
    const std::string file = PrepareSettingsFile(facts);
    ASSERT_EQ(file, config + "Quill.ini");
    EXPECT_EQ(GetAllSettingKeys("Libraries", file),
              (std::vector<std::string>{"/usr/share/quill/uart.h"}));

    // Later changes in the user's copy are never overwritten by the original.
    ASSERT_TRUE(DeleteSettingSection("Libraries", file));
    EXPECT_EQ(PrepareSettingsFile(facts), file);
    EXPECT_TRUE(GetAllSettingKeys("Libraries", file).empty());
    EXPECT_EQ(GetAllSettingKeys("Libraries", program + "Quill.ini").size(), 1u);
}

TEST_F(SettingsLocationTest, AConfigFolderThatCannotBeMadeFallsBackToTheProgramFolder) {
    const std::string program = scratch.MakeFolder("bin") + "/";
    const std::string blocker = scratch.Write("blocker", "a file where a folder should be");
    SettingsFolderFacts facts = GatherSettingsFolderFacts(program, blocker + "/Quill/");
    facts.programFolderWritable = false;
    EXPECT_EQ(PrepareSettingsFile(facts), program + "Quill.ini");
}

}  // namespace
}  // namespace quill
