#pragma once

// One run of the driver installer launcher, written against a small
// interface so that the same steps drive the real system on Windows and a
// scripted double in the tests.

#include <cstdint>
#include <string>

#include "driversetup/DriverSetupDecisions.h"

namespace quill {

class InstallerHost {
public:
    virtual ~InstallerHost() = default;

    // Full path of the running program file.
    virtual std::string ProgramPath() = 0;

    // Looks up GetSystemWow64DirectoryA and, when present, calls it.
    virtual Wow64Probe ProbeWow64Directory() = 0;

    // Starts the installer with the command line in the working directory;
    // false when the process could not be created.
    virtual bool StartInstaller(const std::string& commandLine,
                                const std::string& workingDirectory) = 0;

    // Waits for the started installer at most the given time and returns the
    // wait's outcome (kWaitTimedOut when it is still running).
    virtual std::uint32_t WaitForInstaller(std::uint32_t milliseconds) = 0;

    // Exit code of the installer once it has ended.
    virtual std::uint32_t InstallerExitCode() = 0;

    // Shows a message box without owner and returns the button chosen.
    virtual int ShowMessage(const std::string& text, const std::string& caption,
                            std::uint32_t style) = 0;

    // Releases whatever the start left open; called once at the end of every
    // run, whether or not the installer was started.
    virtual void CloseHandles() = 0;
};

// Installs the package that fits the running system and returns the
// program's exit code: 1 when the installer ran to its end (whatever its own
// exit code), 0 when it could not be started or the user stopped waiting.
int RunDriverSetup(InstallerHost& host);

}  // namespace quill
