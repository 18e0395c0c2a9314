// One settings file changed by several processes, and a program folder this
// user may not add files to. Each case runs the settings writer program.

#ifndef _WIN32

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "ScratchFolder.h"
#include "core/settings/SettingsStore.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// A program run in another process (the settings writer, or one that starts
// it), its standard output going to the file `output`.
struct Writer {
    pid_t pid = -1;
    std::string output;
    // Waits for the end: the exit status (-1 when killed) and the first line written.
    std::pair<int, std::string> Finish() const {
        int status = 0;
        waitpid(pid, &status, 0);
        std::string line;
        std::getline(std::ifstream(output), line);
        return {pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, line};
    }
};

Writer Start(std::vector<std::string> arguments, const std::string& output) {
    Writer run{-1, output};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    EXPECT_EQ(posix_spawnp(&run.pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// Two other copies write keys without a pause while this one changes a
// value twenty times: no copy loses a key, and none is shut out: each change
// here waits its turn, well within the 5 s wait.
TEST(SharedSettings, CopiesWritingAtOnceLoseNoKeyAndShutNoneOut) {
    testing::ScratchFolder scratch;
    const std::string ini = scratch.Write("Quill.ini", "[Last]\nIntro=No\n");
    const Writer first = Start({QUILL_SETTINGS_WRITER, "keys", ini, "/lib/a", "3"}, ini + ".a");
    const Writer second = Start({QUILL_SETTINGS_WRITER, "keys", ini, "/lib/b", "3"}, ini + ".b");
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
    const auto [aStatus, aCount] = first.Finish();
    const auto [bStatus, bCount] = second.Finish();
    ASSERT_EQ(aStatus, 0);
    ASSERT_EQ(bStatus, 0);
    EXPECT_EQ(failed, 0);
    EXPECT_LT(longest, std::chrono::seconds(1))
        << std::chrono::duration_cast<std::chrono::milliseconds>(longest).count() << " ms";

    const std::vector<std::string> listed = GetAllSettingKeys("Libraries", ini);
    const std::set<std::string> keys(listed.begin(), listed.end());
    std::size_t missing = 0;
    for (const auto& [prefix, count] :
         {std::pair{"/lib/a", std::stoi(aCount)}, std::pair{"/lib/b", std::stoi(bCount)}}) {
        EXPECT_GT(count, 0);
        for (int i = 0; i < count; ++i) {
            missing += keys.count(prefix + std::to_string(i)) == 0;
        }
    }
    EXPECT_EQ(missing, 0u) << "of " << aCount << " + " << bCount << " keys";
    EXPECT_EQ(keys.size(), listed.size());
    EXPECT_EQ(GetSetting("Last", "Intro", "", 100, ini), "No");
    EXPECT_EQ(GetSetting("Last", "Turn", "", 100, ini), "19");
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
        const Writer writer =
            Start({QUILL_SETTINGS_WRITER, "keys", ini, prefix, "10"}, scratch.PathOf("out"));
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 150));
        kill(writer.pid, SIGKILL);
        writer.Finish();
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
    if (geteuid() == 0 && std::system("setpriv --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "setpriv is needed to drop the super-user's rights";
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
    std::vector<std::string> command = {writer, "locate", program, config, "Intro", "No"};
    if (geteuid() == 0) {
        command.insert(command.begin(),
                       {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    const auto [status, located] = Start(command, scratch.PathOf("out")).Finish();
    fs::permissions(program, fs::perms::owner_all);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(located, config + "/Quill.ini");
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, located), "No");
    EXPECT_EQ(GetAllSettingKeys("Libraries", located), std::vector<std::string>{"/opt/uart.h"});
    EXPECT_EQ(GetSetting("Last", "Intro", "dflt", 100, file), "dflt");
}

}  // namespace
}  // namespace quill

#endif
