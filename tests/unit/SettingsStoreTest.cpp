// The settings file: its access layer and where it is kept.

#include "app/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ScratchFolder.h"
#include "app/SettingsLocation.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quill {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Keys FolderEntries(const std::string& folder) {
    Keys names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Reads and writes go to "Quill.ini" in a scratch folder.
class SettingsStoreTest : public ::testing::Test {
protected:
    testing::ScratchFolder scratch;
    std::string ini = scratch.PathOf("Quill.ini");

    void Given(const std::string& content) { scratch.Write("Quill.ini", content); }
    std::string Bytes() const { return ReadBytes(ini); }
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& dflt = "dflt", std::size_t limit = 1000) const {
        return GetSetting(section, key, dflt, limit, ini);
    }
    bool Write(const std::string& section, const std::string& key, const std::string& value) {
        return WriteSetting(section, key, value, ini);
    }
    Keys KeysOf(const std::string& section) const { return GetAllSettingKeys(section, ini); }
};

TEST_F(SettingsStoreTest, AMissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(Get("Last", "Intro", "yes", 1023), "yes");
    EXPECT_TRUE(GetSettingKeys("Libraries", 10000, ini).empty());
    // Deleting from a file that is not there does not create it.
    EXPECT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_TRUE(DeleteSettingSection("Libraries", ini));
    EXPECT_FALSE(fs::exists(ini));

    ASSERT_TRUE(Write("Last", "AppPath", "/opt/quill/"));
    EXPECT_EQ(Bytes(), "[Last]\nAppPath=/opt/quill/\n");
    ASSERT_TRUE(Write("Last", "Choice", "void Init(int a, char *b)"));
    ASSERT_TRUE(Write("Libraries", "C:\\lib\\uart.h", "Yes"));
    ASSERT_TRUE(Write("Last", "Intro", ""));
    // Present but empty is not missing.
    EXPECT_EQ(Get("Last", "Intro", "yes"), "");
    EXPECT_EQ(Get("Other", "Choice"), "dflt");
    EXPECT_EQ(Bytes(),
              "[Last]\nAppPath=/opt/quill/\nChoice=void Init(int a, char *b)\nIntro=\n"
              "\n[Libraries]\nC:\\lib\\uart.h=Yes\n");
}

TEST_F(SettingsStoreTest, NamesMatchIgnoringCaseAndTheWriterSpellingWins) {
    Given("[Last]\nChoice=old\nIntro=No\n");
    EXPECT_EQ(Get("LAST", "choice"), "old");
    ASSERT_TRUE(Write("lAsT", "CHOICE", "new"));
    EXPECT_EQ(Bytes(), "[Last]\nCHOICE=new\nIntro=No\n");

    ASSERT_TRUE(DeleteSettingKey("LAST", "intro", ini));
    ASSERT_TRUE(Write("Libraries", "/Lib/A.h", "Yes"));
    ASSERT_TRUE(Write("LIBRARIES", "/lib/a.H", "Yes"));
    EXPECT_EQ(KeysOf("Libraries"), (Keys{"/lib/a.H"}));
    ASSERT_TRUE(DeleteSettingSection("libraries", ini));
    EXPECT_EQ(Bytes(), "[Last]\nCHOICE=new\n\n");
}

TEST_F(SettingsStoreTest, KeysComeInFileOrderAndNewOnesGoToTheEndOfTheirSection) {
    Given("[Libraries]\n/z.h=Yes\n/a.h=Yes\n; old\n/m.s=Yes\n\n; next\n[Last]\nLibrary=/z.h\n");
    EXPECT_EQ(KeysOf("Libraries"), (Keys{"/z.h", "/a.h", "/m.s"}));
    ASSERT_TRUE(Write("Libraries", "/b.h", "Yes"));
    ASSERT_TRUE(Write("Last", "Choice", "f(x)"));
    ASSERT_TRUE(Write("Help", "Url", "/doc/"));
    EXPECT_EQ(Bytes(),
              "[Libraries]\n/z.h=Yes\n/a.h=Yes\n; old\n/m.s=Yes\n/b.h=Yes\n\n; next\n[Last]\n"
              "Library=/z.h\nChoice=f(x)\n\n[Help]\nUrl=/doc/\n");

    // A key added to a section that has only its header goes right after it.
    Given("[Empty]\n\n[Last]\nIntro=No\n");
    ASSERT_TRUE(Write("Empty", "k", "v"));
    EXPECT_EQ(Bytes(), "[Empty]\nk=v\n\n[Last]\nIntro=No\n");
}

TEST_F(SettingsStoreTest, ValuesAndKeyListsAreCutToTheReadLimit) {
    Given("[Last]\nChoice=abcdefghij\n[Libraries]\nabc=Yes\ndefg=Yes\nhi=Yes\n");
    EXPECT_EQ(Get("Last", "Choice", "", 10), "abcdefghi");
    EXPECT_EQ(Get("Last", "Choice", "", 0), "");
    EXPECT_EQ(Get("Last", "Browser", "c:\\Program Files", 6), "c:\\Pr");
    ASSERT_TRUE(Write("Last", "Library", std::string(5000, 'v')));
    EXPECT_EQ(Get("Last", "Library", "", 1000), std::string(999, 'v'));
    EXPECT_EQ(Get("Last", "Library", "", 10000), std::string(5000, 'v'));
    // Each name takes its length and a terminator, the list one more.
    EXPECT_EQ(GetSettingKeys("Libraries", 10, ini), (Keys{"abc", "defg"}));
    EXPECT_EQ(GetSettingKeys("Libraries", 9, ini), (Keys{"abc"}));
    EXPECT_EQ(GetSettingKeys("Libraries", 0, ini), Keys{});

    // A catalogue whose names exceed 10000 bytes loses the names beyond.
    std::string content = "[Libraries]\n";
    for (int i = 1000; i < 1200; ++i) {
        content += "/home/developer/libraries/peripheral" + std::to_string(i) + "/driver.h=Yes\n";
    }
    Given(content);
    const Keys all = KeysOf("Libraries");
    ASSERT_EQ(all.size(), 200u);
    const std::size_t fitting = 9999 / (all[0].size() + 1);  // all names are as long
    EXPECT_EQ(GetSettingKeys("Libraries", 10000, ini), Keys(all.begin(), all.begin() + fitting));
}

TEST_F(SettingsStoreTest, ReadsAndKeepsFilesWrittenTheWindowsWay) {
    const std::string head = "\xEF\xBB\xBF; by hand\r\n[Last]\r\n  AppPath = c:\\tools\\  \r\n";
    const std::string tail =
        "; Choice=old\r\n\r\n[ Libraries ]\r\nC:\\uart.h=Yes\r\nC:\\tmr.s79=Yes";
    Given(head + "Intro\t=\tYES\r\n" + tail);
    EXPECT_EQ(Get("Last", "AppPath"), "c:\\tools\\");
    EXPECT_EQ(Get("Last", "Intro"), "YES");
    EXPECT_EQ(KeysOf("Last"), (Keys{"AppPath", "Intro"}));
    EXPECT_EQ(KeysOf("Libraries"), (Keys{"C:\\uart.h", "C:\\tmr.s79"}));

    // Writes keep the line ends, the comments, the mark at the start and every
    // untouched line as they were.
    ASSERT_TRUE(Write("Last", "Intro", "No"));
    ASSERT_TRUE(Write("Libraries", "C:\\adc.h", "Yes"));
    ASSERT_TRUE(Write("Last2", "x", "1"));
    EXPECT_EQ(Bytes(),
              head + "Intro=No\r\n" + tail + "\r\nC:\\adc.h=Yes\r\n\r\n[Last2]\r\nx=1\r\n");

    Given("\xEF\xBB\xBF[Last]\nIntro=No\n");
    ASSERT_TRUE(Write("Last", "Intro", "Yes"));
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[Last]\nIntro=Yes\n");
}

TEST_F(SettingsStoreTest, TheFirstOfARepeatedSectionOrKeyWinsAndDeletingTakesEveryCopy) {
    Given(
        "[Last]\nChoice=first\nchoice=second\n[Libraries]\n/"
        "a.h=Yes\n[LAST]\nChoice=third\nIntro=No\n"
        "[libraries]\n/b.h=Yes\n");
    EXPECT_EQ(Get("Last", "Choice"), "first");
    EXPECT_EQ(Get("Last", "Intro"), "dflt");
    EXPECT_EQ(KeysOf("Last"), (Keys{"Choice"}));
    EXPECT_EQ(KeysOf("Libraries"), (Keys{"/a.h"}));
    ASSERT_TRUE(Write("Last", "Choice", "written"));
    EXPECT_EQ(Get("Last", "Choice"), "written");

    // No older copy comes back.
    ASSERT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_EQ(Get("Last", "Choice"), "dflt");
    ASSERT_TRUE(DeleteSettingSection("Libraries", ini));
    EXPECT_TRUE(KeysOf("Libraries").empty());
    ASSERT_TRUE(Write("Libraries", "/c.h", "Yes"));
    EXPECT_EQ(Bytes(), "[Last]\n[LAST]\nChoice=third\nIntro=No\n\n[Libraries]\n/c.h=Yes\n");
}

TEST_F(SettingsStoreTest, OddLinesAreKeptAndTextThatWouldBreakTheFileIsRefused) {
    const std::string content = "stray=x\n[Last]\nno equals sign\n=no name\nUrl=a=b\n[Open\nk=v\n";
    Given(content);
    EXPECT_EQ(Get("Last", "stray"), "dflt");
    EXPECT_EQ(Get("Last", "Url"), "a=b");
    EXPECT_EQ(Get("Last", "no equals sign"), "");
    EXPECT_EQ(KeysOf("Last"), (Keys{"no equals sign", "Url"}));
    EXPECT_EQ(Get("Open", "k"), "v");

    for (const char* key : {"a=b", "", "; note", "[x]"}) {
        EXPECT_FALSE(Write("Last", key, "1")) << key;
    }
    EXPECT_FALSE(Write("La]st", "k", "1"));
    EXPECT_FALSE(Write("Li\nbs", "k", "1"));
    EXPECT_FALSE(Write("Last", "Choice", "g(y)\n[Libraries]\n/evil.h=Yes"));
    EXPECT_FALSE(Write("Last", "Choice", "g(y)\r"));
    // Deleting what is not there changes nothing either.
    ASSERT_TRUE(DeleteSettingKey("Last", "Missing", ini));
    ASSERT_TRUE(DeleteSettingKey("Nowhere", "Url", ini));
    ASSERT_TRUE(DeleteSettingSection("Nowhere", ini));
    EXPECT_EQ(Bytes(), content);

    ASSERT_TRUE(Write("Last", "Intro", "No"));
    EXPECT_EQ(Bytes(),
              "stray=x\n[Last]\nno equals sign\n=no name\nUrl=a=b\nIntro=No\n[Open\nk=v\n");
}

TEST_F(SettingsStoreTest, ReplacingASectionRewritesItAtTheEndInOneGo) {
    Given(
        "[Libraries]\r\n/b.s=Yes\r\n/gone.h=Yes\r\n[Last]\r\nLibrary=/b.s\r\n[libraries]\r\n/"
        "x.h=Yes\r\n");
    ASSERT_TRUE(ReplaceSettingSection(
        "Libraries", {{"/a.h", "Yes"}, {"/A.H", "Yes"}, {"bad=key", "Yes"}, {"/b.s", "Yes"}}, ini));
    // Every copy of the section goes; a name repeated ignoring case and one
    // that cannot be a key name are left out; the file keeps its line ends.
    EXPECT_EQ(Bytes(), "[Last]\r\nLibrary=/b.s\r\n\r\n[Libraries]\r\n/a.h=Yes\r\n/b.s=Yes\r\n");
    ASSERT_TRUE(ReplaceSettingSection("Libraries", {}, ini));
    EXPECT_EQ(Bytes(), "[Last]\r\nLibrary=/b.s\r\n\r\n");

    // With nothing to write, no file is created.
    EXPECT_TRUE(ReplaceSettingSection("Libraries", {}, scratch.PathOf("absent.ini")));
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini"}));
}

TEST_F(SettingsStoreTest, AFailedWriteLeavesEverythingAsItWas) {
    // The settings path is a folder, its folder is a plain file, or it is missing.
    const std::string folder = scratch.MakeFolder("Quill.ini");
    scratch.Write("Quill.ini/inside.txt", "keep");
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", folder));
    EXPECT_FALSE(DeleteSettingSection("Last", folder));
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, folder), "dflt");
    EXPECT_EQ(FolderEntries(folder), (Keys{"inside.txt"}));
    const std::string plain = scratch.Write("plain", "not a folder");
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", plain + "/Quill.ini"));
    EXPECT_EQ(ReadBytes(plain), "not a folder");
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", scratch.PathOf("missing/Quill.ini")));
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", ""));
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini", "plain"}));

#ifndef _WIN32
    if (geteuid() != 0) {  // permission bits do not stop the super-user
        const std::string locked = scratch.MakeFolder("locked");
        const std::string file = scratch.Write("locked/Quill.ini", "[Last]\nIntro=No\n");
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteSetting("Last", "Intro", "Yes", file));
        EXPECT_FALSE(DeleteSettingKey("Last", "Intro", file));
        fs::permissions(locked, fs::perms::owner_all);
        EXPECT_EQ(FolderEntries(locked), (Keys{"Quill.ini"}));
        // A settings file marked read-only is not replaced either.
        fs::permissions(file, fs::perms::owner_read);
        EXPECT_FALSE(WriteSetting("Last", "Intro", "Yes", file));
        EXPECT_EQ(ReadBytes(file), "[Last]\nIntro=No\n");
    }
#endif
}

#ifndef _WIN32
TEST_F(SettingsStoreTest, WritesLeaveNoTemporaryFilesAndKeepTheModeAndTheLink) {
    const std::string real = scratch.Write("real/Quill.ini", "[Last]\nIntro=No\n");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, mode);
    fs::create_symlink(real, ini);
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(Write("Libraries", "/lib/" + std::to_string(i) + ".h", "Yes"));
    }
    ASSERT_TRUE(DeleteSettingKey("Libraries", "/lib/7.h", ini));
    ASSERT_TRUE(DeleteSettingSection("Libraries", ini));
    ASSERT_TRUE(Write("Last", "Intro", "Yes"));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(ReadBytes(real), "[Last]\nIntro=Yes\n\n");
    EXPECT_EQ(fs::status(real).permissions(), mode);
    EXPECT_EQ(FolderEntries(scratch.PathOf("real")), (Keys{"Quill.ini"}));
}
#endif

TEST(ChooseSettingsFolder, AProgramFolderThatTakesNoNewFilesStillKeepsAWritableFile) {
    SettingsFolderFacts facts{"/opt/quill/", "/home/dev/.config/Quill/", false, true, true};
    EXPECT_EQ(ChooseSettingsFolder(facts), "/opt/quill/");
    facts.fileWritableInProgramFolder = false;
    EXPECT_EQ(ChooseSettingsFolder(facts), "/home/dev/.config/Quill/");
}

TEST(LocateSettingsFile, TheProgramFolderWhenWritableElseTheConfigFolder) {
    testing::ScratchFolder scratch;
    const std::string program = scratch.MakeFolder("bin");
    const std::string config = scratch.PathOf("config");
    // Separators are added where missing; an unused config folder is not made.
    EXPECT_EQ(LocateSettingsFile(program, config), (fs::path(program) / "Quill.ini").string());
    EXPECT_EQ(LocateSettingsFile(program + "/", config), program + "/Quill.ini");
    EXPECT_FALSE(fs::exists(config));
    scratch.Write("bin/Quill.ini", "[Libraries]\n/usr/share/quill/uart.h=Yes\n");
    const SettingsFolderFacts facts = GatherSettingsFolderFacts(program, config);
    EXPECT_TRUE(facts.programFolderWritable && facts.fileExistsInProgramFolder &&
                facts.fileWritableInProgramFolder);

    // A folder that is not there cannot take a file.
    const std::string gone = scratch.PathOf("gone/bin/");
    EXPECT_EQ(LocateSettingsFile(gone, config), config + "/Quill.ini");
    EXPECT_TRUE(fs::is_directory(config));

    // As if the program folder were read-only for this user: its settings
    // carry over once, and later changes in the user's copy stay.
    SettingsFolderFacts readOnly = GatherSettingsFolderFacts(program, scratch.PathOf("user"));
    readOnly.programFolderWritable = false;
    readOnly.fileWritableInProgramFolder = false;
    const std::string copy = PrepareSettingsFile(readOnly);
    ASSERT_EQ(copy, scratch.PathOf("user") + "/Quill.ini");
    EXPECT_EQ(GetAllSettingKeys("Libraries", copy), (Keys{"/usr/share/quill/uart.h"}));
    ASSERT_TRUE(DeleteSettingSection("Libraries", copy));
    EXPECT_EQ(PrepareSettingsFile(readOnly), copy);
    EXPECT_TRUE(GetAllSettingKeys("Libraries", copy).empty());

    // A config folder that cannot be made falls back to the program folder.
    readOnly.configFolder = scratch.Write("blocker", "a file") + "/Quill/";
    EXPECT_EQ(PrepareSettingsFile(readOnly), program + "/Quill.ini");
}

}  // namespace
}  // namespace quill
