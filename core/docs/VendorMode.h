#pragma once
// Whether a library is read in vendor mode: every function its header
// declares or defines, each with the block that stands right before it,
// and no message box for a missing source. The one decision that the
// window, quill-cli and the language server share.

#include <optional>
#include <string>
#include <string_view>

namespace quill {

enum class VendorMode { Off, On, Auto };

// "on", "off" or "auto"; nullopt for any other text.
std::optional<VendorMode> ParseVendorMode(std::string_view text);

// "on" or "off": how a settled mode is written and reported.
const char* VendorModeName(bool vendorMode);

// True when the library is read in vendor mode: On and Off as they say;
// Auto (and a library with no mode of its own) is on for a header library
// whose documenting file (its ".c", in any of the forms the lookup tries)
// does not exist.
bool UsesVendorMode(const std::string& libraryPath, VendorMode mode);

}  // namespace quill
