#include "driversetup/WinInstallerHost.h"

#include <vector>

namespace quill {

namespace {

using GetSystemWow64DirectoryAFunction = UINT(WINAPI*)(LPSTR, UINT);

void CloseIfOpen(HANDLE& handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

}  // namespace

WinInstallerHost::WinInstallerHost() {
    ZeroMemory(&process_, sizeof process_);
}

WinInstallerHost::~WinInstallerHost() {
    CloseHandles();
}

std::string WinInstallerHost::ProgramPath() {
    // The path may be longer than MAX_PATH; grow the buffer until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        if (buffer.size() > 65536) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
}

Wow64Probe WinInstallerHost::ProbeWow64Directory() {
    Wow64Probe probe;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC address =
        kernel != nullptr ? GetProcAddress(kernel, "GetSystemWow64DirectoryA") : nullptr;
    if (address == nullptr) {
        return probe;
    }
    probe.exportFound = true;
    auto getSystemWow64Directory =
        reinterpret_cast<GetSystemWow64DirectoryAFunction>(reinterpret_cast<void (*)()>(address));
    char directory[MAX_PATH];
    SetLastError(0);
    probe.returned = getSystemWow64Directory(directory, MAX_PATH);
    if (probe.returned == 0) {
        probe.lastError = GetLastError();
    }
    return probe;
}

bool WinInstallerHost::StartInstaller(const std::string& commandLine,
                                      const std::string& workingDirectory) {
    CloseHandles();
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;  // 68 in the 32-bit program
    // Process creation may write into the command line, so it gets a copy.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    const char* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                          &startup, &process_) != FALSE;
}

std::uint32_t WinInstallerHost::WaitForInstaller(std::uint32_t milliseconds) {
    return WaitForSingleObject(process_.hProcess, milliseconds);
}

std::uint32_t WinInstallerHost::InstallerExitCode() {
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process_.hProcess, &exitCode)) {
        // An unreadable exit code must not pass for success.
        const DWORD error = GetLastError();
        return error != 0 ? error : ERROR_INVALID_HANDLE;
    }
    return exitCode;
}

int WinInstallerHost::ShowMessage(const std::string& text, const std::string& caption,
                                  std::uint32_t style) {
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

void WinInstallerHost::CloseHandles() {
    CloseIfOpen(process_.hProcess);
    CloseIfOpen(process_.hThread);
}

}  // namespace quill
