// One settings file changed by several processes at once.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <set>

#include "ScratchFolder.h"
#include "app/SettingsStore.h"

namespace quill {
namespace {

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

Started StartWriter(const std::string& arguments) {
    const std::string command = "'" QUILL_SETTINGS_WRITER "' " + arguments;
    return Started{popen(command.c_str(), "r")};
}

TEST(SharedSettings, TwoProcessesWritingAtOnceLoseNoKey) {
    testing::ScratchFolder scratch;
    const std::string ini = scratch.Write("Quill.ini", "[Last]\nIntro=No\n");
    Started first = StartWriter("keys '" + ini + "' /lib/a 2");
    Started second = StartWriter("keys '" + ini + "' /lib/b 2");
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

}  // namespace
}  // namespace quill

#endif
