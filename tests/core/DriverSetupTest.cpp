#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driversetup/DriverSetupDecisions.h"
#include "driversetup/DriverSetupRun.h"

namespace quill {
namespace {

TEST(DriverSetupDecisions, FolderOfTheProgramAndTheSixtyFourBitTest) {
    EXPECT_EQ(FolderOfPath("D:\\kit\\drivers\\setup.exe"), "D:\\kit\\drivers\\");
    EXPECT_EQ(FolderOfPath("C:setup.exe"), "C:");
    EXPECT_EQ(FolderOfPath("D:\\kit/drivers\\setup.exe"), "D:\\kit/drivers\\");
    EXPECT_EQ(FolderOfPath("D:/setup.exe"), "D:/");
    EXPECT_EQ(FolderOfPath(""), "");
    // A backslash is added only where the directory lacks a separator; only
    // the drive letter of the drive part is written, then a colon.
    EXPECT_EQ(JoinDriveAndDirectory({"E:", "\\kit"}), "E:\\kit\\");
    EXPECT_EQ(JoinDriveAndDirectory({"e?", "\\"}), "e:\\");

    // 32-bit without the export or when it fails with error 120 (call not implemented).
    for (const Wow64Probe& probe : {Wow64Probe{false, 20, 0}, Wow64Probe{true, 0, 120}}) {
        EXPECT_FALSE(IsSixtyFourBitSystem(probe)) << probe.returned << " " << probe.lastError;
    }
    for (const Wow64Probe& probe :
         {Wow64Probe{true, 0, 122}, Wow64Probe{true, 19, 0}, Wow64Probe{true, 19, 120}}) {
        EXPECT_TRUE(IsSixtyFourBitSystem(probe)) << probe.returned << " " << probe.lastError;
    }
}

// Plays the system's part from a script filled beforehand and writes down
// every call, so a run never blocks and every step can be checked.
class ScriptedHost : public InstallerHost {
public:
    std::string programPath = "C:\\Program Files\\Kit\\Drivers\\DriverSetup.exe";
    Wow64Probe probe{false, 0, 0};
    bool startSucceeds = true;
    std::vector<std::uint32_t> waits;  // outcomes; past the end the installer has ended
    std::vector<int> answers;          // past the end: OK (1)
    std::uint32_t exitCode = 0;
    std::vector<std::string> calls;

    std::string ProgramPath() override { return programPath; }
    Wow64Probe ProbeWow64Directory() override { return probe; }
    bool StartInstaller(const std::string& commandLine, const std::string& folder) override {
        calls.push_back("start " + commandLine + " in " + folder);
        return startSucceeds;
    }
    std::uint32_t WaitForInstaller(std::uint32_t milliseconds) override {
        calls.push_back("wait " + std::to_string(milliseconds));
        return waited < waits.size() ? waits[waited++] : 0;
    }
    std::uint32_t InstallerExitCode() override {
        calls.push_back("exit code");
        return exitCode;
    }
    int ShowMessage(const std::string& text, const std::string& caption,
                    std::uint32_t style) override {
        std::ostringstream call;
        call << "box " << std::hex << style << " " << caption << ": " << text;
        calls.push_back(call.str());
        return answered < answers.size() ? answers[answered++] : 1;
    }
    void CloseHandles() override { calls.push_back("close"); }

private:
    std::size_t waited = 0;
    std::size_t answered = 0;
};

using Calls = std::vector<std::string>;
const std::string kStart =
    "start msiexec /i \"C:\\Program Files\\Kit\\Drivers\\TulipCDCDriver_x86.msi\" in "
    "C:\\Program Files\\Kit\\Drivers\\";
const std::string kNotStarted =
    "box 42030 Driver installation error: Failed to install driver. Driver installer could not be "
    "started.";
const std::string kTimedOut =
    "box 42035 Driver installation error: Failed to install driver (Timeout occurred).\n"
    "Normally this only occurs when the \"found new hardware\" wizard is active.\n"
    " In this case please close the \"found new hardware\" dialog and click on \"Retry\".";

std::string ErrorCodeBox(const char* hex) {
    return "box 42030 Driver installation error: Failed to install driver (ErrorCode = 0x" +
           std::string(hex) + ").";
}

TEST(DriverSetupRun, EachEndingOfTheInstallerGivesItsStatusAndMessages) {
    const std::string wait = "wait 60000", exit = "exit code", close = "close";
    const struct {
        std::vector<std::uint32_t> waits;
        std::vector<int> answers;
        std::uint32_t exitCode;
        bool starts;
        int status;
        Calls calls;
    } cases[] = {
        // A folder with blanks reaches the installer as one quoted path.
        {{}, {}, 0, true, 1, {kStart, wait, exit, close}},
        {{}, {}, 1603, true, 1, {kStart, wait, exit, ErrorCodeBox("00000643"), close}},
        {{}, {}, 0, false, 0, {kStart, kNotStarted, close}},
        // Retry waits again until the wait ends otherwise.
        {{0x102, 0x102, 0xFFFFFFFFu},
         {4, 4},
         1,
         true,
         1,
         {kStart, wait, kTimedOut, wait, kTimedOut, wait, exit, ErrorCodeBox("00000001"), close}},
        // Any other answer (0: the box could not be shown) stops waiting; the
        // exit code is never read and the installer is left running.
        {{0x102, 0x102}, {4, 2}, 0, true, 0, {kStart, wait, kTimedOut, wait, kTimedOut, close}},
        {{0x102}, {0}, 0, true, 0, {kStart, wait, kTimedOut, close}},
    };
    for (const auto& c : cases) {
        ScriptedHost host;
        host.waits = c.waits;
        host.answers = c.answers;
        host.exitCode = c.exitCode;
        host.startSucceeds = c.starts;
        EXPECT_EQ(RunDriverSetup(host), c.status);
        EXPECT_EQ(host.calls, c.calls);
    }
    ScriptedHost root;
    root.programPath = "C:\\setup.exe";
    root.probe = Wow64Probe{true, 19, 0};
    EXPECT_EQ(RunDriverSetup(root), 1);
    EXPECT_EQ(root.calls[0], "start msiexec /i \"C:\\TulipCDCDriver_x64.msi\" in C:\\");
}

// A path that does not fit is refused rather than cut.
TEST(DriverSetupRun, AFolderTooLongForTheCommandLineIsNotStarted) {
    ScriptedHost host;
    host.programPath = "E:\\" + std::string(kMaxCommandLineLength, 'k') + "\\x.exe";
    EXPECT_EQ(RunDriverSetup(host), 0);
    EXPECT_EQ(host.calls, (Calls{kNotStarted, "close"}));
}

}  // namespace
}  // namespace quill
