// quill-cli run as a whole program, with exact arguments and no shell in
// between, on the demo catalogue and on generated files.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "source/FunctionScanner.h"
#include "source/PrototypeLookup.h"
#include "source/TextOps.h"
#include "tests/unit/ScratchFolder.h"

extern char** environ;

namespace quill::testing {
namespace {

using namespace std::string_literals;

struct CliResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    int signal = 0;   // the signal that ended it, if any
    std::string out;  // standard output, bytes unchanged
    std::string err;  // standard error, bytes unchanged
};

// Everything the child wrote to a temporary file; closes the file.
std::string Drain(std::FILE* file) {
    std::string bytes;
    std::rewind(file);
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, n);
    }
    std::fclose(file);
    return bytes;
}

CliResult RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), QUILL_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fileno(out), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fileno(err), STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " QUILL_CLI_PATH);
    }
    int wstatus = -1;  // reads as killed by a signal when the wait fails
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    return {WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1,
            WIFSIGNALED(wstatus) ? WTERMSIG(wstatus) : 0, Drain(out), Drain(err)};
}

// A file of the demo catalogue, by its path below examples/.
std::string Example(const std::string& relative) {
    return QUILL_EXAMPLES_DIR "/"s + relative;
}

std::vector<std::string> Split(const std::string& text, char separator = '\n') {
    std::vector<std::string> items;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, separator);) {
        items.push_back(item);
    }
    return items;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos;
         pos = text.find(what, pos + what.size())) {
        ++count;
    }
    return count;
}

std::string LibraryMessage(const std::string& path) {
    return "Library " + path + " source file not available.\nFix using Library Combobox.\n";
}

std::string NotFoundMessage(const std::string& entry, const std::string& path) {
    return "Could not find \n" + entry + "\nin " + path + "\nMust match exactly.\n";
}

// A params --json record with one slot given (or none) and the others empty.
const std::string kNoSuggestions = R"("suggestions":[],"suggestionKind":"","suggestionSource":"")";
const std::string kEmptySlot = R"({"name":"","choiceText":"","form":"free","range":false,)"
                               R"("editText":"",)" +
                               kNoSuggestions + "}";
std::string RecordJson(const std::string& name, const std::string& returnType, int count,
                       const std::string& slot1, const std::string& documentationFile = "") {
    return R"({"functionName":")" + name + R"(","returnType":")" + returnType +
           R"(","parameterCount":)" + std::to_string(count) + R"(,"parameters":[)" + slot1 + "," +
           kEmptySlot + "," + kEmptySlot + "," + kEmptySlot +
           R"(],"helperName":"-","helperProgram":"-","documentationFile":")" + documentationFile +
           "\"}\n";
}

// A slot with a name and nothing documented for it.
std::string FreeSlot(const std::string& name) {
    return R"({"name":")" + name +
           R"(","choiceText":"","form":"free","range":false,"editText":"",)" + kNoSuggestions + "}";
}

const char* const kDemoLibraries[] = {"Pwm.h", "Gpio.h", "Uart.h", "include/Timer.h", "Adc.s79"};
const std::string kPwmSetup = "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)";
const std::string kHelp = "\nRun with --help for more information.\n";
constexpr int kUsageError = -2;  // any exit status above 1

using Args = std::vector<std::string>;
struct Case {
    Args args;
    int status;
    std::string out;
    std::string err;
    bool partial = false;  // `out` is only a part of the output
};

// The params lines after the record when nothing is suggested.
std::string NoSuggestionLines(const std::string& documentationFile) {
    std::string lines;
    for (int k = 1; k <= 4; ++k) {
        const std::string prefix = "parameter" + std::to_string(k) + ".suggestion";
        lines += prefix + "s: \n" + prefix + "Kind: \n" + prefix + "Source: \n";
    }
    return lines + "documentationFile: " + documentationFile + "\n";
}

// Runs every case and checks its exit status, standard output and standard error.
void ExpectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        std::string trace;
        for (const std::string& arg : c.args) {
            trace += arg.substr(0, 60) + " ";
        }
        SCOPED_TRACE(trace);
        const CliResult result = RunCli(c.args);
        if (c.status == kUsageError) {
            EXPECT_GT(result.status, 1);
        } else {
            EXPECT_EQ(result.status, c.status);
        }
        if (c.partial) {
            EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
        } else {
            EXPECT_EQ(result.out, c.out);
        }
        EXPECT_EQ(result.err, c.err);
    }
}

// A header whose documenting file does not exist, and the messages about it.
struct LoneHeader {
    ScratchFolder folder;
    const std::string header = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    const std::string source = folder.PathOf("Lone.c");
    const std::string messages = "Could not find source " + source + " or .c\n" +
                                 NotFoundMessage("void LoneGo(int iMode)", source);
};

TEST(Cli, Functions) {
    ScratchFolder folder;
    const std::string missing = folder.PathOf("Missing.h");
    // A FIFO nobody writes and a file whose reads fail end the run at once.
    const std::string fifo = folder.PathOf("Fifo.h");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string failing = folder.PathOf("Failing.h");
    ASSERT_EQ(symlink("/proc/self/mem", failing.c_str()), 0);
    ExpectCases({
        {Args{"functions", fifo}, 1, "", LibraryMessage(fifo)},
        {Args{"functions", failing}, 1, "", LibraryMessage(failing)},
        {Args{"functions", missing}, 1, "", LibraryMessage(missing)},
        {Args{"functions", ""}, 1, "", LibraryMessage("")},
        {Args{"functions", folder.Write("Empty.h", "")}, 0, "", ""},
        {Args{"functions", folder.Write("Bytes.h", "unsigned char Caf\xE9(int iX);\r\n")}, 0,
         "unsigned char Caf\xE9(int iX)\n", ""},
    });
}

TEST(Cli, Lookup) {
    // The block as the lookup collects it, line ends included.
    auto block = [](const std::string& library, const std::string& entry) {
        return LookUpPrototypeText(SourcePathForHeader(Example(library)), entry).text;
    };
    const std::string tmrSetMode = "void TmrSetMode(int iTimer, int iMode)";
    const LoneHeader lone;
    ExpectCases({
        // The path that was read, then the block exactly as collected.
        {Args{"lookup", Example("include/Timer.h"), tmrSetMode}, 0,
         Example("Src/Timer.c") + "\n" + block("include/Timer.h", tmrSetMode), ""},
        {Args{"lookup", Example("Gpio.h"), "int GpioRead(int iPin)"}, 0,
         Example("Gpio.c") + "\n" + block("Gpio.h", "int GpioRead(int iPin)"), ""},
        {Args{"lookup", Example("Adc.s79"), "int AdcRead(int iChannel)"}, 0,
         Example("Adc.s79") + "\n" + block("Adc.s79", "int AdcRead(int iChannel)"), ""},
        {Args{"lookup", Example("Pwm.h"), "void PwmSetup(int iChannel)"}, 1, "",
         NotFoundMessage("void PwmSetup(int iChannel)", Example("Pwm.c"))},
        {Args{"lookup", Example("Pwm.h"), ""}, 1, "", NotFoundMessage("", Example("Pwm.c"))},
        {Args{"lookup", lone.header, "void LoneGo(int iMode)"}, 1, "",
         lone.messages + "Could not find " + ToLowerAscii(lone.source) + "\n"},
    });
}

TEST(Cli, Params) {
    const LoneHeader lone;
    const std::string enc = lone.folder.Write("Enc.h", "void Caf\xE9(int iMode);\n");
    lone.folder.Write("Enc.c", "/**\n * @param iMode :{CAF\xC9,B}\n */\nvoid Caf\xE9(int iMode)\n");
    const std::string gone = "void PwmGone(int iChannel)";
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
        // Lines carry the bytes as they are; in JSON each stray byte becomes U+FFFD.
        {Args{"params", enc, "void Caf\xE9(int iMode)"}, 0,
         "functionName: Caf\xE9\nreturnType: void\nparameterCount: 1\nparameter1.name: iMode\n"
         "parameter1.choiceText: CAF\xC9,B\n",
         "", true},
        {Args{"params", enc, "void Caf\xE9(int iMode)", "--json"}, 0,
         RecordJson("Caf\xEF\xBF\xBD", "void", 1,
                    R"({"name":"iMode","choiceText":"CAF)"
                    "\xEF\xBF\xBD"
                    R"(,B","form":"list","range":false,"editText":"",)" +
                        kNoSuggestions + "}",
                    enc.substr(0, enc.size() - 1) + "c"),
         ""},
        // A flags list presets its slot's entry field, in the fourth slot too.
        {Args{"params", Example("include/Timer.h"),
              "void TmrStart(int iTimer, unsigned int uPeriod, int iPriority, unsigned int "
              "uIrqFlags)"},
         0, "\nparameter4.form: flags\nparameter4.editText: TMR_IRQ_NONE\n", "", true},
        // Not found: the reasons, and the record the entry alone gives.
        {Args{"params", Example("Pwm.h"), gone, "--json"}, 1,
         RecordJson("PwmGone", "void", 1, FreeSlot("iChannel")),
         NotFoundMessage(gone, Example("Pwm.c"))},
        // The parse is given the last form the lookup tried: the lower-case one.
        {Args{"params", lone.header, "void LoneGo(int iMode)", "--json"}, 1,
         RecordJson("LoneGo", "void", 1, FreeSlot("iMode")),
         lone.messages + "Could not find " + ToLowerAscii(lone.source) + "\n"},
    });
}

TEST(Cli, Compose) {
    const std::string v250(250, 'v');
    const std::string v300(300, 'v');
    const std::string notSelected = "Some parameters not selected.\n";
    ExpectCases({
        {Args{"compose", "PwmSetup", "1", "PWM_A|PWM_C", "500"}, 0, "PwmSetup(1,PWM_A|PWM_C,500)\n",
         ""},
        {Args{"compose", "PwmInit"}, 0, "PwmInit()\n", ""},
        {Args{"compose", "Put", "\"PinHelp.exe\"", "a b"}, 0, "Put(\"PinHelp.exe\",a b)\n", ""},
        {Args{"compose", "Set", "-1", "-2"}, 0, "Set(-1,-2)\n", ""},
        {Args{"compose", "--", "Set", "-GPIO", "--x"}, 0, "Set(-GPIO,--x)\n", ""},
        {Args{"compose", "Caf\xE9", "\xC9t\xE9"}, 0, "Caf\xE9(\xC9t\xE9)\n", ""},
        {Args{"compose", "PwmSetup", "1", "", "500"}, 1, "PwmSetup(1,,500)\n", notSelected},
        {Args{"compose", "PwmSetup", "", "", "", ""}, 1, "PwmSetup(,,,)\n", notSelected},
        // The empty fifth value is not used, so nothing is missing.
        {Args{"compose", "F", "1", "2", "3", "4", ""}, 0, "F(1,2,3,4)\n",
         "Only the first 4 of 5 values are used: a function has at most four parameter slots.\n"},
        {Args{"compose", "Long", v300}, 0, "Long(" + v300 + ")\n",
         "The call text is 306 bytes long; the window places only its first 255 bytes on the "
         "clipboard.\n"},
        {Args{"compose", "Fit", v250}, 0, "Fit(" + v250 + ")\n", ""},
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

TEST(Cli, Lint) {
    const LoneHeader lone;
    const std::string missing = lone.folder.PathOf("Missing.h");
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
         "void GpioSetMode(int iPin, int iMode)\n  documentation: found in " + Example("Gpio.c") +
             "\n  iPin: helper\n  iMode: list\n  helper: PinHelp.exe\n",
         "", true},
        {Args{"lint", missing}, 1, "", LibraryMessage(missing)},
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

TEST(Cli, Usage) {
    ExpectCases({
        {Args{}, kUsageError, "", "A subcommand is required" + kHelp},
        {Args{"frobnicate"}, kUsageError, "",
         "Unknown subcommand: frobnicate (the subcommands are functions, lookup, params, compose, "
         "lint and range)" +
             kHelp},
        {Args{"functions"}, kUsageError, "", "LIBRARY is required" + kHelp},
        {Args{"lookup", "x.h"}, kUsageError, "", "ENTRY is required" + kHelp},
        {Args{"params", "x.h", "F", "extra"}, kUsageError, "",
         "The following argument was not expected: extra" + kHelp},
        {Args{"params", "x.h", "F", "--yaml"}, kUsageError, "",
         "The following argument was not expected: --yaml" + kHelp},
        {Args{"compose"}, kUsageError, "", "NAME is required" + kHelp},
    });
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"functions", "lookup", "params", "compose", "lint"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
}

// functions lists what the scanner gives; lint finds every block and warns about none.
TEST(Cli, DemoLibrariesListedAndClean) {
    for (const char* library : kDemoLibraries) {
        SCOPED_TRACE(library);
        const LibraryScan scan = ScanLibraryFile(Example(library));
        ASSERT_FALSE(scan.entries.empty());
        std::string entries;
        for (const std::string& entry : scan.entries) {
            entries += entry + "\n";
        }
        const CliResult functions = RunCli({"functions", Example(library)});
        EXPECT_EQ(functions.status, 0);
        EXPECT_EQ(functions.out, entries);
        EXPECT_EQ(functions.err, "");

        const CliResult lint = RunCli({"lint", Example(library)});
        EXPECT_EQ(lint.status, 0) << lint.out;
        EXPECT_EQ(lint.err, "");
        EXPECT_EQ(Count(lint.out, "warning"), 0u);
        EXPECT_EQ(Count(lint.out, "  documentation: found in "), scan.entries.size());
    }
}

TEST(Cli, LintFailsOnEachNearMiss) {
    struct Case {
        std::string prototype;
        std::string entries;  // the first line is shown under the first warning
        std::string rule;
        std::size_t warnings;
        std::string summary;
    };
    const Case cases[] = {
        {"void Blank(int iMode)", " * @param iMode : {A,B}\n", "blank-after-colon", 1,
         "1 warning in "},
        {"void Stray(int iMode)", " * @param iModus :{A,B}\n", "unknown-name", 1, "1 warning in "},
        {"void Cut(int iMode, int iSpeed, int iLevel)",
         " * @param iMode :{f(1),g(2)}\n * @param iSpeed :{FAST;SLOW}\n"
         " * @param iLevel :{LOW//HIGH}\n",
         "list-cut", 3, "3 warnings in "},
        {"void Letter(char *p)", " * @param p :{BUF_A,BUF_B}\n", "name-inside-keyword", 1,
         "1 warning in "},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const std::string header = folder.Write(c.rule + ".h", c.prototype + ";\n");
        folder.Write(c.rule + ".c", "/**\n" + c.entries + " */\n" + c.prototype + "\n");
        const CliResult result = RunCli({"lint", header});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(Count(result.out, "\n  warning: "), c.warnings) << result.out;
        EXPECT_EQ(Count(result.out, " [" + c.rule + "]\n    | "), c.warnings) << result.out;
        EXPECT_NE(result.out.find("]\n    | " + Split(c.entries)[0] + "\n"), std::string::npos);
        EXPECT_EQ(result.err, c.summary + header + ".\n");
    }
}

TEST(Cli, JunkInputNeverCrashes) {
    std::mt19937 random(20240611u);
    std::string noise(64 * 1024, '\0');
    std::generate(noise.begin(), noise.end(), [&random] { return static_cast<char>(random()); });
    std::string openers;
    std::string brackets;
    for (int i = 0; i < 2000; ++i) {
        openers += (i % 3 == 0) ? "/**\n" : (i % 3 == 1) ? "@param :{\n" : "void F(int iA\n";
        brackets += "void B(int iA) @param iA :{{{}}}}@note .exe .exe)\t\t;//\r";
    }
    const std::pair<std::string, std::string> files[] = {
        {"Noise", noise},
        {"OneLine", std::string(300 * 1024, 'a') + "(int iA);"},
        {"Openers", openers},
        {"Brackets", brackets},
        {"Nul", std::string("void N(int iA);\n\0\0\0", 19)}};
    ScratchFolder folder;
    for (const auto& [name, bytes] : files) {
        // A header whose documenting file is the same junk, and an assembler library.
        folder.Write(name + ".c", bytes);
        const std::size_t half = std::min<std::size_t>(bytes.size(), 200);
        std::vector<std::vector<std::string>> runs = {
            {"compose", "--", bytes.substr(0, half), bytes.substr(half, 300)}};
        for (const std::string& path :
             {folder.Write(name + ".h", bytes), folder.Write(name + ".s79", bytes)}) {
            runs.insert(runs.end(),
                        {{"functions", path}, {"lint", path}, {"params", path, "void F(int iA"}});
            const std::vector<std::string> entries = Split(RunCli({"functions", path}).out);
            for (std::size_t i = 0; i < entries.size() && i < 5; ++i) {
                runs.push_back({"lookup", path, entries[i]});
                runs.push_back({"params", path, entries[i], "--json"});
            }
        }
        for (const std::vector<std::string>& run : runs) {
            SCOPED_TRACE(name + " " + run[0] + " " + run[1]);
            const CliResult result = RunCli(run);
            EXPECT_TRUE(result.status == 0 || result.status == 1) << "signal " << result.signal;
            // Sanitizer builds report their findings on standard error.
            EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
            EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << result.err;
        }
    }
}

// The main job: from the function list to the call text.
TEST(Cli, PickTypeAndKeepADefault) {
    const CliResult functions = RunCli({"functions", Example("Pwm.h")});
    ASSERT_NE(functions.out.find(kPwmSetup + "\n"), std::string::npos);

    // Its documentation gives a drop-down, a flags field and a range field.
    const CliResult params = RunCli({"params", Example("Pwm.h"), kPwmSetup, "--json"});
    ASSERT_EQ(params.status, 0);
    const nlohmann::json doc = nlohmann::json::parse(params.out);
    ASSERT_EQ(doc["parameterCount"], 3);
    const nlohmann::json& parameters = doc["parameters"];
    ASSERT_EQ(parameters[0]["form"], "list");
    ASSERT_EQ(parameters[1]["form"], "flags");
    ASSERT_EQ(parameters[2]["form"], "free");
    ASSERT_TRUE(parameters[2]["range"].get<bool>());

    // Pick the second item of the drop-down, keep the flags default, type 500.
    const std::vector<std::string> items =
        Split(parameters[0]["choiceText"].get<std::string>(), ',');
    ASSERT_GE(items.size(), 2u);
    const CliResult call = RunCli({"compose", doc["functionName"].get<std::string>(), items[1],
                                   parameters[1]["editText"].get<std::string>(), "500"});
    EXPECT_EQ(call.status, 0);
    EXPECT_EQ(call.out, "PwmSetup(1,PWM_A,500)\n");
    EXPECT_EQ(call.err, "");
}

}  // namespace
}  // namespace quill::testing
