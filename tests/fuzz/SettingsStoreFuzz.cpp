// Reads arbitrary file content as a settings file, then checks that a write
// reads back and leaves the other keys of the section as they were.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "source/TextOps.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const std::string& SettingsPath() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("quill-settings-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        static const std::string made = folder.string();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(made, ec);
        });
        return (folder / "Quill.ini").string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& ini = SettingsPath();
    {
        std::ofstream out(ini, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const char* sections[] = {"Last", "Libraries", "x"};
    for (const char* section : sections) {
        const auto keys = quill::GetAllSettingKeys(section, ini);
        const auto limited = quill::GetSettingKeys(section, 64, ini);
        Check(limited.size() <= keys.size());
        std::size_t used = 0;
        for (std::size_t i = 0; i < limited.size(); ++i) {
            Check(limited[i] == keys[i]);
            used += limited[i].size() + 1;
        }
        Check(used <= 63);
        for (const auto& key : keys) {
            Check(quill::GetSetting(section, key, "", 8, ini).size() <= 7);
        }
    }

    const auto before = quill::GetAllSettingKeys("Last", ini);
    std::vector<std::string> values;
    for (const auto& key : before) {
        values.push_back(quill::GetSetting("Last", key, "", 100000, ini));
    }
    if (quill::WriteSetting("Last", "Choice", "int F(int a, int b)", ini)) {
        Check(quill::GetSetting("Last", "Choice", "", 100000, ini) == "int F(int a, int b)");
        const auto after = quill::GetAllSettingKeys("Last", ini);
        std::size_t j = 0;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (quill::EqualsIgnoringCase(before[i], "Choice")) {
                continue;
            }
            // The other keys keep their order and their values.
            while (j < after.size() && after[j] != before[i]) {
                ++j;
            }
            Check(j < after.size());
            Check(quill::GetSetting("Last", before[i], "", 100000, ini) == values[i]);
        }
    }
    if (quill::DeleteSettingSection("Libraries", ini)) {
        Check(quill::GetAllSettingKeys("Libraries", ini).empty());
    }
    return 0;
}
