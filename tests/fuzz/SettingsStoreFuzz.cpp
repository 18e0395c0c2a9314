// Reads arbitrary file content as a settings file, then checks that a write
// reads back and leaves the other keys of the section as they were.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "FuzzSupport.h"
#include "app/SettingsStore.h"
#include "source/TextOps.h"

namespace {

// A folder of this process, removed at exit.
struct Folder {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("quill-settings-fuzz-" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
} folder;
const std::string ini = (folder.path / "Quill.ini").string();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(ini, std::ios::binary | std::ios::trunc) << Bytes(data, size);
    for (const char* section : {"Last", "Libraries", "x"}) {
        const auto keys = quill::GetAllSettingKeys(section, ini);
        const auto limited = quill::GetSettingKeys(section, 64, ini);
        // The limited names start the full list and fit in 63 bytes, one NUL after each.
        Check(limited.size() <= keys.size() &&
              std::equal(limited.begin(), limited.end(), keys.begin()));
        std::size_t used = 0;
        for (const auto& key : limited) {
            used += key.size() + 1;
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
    const std::string choice = "int F(int a, int b)";
    if (quill::WriteSetting("Last", "Choice", choice, ini)) {
        Check(quill::GetSetting("Last", "Choice", "", 100000, ini) == choice);
        // The other keys keep their order and their values.
        const auto after = quill::GetAllSettingKeys("Last", ini);
        auto at = after.begin();
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (!quill::EqualsIgnoringCase(before[i], "Choice")) {
                at = std::find(at, after.end(), before[i]);
                Check(at != after.end() &&
                      quill::GetSetting("Last", before[i], "", 100000, ini) == values[i]);
            }
        }
    }
    Check(!quill::DeleteSettingSection("Libraries", ini) ||
          quill::GetAllSettingKeys("Libraries", ini).empty());
    return 0;
}
