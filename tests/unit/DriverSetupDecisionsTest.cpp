#include <gtest/gtest.h>

#include <string>

#include "driversetup/DriverSetupDecisions.h"

namespace quill {
namespace {

TEST(DriverSetupFolder, SplitsDriveAndDirectory) {
    const DriveAndDirectory parts = SplitDriveAndDirectory("D:\\kit\\drivers\\setup.exe");
    EXPECT_EQ(parts.drive, "D:");
    EXPECT_EQ(parts.directory, "\\kit\\drivers\\");
    EXPECT_EQ(FolderOfPath("D:\\kit\\drivers\\setup.exe"), "D:\\kit\\drivers\\");
}

TEST(DriverSetupFolder, RootOfDriveKeepsItsBackslash) {
    EXPECT_EQ(FolderOfPath("C:\\setup.exe"), "C:\\");
    EXPECT_EQ(FolderOfPath("C:\\" + PackageName(false)), "C:\\");
}

TEST(DriverSetupFolder, PathsWithoutDrive) {
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\kit\\setup.exe"), "\\\\server\\share\\kit\\");
    EXPECT_EQ(FolderOfPath("kit\\setup.exe"), "kit\\");
    EXPECT_EQ(FolderOfPath("setup.exe"), "");
    EXPECT_EQ(FolderOfPath(""), "");
    // A colon anywhere but second is no drive.
    EXPECT_EQ(SplitDriveAndDirectory("ab:\\x\\y.exe").drive, "");
}

TEST(DriverSetupFolder, DriveWithoutDirectoryGetsNoBackslash) {
    EXPECT_EQ(FolderOfPath("C:setup.exe"), "C:");
    EXPECT_EQ(FolderOfPath("C:"), "C:");
}

TEST(DriverSetupFolder, ForwardSlashesCountAsSeparators) {
    EXPECT_EQ(FolderOfPath("D:/kit/drivers/setup.exe"), "D:/kit/drivers/");
    EXPECT_EQ(FolderOfPath("D:\\kit/drivers\\setup.exe"), "D:\\kit/drivers\\");
    EXPECT_EQ(FolderOfPath("D:/setup.exe"), "D:/");
}

TEST(DriverSetupFolder, JoinAddsMissingBackslashOnly) {
    EXPECT_EQ(JoinDriveAndDirectory({"E:", "\\kit"}), "E:\\kit\\");
    EXPECT_EQ(JoinDriveAndDirectory({"E:", "\\kit/"}), "E:\\kit/");
    EXPECT_EQ(JoinDriveAndDirectory({"", ""}), "");
    // Only the drive letter of the drive part is written, then a colon.
    EXPECT_EQ(JoinDriveAndDirectory({"e?", "\\"}), "e:\\");
}

TEST(DriverSetupFolder, LongPathsAreKeptWhole) {
    std::string folder = "C:";
    for (int i = 0; i < 40; ++i) {
        folder += "\\very long folder name " + std::to_string(i);
    }
    folder += "\\";
    ASSERT_GT(folder.size(), 900u);
    EXPECT_EQ(FolderOfPath(folder + "setup.exe"), folder);
    const std::string packagePath = folder + PackageName(true);
    EXPECT_EQ(FolderOfPath(packagePath), folder);
    EXPECT_EQ(InstallerCommandLine(packagePath), "msiexec /i \"" + packagePath + "\"");
}

TEST(DriverSetupSixtyFourBitTest, MissingExportMeansThirtyTwoBit) {
    EXPECT_FALSE(IsSixtyFourBitSystem(Wow64Probe{false, 0, 0}));
    // Values beside a missing export are never looked at.
    EXPECT_FALSE(IsSixtyFourBitSystem(Wow64Probe{false, 20, 0}));
}

TEST(DriverSetupSixtyFourBitTest, FailureWithCallNotImplementedMeansThirtyTwoBit) {
    EXPECT_FALSE(IsSixtyFourBitSystem(Wow64Probe{true, 0, 120}));
}

TEST(DriverSetupSixtyFourBitTest, FailureWithAnyOtherErrorMeansSixtyFourBit) {
    EXPECT_TRUE(IsSixtyFourBitSystem(Wow64Probe{true, 0, 0}));
    EXPECT_TRUE(IsSixtyFourBitSystem(Wow64Probe{true, 0, 122}));
    EXPECT_TRUE(IsSixtyFourBitSystem(Wow64Probe{true, 0, 5}));
}

TEST(DriverSetupSixtyFourBitTest, SuccessMeansSixtyFourBit) {
    EXPECT_TRUE(IsSixtyFourBitSystem(Wow64Probe{true, 19, 0}));
    // A stale error 120 beside a successful call does not matter.
    EXPECT_TRUE(IsSixtyFourBitSystem(Wow64Probe{true, 19, 120}));
}

TEST(DriverSetupPackage, NamesAndCommandLine) {
    EXPECT_EQ(PackageName(false), "TulipCDCDriver_x86.msi");
    EXPECT_EQ(PackageName(true), "TulipCDCDriver_x64.msi");
    EXPECT_EQ(InstallerCommandLine("C:\\Program Files\\Kit\\Drivers\\TulipCDCDriver_x64.msi"),
              "msiexec /i \"C:\\Program Files\\Kit\\Drivers\\TulipCDCDriver_x64.msi\"");
}

TEST(DriverSetupMessages, TextsAndStylesByteForByte) {
    EXPECT_STREQ(kMessageCaption, "Driver installation error");
    EXPECT_STREQ(kNotStartedText,
                 "Failed to install driver. Driver installer could not be started.");
    const std::string timeout = kTimeoutText;
    EXPECT_EQ(timeout,
              "Failed to install driver (Timeout occurred).\x0a"
              "Normally this only occurs when the \x22"
              "found new hardware\x22 wizard is active.\x0a\x20"
              "In this case please close the \x22"
              "found new hardware\x22 dialog and click on \x22Retry\x22.");
    EXPECT_EQ(timeout.size(), 199u);
    // OK, warning icon, task-modal, topmost; the same with Retry/Cancel.
    EXPECT_EQ(kWarningOkStyle, 0x0u | 0x30u | 0x2000u | 0x40000u);
    EXPECT_EQ(kWarningRetryCancelStyle, 0x5u | 0x30u | 0x2000u | 0x40000u);
}

TEST(DriverSetupMessages, ExitCodeInEightUpperCaseHexDigits) {
    EXPECT_EQ(ExitCodeText(1603), "Failed to install driver (ErrorCode = 0x00000643).");
    EXPECT_EQ(ExitCodeText(1), "Failed to install driver (ErrorCode = 0x00000001).");
    EXPECT_EQ(ExitCodeText(0xC0000005u), "Failed to install driver (ErrorCode = 0xC0000005).");
    EXPECT_EQ(ExitCodeText(0xFFFFFFFFu), "Failed to install driver (ErrorCode = 0xFFFFFFFF).");
}

}  // namespace
}  // namespace quill
