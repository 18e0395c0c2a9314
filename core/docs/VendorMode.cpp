#include "core/docs/VendorMode.h"

#include <vector>

#include "core/docs/PrototypeLookup.h"
#include "core/files/FileBytes.h"
#include "core/library/FunctionScanner.h"
#include "core/text/PathCase.h"

namespace quill {

std::optional<VendorMode> ParseVendorMode(std::string_view text) {
    if (text == "on") {
        return VendorMode::On;
    }
    if (text == "off") {
        return VendorMode::Off;
    }
    if (text == "auto") {
        return VendorMode::Auto;
    }
    return std::nullopt;
}

const char* VendorModeName(bool vendorMode) {
    return vendorMode ? "on" : "off";
}

bool UsesVendorMode(const std::string& libraryPath, VendorMode mode) {
    if (mode != VendorMode::Auto) {
        return mode == VendorMode::On;
    }
    if (libraryPath.empty() || LibraryKindOf(libraryPath) != LibraryKind::Header) {
        return false;
    }
    const std::vector<std::string> forms = DocumentingPathForms(SourcePathForHeader(libraryPath));
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const std::string path =
            i + 1 == forms.size() ? ResolvePathIgnoringCase(forms[i]) : forms[i];
        if (CanOpenForReading(path)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
