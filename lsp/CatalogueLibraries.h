#pragma once
// Which libraries the language server reads: those the client names in its
// initialization options, else those of a settings file ("Quill.ini"), the
// client's or the one Quill itself uses.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace quill::lsp {

// `options` is the client's "initializationOptions" (null when it sent
// none): {"libraries": [PATH, ...]} names them, {"settingsFile": PATH}
// names the settings file to read them from; otherwise `settingsFile` is.
std::vector<std::string> CatalogueLibraries(const nlohmann::json& options,
                                            const std::string& settingsFile);

}  // namespace quill::lsp
