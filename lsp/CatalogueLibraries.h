#pragma once
// Which libraries the language server reads: those the client names in its
// initialization options, else those of a settings file ("Quill.ini"), the
// client's or the one Quill itself uses. The settings file also keeps each
// library's vendor mode; libraries the client names have none stored.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace quill::lsp {

struct CatalogueSource {
    std::vector<std::string> libraries;
    // The settings file the libraries were read from, "" for a client's list.
    std::string settingsFile;
};

// `options` is the client's "initializationOptions" (null when it sent
// none): {"libraries": [PATH, ...]} names them, {"settingsFile": PATH}
// names the settings file to read them from; otherwise `settingsFile` is.
CatalogueSource CatalogueLibraries(const nlohmann::json& options, const std::string& settingsFile);

}  // namespace quill::lsp
