// One settings file changed by several processes, and a program folder this
// user may not add files to. Each case runs the settings writer program.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "ScratchFolder.h"
#include "app/SettingsStore.h"
#include "source/TextOps.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int status = -1;
    std::string output;
};

// Starts the writer with `arguments` (paths without quotes) and returns a
// handle whose Finish() waits for it.
struct Started {
    FILE* pipe = nullptr;
    Finished Finish() {
        Finished run;
        char buffer[256];
        while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            run.output += buffer;
        }
        const int status = pipe != nullptr ? pclose(pipe) : -1;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        while (!run.output.empty() && run.output.back() == '\n') {
            run.output.pop_back();
        }
        return run;
    }
};

Started StartWriter(const std::string& prefix, const std::string& arguments) {
    const std::string command = prefix + "'" QUILL_SETTINGS_WRITER "' " + arguments;
    return Started{popen(command.c_str(), "r")};
}

TEST(SharedSettings, TwoProcessesWritingAtOnceLoseNoKey) {
    testing::ScratchFolder scratch;
    const std::string ini = scratch.Write("Quill.ini", "[Last]\nIntro=No\n");
    Started first = StartWriter("", "keys '" + ini + "' /lib/a 2");
    Started second = StartWriter("", "keys '" + ini + "' /lib/b 2");
    const Finished a = first.Finish();
    const Finished b = second.Finish();
    ASSERT_EQ(a.status, 0);
    ASSERT_EQ(b.status, 0);

    const std::vector<std::string> listed = GetAllSettingKeys("Libraries", ini);
    const std::set<std::string> keys(listed.begin(), listed.end());
    std::size_t missing = 0;
    for (const auto& [prefix, count] :
         {std::pair{"/lib/a", std::stoi(a.output)}, std::pair{"/lib/b", std::stoi(b.output)}}) {
        EXPECT_GT(count, 0);
        for (int i = 0; i < count; ++i) {
            missing += keys.count(prefix + std::to_string(i)) == 0;
        }
    }
    EXPECT_EQ(missing, 0u) << "of " << a.output << " + " << b.output << " keys";
    EXPECT_EQ(GetSetting("Last", "Intro", "", 100, ini), "No");
    EXPECT_EQ(keys.size(), listed.size());
}

// Permission bits do not stop the super-user, so as root the writer runs as
// the unprivileged user "nobody".
TEST(SharedSettings, AProgramFolderThatTakesNoNewFileSendsSettingsToTheConfigFolder) {
    std::string asUser;
    if (geteuid() == 0) {
        if (std::system("setpriv --version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "setpriv is needed to drop the super-user's rights";
        }
        asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    testing::ScratchFolder scratch;
    fs::permissions(scratch.Root(), fs::perms::all);
    const std::string program = scratch.MakeFolder("program");
    const std::string file = scratch.Write("program/Quill.ini", "[Libraries]\n/opt/uart.h=Yes\n");
    fs::permissions(file, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                              ~fs::perms::others_exec);
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
    fs::permissions(scratch.MakeFolder("home"), fs::perms::all);
    // The writer is copied where that user may run it.
    const std::string writer = scratch.PathOf("settings-writer");
    fs::copy_file(QUILL_SETTINGS_WRITER, writer);
    fs::permissions(writer, fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);

    const std::string config = scratch.PathOf("home/Quill");
    const std::string command =
        asUser + "'" + writer + "' locate '" + program + "' '" + config + "' Intro No";
    Started started{popen(command.c_str(), "r")};
    const Finished run = started.Finish();
    fs::permissions(program, fs::perms::owner_all);

    EXPECT_EQ(run.status, 0) << command;
    EXPECT_EQ(run.output, config + "/Quill.ini");
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, run.output), "No");
    EXPECT_EQ(GetAllSettingKeys("Libraries", run.output), std::vector<std::string>{"/opt/uart.h"});
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, file), "dflt");
}

}  // namespace
}  // namespace quill

#endif
