#include "driversetup/DriverSetupRun.h"

namespace quill {

namespace {

// Starts the installer and waits for it; returns the run's result.
int InstallAndWait(InstallerHost& host, const std::string& commandLine,
                   const std::string& workingDirectory) {
    // A command line that process creation would refuse is the same failure
    // as a refused start, and is reported the same way.
    if (commandLine.size() > kMaxCommandLineLength ||
        !host.StartInstaller(commandLine, workingDirectory)) {
        host.ShowMessage(kNotStartedText, kMessageCaption, kWarningOkStyle);
        return 0;
    }
    while (host.WaitForInstaller(kWaitStretchMilliseconds) == kWaitTimedOut) {
        const int answer =
            host.ShowMessage(kTimeoutText, kMessageCaption, kWarningRetryCancelStyle);
        if (answer != kAnswerRetry) {
            // The installer keeps running; only the wait for it ends here.
            return 0;
        }
    }
    const std::uint32_t exitCode = host.InstallerExitCode();
    if (exitCode != 0) {
        host.ShowMessage(ExitCodeText(exitCode), kMessageCaption, kWarningOkStyle);
    }
    return 1;
}

}  // namespace

int RunDriverSetup(InstallerHost& host) {
    const std::string programFolder = FolderOfPath(host.ProgramPath());
    const bool sixtyFourBit = IsSixtyFourBitSystem(host.ProbeWow64Directory());
    const std::string packagePath = programFolder + PackageName(sixtyFourBit);
    const std::string workingDirectory = FolderOfPath(packagePath);
    const std::string commandLine = InstallerCommandLine(packagePath);

    const int result = InstallAndWait(host, commandLine, workingDirectory);
    host.CloseHandles();
    return result;
}

}  // namespace quill
