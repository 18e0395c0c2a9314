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

// Whether the library is read in vendor mode: its stored choice, else the
// automatic one (UsesVendorMode). No settings file ("") stores no choice.
bool LibraryInVendorMode(const std::string& libraryPath, const std::string& settingsFile);

}  // namespace quill
