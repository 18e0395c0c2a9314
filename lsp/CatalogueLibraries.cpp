#include "lsp/CatalogueLibraries.h"

#include "core/settings/SettingsStore.h"

namespace quill::lsp {

CatalogueSource CatalogueLibraries(const nlohmann::json& options, const std::string& settingsFile) {
    if (options.is_object()) {
        const auto libraries = options.find("libraries");
        if (libraries != options.end() && libraries->is_array()) {
            std::vector<std::string> paths;
            for (const auto& path : *libraries) {
                if (path.is_string() && !path.get_ref<const std::string&>().empty()) {
                    paths.push_back(path.get<std::string>());
                }
            }
            return {std::move(paths), ""};
        }
        const auto file = options.find("settingsFile");
        if (file != options.end() && file->is_string()) {
            const std::string named = file->get<std::string>();
            return {GetAllSettingKeys("Libraries", named), named};
        }
    }
    if (settingsFile.empty()) {
        return {};
    }
    return {GetAllSettingKeys("Libraries", settingsFile), settingsFile};
}

}  // namespace quill::lsp
