#include "app/SettingsLocation.h"

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

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

#ifdef _WIN32
// The access bits do not tell whether the folder's access list lets us create
// files, so try it.
bool FolderWritable(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(fs::path(folder), ec)) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        const fs::path probe = fs::path(folder) / ("quill-probe-" + std::to_string(i) + ".tmp");
        const int fd =
            _wopen(probe.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            _close(fd);
            fs::remove(probe, ec);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool FileWritable(const std::string& file) {
    return _access(file.c_str(), 2) == 0;
}
#else
bool FolderWritable(const std::string& folder) {
    std::error_code ec;
    return fs::is_directory(fs::path(folder), ec) && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool FileWritable(const std::string& file) {
    return access(file.c_str(), W_OK) == 0;
}
#endif

}  // namespace

std::string ChooseSettingsFolder(const SettingsFolderFacts& facts) {
    if (facts.programFolderWritable ||
        (facts.fileExistsInProgramFolder && facts.fileWritableInProgramFolder)) {
        return facts.programFolder;
    }
    return facts.configFolder;
}

SettingsFolderFacts GatherSettingsFolderFacts(const std::string& programFolder,
                                              const std::string& configFolder) {
    SettingsFolderFacts facts;
    facts.programFolder = WithSeparator(programFolder);
    facts.configFolder = WithSeparator(configFolder);
    const std::string programFile = facts.programFolder + kSettingsFileName;
    std::error_code ec;
    facts.programFolderWritable = FolderWritable(facts.programFolder);
    facts.fileExistsInProgramFolder = fs::is_regular_file(fs::path(programFile), ec);
    facts.fileWritableInProgramFolder =
        facts.fileExistsInProgramFolder && FileWritable(programFile);
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
