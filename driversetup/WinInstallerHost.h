#pragma once

// The launcher's system calls on Windows.

#include <windows.h>

#include "driversetup/DriverSetupRun.h"

namespace quill {

class WinInstallerHost : public InstallerHost {
public:
    WinInstallerHost();
    ~WinInstallerHost() override;
    WinInstallerHost(const WinInstallerHost&) = delete;
    WinInstallerHost& operator=(const WinInstallerHost&) = delete;

    std::string ProgramPath() override;
    Wow64Probe ProbeWow64Directory() override;
    bool StartInstaller(const std::string& commandLine,
                        const std::string& workingDirectory) override;
    std::uint32_t WaitForInstaller(std::uint32_t milliseconds) override;
    std::uint32_t InstallerExitCode() override;
    int ShowMessage(const std::string& text, const std::string& caption,
                    std::uint32_t style) override;
    void CloseHandles() override;

private:
    PROCESS_INFORMATION process_;
};

}  // namespace quill
