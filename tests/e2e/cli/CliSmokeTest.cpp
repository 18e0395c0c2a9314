// quill-cli started as a program: its output streams, its exit status, and
// bytes passed through unchanged. The subcommands themselves are tested
// in-process (CliCommandsTest).

#include <gtest/gtest.h>

#include <cstdio>
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
