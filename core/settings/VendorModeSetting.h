#pragma once
// The vendor mode a library was switched to, kept per library in a section
// of its own in the settings file ("VendorMode", the library path as key,
// "on" or "off"). A library without a key there has no mode of its own.

#include <string>

namespace quill {

inline constexpr const char* kVendorModeSection = "VendorMode";

// "on", "off", or "" when the library has no mode of its own (any other
// value counts as none).
std::string StoredVendorMode(const std::string& libraryPath, const std::string& settingsFile);

}  // namespace quill
