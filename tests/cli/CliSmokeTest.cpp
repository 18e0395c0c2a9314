// quill-cli started as a program: its output streams, its exit status, and
// bytes passed through unchanged. The subcommands themselves are tested
// in-process (CliCommandsTest).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct ProcessRun {
    int status = -1;
    std::string out;
};

ProcessRun Start(const std::string& arguments) {
    ProcessRun run;
    const std::string command = "\"" QUILL_CLI_PATH "\" " + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// What reached a pseudo-terminal given as standard output to quill-cli
// started with `arguments` (the terminal ends each line with "\r\n").
std::string OnTerminal(const std::string& arguments) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) {
        return "no pseudo-terminal";
    }
    const std::string command = "\"" QUILL_CLI_PATH "\" " + arguments + " >" + ptsname(terminal);
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
        _exit(127);
    }
    std::string shown;
    char buffer[4096];
    // The read fails once the program has closed the terminal.
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, static_cast<std::size_t>(n));
    }
    waitpid(pid, nullptr, 0);
    close(terminal);
    return shown;
}

TEST(CliProgram, EscapesControlCharactersForATerminalOnly) {
    const std::string compose = "compose \"$(printf 'Put\\033]0;x\\007')\" 'a\tb'";
    EXPECT_EQ(OnTerminal(compose), "Put\\x1b]0;x\\x07(a\tb)\r\n");
    EXPECT_EQ(Start(compose).out, "Put\x1B]0;x\x07(a\tb)\n");
}

TEST(CliProgram, PrintsListsAndReportsItsStatus) {
    const ProcessRun functions = Start("functions \"" QUILL_EXAMPLES_DIR "/Gpio.h\"");
    EXPECT_EQ(functions.status, 0);
    EXPECT_EQ(functions.out.substr(0, 38), "void GpioSetMode(int iPin, int iMode)\n");

    const ProcessRun compose = Start("compose Put '\"A b\"' 'x\ty'");
    EXPECT_EQ(compose.status, 0);
    EXPECT_EQ(compose.out, "Put(\"A b\",x\ty)\n");

    EXPECT_EQ(Start("lookup \"" QUILL_EXAMPLES_DIR "/Pwm.h\" 'void Gone(void)'").status, 1);
    EXPECT_GT(Start("no-such-command").status, 1);
}

}  // namespace
