#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "driversetup/DriverSetupRun.h"

namespace quill {
namespace {

constexpr char kTimeout[] =
    "Failed to install driver (Timeout occurred).\n"
    "Normally this only occurs when the \"found new hardware\" wizard is active.\n"
    " In this case please close the \"found new hardware\" dialog and click on \"Retry\".";

struct Message {
    std::string text;
    std::string caption;
    std::uint32_t style;
};

// Plays the system's part from a script filled beforehand and records every
// call, so a run never blocks and every step can be checked.
class ScriptedHost : public InstallerHost {
public:
    std::string programPath = "D:\\kit\\drivers\\setup.exe";
    Wow64Probe probe{false, 0, 0};
    bool startSucceeds = true;
    std::deque<std::uint32_t> waitOutcomes;  // empty: the installer has ended
    std::deque<int> answers;                 // empty: OK (1)
    std::uint32_t exitCode = 0;

    std::vector<std::string> calls;
    std::string startedCommandLine;
    std::string startedDirectory;
    std::vector<std::uint32_t> waitTimes;
    std::vector<Message> messages;

    std::string ProgramPath() override {
        calls.push_back("ProgramPath");
        return programPath;
    }
    Wow64Probe ProbeWow64Directory() override {
        calls.push_back("Probe");
        return probe;
    }
    bool StartInstaller(const std::string& commandLine,
                        const std::string& workingDirectory) override {
        calls.push_back("Start");
        startedCommandLine = commandLine;
        startedDirectory = workingDirectory;
        return startSucceeds;
    }
    std::uint32_t WaitForInstaller(std::uint32_t milliseconds) override {
        calls.push_back("Wait");
        waitTimes.push_back(milliseconds);
        if (waitOutcomes.empty()) {
            return 0;
        }
        const std::uint32_t outcome = waitOutcomes.front();
        waitOutcomes.pop_front();
        return outcome;
    }
    std::uint32_t InstallerExitCode() override {
        calls.push_back("ExitCode");
        return exitCode;
    }
    int ShowMessage(const std::string& text, const std::string& caption,
                    std::uint32_t style) override {
        calls.push_back("Message");
        messages.push_back({text, caption, style});
        if (answers.empty()) {
            return 1;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void CloseHandles() override { calls.push_back("Close"); }
};

using Calls = std::vector<std::string>;

TEST(DriverSetupRun, InstallerEndingWithZeroGivesOneWithoutMessage) {
    ScriptedHost host;
    EXPECT_EQ(RunDriverSetup(host), 1);
    EXPECT_EQ(host.calls, (Calls{"ProgramPath", "Probe", "Start", "Wait", "ExitCode", "Close"}));
    EXPECT_EQ(host.startedCommandLine, "msiexec /i \"D:\\kit\\drivers\\TulipCDCDriver_x86.msi\"");
    EXPECT_EQ(host.startedDirectory, "D:\\kit\\drivers\\");
    EXPECT_EQ(host.waitTimes, (std::vector<std::uint32_t>{60000}));
    EXPECT_TRUE(host.messages.empty());
}

TEST(DriverSetupRun, ChoosesThePackageFromTheSixtyFourBitTest) {
    ScriptedHost noExport;
    RunDriverSetup(noExport);
    EXPECT_EQ(noExport.startedCommandLine,
              "msiexec /i \"D:\\kit\\drivers\\TulipCDCDriver_x86.msi\"");

    ScriptedHost notImplemented;
    notImplemented.probe = Wow64Probe{true, 0, 120};
    RunDriverSetup(notImplemented);
    EXPECT_EQ(notImplemented.startedCommandLine,
              "msiexec /i \"D:\\kit\\drivers\\TulipCDCDriver_x86.msi\"");

    ScriptedHost otherError;
    otherError.probe = Wow64Probe{true, 0, 87};
    RunDriverSetup(otherError);
    EXPECT_EQ(otherError.startedCommandLine,
              "msiexec /i \"D:\\kit\\drivers\\TulipCDCDriver_x64.msi\"");

    ScriptedHost sixtyFourBit;
    sixtyFourBit.probe = Wow64Probe{true, 19, 0};
    RunDriverSetup(sixtyFourBit);
    EXPECT_EQ(sixtyFourBit.startedCommandLine,
              "msiexec /i \"D:\\kit\\drivers\\TulipCDCDriver_x64.msi\"");
}

TEST(DriverSetupRun, ProgramAtTheRootOfADrive) {
    ScriptedHost host;
    host.programPath = "C:\\setup.exe";
    host.probe = Wow64Probe{true, 19, 0};
    EXPECT_EQ(RunDriverSetup(host), 1);
    EXPECT_EQ(host.startedCommandLine, "msiexec /i \"C:\\TulipCDCDriver_x64.msi\"");
    EXPECT_EQ(host.startedDirectory, "C:\\");
}

TEST(DriverSetupRun, FolderWithBlanksReachesTheInstallerAsOneQuotedPath) {
    ScriptedHost host;
    host.programPath = "C:\\Program Files\\Kit\\Drivers\\DriverSetup.exe";
    RunDriverSetup(host);
    EXPECT_EQ(host.startedCommandLine,
              "msiexec /i \"C:\\Program Files\\Kit\\Drivers\\TulipCDCDriver_x86.msi\"");
    EXPECT_EQ(host.startedDirectory, "C:\\Program Files\\Kit\\Drivers\\");
}

TEST(DriverSetupRun, NonZeroExitCodeIsReportedAndStillGivesOne) {
    ScriptedHost host;
    host.exitCode = 1603;
    EXPECT_EQ(RunDriverSetup(host), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Failed to install driver (ErrorCode = 0x00000643).");
    EXPECT_EQ(host.messages[0].caption, "Driver installation error");
    EXPECT_EQ(host.messages[0].style, 0x42030u);
    EXPECT_EQ(host.calls.back(), "Close");
}

TEST(DriverSetupRun, FailedStartIsReportedAndGivesZero) {
    ScriptedHost host;
    host.startSucceeds = false;
    EXPECT_EQ(RunDriverSetup(host), 0);
    EXPECT_EQ(host.calls, (Calls{"ProgramPath", "Probe", "Start", "Message", "Close"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Failed to install driver. Driver installer could not be started.");
    EXPECT_EQ(host.messages[0].caption, "Driver installation error");
    EXPECT_EQ(host.messages[0].style, 0x42030u);
}

TEST(DriverSetupRun, TimeOutThenRetryWaitsAgainUntilTheInstallerEnds) {
    ScriptedHost host;
    host.waitOutcomes = {0x102, 0x102, 0};
    host.answers = {4, 4};
    host.exitCode = 0;
    EXPECT_EQ(RunDriverSetup(host), 1);
    EXPECT_EQ(host.calls, (Calls{"ProgramPath", "Probe", "Start", "Wait", "Message", "Wait",
                                 "Message", "Wait", "ExitCode", "Close"}));
    EXPECT_EQ(host.waitTimes, (std::vector<std::uint32_t>{60000, 60000, 60000}));
    ASSERT_EQ(host.messages.size(), 2u);
    for (const Message& message : host.messages) {
        EXPECT_EQ(message.text, kTimeout);
        EXPECT_EQ(message.caption, "Driver installation error");
        EXPECT_EQ(message.style, 0x42035u);
    }
}

TEST(DriverSetupRun, TimeOutThenRetryThenFailingInstaller) {
    ScriptedHost host;
    host.waitOutcomes = {0x102, 0};
    host.answers = {4};
    host.exitCode = 1603;
    EXPECT_EQ(RunDriverSetup(host), 1);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].style, 0x42035u);
    EXPECT_EQ(host.messages[1].text, "Failed to install driver (ErrorCode = 0x00000643).");
    EXPECT_EQ(host.messages[1].style, 0x42030u);
}

TEST(DriverSetupRun, TimeOutThenCancelStopsWaitingWithZero) {
    ScriptedHost host;
    host.waitOutcomes = {0x102, 0x102};
    host.answers = {4, 2};
    EXPECT_EQ(RunDriverSetup(host), 0);
    // The exit code is never read and the installer is left running.
    EXPECT_EQ(host.calls, (Calls{"ProgramPath", "Probe", "Start", "Wait", "Message", "Wait",
                                 "Message", "Close"}));
}

TEST(DriverSetupRun, AnyAnswerButRetryEndsTheWait) {
    // A message box that could not be shown answers 0.
    for (int answer : {0, 1, 2, 3, 5, 6, 7}) {
        ScriptedHost host;
        host.waitOutcomes = {0x102};
        host.answers = {answer};
        EXPECT_EQ(RunDriverSetup(host), 0) << "answer " << answer;
        EXPECT_EQ(host.waitTimes.size(), 1u) << "answer " << answer;
    }
}

TEST(DriverSetupRun, WaitEndingOtherThanByTimeOutReadsTheExitCode) {
    ScriptedHost host;
    host.waitOutcomes = {0xFFFFFFFFu};
    host.exitCode = 5;
    EXPECT_EQ(RunDriverSetup(host), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Failed to install driver (ErrorCode = 0x00000005).");
}

TEST(DriverSetupRun, LongFolderBeyondTheOldBuffersIsStartedWhole) {
    ScriptedHost host;
    const std::string folder = "E:\\" + std::string(300, 'k') + "\\";
    host.programPath = folder + "DriverSetup.exe";
    EXPECT_EQ(RunDriverSetup(host), 1);
    EXPECT_EQ(host.startedCommandLine, "msiexec /i \"" + folder + "TulipCDCDriver_x86.msi\"");
    EXPECT_EQ(host.startedDirectory, folder);
}

TEST(DriverSetupRun, CommandLineAtTheLimitIsStillStarted) {
    ScriptedHost host;
    const std::string fixed = "msiexec /i \"E:\\\\TulipCDCDriver_x86.msi\"";
    host.programPath = "E:\\" + std::string(kMaxCommandLineLength - fixed.size(), 'k') + "\\x.exe";
    EXPECT_EQ(RunDriverSetup(host), 1);
    EXPECT_EQ(host.startedCommandLine.size(), kMaxCommandLineLength);
}

TEST(DriverSetupRun, CommandLineTooLongIsReportedAsNotStarted) {
    ScriptedHost host;
    const std::string fixed = "msiexec /i \"E:\\\\TulipCDCDriver_x86.msi\"";
    host.programPath =
        "E:\\" + std::string(kMaxCommandLineLength - fixed.size() + 1, 'k') + "\\x.exe";
    EXPECT_EQ(RunDriverSetup(host), 0);
    EXPECT_EQ(host.calls, (Calls{"ProgramPath", "Probe", "Message", "Close"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Failed to install driver. Driver installer could not be started.");
    EXPECT_EQ(host.messages[0].style, 0x42030u);
}

TEST(DriverSetupRun, EmptyProgramPathUsesThePackageNameAlone) {
    ScriptedHost host;
    host.programPath = "";
    EXPECT_EQ(RunDriverSetup(host), 1);
    EXPECT_EQ(host.startedCommandLine, "msiexec /i \"TulipCDCDriver_x86.msi\"");
    EXPECT_EQ(host.startedDirectory, "");
}

}  // namespace
}  // namespace quill
