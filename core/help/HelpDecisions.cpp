#include "core/help/HelpDecisions.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/text/NoText.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

bool IsIntro(const std::string& intro) {
    return EqualsIgnoringCase(intro, "yes");
}

// Separators a folder text may already end with: "\" everywhere, and the
// host's own.
bool EndsWithSeparator(const std::string& text, const HostRules& host) {
    return !text.empty() && (text.back() == '\\' || text.back() == host.separator);
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool FoundOnSearchPath(const std::string& name) {
#ifdef _WIN32
    constexpr char kListSeparator = ';';
#else
    constexpr char kListSeparator = ':';
#endif
    const char* searchPath = std::getenv("PATH");
    if (searchPath == nullptr) {
        return false;
    }
    const std::string folders = searchPath;
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(kListSeparator, begin);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const std::string folder = folders.substr(begin, end - begin);
        if (!folder.empty() && IsFile(std::filesystem::path(folder) / name)) {
            return true;
        }
        begin = end + 1;
    }
    return false;
}

}  // namespace

HostRules WindowsHost() {
    return HostRules{true, '\\', ""};
}

HostRules PosixHost() {
#ifdef __APPLE__
    return HostRules{false, '/', "open"};
#else
    return HostRules{false, '/', "xdg-open"};
#endif
}

HostRules ThisHost() {
#ifdef _WIN32
    return WindowsHost();
#else
    return PosixHost();
#endif
}

FileFacts RealFileFacts() {
    FileFacts facts;
    facts.exists = [](const std::string& path) {
        std::error_code ec;
        return !path.empty() && std::filesystem::exists(std::filesystem::path(path), ec);
    };
    facts.programExists = [](const std::string& program) {
        if (program.empty()) {
            return false;
        }
        if (program.find_first_of("/\\") != std::string::npos) {
            return IsFile(std::filesystem::path(program));
        }
        return FoundOnSearchPath(program);
    };
    return facts;
}

HelpStart HelpStart::Editor(std::string document) {
    return HelpStart{Kind::TextEditor, "", std::move(document)};
}

HelpStart HelpStart::Start(std::string program, std::string parameters) {
    return HelpStart{Kind::Program, std::move(program), std::move(parameters)};
}

std::string HelpPagePath(const std::string& url, const HostRules& host) {
    return url + "quill" + host.separator + "QH_P.html";
}

std::string HelpProgramPath(const std::string& url) {
    return url + kHelpProgramName;
}

std::string BrowserProgram(const std::string& browserSetting, const HostRules& host,
                           const FileFacts& facts) {
    if (host.windows || facts.programExists(browserSetting)) {
        return browserSetting;
    }
    return host.desktopOpener;
}

HelpStart HelpButtonStart(const HelpSettings& settings, const std::string& notesFile,
                          const HostRules& host, const FileFacts& facts) {
    if (IsIntro(settings.intro)) {
        return HelpStart::Editor(notesFile);
    }
    const std::string page = HelpPagePath(settings.url, host);
    const std::string helpProgram = HelpProgramPath(settings.url);
    if (!facts.exists(page) && facts.exists(helpProgram)) {
        return HelpStart::Start(helpProgram, "");
    }
    return HelpStart::Start(BrowserProgram(settings.browser, host, facts), page);
}

HelpStart HelpKeyStart(const HelpSettings& settings, const std::string& notesFile,
                       const HostRules& host, const FileFacts& facts) {
    if (IsIntro(settings.intro)) {
        return HelpStart::Editor(notesFile);
    }
    return HelpStart::Start(BrowserProgram(settings.browser, host, facts),
                            HelpPagePath(settings.url, host));
}

HelpStart SetupHelpStart(const std::string& storedIntro, const std::string& browserField,
                         const std::string& helpFolder, const std::string& notesFile,
                         const HostRules& host, const FileFacts& facts) {
    if (IsIntro(storedIntro)) {
        return HelpStart::Editor(notesFile);
    }
    return HelpStart::Start(BrowserProgram(browserField, host, facts),
                            helpFolder + kSetupHelpPageName);
}

std::string HelpNotStartedMessage(const HelpStart& start, const std::string& browserSetting) {
    if (start.kind == HelpStart::Kind::TextEditor) {
        return "Could not open the notes file\n" + start.parameters + "\nin a text editor.";
    }
    if (start.parameters.empty()) {
        return "Could not start the help program\n" + start.program;
    }
    std::string message = "Could not open the help page\n" + start.parameters + "\nThe browser\n" +
                          browserSetting + "\n";
    if (start.program == browserSetting) {
        return message + "could not be started.";
    }
    message += "was not found";
    if (start.program.empty()) {
        return message + ".";
    }
    return message + ", and " + start.program + " could not be started either.";
}

HelpStart HelperProgramStart(const std::string& helperProgram) {
    if (helperProgram.empty() || helperProgram == kNoText) {
        return HelpStart{};
    }
    return HelpStart::Start(helperProgram, "");
}

std::string HelpFolderOnDisk(const std::string& url, const std::string& appFolder,
                             const std::string& programFolder) {
    if (!appFolder.empty() && StartsWith(url, appFolder)) {
        return programFolder + url.substr(appFolder.size());
    }
    return url;
}

std::string WithTrailingSeparator(const std::string& folder, const HostRules& host) {
    if (EndsWithSeparator(folder, host)) {
        return folder;
    }
    return folder + host.separator;
}

std::string HelpBrowseStart(const std::string& helpPath, const HostRules& host) {
    if (host.windows) {
        return helpPath.size() >= 2 && helpPath[1] == ':' ? helpPath : std::string("C:\\");
    }
    return !helpPath.empty() && helpPath[0] == '/' ? helpPath : std::string("/");
}

bool IsIntroMode(const std::string& introSetting) {
    return EqualsIgnoringCase(introSetting, "yes");
}

}  // namespace quill
