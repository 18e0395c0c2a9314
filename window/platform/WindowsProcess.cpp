#include "window/platform/WindowsProcess.h"

#include "window/platform/WindowsApi.h"

#include <vector>

#include "core/compose/ValueRules.h"

namespace quill {

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

int RunWindowsProgramAndWait(const std::string& programPath, int intervalMs,
                             void (*whileWaiting)()) {
    // The application name is the file itself (no search, no extension
    // added); the command line only repeats it, quoted, as its first word.
    const std::string commandLine = QuotedProgramCommandLine(programPath);
    const std::wstring application = Widen(programPath);
    if (commandLine.empty() || application.empty()) {
        return -1;
    }
    std::wstring line = Widen(commandLine);
    std::vector<wchar_t> writable(line.begin(), line.end());
    writable.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    while (WaitForSingleObject(process.hProcess, static_cast<DWORD>(intervalMs)) == WAIT_TIMEOUT) {
        whileWaiting();
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

}  // namespace quill
