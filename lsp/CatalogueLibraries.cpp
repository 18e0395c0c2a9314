#include "lsp/CatalogueLibraries.h"

#include "core/settings/SettingsStore.h"

namespace quill::lsp {

std::vector<std::string> CatalogueLibraries(const nlohmann::json& options,
                                            const std::string& settingsFile) {
    if (options.is_object()) {
        const auto libraries = options.find("libraries");
        if (libraries != options.end() && libraries->is_array()) {
            std::vector<std::string> paths;
            for (const auto& path : *libraries) {
                if (path.is_string() && !path.get_ref<const std::string&>().empty()) {
                    paths.push_back(path.get<std::string>());
                }
            }
            return paths;
        }
        const auto file = options.find("settingsFile");
        if (file != options.end() && file->is_string()) {
            return GetAllSettingKeys("Libraries", file->get<std::string>());
        }
    }
    if (settingsFile.empty()) {
        return {};
    }
    return GetAllSettingKeys("Libraries", settingsFile);
}

}  // namespace quill::lsp
