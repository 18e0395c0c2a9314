#include "driversetup/DriverSetupDecisions.h"

#include <cstdio>

namespace quill {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

DriveAndDirectory SplitDriveAndDirectory(const std::string& path) {
    DriveAndDirectory parts;
    std::string rest = path;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        rest = path.substr(2);
    }
    const std::size_t lastSeparator = rest.find_last_of("\\/");
    if (lastSeparator != std::string::npos) {
        parts.directory = rest.substr(0, lastSeparator + 1);
    }
    return parts;
}

std::string JoinDriveAndDirectory(const DriveAndDirectory& parts) {
    std::string joined;
    if (!parts.drive.empty()) {
        joined += parts.drive[0];
        joined += ':';
    }
    joined += parts.directory;
    if (!parts.directory.empty() && !IsSeparator(parts.directory.back())) {
        joined += '\\';
    }
    return joined;
}

std::string FolderOfPath(const std::string& path) {
    return JoinDriveAndDirectory(SplitDriveAndDirectory(path));
}

bool IsSixtyFourBitSystem(const Wow64Probe& probe) {
    if (!probe.exportFound) {
        return false;
    }
    if (probe.returned == 0 && probe.lastError == kErrorCallNotImplemented) {
        return false;
    }
    return true;
}

std::string PackageName(bool sixtyFourBit) {
    return sixtyFourBit ? kPackageNameX64 : kPackageNameX86;
}

std::string InstallerCommandLine(const std::string& packagePath) {
    return "msiexec /i \"" + packagePath + "\"";
}

std::string ExitCodeText(std::uint32_t exitCode) {
    char text[64];
    std::snprintf(text, sizeof text, "Failed to install driver (ErrorCode = 0x%.8X).",
                  static_cast<unsigned>(exitCode));
    return text;
}

}  // namespace quill
