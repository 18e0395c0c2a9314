// A second program for the settings tests: changes one settings file from
// its own process, the way another copy of Quill would.
//
//   settings-writer keys <settings file> <prefix> <seconds>
//       writes "<prefix><n>=Yes" to [Libraries] for n = 0, 1, ... until the
//       time is up; prints the number of keys written; exit 1 on a failed write
//   settings-writer locate <program folder> <config folder> <key> <value>
//       finds the settings file as the program does, writes [Last] key=value
//       and prints the file's path; exit 1 when the write failed

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/settings/SettingsLocation.h"
#include "core/settings/SettingsStore.h"

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "keys" && argc == 5) {
        const auto end =
            std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[4]));
        int written = 0;
        while (std::chrono::steady_clock::now() < end) {
            const std::string key = argv[3] + std::to_string(written);
            if (!quill::WriteSetting("Libraries", key, "Yes", argv[2])) {
                std::fprintf(stderr, "writing %s failed\n", key.c_str());
                return 1;
            }
            ++written;
        }
        std::printf("%d\n", written);
        return 0;
    }
    if (mode == "locate" && argc == 6) {
        const std::string file = quill::LocateSettingsFile(argv[2], argv[3]);
        std::printf("%s\n", file.c_str());
        return quill::WriteSetting("Last", argv[4], argv[5], file) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: settings-writer keys|locate ...\n");
    return 2;
}
