#include "core/settings/SettingsLocation.h"

#include <filesystem>

#include "core/files/FileReplacement.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFileName = "Quill.ini";

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') {
        folder += static_cast<char>(fs::path::preferred_separator);
    }
    return folder;
}

// Permission bits and access lists do not tell whether a file can be made
// in a folder (a read-only mount, the super-user, an access list that allows
// writing a file but not adding one), so try it with the temporary file a
// settings change would make.
bool FolderTakesSettingsChanges(const std::string& folder) {
    std::error_code ec;
    return fs::is_directory(fs::path(folder), ec) &&
           CanCreateTemporaryBeside(fs::path(folder) / kSettingsFileName);
}

}  // namespace

std::string ChooseSettingsFolder(const SettingsFolderFacts& facts) {
    // Every change replaces the file through a new file beside it, so a
    // writable file in a folder that takes no new files cannot be changed.
    return facts.programFolderWritable ? facts.programFolder : facts.configFolder;
}

SettingsFolderFacts GatherSettingsFolderFacts(const std::string& programFolder,
                                              const std::string& configFolder) {
    SettingsFolderFacts facts;
    facts.programFolder = WithSeparator(programFolder);
    facts.configFolder = WithSeparator(configFolder);
    const std::string programFile = facts.programFolder + kSettingsFileName;
    std::error_code ec;
    facts.programFolderWritable = FolderTakesSettingsChanges(facts.programFolder);
    facts.fileExistsInProgramFolder = fs::is_regular_file(fs::path(programFile), ec);
    return facts;
}

std::string PrepareSettingsFile(const SettingsFolderFacts& facts) {
    const std::string programFile = facts.programFolder + kSettingsFileName;
    if (facts.configFolder.empty() || ChooseSettingsFolder(facts) == facts.programFolder) {
        return programFile;
    }
    std::error_code ec;
    const fs::path config(facts.configFolder);
    fs::create_directories(config, ec);
    if (!fs::is_directory(config, ec)) {
        // Nowhere to write: at least keep reading what the program folder has.
        return programFile;
    }
    const std::string configFile = facts.configFolder + kSettingsFileName;
    // The first time settings move out of a read-only program folder, take
    // along what the file there holds (a library list set up at
    // installation, for instance) instead of starting empty.
    if (facts.fileExistsInProgramFolder && !fs::exists(fs::path(configFile), ec)) {
        fs::copy_file(fs::path(programFile), fs::path(configFile), ec);
        if (!ec) {
            fs::permissions(fs::path(configFile), fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, ec);
        }
    }
    return configFile;
}

std::string LocateSettingsFile(const std::string& programFolder, const std::string& configFolder) {
    return PrepareSettingsFile(GatherSettingsFolderFacts(programFolder, configFolder));
}

}  // namespace quill
