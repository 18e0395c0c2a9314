#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ScratchFolder.h"
#include "app/SettingsStore.h"

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

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool RunningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return geteuid() == 0;
#endif
}

class SettingsStoreTest : public ::testing::Test {
protected:
    testing::ScratchFolder scratch{"QuillSettings"};
    std::string ini = scratch.PathOf("Quill.ini");
};

TEST_F(SettingsStoreTest, MissingFileGivesDefaultsAndNoKeys) {
    EXPECT_EQ(GetSetting("Last", "Intro", "yes", 1023, ini), "yes");
    EXPECT_TRUE(GetSettingKeys("Libraries", 10000, ini).empty());
    EXPECT_TRUE(GetAllSettingKeys("Libraries", ini).empty());
    // Deleting from a file that is not there does not create it.
    EXPECT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_TRUE(DeleteSettingSection("Libraries", ini));
    EXPECT_FALSE(fs::exists(ini));
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFileAndValuesRoundTrip) {
    ASSERT_TRUE(WriteSetting("Last", "AppPath", "/opt/quill/", ini));
    EXPECT_EQ(ReadBytes(ini), "[Last]\nAppPath=/opt/quill/\n");

    ASSERT_TRUE(WriteSetting("Last", "Choice", "void Init(int a, char *b)", ini));
    ASSERT_TRUE(WriteSetting("Libraries", "C:\\lib\\uart.h", "Yes", ini));
    ASSERT_TRUE(WriteSetting("Last", "Intro", "", ini));

    EXPECT_EQ(GetSetting("Last", "Choice", "", 10000, ini), "void Init(int a, char *b)");
    EXPECT_EQ(GetSetting("Libraries", "C:\\lib\\uart.h", "", 1000, ini), "Yes");
    // Present but empty is not missing.
    EXPECT_EQ(GetSetting("Last", "Intro", "yes", 1023, ini), "");
    EXPECT_EQ(GetSetting("Last", "Browser", "dflt", 1000, ini), "dflt");
    EXPECT_EQ(GetSetting("Other", "Choice", "dflt", 1000, ini), "dflt");
    EXPECT_EQ(ReadBytes(ini),
              "[Last]\nAppPath=/opt/quill/\nChoice=void Init(int a, char *b)\nIntro=\n"
              "\n[Libraries]\nC:\\lib\\uart.h=Yes\n");
}

TEST_F(SettingsStoreTest, NamesMatchIgnoringCaseAndTheWriterSpellingWins) {
    scratch.Write("Quill.ini", "[Last]\nChoice=old\nIntro=No\n");
    EXPECT_EQ(GetSetting("LAST", "choice", "", 100, ini), "old");
    EXPECT_EQ(GetSetting("last", "INTRO", "", 100, ini), "No");

    ASSERT_TRUE(WriteSetting("lAsT", "CHOICE", "new", ini));
    // The existing line is rewritten, with the name as the caller spelt it;
    // the section header keeps its spelling.
    EXPECT_EQ(ReadBytes(ini), "[Last]\nCHOICE=new\nIntro=No\n");
    EXPECT_EQ(GetAllSettingKeys("last", ini), (Keys{"CHOICE", "Intro"}));

    ASSERT_TRUE(DeleteSettingKey("LAST", "intro", ini));
    ASSERT_TRUE(WriteSetting("Libraries", "/Lib/A.h", "Yes", ini));
    ASSERT_TRUE(WriteSetting("LIBRARIES", "/lib/a.H", "Yes", ini));
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Keys{"/lib/a.H"}));
    ASSERT_TRUE(DeleteSettingSection("libraries", ini));
    EXPECT_EQ(ReadBytes(ini), "[Last]\nCHOICE=new\n\n");
}

TEST_F(SettingsStoreTest, KeysComeInFileOrderAndNewOnesGoToTheEndOfTheirSection) {
    scratch.Write("Quill.ini",
                  "[Libraries]\n/z.h=Yes\n/a.h=Yes\n; old entries\n/m.s=Yes\n\n"
                  "; the last ones\n[Last]\nLibrary=/z.h\n");
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Keys{"/z.h", "/a.h", "/m.s"}));

    ASSERT_TRUE(WriteSetting("Libraries", "/b.h", "Yes", ini));
    ASSERT_TRUE(WriteSetting("Last", "Choice", "f(x)", ini));
    ASSERT_TRUE(WriteSetting("Help", "Url", "/doc/", ini));
    EXPECT_EQ(ReadBytes(ini),
              "[Libraries]\n/z.h=Yes\n/a.h=Yes\n; old entries\n/m.s=Yes\n/b.h=Yes\n\n"
              "; the last ones\n[Last]\nLibrary=/z.h\nChoice=f(x)\n\n[Help]\nUrl=/doc/\n");
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Keys{"/z.h", "/a.h", "/m.s", "/b.h"}));

    // A key added to a section that has only its header goes right after it.
    scratch.Write("Quill.ini", "[Empty]\n\n[Last]\nIntro=No\n");
    ASSERT_TRUE(WriteSetting("Empty", "k", "v", ini));
    EXPECT_EQ(ReadBytes(ini), "[Empty]\nk=v\n\n[Last]\nIntro=No\n");
}

TEST_F(SettingsStoreTest, ValuesAreCutToTheReadLimit) {
    ASSERT_TRUE(WriteSetting("Last", "Choice", "abcdefghij", ini));
    EXPECT_EQ(GetSetting("Last", "Choice", "", 11, ini), "abcdefghij");
    EXPECT_EQ(GetSetting("Last", "Choice", "", 10, ini), "abcdefghi");
    EXPECT_EQ(GetSetting("Last", "Choice", "", 2, ini), "a");
    EXPECT_EQ(GetSetting("Last", "Choice", "", 1, ini), "");
    EXPECT_EQ(GetSetting("Last", "Choice", "", 0, ini), "");
    // The default is cut the same way.
    EXPECT_EQ(GetSetting("Last", "Browser", "c:\\Program Files", 6, ini), "c:\\Pr");

    const std::string longValue(5000, 'v');
    ASSERT_TRUE(WriteSetting("Last", "Library", longValue, ini));
    EXPECT_EQ(GetSetting("Last", "Library", "", 1000, ini), longValue.substr(0, 999));
    EXPECT_EQ(GetSetting("Last", "Library", "", 10000, ini), longValue);
}

TEST_F(SettingsStoreTest, KeyNamesStopWhereTheyNoLongerFitTheLimit) {
    scratch.Write("Quill.ini", "[Libraries]\nabc=Yes\ndefg=Yes\nhi=Yes\n");
    // "abc" and "defg" with their terminators take 9 bytes, plus one for the
    // end of the list.
    EXPECT_EQ(GetSettingKeys("Libraries", 10, ini), (Keys{"abc", "defg"}));
    EXPECT_EQ(GetSettingKeys("Libraries", 9, ini), (Keys{"abc"}));
    EXPECT_EQ(GetSettingKeys("Libraries", 5, ini), (Keys{"abc"}));
    EXPECT_EQ(GetSettingKeys("Libraries", 4, ini), Keys{});
    EXPECT_EQ(GetSettingKeys("Libraries", 0, ini), Keys{});
    EXPECT_EQ(GetSettingKeys("Libraries", 13, ini), (Keys{"abc", "defg", "hi"}));

    // A catalogue whose names exceed 10000 bytes loses the names beyond;
    // the unlimited listing still has them all.
    std::string content = "[Libraries]\n";
    for (int i = 0; i < 200; ++i) {
        content += "/home/developer/libraries/peripheral" + std::to_string(1000 + i) +
                   "/include/driver.h=Yes\n";
    }
    scratch.Write("Quill.ini", content);
    const Keys limited = GetSettingKeys("Libraries", 10000, ini);
    const Keys all = GetAllSettingKeys("Libraries", ini);
    ASSERT_EQ(all.size(), 200u);
    const std::size_t each = all[0].size() + 1;  // every name has the same length
    EXPECT_EQ(limited.size(), 9999 / each);
    EXPECT_TRUE(std::equal(limited.begin(), limited.end(), all.begin()));
}

TEST_F(SettingsStoreTest, ReadsFilesWrittenTheWindowsWay) {
    const std::string windowsFile =
        "\xEF\xBB\xBF; written by hand\r\n"
        "[Last]\r\n"
        "  AppPath = c:\\tools\\quill\\  \r\n"
        "Intro\t=\tYES\r\n"
        "; Choice=commented out\r\n"
        "\r\n"
        "[ Libraries ]\r\n"
        "C:\\lib\\uart.h=Yes\r\n"
        "C:\\lib\\tmr.s79=Yes";  // no line end after the last line
    scratch.Write("Quill.ini", windowsFile);
    EXPECT_EQ(GetSetting("Last", "AppPath", "", 1000, ini), "c:\\tools\\quill\\");
    EXPECT_EQ(GetSetting("Last", "Intro", "", 1000, ini), "YES");
    EXPECT_EQ(GetSetting("Last", "Choice", "none", 1000, ini), "none");
    EXPECT_EQ(GetAllSettingKeys("Last", ini), (Keys{"AppPath", "Intro"}));
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Keys{"C:\\lib\\uart.h", "C:\\lib\\tmr.s79"}));

    // Writes keep the line ends, the comments, the mark at the start and
    // every untouched line as they were.
    ASSERT_TRUE(WriteSetting("Last", "Intro", "No", ini));
    ASSERT_TRUE(WriteSetting("Libraries", "C:\\lib\\adc.h", "Yes", ini));
    EXPECT_EQ(ReadBytes(ini),
              "\xEF\xBB\xBF; written by hand\r\n"
              "[Last]\r\n"
              "  AppPath = c:\\tools\\quill\\  \r\n"
              "Intro=No\r\n"
              "; Choice=commented out\r\n"
              "\r\n"
              "[ Libraries ]\r\n"
              "C:\\lib\\uart.h=Yes\r\n"
              "C:\\lib\\tmr.s79=Yes\r\n"
              "C:\\lib\\adc.h=Yes\r\n");

    ASSERT_TRUE(WriteSetting("Last2", "x", "1", ini));
    EXPECT_TRUE(ReadBytes(ini).ends_with("C:\\lib\\adc.h=Yes\r\n\r\n[Last2]\r\nx=1\r\n"));
}

TEST_F(SettingsStoreTest, SectionAtTheStartOfAFileWithAByteOrderMark) {
    scratch.Write("Quill.ini", "\xEF\xBB\xBF[Last]\nIntro=No\n");
    EXPECT_EQ(GetSetting("Last", "Intro", "", 100, ini), "No");
    ASSERT_TRUE(WriteSetting("Last", "Intro", "Yes", ini));
    EXPECT_EQ(ReadBytes(ini), "\xEF\xBB\xBF[Last]\nIntro=Yes\n");
}

TEST_F(SettingsStoreTest, TheFirstOfARepeatedSectionOrKeyWins) {
    scratch.Write("Quill.ini",
                  "[Last]\nChoice=first\nchoice=second\n"
                  "[Libraries]\n/a.h=Yes\n"
                  "[LAST]\nChoice=third\nIntro=No\n"
                  "[libraries]\n/b.h=Yes\n");
    EXPECT_EQ(GetSetting("Last", "Choice", "", 100, ini), "first");
    // Keys of the repeated section are not seen.
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, ini), "dflt");
    EXPECT_EQ(GetAllSettingKeys("Last", ini), (Keys{"Choice"}));
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Keys{"/a.h"}));

    ASSERT_TRUE(WriteSetting("Last", "Choice", "written", ini));
    EXPECT_EQ(GetSetting("Last", "Choice", "", 100, ini), "written");

    // Deleting the key takes every copy of it, so an older one does not
    // come back.
    ASSERT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_EQ(GetSetting("Last", "Choice", "gone", 100, ini), "gone");

    // Deleting the section takes every copy of it, so rebuilding the list
    // does not bring back a stale one.
    ASSERT_TRUE(DeleteSettingSection("Libraries", ini));
    EXPECT_TRUE(GetAllSettingKeys("Libraries", ini).empty());
    ASSERT_TRUE(WriteSetting("Libraries", "/c.h", "Yes", ini));
    EXPECT_EQ(GetAllSettingKeys("Libraries", ini), (Keys{"/c.h"}));
    EXPECT_EQ(ReadBytes(ini), "[Last]\n[LAST]\nChoice=third\nIntro=No\n\n[Libraries]\n/c.h=Yes\n");
}

TEST_F(SettingsStoreTest, DeletingTouchesOnlyWhatItNames) {
    const std::string content =
        "; settings\n[Last]\nLibrary=/a.h\nChoice=f(x)\n\n[Libraries]\n/a.h=Yes\n"
        "/b.h=Yes\n\n[Help]\nUrl=/doc/\n";
    scratch.Write("Quill.ini", content);

    ASSERT_TRUE(DeleteSettingKey("Last", "Missing", ini));
    ASSERT_TRUE(DeleteSettingKey("Nowhere", "Choice", ini));
    ASSERT_TRUE(DeleteSettingSection("Nowhere", ini));
    EXPECT_EQ(ReadBytes(ini), content);

    ASSERT_TRUE(DeleteSettingKey("Last", "Library", ini));
    EXPECT_EQ(ReadBytes(ini),
              "; settings\n[Last]\nChoice=f(x)\n\n[Libraries]\n/a.h=Yes\n/b.h=Yes\n\n"
              "[Help]\nUrl=/doc/\n");
    ASSERT_TRUE(DeleteSettingSection("Libraries", ini));
    EXPECT_EQ(ReadBytes(ini), "; settings\n[Last]\nChoice=f(x)\n\n[Help]\nUrl=/doc/\n");
    ASSERT_TRUE(DeleteSettingSection("Help", ini));
    EXPECT_EQ(ReadBytes(ini), "; settings\n[Last]\nChoice=f(x)\n\n");
}

TEST_F(SettingsStoreTest, LinesOfOddShapeAreKeptAndReadSensibly) {
    scratch.Write("Quill.ini",
                  "stray=before any section\n[Last]\nno equals sign\n=no name\n"
                  "Url=a=b\n[Unclosed\nk=v\n");
    EXPECT_EQ(GetSetting("Last", "stray", "dflt", 100, ini), "dflt");
    EXPECT_EQ(GetSetting("Last", "Url", "", 100, ini), "a=b");
    EXPECT_EQ(GetSetting("Last", "no equals sign", "dflt", 100, ini), "");
    EXPECT_EQ(GetAllSettingKeys("Last", ini), (Keys{"no equals sign", "Url"}));
    EXPECT_EQ(GetSetting("Unclosed", "k", "", 100, ini), "v");

    ASSERT_TRUE(WriteSetting("Last", "Intro", "No", ini));
    EXPECT_EQ(ReadBytes(ini),
              "stray=before any section\n[Last]\nno equals sign\n=no name\n"
              "Url=a=b\nIntro=No\n[Unclosed\nk=v\n");
}

TEST_F(SettingsStoreTest, TextThatWouldBreakTheFileIsRefused) {
    const std::string content = "[Last]\nChoice=f(x)\n";
    scratch.Write("Quill.ini", content);
    EXPECT_FALSE(WriteSetting("Last", "Choice", "g(y)\n[Libraries]\n/evil.h=Yes", ini));
    EXPECT_FALSE(WriteSetting("Last", "Choice", "g(y)\r", ini));
    EXPECT_FALSE(WriteSetting("Last", "a=b", "1", ini));
    EXPECT_FALSE(WriteSetting("Last", "", "1", ini));
    EXPECT_FALSE(WriteSetting("Last", "; note", "1", ini));
    EXPECT_FALSE(WriteSetting("Last", "[x]", "1", ini));
    EXPECT_FALSE(WriteSetting("La]st", "k", "1", ini));
    EXPECT_FALSE(WriteSetting("Li\nbs", "k", "1", ini));
    EXPECT_EQ(ReadBytes(ini), content);
}

TEST_F(SettingsStoreTest, AFailedWriteLeavesEverythingAsItWas) {
    // The settings path is a folder.
    const std::string folder = scratch.MakeFolder("Quill.ini");
    scratch.Write("Quill.ini/inside.txt", "keep");
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", folder));
    EXPECT_FALSE(DeleteSettingSection("Last", folder));
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, folder), "dflt");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(ReadBytes(scratch.PathOf("Quill.ini/inside.txt")), "keep");
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini"}));

    // The folder of the settings file is a plain file.
    const std::string plain = scratch.Write("plain", "not a folder");
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", plain + "/Quill.ini"));
    EXPECT_EQ(ReadBytes(plain), "not a folder");

    // The folder does not exist.
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", scratch.PathOf("missing/Quill.ini")));
    EXPECT_FALSE(fs::exists(scratch.PathOf("missing")));
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", ""));
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini", "plain"}));
}

TEST_F(SettingsStoreTest, ReplacingASectionRewritesItAtTheEndInOneGo) {
    std::ofstream(ini, std::ios::binary) << "[Libraries]\r\n/b.s=Yes\r\n/gone.h=Yes\r\n"
                                            "[Last]\r\nLibrary=/b.s\r\n"
                                            "[libraries]\r\n/old.h=Yes\r\n";
    ASSERT_TRUE(ReplaceSettingSection(
        "Libraries", {{"/a.h", "Yes"}, {"/A.H", "Yes"}, {"bad=key", "Yes"}, {"/b.s", "Yes"}}, ini));
    // Every copy of the section goes; a name repeated ignoring case and one
    // that cannot be a key name are left out; the file keeps its line ends.
    EXPECT_EQ(ReadBytes(ini),
              "[Last]\r\nLibrary=/b.s\r\n\r\n[Libraries]\r\n/a.h=Yes\r\n/b.s=Yes\r\n");
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini"}));

    ASSERT_TRUE(ReplaceSettingSection("Libraries", {}, ini));
    EXPECT_TRUE(GetAllSettingKeys("Libraries", ini).empty());
    EXPECT_EQ(GetSetting("Last", "Library", "", 1000, ini), "/b.s");

    // With nothing to write, no file is created.
    const std::string absent = scratch.PathOf("absent.ini");
    EXPECT_TRUE(ReplaceSettingSection("Libraries", {}, absent));
    EXPECT_FALSE(fs::exists(absent));
}

TEST_F(SettingsStoreTest, AFolderThatCannotBeWrittenKeepsTheOldFile) {
    if (RunningAsRoot()) {
        GTEST_SKIP() << "permission bits do not stop the super-user";
    }
    const std::string folder = scratch.MakeFolder("locked");
    const std::string file = scratch.Write("locked/Quill.ini", "[Last]\nIntro=No\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteSetting("Last", "Intro", "Yes", file));
    EXPECT_FALSE(DeleteSettingKey("Last", "Intro", file));
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(file), "[Last]\nIntro=No\n");
    EXPECT_EQ(FolderEntries(folder), (Keys{"Quill.ini"}));

    // A settings file marked read-only is not replaced either.
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_FALSE(WriteSetting("Last", "Intro", "Yes", file));
    EXPECT_EQ(GetSetting("Last", "Intro", "", 100, file), "No");
}

TEST_F(SettingsStoreTest, WritesLeaveNoTemporaryFilesAndKeepTheFileMode) {
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(WriteSetting("Libraries", "/lib/" + std::to_string(i) + ".h", "Yes", ini));
    }
    ASSERT_TRUE(DeleteSettingKey("Libraries", "/lib/7.h", ini));
    ASSERT_TRUE(DeleteSettingSection("Libraries", ini));
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini"}));

#ifndef _WIN32
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(ini, mode);
    ASSERT_TRUE(WriteSetting("Last", "Intro", "No", ini));
    EXPECT_EQ(fs::status(ini).permissions(), mode);
#endif
}

#ifndef _WIN32
TEST_F(SettingsStoreTest, WritingThroughALinkChangesTheFileItNames) {
    const std::string real = scratch.Write("real/Quill.ini", "[Last]\nIntro=No\n");
    fs::create_symlink(real, ini);
    ASSERT_TRUE(WriteSetting("Last", "Intro", "Yes", ini));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(ReadBytes(real), "[Last]\nIntro=Yes\n");
    EXPECT_EQ(FolderEntries(scratch.PathOf("real")), (Keys{"Quill.ini"}));
}
#endif

}  // namespace
}  // namespace quill
