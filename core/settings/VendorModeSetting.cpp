#include "core/settings/VendorModeSetting.h"

#include "core/settings/SettingsStore.h"

namespace quill {

std::string StoredVendorMode(const std::string& libraryPath, const std::string& settingsFile) {
    if (libraryPath.empty()) {
        return "";
    }
    const std::string value = GetSetting(kVendorModeSection, libraryPath, "", 8, settingsFile);
    return value == "on" || value == "off" ? value : "";
}

}  // namespace quill
