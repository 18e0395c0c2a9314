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
#include "core/text/TextOps.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;

std::string BytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::string kOrdered =
    "[Libraries]\n/z.h=Yes\n/a.h=Yes\n; old\n/m.s=Yes\n\n; next\n[Last]\nLibrary=/z.h\n";
const std::string kWindowsHead = "\xEF\xBB\xBF; by hand\r\n[Last]\r\n  AppPath = c:\\tools\\  \r\n";
const std::string kWindowsTail =
    "; Choice=old\r\n\r\n[ Libraries ]\r\nC:\\uart.h=Yes\r\nC:\\tmr.s79=Yes";
const std::string kWindows = kWindowsHead + "Intro\t=\tYES\r\n" + kWindowsTail;
const std::string kOdd = "stray=x\n[Last]\nno equals sign\n=no name\nUrl=a=b\n[Open\nk=v\n";
const std::string kRepeated =
    "[Last]\nChoice=first\nchoice=second\n[Libraries]\n/a.h=Yes\n[LAST]\nChoice=third\n"
    "Intro=No\n[libraries]\n/b.h=Yes\n/A.H=Yes\n";

// A key's value ("dflt" when missing), or with key "*" every key of the
// section joined by "|".
TEST(SettingsStore, ReadsValuesAndKeysAsWrittenByHandOrByOthers) {
    const struct {
        std::string given, section, key, read;
    } cases[] = {
        {"[Last]\nChoice=old\n", "LAST", "choice", "old"},
        {"[Last]\nIntro=\n", "Last", "Intro", ""},  // present but empty is not missing
        {"[Last]\nChoice=old\n", "Other", "Choice", "dflt"},
        {kOrdered, "Libraries", "*", "/z.h|/a.h|/m.s"},
        {kWindows, "Last", "AppPath", "c:\\tools\\"},
        {kWindows, "Last", "Intro", "YES"},
        {kWindows, "Last", "*", "AppPath|Intro"},
        {kWindows, "Libraries", "*", "C:\\uart.h|C:\\tmr.s79"},
        {kOdd, "Last", "stray", "dflt"},
        {kOdd, "Last", "Url", "a=b"},
        {kOdd, "Open", "k", "v"},
        {kOdd, "Last", "*", "no equals sign|Url"},
        {kRepeated, "Last", "Choice", "first"},  // repeated sections read as one
        {kRepeated, "Last", "*", "Choice|Intro"},
        {kRepeated, "Libraries", "*", "/a.h|/b.h"},
    };
    testing::ScratchFolder scratch;
    const std::string ini = scratch.PathOf("Quill.ini");
    for (const auto& c : cases) {
        scratch.Write("Quill.ini", c.given);
        std::string read;
        for (const std::string& key : GetAllSettingKeys(c.section, ini)) {
            read += (read.empty() ? "" : "|") + key;
        }
        EXPECT_EQ(c.key == "*" ? read : GetSetting(c.section, c.key, "dflt", 99, ini), c.read)
            << c.given << " " << c.key;
    }
    // Values are cut to the limit, its last byte kept for the end.
    EXPECT_EQ(GetSetting("Last", "AppPath", "", 5, scratch.Write("Quill.ini", kWindows)), "c:\\t");
}

// Each change to a file of `given` bytes is taken; the bytes after it.
TEST(SettingsStore, ChangesKeepEveryOtherByteAndRefuseWhatWouldBreakTheFile) {
    const struct {
        std::string given;
        char op;  // 'w' write, 'd' delete, 'r' replace the section by the keys "|" joins
        std::string section, key, value;
        std::string after;
    } cases[] = {
        // Names match ignoring case; the writer's spelling wins.
        {"[Last]\nChoice=old\nIntro=No\n", 'w', "lAsT", "CHOICE", "new",
         "[Last]\nCHOICE=new\nIntro=No\n"},
        {"[Last]\nChoice=x\nIntro=No\n", 'd', "LAST", " intro", "", "[Last]\nChoice=x\n"},
        // New keys go to the end of their section, new sections to the end.
        {kOrdered, 'w', "Libraries", "/b.h", "Yes",
         "[Libraries]\n/z.h=Yes\n/a.h=Yes\n; old\n/m.s=Yes\n/b.h=Yes\n\n; next\n[Last]\n"
         "Library=/z.h\n"},
        {kOrdered, 'w', "Help", "Url", "/doc/", kOrdered + "\n[Help]\nUrl=/doc/\n"},
        // Line ends, comments and the mark at the start stay as they were.
        {kWindows, 'w', "Last", "Intro", "No", kWindowsHead + "Intro=No\r\n" + kWindowsTail},
        {kWindows, 'w', "Libraries", "C:\\adc.h", "Yes", kWindows + "\r\nC:\\adc.h=Yes\r\n"},
        {kWindows, 'w', "Last2", "x", "1", kWindows + "\r\n\r\n[Last2]\r\nx=1\r\n"},
        {kOdd, 'w', "Last", "Intro", "No",
         "stray=x\n[Last]\nno equals sign\n=no name\nUrl=a=b\nIntro=No\n[Open\nk=v\n"},
        {kOdd, 'd', "Nowhere", "Url", "", kOdd},
        // Every copy of a repeated key goes.
        {kRepeated, 'd', "Last", "Choice", "",
         "[Last]\n[Libraries]\n/a.h=Yes\n[LAST]\nIntro=No\n[libraries]\n/b.h=Yes\n/A.H=Yes\n"},
        // A replaced section: every copy goes, the new one at the end; a name
        // repeated ignoring case and one that cannot be a key are left out.
        {"[Libraries]\r\n/b.s=Yes\r\n/gone.h=Yes\r\n[Last]\r\nLibrary=/b.s\r\n"
         "[libraries]\r\n/x.h=Yes\r\n",
         'r', "Libraries", "", "/a.h|/A.H|bad=key|/b.s",
         "[Last]\r\nLibrary=/b.s\r\n\r\n[Libraries]\r\n/a.h=Yes\r\n/b.s=Yes\r\n"},
        {"[Last]\r\nLibrary=/b.s\r\n\r\n[Libraries]\r\n/a.h=Yes\r\n", 'r', "Libraries", "", "",
         "[Last]\r\nLibrary=/b.s\r\n\r\n"},
    };
    testing::ScratchFolder scratch;
    const std::string ini = scratch.PathOf("Quill.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.op) + " [" + c.section + "] " + c.key + "=" + c.value);
        scratch.Write("Quill.ini", c.given);
        std::vector<std::pair<std::string, std::string>> keys;
        for (const std::string& key : c.value.empty() ? Keys{} : SplitAtEvery(c.value, '|')) {
            keys.emplace_back(key, "Yes");
        }
        const bool taken = c.op == 'w'   ? bool(WriteSetting(c.section, c.key, c.value, ini))
                           : c.op == 'd' ? bool(DeleteSettingKey(c.section, c.key, ini))
                                         : bool(ReplaceSettingSection(c.section, keys, ini));
        EXPECT_TRUE(taken);
        EXPECT_EQ(BytesOf(ini), c.after);
    }
    scratch.Write("Quill.ini", kOdd);
    for (const char* key : {"a=b", "", "; note", "[x]", " lead", "trail ", "\ttab"}) {
        EXPECT_FALSE(WriteSetting("Last", key, "1", ini)) << key;
    }
    EXPECT_FALSE(WriteSetting("La]st", "k", "1", ini));
    EXPECT_FALSE(WriteSetting("Last", "Choice", "g(y)\n[Libraries]\n/evil.h=Yes", ini));
    EXPECT_EQ(BytesOf(ini), kOdd);
    // Nothing is left behind but the lock.
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.Root()), {}), 2);
    EXPECT_TRUE(fs::exists(ini + ".lock"));
}

TEST(SettingsStore, AMissingFileIsMadeByTheFirstWriteOnly) {
    testing::ScratchFolder scratch;
    const std::string ini = scratch.PathOf("Quill.ini");
    EXPECT_TRUE(DeleteSettingKey("Last", "Choice", ini));
    EXPECT_TRUE(ReplaceSettingSection("Libraries", {}, ini));
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", scratch.PathOf("missing/Quill.ini")));
    EXPECT_FALSE(WriteSetting("Last", "Intro", "No", ""));
    EXPECT_TRUE(fs::is_empty(scratch.Root()));
    ASSERT_TRUE(WriteSetting("Last", "Choice", "void Init(int a, char *b)", ini));
    ASSERT_TRUE(WriteSetting("Libraries", "C:\\lib\\uart.h", "Yes", ini));
    EXPECT_EQ(BytesOf(ini),
              "[Last]\nChoice=void Init(int a, char *b)\n\n[Libraries]\nC:\\lib\\uart.h=Yes\n");
}

TEST(SettingsStore, FilesWithAByteOrderMarkAreWrittenBackInTheirEncoding) {
    auto utf16 = [](const std::u16string& text, bool little) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += little ? low : high;
            bytes += little ? high : low;
        }
        return bytes;
    };
    testing::ScratchFolder scratch;
    const std::string ini = scratch.PathOf("Quill.ini");
    const std::u16string before =
        u"[Last]\r\nIntro=No\r\n[Libraries]\r\nC:\\B\u00FCcher\\\U0001F600\xD800.h=Yes\r\n";
    for (const bool little : {true, false}) {
        SCOPED_TRACE(little ? "UTF-16LE" : "UTF-16BE");
        scratch.Write("Quill.ini", utf16(before, little));
        EXPECT_EQ(GetSetting("Last", "Intro", "", 9, ini), "No");
        // A lone surrogate is kept as its unit both ways.
        EXPECT_EQ(GetAllSettingKeys("Libraries", ini),
                  Keys{"C:\\B\xC3\xBC"
                       "cher\\\xF0\x9F\x98\x80\xED\xA0\x80.h"});
        ASSERT_TRUE(WriteSetting("Libraries", "C:\\\xC3\xA9t\xC3\xA9.h", "Yes", ini));
        EXPECT_EQ(BytesOf(ini), utf16(before + u"C:\\\u00E9t\u00E9.h=Yes\r\n", little));
        // Bytes that are no UTF-8 cannot go into the file without spoiling it.
        EXPECT_FALSE(WriteSetting("Last", "Library", "C:\\\xE9t\xE9.h", ini));
        EXPECT_EQ(BytesOf(ini), utf16(before + u"C:\\\u00E9t\u00E9.h=Yes\r\n", little));
    }
}

#ifndef _WIN32
// The wait for the lock ends at its deadline, not before and not much after.
TEST(UpdateLock, AWaitForTheLockEndsAtItsDeadline) {
    testing::ScratchFolder scratch;
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
    EXPECT_EQ(LocateSettingsFile(program, config), program + "/Quill.ini");
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
