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

// quill-cli started with `arguments`, its standard output a pipe or, with
// `terminal`, a pseudo-terminal (which ends each line with "\r\n").
ProcessRun Start(const std::string& arguments, bool terminal = false) {
    ProcessRun run;
    const int master = terminal ? posix_openpt(O_RDWR | O_NOCTTY) : -1;
    if (terminal && (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)) {
        return run;
    }
    const std::string command = "\"" QUILL_CLI_PATH "\" " + arguments + " 2>/dev/null" +
                                (terminal ? std::string(" >") + ptsname(master) : "");
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    // A terminal's read fails once the program has closed it.
    for (ssize_t n; (n = read(terminal ? master : fileno(pipe), buffer, sizeof buffer)) > 0;) {
        run.out.append(buffer, static_cast<std::size_t>(n));
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (terminal) {
        close(master);
    }
    return run;
}

// Standard output escaped for a terminal only, bytes unchanged otherwise,
// and the status of the job as the program's exit status.
TEST(CliProgram, PrintsEscapesAndReportsItsStatus) {
    const std::string compose = "compose \"$(printf 'Put\\033]0;x\\007')\" '\"a\tb\"'";
    EXPECT_EQ(Start(compose, true).out, "Put\\x1b]0;x\\x07(\"a\tb\")\r\n");
    const ProcessRun plain = Start(compose);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "Put\x1B]0;x\x07(\"a\tb\")\n");
    EXPECT_EQ(Start("lookup \"" QUILL_EXAMPLES_DIR "/Pwm.h\" 'void Gone(void)'").status, 1);
}

}  // namespace
