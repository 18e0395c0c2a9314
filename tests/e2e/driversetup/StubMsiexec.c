/* A stand-in for the Windows Installer command line in the DriverSetup
 * end-to-end tests. Beside its own program file it
 *   writes msiexec-commandline.txt: its whole command line,
 *   writes msiexec-directory.txt: the working directory it was started in,
 *   reads msiexec-exitcode.txt: the exit code to end with (else the
 *     environment variable STUB_MSIEXEC_EXIT_CODE, else 0),
 *   reads msiexec-sleep.txt: seconds to keep running first (else none). */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static char folder[32768];

static void PathBeside(char* path, size_t size, const char* name) {
    snprintf(path, size, "%s%s", folder, name);
}

static void WriteText(const char* name, const char* text) {
    char path[33000];
    PathBeside(path, sizeof path, name);
    FILE* file = fopen(path, "wb");
    if (file != NULL) {
        fputs(text, file);
        fclose(file);
    }
}

static int ReadNumber(const char* name, long* value) {
    char path[33000];
    PathBeside(path, sizeof path, name);
    FILE* file = fopen(path, "rb");
    if (file == NULL) {
        return 0;
    }
    int found = fscanf(file, "%ld", value) == 1;
    fclose(file);
    return found;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments, int show) {
    (void)instance;
    (void)previous;
    (void)arguments;
    (void)show;

    DWORD length = GetModuleFileNameA(NULL, folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) {
        return 90;
    }
    char* lastSeparator = strrchr(folder, '\\');
    if (lastSeparator == NULL) {
        return 91;
    }
    lastSeparator[1] = '\0';

    WriteText("msiexec-commandline.txt", GetCommandLineA());

    char directory[32768];
    DWORD directoryLength = GetCurrentDirectoryA(sizeof directory, directory);
    if (directoryLength > 0 && directoryLength < sizeof directory) {
        WriteText("msiexec-directory.txt", directory);
    }

    long seconds = 0;
    if (ReadNumber("msiexec-sleep.txt", &seconds) && seconds > 0) {
        Sleep((DWORD)seconds * 1000);
    }

    long exitCode = 0;
    if (!ReadNumber("msiexec-exitcode.txt", &exitCode)) {
        const char* fromEnvironment = getenv("STUB_MSIEXEC_EXIT_CODE");
        if (fromEnvironment != NULL) {
            exitCode = strtol(fromEnvironment, NULL, 10);
        }
    }
    return (int)exitCode;
}
