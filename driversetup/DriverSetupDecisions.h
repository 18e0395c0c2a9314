#pragma once

// The decisions of the driver installer launcher that need no Windows call:
// where the packages lie, which one fits, what to start and what to report.
// Standard library only, so they build and are tested on every platform.

#include <cstdint>
#include <string>

namespace quill {

// Drive and directory of a program path, split the way the C runtime's
// path splitter does it: the drive is the first two characters when the
// second is a colon, the directory runs up to and including the last
// backslash or slash.
struct DriveAndDirectory {
    std::string drive;
    std::string directory;
};

DriveAndDirectory SplitDriveAndDirectory(const std::string& path);

// Drive letter and colon (when there is a drive), then the directory with a
// backslash added unless it is empty or already ends in a separator.
std::string JoinDriveAndDirectory(const DriveAndDirectory& parts);

// The folder of a file path, ending in a separator: "D:\kit\drivers\" for
// "D:\kit\drivers\setup.exe", "C:\" for "C:\setup.exe".
std::string FolderOfPath(const std::string& path);

// What the run-time lookup and call of GetSystemWow64DirectoryA gave.
struct Wow64Probe {
    bool exportFound = false;     // kernel32.dll exports the function
    std::uint32_t returned = 0;   // its return value (0 means it failed)
    std::uint32_t lastError = 0;  // the thread's last error after a failed call
};

constexpr std::uint32_t kErrorCallNotImplemented = 120;

// 32-bit when the export is missing or fails with error 120; 64-bit when it
// succeeds or fails for any other reason.
bool IsSixtyFourBitSystem(const Wow64Probe& probe);

constexpr char kPackageNameX86[] = "TulipCDCDriver_x86.msi";
constexpr char kPackageNameX64[] = "TulipCDCDriver_x64.msi";

std::string PackageName(bool sixtyFourBit);

// "msiexec /i " and the package path in double quotes, so that a folder with
// blanks reaches the installer as one argument.
std::string InstallerCommandLine(const std::string& packagePath);

// The longest command line process creation accepts, in characters without
// the terminating zero.
constexpr std::size_t kMaxCommandLineLength = 32766;

// Message boxes: caption, texts and styles (OK or Retry/Cancel, warning icon,
// task-modal, topmost).
constexpr char kMessageCaption[] = "Driver installation error";
constexpr char kNotStartedText[] =
    "Failed to install driver. Driver installer could not be started.";
constexpr char kTimeoutText[] =
    "Failed to install driver (Timeout occurred).\n"
    "Normally this only occurs when the \"found new hardware\" wizard is active.\n"
    " In this case please close the \"found new hardware\" dialog and click on \"Retry\".";
constexpr std::uint32_t kWarningOkStyle = 0x42030;
constexpr std::uint32_t kWarningRetryCancelStyle = 0x42035;
constexpr int kAnswerRetry = 4;

// "Failed to install driver (ErrorCode = 0x00000643)." for exit code 1603.
std::string ExitCodeText(std::uint32_t exitCode);

// The wait for the installer: stretches of one minute; a wait that ran out
// reports this value.
constexpr std::uint32_t kWaitStretchMilliseconds = 60000;
constexpr std::uint32_t kWaitTimedOut = 0x102;

}  // namespace quill
