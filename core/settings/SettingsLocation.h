#pragma once
// Where "Quill.ini" lives: in the program folder when changes to it can be
// made there, otherwise in the user's configuration folder.

#include <string>

namespace quill {

struct SettingsFolderFacts {
    std::string programFolder;           // as it really is on disk, ending with a separator
    std::string configFolder;            // the user's configuration folder, ending with a separator
    bool programFolderWritable = false;  // a new file could be made there
    bool fileExistsInProgramFolder = false;
};

// The folder (ending with a separator) that holds the settings file.
std::string ChooseSettingsFolder(const SettingsFolderFacts& facts);

// Looks at the two folders (a separator is added to either when missing).
SettingsFolderFacts GatherSettingsFolderFacts(const std::string& programFolder,
                                              const std::string& configFolder);

// Full path of the settings file for these facts. When the configuration
// folder is chosen it is created if missing, and a settings file left in the
// program folder is copied there the first time, so its settings carry over.
// Falls back to the program folder when the configuration folder cannot be made.
std::string PrepareSettingsFile(const SettingsFolderFacts& facts);

// Gathers the facts from the file system and applies ChooseSettingsFolder.
std::string LocateSettingsFile(const std::string& programFolder, const std::string& configFolder);

}  // namespace quill
