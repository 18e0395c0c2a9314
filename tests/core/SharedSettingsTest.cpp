// One settings file changed by several processes, and a program folder this
// user may not add files to. Each case runs the settings writer program.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "ScratchFolder.h"
#include "core/settings/SettingsStore.h"
#include "core/text/TextOps.h"

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

// A copy that changes the file without a pause does not shut another out:
// the other's changes wait their turn, well within the 5 s wait.
TEST(SharedSettings, ACopyThatWritesWithoutPauseDoesNotShutAnotherOut) {
    testing::ScratchFolder scratch;
    const std::string ini = scratch.Write("Quill.ini", "[Last]\nIntro=No\n");
    Started busy = StartWriter("", "keys '" + ini + "' /lib/busy 3");
    while (GetAllSettingKeys("Libraries", ini).empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::chrono::steady_clock::duration longest{};
    int failed = 0;
    for (int turn = 0; turn < 20; ++turn) {
        const auto started = std::chrono::steady_clock::now();
        failed += !WriteSetting("Last", "Turn", std::to_string(turn), ini);
        longest = std::max(longest, std::chrono::steady_clock::now() - started);
    }
    EXPECT_EQ(busy.Finish().status, 0);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(GetSetting("Last", "Turn", "", 100, ini), "19");
    EXPECT_LT(longest, std::chrono::seconds(1))
        << std::chrono::duration_cast<std::chrono::milliseconds>(longest).count() << " ms";
}

std::size_t CountTemporaries(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().rfind("Quill.ini.tmp-", 0) == 0;
    }
    return count;
}

// Writers killed at random moments leave their temporary copies behind; the
// file keeps every key a writer finished, and the next writer clears the
// copies away.
TEST(SharedSettings, WritersKilledMidWriteLoseNoFinishedKeyAndLeaveNoCopies) {
    testing::ScratchFolder scratch;
    const std::string ini = scratch.Write("Quill.ini", "[Last]\nIntro=No\n");
    std::mt19937 random(7);
    std::size_t leftoversSeen = 0;
    int runs = 0;
    for (; runs < 40 && (runs < 10 || leftoversSeen == 0); ++runs) {
        const std::string prefix = "/lib/r" + std::to_string(runs) + "/";
        std::vector<std::string> arguments = {QUILL_SETTINGS_WRITER, "keys", ini, prefix, "10"};
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 150));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        leftoversSeen += CountTemporaries(scratch.Root());
    }
    EXPECT_GT(leftoversSeen, 0u) << "no kill hit a write in " << runs << " runs";

    // Each writer wrote its keys in order: the ones in the file run from 0
    // without a gap.
    const std::vector<std::string> listed = GetAllSettingKeys("Libraries", ini);
    for (int run = 0; run < runs; ++run) {
        const std::string prefix = "/lib/r" + std::to_string(run) + "/";
        std::set<int> numbers;
        for (const std::string& key : listed) {
            if (key.rfind(prefix, 0) == 0) {
                numbers.insert(std::stoi(key.substr(prefix.size())));
            }
        }
        EXPECT_TRUE(numbers.empty() || *numbers.rbegin() + 1 == static_cast<int>(numbers.size()))
            << prefix << " has a gap";
    }
    EXPECT_EQ(GetSetting("Last", "Intro", "", 100, ini), "No");

    ASSERT_TRUE(WriteSetting("Last", "Intro", "Yes", ini));
    EXPECT_EQ(CountTemporaries(scratch.Root()), 0u);
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
