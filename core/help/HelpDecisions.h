#pragma once
// What the help operations start: the notes file in the text editor, a help
// page in the browser, the help program, or a helper program. The decisions
// take the settings as read and the file facts through `FileFacts`, so they
// run without a window and without touching the disk in tests.

#include <functional>
#include <string>

namespace quill {

// The rules of the system the program runs on.
struct HostRules {
    bool windows = false;
    char separator = '/';       // the one a folder text is completed with
    std::string desktopOpener;  // opens a document with the desktop's default program
};

// The rules of the system this program was built for.
HostRules ThisHost();
HostRules WindowsHost();
HostRules PosixHost();

// The default "Browser" setting.
inline constexpr const char* kDefaultBrowser = "c:\\Program Files\\Internet Explorer\\iexplore.exe";
inline constexpr const char* kNotesFileName = "Quill.txt";
inline constexpr const char* kHelpProgramName = "QuillHelp.exe";
inline constexpr const char* kSetupHelpPageName = "QHS_B.html";

// What the file system answers.
struct FileFacts {
    // A file or folder exists at `path`.
    std::function<bool(const std::string& path)> exists;
    // `program` names a program that can be started: a path to an existing
    // file, or a bare name found on the search path.
    std::function<bool(const std::string& program)> programExists;
};

// The answers of the real file system.
FileFacts RealFileFacts();

// One start of another program, or of the text editor, or nothing.
struct HelpStart {
    enum class Kind { Nothing, TextEditor, Program };
    Kind kind = Kind::Nothing;
    std::string program;     // Program: the program, one literal path or name
    std::string parameters;  // Program: its one argument ("" for none); TextEditor: the document

    static HelpStart Editor(std::string document);
    static HelpStart Start(std::string program, std::string parameters);
    bool operator==(const HelpStart&) const = default;
};

// The settings the help operations read, each as the settings file gave it
// (with its default when missing).
struct HelpSettings {
    std::string intro;    // "Intro", default "Yes"
    std::string browser;  // "Browser", default kDefaultBrowser
    std::string url;      // "Url", default the program folder
};

// "Url" + "quill\QH_P.html", with the host's separator inside.
std::string HelpPagePath(const std::string& url, const HostRules& host);
// "Url" + "QuillHelp.exe".
std::string HelpProgramPath(const std::string& url);

// The program that shows a help page: the "Browser" setting as it stands on
// Windows, and elsewhere whenever it names an existing program; otherwise
// the desktop's opener, which hands the page to the default browser.
std::string BrowserProgram(const std::string& browserSetting, const HostRules& host,
                           const FileFacts& facts);

// The help button: the notes file in intro mode; otherwise the help page in
// the browser, or the help program when only it exists.
HelpStart HelpButtonStart(const HelpSettings& settings, const std::string& notesFile,
                          const HostRules& host, const FileFacts& facts);

// The F1 key in the main window: like the help button, but the page is
// opened whether or not it exists, without the help program.
HelpStart HelpKeyStart(const HelpSettings& settings, const std::string& notesFile,
                       const HostRules& host, const FileFacts& facts);

// F1 in the setup dialog: the notes file when the stored mode is intro,
// otherwise `helpFolder` + "QHS_B.html" in the browser named by `browserField`.
HelpStart SetupHelpStart(const std::string& storedIntro, const std::string& browserField,
                         const std::string& helpFolder, const std::string& notesFile,
                         const HostRules& host, const FileFacts& facts);

// What the help button or F1 tells when `start` could not be carried out,
// naming what was tried: the notes file, the help program, or the page with
// the browser of the "Browser" setting `browserSetting` or, where that was
// not found, with the program that stood in for it.
std::string HelpNotStartedMessage(const HelpStart& start, const std::string& browserSetting);

// The helpers button: the helper program with no parameters; nothing when
// there is none ("-" or "").
HelpStart HelperProgramStart(const std::string& helperProgram);

// The help folder as it really is on disk: a "Url" that begins with the
// lower-case program folder (the default) is read through the real one.
std::string HelpFolderOnDisk(const std::string& url, const std::string& appFolder,
                             const std::string& programFolder);

// A help folder text completed with a separator when it ends with none; an
// empty text becomes the separator alone.
std::string WithTrailingSeparator(const std::string& folder, const HostRules& host);

// Where the help-folder browse starts: the help path when it names a drive
// (on Windows) or an absolute path (elsewhere), else the root of the system
// drive.
std::string HelpBrowseStart(const std::string& helpPath, const HostRules& host);

// Intro mode: the "Intro" setting equals "yes" in any mix of case.
bool IsIntroMode(const std::string& introSetting);

}  // namespace quill
