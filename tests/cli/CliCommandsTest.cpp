// quill-cli's subcommands run in-process with their output captured: what
// each prints, its exit status and its messages. The decisions behind them
// are tested in the core's unit tests.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliOutput.h"
#include "tests/core/ScratchFolder.h"

namespace quill::testing {
namespace {

using namespace std::string_literals;
using Args = std::vector<std::string>;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const Args& args, cli::TerminalStreams terminal = {}) {
    CliRun run;
    const cli::CapturedOutput captured(run.out, run.err, terminal);
    Args argv{"quill-cli"};
    argv.insert(argv.end(), args.begin(), args.end());
    run.status = cli::RunQuillCli(argv);
    return run;
}

std::string Example(const std::string& relative) {
    return QUILL_EXAMPLES_DIR "/"s + relative;
}

std::string LibraryMessage(const std::string& path) {
    return "Library " + path + " source file not available.\nFix using Library Combobox.\n";
}

struct Case {
    Args args;
    int status;
    std::string out;
    std::string err;
    bool partial = false;  // `out` is only a part of the output
};

void ExpectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args[0] + " " + c.args.back().substr(0, 60));
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status);
        if (c.partial) {
            EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        } else {
            EXPECT_EQ(run.out, c.out);
        }
        EXPECT_EQ(run.err, c.err);
    }
}

const std::string kPwmSetup = "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)";

TEST(Cli, FunctionsLookupAndParams) {
    ScratchFolder folder;
    // A FIFO nobody writes ends the run at once.
    const std::string fifo = folder.PathOf("Fifo.h");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string enc = folder.Write("Enc.h", "void Caf\xE9(int iMode);\n");
    folder.Write("Enc.c", "/**\n * @param iMode :{CAF\xC9,B}\n */\nvoid Caf\xE9(int iMode)\n");
    const std::string gone = "void PwmGone(int iChannel)";
    const std::string notFound =
        "Could not find \n" + gone + "\nin " + Example("Pwm.c") + "\nMust match exactly.\n";
    ExpectCases({
        {Args{"functions", Example("Pwm.h")}, 0,
         "void PwmInit(void)\n" + kPwmSetup +
             "\nvoid PwmSetDuty(int iChannel, unsigned char ucDuty)\nvoid PwmStop(int "
             "iChannel)\nint PwmIsRunning(int iChannel)\n",
         ""},
        {Args{"functions", fifo}, 1, "", LibraryMessage(fifo)},
        {Args{"lookup", Example("Pwm.h"), "void PwmInit(void)"}, 0,
         " * @brief  Stops all four channels and drives their outputs low.\n", "", true},
        {Args{"lookup", Example("Pwm.h"), gone}, 1, "", notFound},
        {Args{"params", Example("Pwm.h"), kPwmSetup}, 0,
         "parameter1.form: list\nparameter1.editText: \n"
         "parameter2.name: uOutputs\nparameter2.choiceText: PWM_A|PWM_B|PWM_C\n"
         "parameter2.form: flags\nparameter2.editText: PWM_A\n"
         "parameter3.name: iFreqHz\nparameter3.choiceText: 1-20000\n"
         "parameter3.form: free range\n",
         "", true},
        // JSON replaces each byte that is not UTF-8 by U+FFFD.
        {Args{"params", enc, "void Caf\xE9(int iMode)", "--json"}, 0,
         R"("choiceText":"CAF)"
         "\xEF\xBF\xBD"
         R"(,B","form":"list")",
         "", true},
        // Not found: the reasons, and the record the entry alone gives.
        {Args{"params", Example("Pwm.h"), gone, "--json"}, 1,
         R"({"functionName":"PwmGone","returnType":"void","parameterCount":1,"parameters":[)"
         R"({"name":"iChannel","choiceText":"","form":"free")",
         notFound, true},
    });
}

// Cuts a file to 100 bytes once `reads` reads of it were seen (or after 10 s
// without one), from a thread of its own.
std::thread CutAfterReads(const std::string& path, int reads) {
    const int watch = inotify_init1(IN_CLOEXEC);
    EXPECT_GE(inotify_add_watch(watch, path.c_str(), IN_ACCESS), 0);
    return std::thread([watch, path, reads] {
        alignas(inotify_event) char events[4096];
        pollfd ready{watch, POLLIN, 0};
        for (int seen = 0; seen < reads && poll(&ready, 1, 10000) == 1; ++seen) {
            (void)!read(watch, events, sizeof events);
        }
        std::filesystem::resize_file(path, 100);
        close(watch);
    });
}

TEST(Cli, FunctionsOfALibraryCutWhileItIsReadPrintNothing) {
    ScratchFolder folder;
    std::string text;
    std::string list;
    for (int i = 0; i < 600000; ++i) {  // 16 MB, over 250 reads
        text += "void Uart" + std::to_string(i) + "(int iByte);\n";
        list += "void Uart" + std::to_string(i) + "(int iByte)\n";
    }
    // Should the scan ever end before the cut, the run is repeated.
    bool cut = false;
    for (int attempt = 0; attempt < 5 && !cut; ++attempt) {
        const std::string library = folder.Write("Uart.h", text);
        std::thread cutter = CutAfterReads(library, 8);
        const CliRun run = RunCli({"functions", library});
        cutter.join();
        if ((cut = run.status == 1)) {
            EXPECT_EQ(run.out.size(), 0u);
            EXPECT_EQ(run.err, LibraryMessage(library));
        }
    }
    EXPECT_TRUE(cut) << "the scan always ended before the cut";
    // Whole, the list passes through the temporary file beyond 64 KiB.
    const CliRun whole = RunCli({"functions", folder.Write("Uart.h", text)});
    EXPECT_EQ(whole.status, 0);
    EXPECT_TRUE(whole.out == list) << whole.out.size() << " bytes";
}

TEST(Cli, ControlCharactersReachATerminalEscaped) {
    const std::pair<std::string, std::string> texts[] = {
        {"tab\tnewline\n back\\slash caf\xC3\xA9 \xE2\x82\xAC \x9B \xC2\xA0",
         "tab\tnewline\n back\\slash caf\xC3\xA9 \xE2\x82\xAC \x9B \xC2\xA0"},
        {"\x1B]0;title\x07\x1B[2J", "\\x1b]0;title\\x07\\x1b[2J"},
        {"\0\x01\x1F\x7F"s, "\\x00\\x01\\x1f\\x7f"},
        // A carriage return before a newline is a Windows line end.
        {"a\rb\r\n\r", "a\\x0db\r\n\\x0d"},
        // C1 controls in UTF-8; a lone lead byte stays as it is.
        {"\xC2\x9B"
         "2J\xC2\x80\xC2",
         "\\xc2\\x9b2J\\xc2\\x80\xC2"},
    };
    for (const auto& [bytes, shown] : texts) {
        EXPECT_EQ(cli::EscapeForTerminal(bytes), shown);
    }

    // Every command's standard output and standard error, each by its own
    // stream's answer.
    ScratchFolder folder;
    const std::string library = folder.Write("Esc.h", "void Esc\x1B[2J(int iMode);\n");
    const std::string source = folder.Write("Esc.c", "void Other(void)\n");
    const auto notFound = [&source](const std::string& entry) {
        return "Could not find \n" + entry + "\nin " + source + "\nMust match exactly.\n";
    };
    struct Run {
        cli::TerminalStreams terminal;
        Args args;
        std::string out;
        std::string err;
    };
    const Run runs[] = {
        {{true, false}, {"functions", library}, "void Esc\\x1b[2J(int iMode)\n", ""},
        {{false, true}, {"compose", "F\x1B", "\t\x07"}, "F\x1B(\t\x07)\n", ""},
        {{false, true},
         {"lookup", library, "void Gone\x1B[8m(void)"},
         "",
         notFound("void Gone\\x1b[8m(void)")},
        {{true, false},
         {"lookup", library, "void Gone\x1B[8m(void)"},
         "",
         notFound("void Gone\x1B[8m(void)")},
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(r.args[0]);
        const CliRun run = RunCli(r.args, r.terminal);
        EXPECT_EQ(run.out, r.out);
        EXPECT_EQ(run.err, r.err);
    }
}

TEST(Cli, ComposeAndRange) {
    const std::string v300(300, 'v');
    ExpectCases({
        {Args{"compose", "--", "Set", "-GPIO", "--x"}, 0, "Set(-GPIO,--x)\n", ""},
        {Args{"compose", "PwmSetup", "1", "", "500"}, 1, "PwmSetup(1,,500)\n",
         "Some parameters not selected.\n"},
        {Args{"compose", "F", "1", "2", "3", "4", ""}, 0, "F(1,2,3,4)\n",
         "Only the first 4 of 5 values are used: a function has at most four parameter slots.\n"},
        {Args{"compose", "Long", v300}, 0, "Long(" + v300 + ")\n",
         "The call text is 306 bytes long; the window places only its first 255 bytes on the "
         "clipboard.\n"},
        {Args{"range", "1-20000", "30000"}, 1, "range: 1 to 20000\nvalue: 30000\nresult: out\n",
         "30000 Out of range.\n"},
        {Args{"range", "0-0xFF", "0xff"}, 0, "range: 0 to 255\nvalue: 255\nresult: in\n", ""},
        {Args{"range", "--", "-5-5", "100"}, 0, "range: none\nresult: no test\n", ""},
    });
}

TEST(Cli, Lint) {
    ScratchFolder folder;
    const std::string lone = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    const std::string noEntries = folder.Write("Empty.s79", "; no prototypes here\n");
    const std::string utf16 = folder.Write("Wide.h", "\xFF\xFEv\0o\0i\0d\0 \0F\0(\0)\0;\0\n\0"s);
    const std::string zeros = folder.Write("Zeros.h", std::string(4096, '\0'));
    const std::string part =
        folder.Write("Part.h", "void Documented(int iMode);\nvoid Bare(int iMode);\n");
    const std::string partC = folder.Write(
        "Part.c",
        "/**\n * @param iMode :{A,B}\n * @note Run Gone.exe\n */\nvoid Documented(int iMode)\n");
    const std::string blank = folder.Write("Blank.h", "void Blank(int iMode);\n");
    folder.Write("Blank.c", "/**\n * @param iMode : {A,B}\n */\nvoid Blank(int iMode)\n");
    ExpectCases({
        // Nothing to check fails, even next to a library that passes.
        {Args{"lint", noEntries}, 1, "", "No function entries in " + noEntries + ".\n"},
        {Args{"lint", "--summary", utf16}, 1, "", "No function entries in " + utf16 + ".\n"},
        {Args{"lint", zeros, part}, 1, "void Documented(int iMode)\n",
         "No function entries in " + zeros + ".\n", true},
        // A library none of whose functions has documentation fails.
        {Args{"lint", lone}, 1,
         "void LoneGo(int iMode)\n  documentation: no documenting file (" +
             folder.PathOf("Lone.c") + " or .c)\n",
         "No function of " + lone + " has documentation.\n"},
        // Missing documentation and a missing helper are listed, not warned about.
        {Args{"lint", part}, 0,
         "void Documented(int iMode)\n  documentation: found in " + partC +
             "\n  iMode: list\n  helper: Gone.exe (missing: " + folder.PathOf("Gone.exe") +
             ")\nvoid Bare(int iMode)\n  documentation: not found in " + partC + "\n",
         ""},
        // A near miss: the warning with the line under it, and status 1.
        {Args{"lint", blank}, 1, "[blank-after-colon]\n    |  * @param iMode : {A,B}\n",
         "1 warning in " + blank + ".\n", true},
    });
}

// The vendor-style example: suggestions after the record, and the summary.
TEST(Cli, VendorLibrary) {
    const std::string gpio = Example("vendor/Inc/tns_gpio.h");
    ExpectCases({
        {Args{"params", gpio,
              "void tns_gpio_init(tns_port_t port, uint16_t pins, tns_gpio_dir_t dir)"},
         0,
         "parameter2.suggestions: TNS_PIN_0,TNS_PIN_1,TNS_PIN_2,TNS_PIN_3,TNS_PIN_ALL\n"
         "parameter2.suggestionKind: combination\n"
         "parameter2.suggestionSource: @defgroup TNS_GPIO_Pins in tns_gpio.h\n"
         "parameter3.suggestions: TNS_GPIO_DIR_IN,TNS_GPIO_DIR_OUT\n",
         "", true},
        {Args{"lint", "--summary", gpio}, 0,
         gpio + "\n  functions: 4\n  documentation found: 4 (source folder 4)\n  parameters: 11\n"
                "  with a choice text: 2\n  with suggestions: 8\n  warnings: 0\n",
         ""},
    });
}

TEST(Cli, UsageErrorsAndHelp) {
    for (const Args& args : {Args{}, Args{"frobnicate"}, Args{"functions"}, Args{"lookup", "x.h"},
                             Args{"params", "x.h", "F", "--yaml"}, Args{"compose"}}) {
        EXPECT_GT(RunCli(args).status, 1) << (args.empty() ? "" : args[0]);
    }
    EXPECT_EQ(RunCli({"--help"}).status, 0);
}

}  // namespace
}  // namespace quill::testing
