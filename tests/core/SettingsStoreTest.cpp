// The settings file: its access layer and where it is kept.

#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ScratchFolder.h"
#include "core/files/UpdateLock.h"
#include "core/settings/SettingsLocation.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;

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
    std::string Bytes() const {
        std::ifstream in(ini, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& dflt = "dflt", std::size_t limit = 1000) const {
        return GetSetting(section, key, dflt, limit, ini);
    }
    bool Write(const std::string& section, const std::string& key, const std::string& value) {
        return static_cast<bool>(WriteSetting(section, key, value, ini));
    }
    Keys KeysOf(const std::string& section) const { return GetAllSettingKeys(section, ini); }
};

TEST_F(SettingsStoreTest, AMissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(Get("Last", "Intro", "yes", 1023), "yes");
    EXPECT_TRUE(KeysOf("Libraries").empty());
    // Deleting from a file that is not there creates nothing.
    EXPECT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_TRUE(ReplaceSettingSection("Libraries", {}, ini));
    // Nor does a write whose folder is missing.
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", scratch.PathOf("missing/Quill.ini")));
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", ""));
    EXPECT_EQ(FolderEntries(scratch.Root()), Keys{});

    ASSERT_TRUE(Write("Last", "AppPath", "/opt/quill/"));
    ASSERT_TRUE(Write("Last", "Choice", "void Init(int a, char *b)"));
    ASSERT_TRUE(Write("Libraries", "C:\\lib\\uart.h", "Yes"));
    ASSERT_TRUE(Write("Last", "Intro", ""));
    // Present but empty is not missing.
    EXPECT_EQ(Get("Last", "Intro", "yes"), "");
    EXPECT_EQ(Get("Other", "Choice"), "dflt");
    // Values are cut to the read limit, its last byte kept for the end.
    EXPECT_EQ(Get("Last", "AppPath", "", 6), "/opt/");
    EXPECT_EQ(Bytes(),
              "[Last]\nAppPath=/opt/quill/\nChoice=void Init(int a, char *b)\nIntro=\n"
              "\n[Libraries]\nC:\\lib\\uart.h=Yes\n");
}

TEST_F(SettingsStoreTest, NamesMatchIgnoringCaseAndTheWriterSpellingWins) {
    Given("[Last]\nChoice=old\nIntro=No\n");
    EXPECT_EQ(Get("LAST", "choice"), "old");
    ASSERT_TRUE(Write("lAsT", "CHOICE", "new"));
    EXPECT_EQ(Bytes(), "[Last]\nCHOICE=new\nIntro=No\n");

    ASSERT_TRUE(DeleteSettingKey("LAST", " intro", ini));
    EXPECT_EQ(Bytes(), "[Last]\nCHOICE=new\n");
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
}

TEST_F(SettingsStoreTest, RepeatedSectionsReadAsOneAndNoCopyIsDroppedOrComesBack) {
    Given(
        "[Last]\nChoice=first\nchoice=second\n[Libraries]\n/a.h=Yes\n[LAST]\nChoice=third\n"
        "Intro=No\n[libraries]\n/b.h=Yes\n/A.H=Yes\n");
    EXPECT_EQ(Get("Last", "Choice"), "first");
    EXPECT_EQ(KeysOf("Last"), (Keys{"Choice", "Intro"}));
    EXPECT_EQ(KeysOf("Libraries"), (Keys{"/a.h", "/b.h"}));
    ASSERT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_EQ(Get("Last", "Choice"), "dflt");

    // The library list is rewritten from what was read: both copies' entries
    // end up in one section.
    ASSERT_TRUE(ReplaceSettingSection("Libraries", {{"/a.h", "Yes"}, {"/b.h", "Yes"}}, ini));
    EXPECT_EQ(Bytes(), "[Last]\n[LAST]\nIntro=No\n\n[Libraries]\n/a.h=Yes\n/b.h=Yes\n");
}

TEST_F(SettingsStoreTest, OddLinesAreKeptAndTextThatWouldBreakTheFileIsRefused) {
    const std::string content = "stray=x\n[Last]\nno equals sign\n=no name\nUrl=a=b\n[Open\nk=v\n";
    Given(content);
    EXPECT_EQ(Get("Last", "stray") + Get("Last", "Url") + Get("Open", "k"), "dflta=bv");
    EXPECT_EQ(KeysOf("Last"), (Keys{"no equals sign", "Url"}));

    for (const char* key : {"a=b", "", "; note", "[x]", " lead", "trail ", "\ttab"}) {
        EXPECT_FALSE(Write("Last", key, "1")) << key;
    }
    EXPECT_FALSE(Write("La]st", "k", "1"));
    EXPECT_FALSE(Write("Last", "Choice", "g(y)\n[Libraries]\n/evil.h=Yes"));
    ASSERT_TRUE(DeleteSettingKey("Nowhere", "Url", ini));
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

    // Nothing is left behind but the lock.
    EXPECT_EQ(FolderEntries(scratch.Root()), (Keys{"Quill.ini", "Quill.ini.lock"}));
}

TEST_F(SettingsStoreTest, FilesWithAByteOrderMarkAreWrittenBackInTheirEncoding) {
    auto utf16 = [](const std::u16string& text, bool little) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += little ? low : high;
            bytes += little ? high : low;
        }
        return bytes;
    };
    const std::u16string before =
        u"[Last]\r\nIntro=No\r\n[Libraries]\r\nC:\\B\u00FCcher\\\U0001F600.h=Yes\r\n";
    for (const bool little : {true, false}) {
        SCOPED_TRACE(little ? "UTF-16LE" : "UTF-16BE");
        Given(utf16(before, little));
        EXPECT_EQ(Get("Last", "Intro"), "No");
        EXPECT_EQ(KeysOf("Libraries"), Keys{"C:\\B\xC3\xBC"
                                            "cher\\\xF0\x9F\x98\x80.h"});
        ASSERT_TRUE(Write("Libraries", "C:\\\xC3\xA9t\xC3\xA9.h", "Yes"));
        EXPECT_EQ(Bytes(), utf16(before + u"C:\\\u00E9t\u00E9.h=Yes\r\n", little));
        // Bytes that are no UTF-8 cannot go into the file without spoiling it.
        EXPECT_FALSE(Write("Last", "Library", "C:\\\xE9t\xE9.h"));
        EXPECT_EQ(Bytes(), utf16(before + u"C:\\\u00E9t\u00E9.h=Yes\r\n", little));
    }
}

#ifndef _WIN32
// The wait for the lock ends at its deadline, not before and not much after.
TEST_F(SettingsStoreTest, AWaitForTheLockEndsAtItsDeadline) {
    const UpdateLock held(scratch.PathOf("Quill.ini.lock"), std::chrono::milliseconds(0));
    ASSERT_TRUE(held.Held());
    const auto started = std::chrono::steady_clock::now();
    const UpdateLock waiting(scratch.PathOf("Quill.ini.lock"), std::chrono::milliseconds(300));
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_FALSE(waiting.Held());
    EXPECT_EQ(waiting.Error(), ETIMEDOUT);
    EXPECT_GE(waited, std::chrono::milliseconds(300));
    EXPECT_LT(waited, std::chrono::milliseconds(1000));
}
#endif

TEST(LocateSettingsFile, TheProgramFolderWhenWritableElseTheConfigFolder) {
    testing::ScratchFolder scratch;
    const std::string program = scratch.MakeFolder("bin");
    const std::string config = scratch.PathOf("config");
    // Separators are added where missing; an unused config folder is not made.
    EXPECT_EQ(LocateSettingsFile(program, config), (fs::path(program) / "Quill.ini").string());
    EXPECT_FALSE(fs::exists(config));
    scratch.Write("bin/Quill.ini", "[Libraries]\n/usr/share/quill/uart.h=Yes\n");
    // A folder that is not there cannot take a file.
    EXPECT_EQ(LocateSettingsFile(scratch.PathOf("gone/bin/"), config), config + "/Quill.ini");

    // As if the program folder were read-only: the settings carry over once
    // (SharedSettingsTest does it for real), later changes in the copy stay.
    SettingsFolderFacts readOnly = GatherSettingsFolderFacts(program, scratch.PathOf("user"));
    readOnly.programFolderWritable = false;
    const std::string copy = PrepareSettingsFile(readOnly);
    ASSERT_TRUE(ReplaceSettingSection("Libraries", {}, copy));
    EXPECT_EQ(PrepareSettingsFile(readOnly), copy);
    EXPECT_TRUE(GetAllSettingKeys("Libraries", copy).empty());

    // A config folder that cannot be made falls back to the program folder.
    readOnly.configFolder = scratch.Write("blocker", "a file") + "/Quill/";
    EXPECT_EQ(PrepareSettingsFile(readOnly), program + "/Quill.ini");
}

}  // namespace
}  // namespace quill
