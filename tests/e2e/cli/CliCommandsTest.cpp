// quill-cli's subcommands run in-process with their output captured, on the
// demo catalogue and on small files written for each case.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliOutput.h"
#include "source/TextOps.h"
#include "tests/unit/ScratchFolder.h"

namespace quill::testing {
namespace {

using namespace std::string_literals;
using Args = std::vector<std::string>;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const Args& args) {
    CliRun run;
    const cli::CapturedOutput captured(run.out, run.err);
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

std::string NotFoundMessage(const std::string& entry, const std::string& path) {
    return "Could not find \n" + entry + "\nin " + path + "\nMust match exactly.\n";
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
        std::string trace;
        for (const std::string& arg : c.args) {
            trace += arg.substr(0, 60) + " ";
        }
        SCOPED_TRACE(trace);
        const CliRun run = RunCli(c.args);
        if (c.status > 1) {
            EXPECT_GT(run.status, 1);  // a usage error, in CLI11's own numbering
        } else {
            EXPECT_EQ(run.status, c.status);
        }
        if (c.partial) {
            EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        } else {
            EXPECT_EQ(run.out, c.out);
        }
        EXPECT_EQ(run.err, c.err);
    }
}

// A header whose documenting file does not exist, and the messages about it.
struct LoneHeader {
    ScratchFolder folder;
    const std::string header = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    const std::string source = folder.PathOf("Lone.c");
    const std::string messages = "Could not find source " + source + " or .c\n" +
                                 NotFoundMessage("void LoneGo(int iMode)", source) +
                                 "Could not find " + ToLowerAscii(source) + "\n";
};

const std::string kPwmSetup = "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)";

// The params lines after the record when nothing is suggested.
std::string NoSuggestionLines(const std::string& documentationFile) {
    std::string lines;
    for (int k = 1; k <= 4; ++k) {
        const std::string prefix = "parameter" + std::to_string(k) + ".suggestion";
        lines += prefix + "s: \n" + prefix + "Kind: \n" + prefix + "Source: \n";
    }
    return lines + "documentationFile: " + documentationFile + "\n";
}

TEST(Cli, FunctionsAndLookup) {
    const LoneHeader lone;
    const std::string missing = lone.folder.PathOf("Missing.h");
    // A FIFO nobody writes and a file whose reads fail end the run at once.
    const std::string fifo = lone.folder.PathOf("Fifo.h");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string failing = lone.folder.PathOf("Failing.h");
    ASSERT_EQ(symlink("/proc/self/mem", failing.c_str()), 0);
    const std::string tmrSetMode = "void TmrSetMode(int iTimer, int iMode)";
    ExpectCases({
        {Args{"functions", Example("Pwm.h")}, 0,
         "void PwmInit(void)\n" + kPwmSetup +
             "\nvoid PwmSetDuty(int iChannel, unsigned char ucDuty)\nvoid PwmStop(int "
             "iChannel)\nint PwmIsRunning(int iChannel)\n",
         ""},
        {Args{"functions", missing}, 1, "", LibraryMessage(missing)},
        {Args{"functions", fifo}, 1, "", LibraryMessage(fifo)},
        {Args{"functions", failing}, 1, "", LibraryMessage(failing)},
        {Args{"functions", lone.folder.Write("Bytes.h", "unsigned char Caf\xE9(int iX);\r\n")}, 0,
         "unsigned char Caf\xE9(int iX)\n", ""},
        // The header's source sits in the sibling folder Src; the block runs
        // from its opener up to the next one.
        {Args{"lookup", Example("include/Timer.h"), tmrSetMode}, 0,
         Example("Src/Timer.c") + "\n/**\n  @brief  Sets how a timer counts.\n", "", true},
        {Args{"lookup", Example("Pwm.h"), "void PwmInit(void)"}, 0,
         Example("Pwm.c") +
             "\n/**\n * @brief  Stops all four channels and drives their outputs low.\n"
             " *         Call it once before any other PWM function.\n */\nvoid PwmInit(void)\n",
         "", true},
        {Args{"lookup", Example("Pwm.h"), "void PwmSetup(int iChannel)"}, 1, "",
         NotFoundMessage("void PwmSetup(int iChannel)", Example("Pwm.c"))},
        {Args{"lookup", lone.header, "void LoneGo(int iMode)"}, 1, "", lone.messages},
    });
    // The block ends before the next opener.
    const CliRun pwmInit = RunCli({"lookup", Example("Pwm.h"), "void PwmInit(void)"});
    EXPECT_EQ(pwmInit.out.find("PwmSetup"), std::string::npos) << pwmInit.out;
}

TEST(Cli, Params) {
    const LoneHeader lone;
    const std::string enc = lone.folder.Write("Enc.h", "void Caf\xE9(int iMode);\n");
    lone.folder.Write("Enc.c", "/**\n * @param iMode :{CAF\xC9,B}\n */\nvoid Caf\xE9(int iMode)\n");
    const std::string gone = "void PwmGone(int iChannel)";
    // Without documentation the entry alone gives the record.
    const std::string emptyJson =
        R"({"functionName":"PwmGone","returnType":"void","parameterCount":1,"parameters":[)"
        R"({"name":"iChannel","choiceText":"","form":"free")";
    ExpectCases({
        {Args{"params", Example("Pwm.h"), kPwmSetup}, 0,
         "functionName: PwmSetup\nreturnType: void\nparameterCount: 3\n"
         "parameter1.name: iChannel\nparameter1.choiceText: 0,1,2,3\n"
         "parameter1.form: list\nparameter1.editText: \n"
         "parameter2.name: uOutputs\nparameter2.choiceText: PWM_A|PWM_B|PWM_C\n"
         "parameter2.form: flags\nparameter2.editText: PWM_A\n"
         "parameter3.name: iFreqHz\nparameter3.choiceText: 1-20000\n"
         "parameter3.form: free range\nparameter3.editText: \n"
         "parameter4.name: \nparameter4.choiceText: \nparameter4.form: free\n"
         "parameter4.editText: \nhelperName: -\nhelperProgram: -\n" +
             NoSuggestionLines(Example("Pwm.c")),
         ""},
        // The helper program offered is the one beside the documenting file.
        {Args{"params", Example("Gpio.h"), "void GpioSetMode(int iPin, int iMode)"}, 0,
         "parameter1.editText: \"PinHelp.exe\"\n", "", true},
        {Args{"params", Example("Gpio.h"), "void GpioSetMode(int iPin, int iMode)"}, 0,
         "helperName: PinHelp.exe\nhelperProgram: " + Example("PinHelp.exe") + "\n", "", true},
        // JSON replaces each byte that is not UTF-8 by U+FFFD.
        {Args{"params", enc, "void Caf\xE9(int iMode)", "--json"}, 0,
         R"("choiceText":"CAF)"
         "\xEF\xBF\xBD"
         R"(,B","form":"list")",
         "", true},
        // Not found: the reasons, and the record without parameters.
        {Args{"params", Example("Pwm.h"), gone, "--json"}, 1, emptyJson,
         NotFoundMessage(gone, Example("Pwm.c")), true},
        {Args{"params", lone.header, "void LoneGo(int iMode)"}, 1, "functionName: LoneGo\n",
         lone.messages, true},
    });
}

TEST(Cli, Compose) {
    const std::string v300(300, 'v');
    const std::string notSelected = "Some parameters not selected.\n";
    ExpectCases({
        {Args{"compose", "PwmSetup", "1", "PWM_A|PWM_C", "500"}, 0, "PwmSetup(1,PWM_A|PWM_C,500)\n",
         ""},
        {Args{"compose", "PwmInit"}, 0, "PwmInit()\n", ""},
        {Args{"compose", "--", "Set", "-GPIO", "--x"}, 0, "Set(-GPIO,--x)\n", ""},
        {Args{"compose", "PwmSetup", "1", "", "500"}, 1, "PwmSetup(1,,500)\n", notSelected},
        {Args{"compose", "F", "1", "2", "3", "4", ""}, 0, "F(1,2,3,4)\n",
         "Only the first 4 of 5 values are used: a function has at most four parameter slots.\n"},
        {Args{"compose", "Long", v300}, 0, "Long(" + v300 + ")\n",
         "The call text is 306 bytes long; the window places only its first 255 bytes on the "
         "clipboard.\n"},
    });
}

TEST(Cli, Range) {
    ExpectCases({
        {Args{"range", "1-20000", "30000"}, 1, "range: 1 to 20000\nvalue: 30000\nresult: out\n",
         "30000 Out of range.\n"},
        {Args{"range", "0-0xFF", "0xff"}, 0, "range: 0 to 255\nvalue: 255\nresult: in\n", ""},
        {Args{"range", "1-", "GPIO_MAX"}, 0, "range: 1 to 0\nresult: no test\n", ""},
        {Args{"range", "--", "-5-5", "100"}, 0, "range: none\nresult: no test\n", ""},
        {Args{"range", "0-10", "-3"}, 1, "range: 0 to 10\nvalue: -3\nresult: out\n",
         "-3 Out of range.\n"},
    });
}

TEST(Cli, LintListsEachFunction) {
    const LoneHeader lone;
    const std::string noEntries = lone.folder.Write("Empty.s79", "; no prototypes here\n");
    const std::string part =
        lone.folder.Write("Part.h", "void Documented(int iMode);\nvoid Bare(int iMode);\n");
    const std::string partC = lone.folder.Write(
        "Part.c",
        "/**\n * @param iMode :{A,B}\n * @note Run Gone.exe\n */\nvoid Documented(int iMode)\n");
    const std::string found = "\n  documentation: found in " + Example("Pwm.c") + "\n";
    ExpectCases({
        {Args{"lint", Example("Pwm.h")}, 0,
         "void PwmInit(void)" + found + "  parameters: none\n" + kPwmSetup + found +
             "  iChannel: list\n  uOutputs: flags\n  iFreqHz: free range\n" +
             "void PwmSetDuty(int iChannel, unsigned char ucDuty)" + found +
             "  iChannel: list\n  ucDuty: free range\nvoid PwmStop(int iChannel)" + found +
             "  iChannel: list\nint PwmIsRunning(int iChannel)" + found + "  iChannel: list\n",
         ""},
        {Args{"lint", Example("Gpio.h")}, 0,
         "  iPin: helper\n  iMode: list\n  helper: PinHelp.exe\n", "", true},
        {Args{"lint", lone.folder.PathOf("Missing.h")}, 1, "",
         LibraryMessage(lone.folder.PathOf("Missing.h"))},
        {Args{"lint", noEntries}, 0, "", "No function entries in " + noEntries + ".\n"},
        // A library none of whose functions has documentation fails.
        {Args{"lint", lone.header}, 1,
         "void LoneGo(int iMode)\n  documentation: no documenting file (" + lone.source +
             " or .c)\n",
         "No function of " + lone.header + " has documentation.\n"},
        // Missing documentation and a missing helper are listed, not warned about.
        {Args{"lint", part}, 0,
         "void Documented(int iMode)\n  documentation: found in " + partC +
             "\n  iMode: list\n  helper: Gone.exe (missing: " + lone.folder.PathOf("Gone.exe") +
             ")\nvoid Bare(int iMode)\n  documentation: not found in " + partC + "\n",
         ""},
    });
    // Every demo library is documented without a near miss.
    for (const char* library : {"Pwm.h", "Gpio.h", "Uart.h", "include/Timer.h", "Adc.s79"}) {
        const CliRun run = RunCli({"lint", Example(library)});
        EXPECT_EQ(run.status, 0) << library << run.out;
        EXPECT_EQ(run.out.find("not found"), std::string::npos) << library << run.out;
    }
}

TEST(Cli, LintFailsOnEachNearMiss) {
    struct NearMiss {
        std::string prototype;
        std::string entries;
        std::string rule;
        std::string firstWarning;  // the first warning line and the block line under it
        std::string summary;
    };
    const NearMiss cases[] = {
        {"void Blank(int iMode)", " * @param iMode : {A,B}\n", "blank-after-colon",
         "[blank-after-colon]\n    |  * @param iMode : {A,B}\n", "1 warning in "},
        {"void Stray(int iMode)", " * @param iModus :{A,B}\n", "unknown-name",
         "(iMode) [unknown-name]\n", "1 warning in "},
        {"void Cut(int iMode, int iSpeed, int iLevel)",
         " * @param iMode :{f(1),g(2)}\n * @param iSpeed :{FAST;SLOW}\n"
         " * @param iLevel :{LOW//HIGH}\n",
         "list-cut", "is cut at \")\": the line ends there for the parser [list-cut]\n",
         "3 warnings in "},
        {"void Letter(char *p)", " * @param p :{BUF_A,BUF_B}\n", "name-inside-keyword",
         "[name-inside-keyword]\n", "1 warning in "},
    };
    ScratchFolder folder;
    for (const NearMiss& c : cases) {
        SCOPED_TRACE(c.rule);
        const std::string header = folder.Write(c.rule + ".h", c.prototype + ";\n");
        folder.Write(c.rule + ".c", "/**\n" + c.entries + " */\n" + c.prototype + "\n");
        const CliRun run = RunCli({"lint", header});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.firstWarning), std::string::npos) << run.out;
        EXPECT_EQ(run.err, c.summary + header + ".\n");
    }
}

// The vendor-style example: documentation beside Inc/ in Src/, or in the
// header; values from vendor conventions after the record.
TEST(Cli, VendorLibrary) {
    const std::string gpio = Example("vendor/Inc/tns_gpio.h");
    const std::string uart = Example("vendor/Inc/tns_uart.h");
    const std::string tmr = Example("vendor/Inc/tns_tmr.h");
    const std::string format =
        "void tns_uart_format(tns_uart_t *uart, uint32_t parity, uint32_t stop, uint32_t baud)";
    const std::string put = "void tns_uart_put(tns_uart_t *uart, uint8_t byte)";
    const std::string uartSource = Example("vendor/Inc/tns_uart.c");
    ExpectCases({
        {Args{"lookup", uart, format}, 0, uart + "\n/*!\n * \\brief Sets the frame format", "",
         true},
        {Args{"params", gpio,
              "void tns_gpio_init(tns_port_t port, uint16_t pins, tns_gpio_dir_t dir)"},
         0,
         "helperProgram: -\n"
         "parameter1.suggestions: TNS_PORT_A,TNS_PORT_B,TNS_PORT_C\n"
         "parameter1.suggestionKind: one-of\nparameter1.suggestionSource: @arg lines\n"
         "parameter2.suggestions: TNS_PIN_0,TNS_PIN_1,TNS_PIN_2,TNS_PIN_3,TNS_PIN_ALL\n"
         "parameter2.suggestionKind: combination\n"
         "parameter2.suggestionSource: @defgroup TNS_GPIO_Pins in tns_gpio.h\n"
         "parameter3.suggestions: TNS_GPIO_DIR_IN,TNS_GPIO_DIR_OUT\n"
         "parameter3.suggestionKind: one-of\n"
         "parameter3.suggestionSource: enum type tns_gpio_dir_t in tns_gpio.h\n"
         "parameter4.suggestions: \nparameter4.suggestionKind: \nparameter4.suggestionSource: \n"
         "documentationFile: " +
             Example("vendor/Src/tns_gpio.c") + "\n",
         "", true},
        {Args{"params", uart, format, "--json"}, 0,
         R"({"name":"uart","choiceText":"","form":"free","range":false,"editText":"",)"
         R"("suggestions":["TNS_UART0","TNS_UART1"],"suggestionKind":"one-of",)"
         R"("suggestionSource":"\\ref alternatives"})",
         "", true},
        // The specified messages only when no place documents the function.
        {Args{"params", uart, put, "--json"}, 1, "\"documentationFile\":\"\"}\n",
         "Could not find source " + uartSource + " or .c\n" + NotFoundMessage(put, uartSource) +
             "Could not find " + ToLowerAscii(uartSource) + "\n",
         true},
        {Args{"lint", "--summary", gpio, uart, tmr}, 0,
         gpio +
             "\n  functions: 4\n  documentation found: 4 (source folder 4)\n  parameters: 11\n"
             "  with a choice text: 2\n  with suggestions: 8\n  warnings: 0\n" +
             uart +
             "\n  functions: 3\n  documentation found: 2 (header 2)\n  parameters: 6\n"
             "  with a choice text: 0\n  with suggestions: 5\n  warnings: 0\n" +
             tmr +
             "\n  functions: 2\n  documentation found: 2 (source folder 2)\n  parameters: 6\n"
             "  with a choice text: 0\n  with suggestions: 3\n  warnings: 0\n",
         ""},
    });
}

TEST(Cli, UsageErrorsAndHelp) {
    ExpectCases({
        {Args{}, 2, "", "A subcommand is required\nRun with --help for more information.\n"},
        {Args{"frobnicate"}, 2, "",
         "Unknown subcommand: frobnicate (the subcommands are functions, lookup, params, compose, "
         "lint and range)\nRun with --help for more information.\n"},
    });
    for (const Args& args : {Args{"functions"}, Args{"lookup", "x.h"},
                             Args{"params", "x.h", "F", "--yaml"}, Args{"compose"}}) {
        EXPECT_GT(RunCli(args).status, 1) << args[0];
    }
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"functions", "lookup", "params", "compose", "lint"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
}

// Junk, a line far beyond the reader's limit and a NUL never fail the run.
TEST(Cli, JunkInputGivesAnAnswer) {
    std::string junk;
    for (int i = 0; i < 2000; ++i) {
        junk += (i % 3 == 0) ? "/**\n" : (i % 3 == 1) ? "@param :{\n" : "void F(int iA\n";
        junk += "void B(int iA) @param iA :{{{}}}}@note .exe .exe)\t\t;//\r";
    }
    const std::pair<std::string, std::string> files[] = {
        {"Junk", junk},
        {"OneLine", std::string(300 * 1024, 'a') + "(int iA);"},
        {"Nul", std::string("void N(int iA);\n\0\0\0", 19)}};
    ScratchFolder folder;
    for (const auto& [name, bytes] : files) {
        folder.Write(name + ".c", bytes);
        for (const std::string& path :
             {folder.Write(name + ".h", bytes), folder.Write(name + ".s79", bytes)}) {
            for (const Args& args : {Args{"functions", path}, Args{"lint", path},
                                     Args{"params", path, "void B(int iA)", "--json"}}) {
                const int status = RunCli(args).status;
                EXPECT_TRUE(status == 0 || status == 1) << name << " " << args[0];
            }
        }
    }
}

}  // namespace
}  // namespace quill::testing
