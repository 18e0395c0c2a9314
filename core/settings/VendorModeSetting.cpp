#include "core/settings/VendorModeSetting.h"

#include "core/docs/VendorMode.h"
#include "core/settings/SettingsStore.h"

namespace quill {

std::string StoredVendorMode(const std::string& libraryPath, const std::string& settingsFile) {
    if (libraryPath.empty()) {
        return "";
    }
    const std::string value = GetSetting(kVendorModeSection, libraryPath, "", 8, settingsFile);
    return value == "on" || value == "off" ? value : "";
}

bool LibraryInVendorMode(const std::string& libraryPath, const std::string& settingsFile) {
    const std::string stored =
        settingsFile.empty() ? std::string() : StoredVendorMode(libraryPath, settingsFile);
    const VendorMode mode = stored == "on"    ? VendorMode::On
                            : stored == "off" ? VendorMode::Off
                                              : VendorMode::Auto;
    return UsesVendorMode(libraryPath, mode);
}

}  // namespace quill
