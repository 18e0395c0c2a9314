// Entry point of DriverSetup.exe: installs the USB CDC driver package that
// fits the running Windows and exits with 1 when the installer ran to its end.

#include <windows.h>

#include "driversetup/DriverSetupRun.h"
#include "driversetup/WinInstallerHost.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    quill::WinInstallerHost host;
    return quill::RunDriverSetup(host);
}
