// quill-cli run in-process on string streams: what each subcommand prints,
// on which stream, escaped or not, and its exit status. The decisions behind
// the output (lookup, parse, range check, call text) are the core's and are
// tested there.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliOutput.h"
#include "cli/TwoThreads.h"
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

CliRun RunCli(const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    cli::CliOutput output(out, err);
    Args argv{"quill-cli"};
    argv.insert(argv.end(), args.begin(), args.end());
    const int status = cli::RunQuillCli(argv, output);
    return {status, out.str(), err.str()};
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
        SCOPED_TRACE(c.args[0] + " " + c.args.back().substr(0, 60));
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status);
        // A part that is there compares equal; otherwise the whole output shows.
        const bool found = c.partial && run.out.find(c.out) != std::string::npos;
        EXPECT_EQ(found ? c.out : run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

TEST(CliOutput, ControlCharactersReachATerminalEscapedAndALostOutputFails) {
    const std::pair<std::string, std::string> texts[] = {
        {"tab\tnewline\n back\\slash caf\xC3\xA9 \xE2\x82\xAC \x9B \xC2\xA0",
         "tab\tnewline\n back\\slash caf\xC3\xA9 \xE2\x82\xAC \x9B \xC2\xA0"},
        {"\x1B]0;title\x07\x1B[2J", "\\x1b]0;title\\x07\\x1b[2J"},
        {"\0\x01\x1F\x7F"s, "\\x00\\x01\\x1f\\x7f"},
        // A carriage return before a newline is a Windows line end.
        {"a\rb\r\n\r", "a\\x0db\r\n\\x0d"},
        // C1 controls in UTF-8; a lone lead byte stays as it is.
        {"\xC2\x9B\x32J\xC2\x80\xC2", "\\xc2\\x9b2J\\xc2\\x80\xC2"},
    };
    for (const auto& [bytes, shown] : texts) {
        EXPECT_EQ(cli::EscapeForTerminal(bytes), shown);
    }

    // Each stream is escaped by its own answer.
    std::ostringstream out;
    std::ostringstream err;
    cli::CliOutput output(out, err, {true, false});
    output.Out("a\x1B[2J\n");
    output.Report("b\x07");
    EXPECT_EQ(out.str(), "a\\x1b[2J\n");
    EXPECT_EQ(err.str(), "b\x07\n");
    EXPECT_TRUE(output.Finish());

    // Standard output takes nothing: the job's own status gives way to 1.
    std::ostream lost(nullptr);
    std::ostringstream lostErr;
    cli::CliOutput lostOutput(lost, lostErr);
    EXPECT_EQ(cli::RunQuillCli({"quill-cli", "compose", "F"}, lostOutput), 1);
    EXPECT_EQ(lostErr.str(), "quill-cli: the output could not be written\n");
}

TEST(Cli, FunctionsLookupAndParams) {
    ScratchFolder folder;
    const std::string enc = folder.Write("Enc.h", "void Caf\xE9(int iMode);\n");
    const std::string encC =
        folder.Write("Enc.c", "/**\n * @param iMode :{1-20}\n */\nvoid Caf\xE9(int iMode)\n");
    const std::string gone = "void PwmGone(int iChannel)";
    const std::string notFound =
        "Could not find \n" + gone + "\nin " + Example("Pwm.c") + "\nMust match exactly.\n";
    const std::string noParameter =
        R"({"name":"","choiceText":"","form":"free","range":false,"editText":"","suggestions":[],)"
        R"("suggestionKind":"","suggestionSource":""})";
    ExpectCases({
        {Args{"lookup", Example("Pwm.h"), "void PwmInit(void)"}, 0,
         Example("Pwm.c") + "\n/**\n * @brief  Stops all four channels", "", true},
        {Args{"lookup", Example("Pwm.h"), gone}, 1, "", notFound},
        // Not found: the reasons, and the record the entry alone gives.
        {Args{"params", Example("Pwm.h"), gone}, 1, "functionName: PwmGone\n", notFound, true},
        {Args{"params", enc, "void Caf\xE9(int iMode)"}, 0,
         "functionName: Caf\xE9\nreturnType: void\nparameterCount: 1\nparameter1.name: iMode\n"
         "parameter1.choiceText: 1-20\nparameter1.form: free range\nparameter1.editText: \n",
         "", true},
        // JSON replaces each byte that is not UTF-8 by U+FFFD.
        {Args{"params", enc, "void Caf\xE9(int iMode)", "--json"}, 0,
         "{\"functionName\":\"Caf\xEF\xBF\xBD\",\"returnType\":\"void\",\"parameterCount\":1,"
         "\"parameters\":[{\"name\":\"iMode\",\"choiceText\":\"1-20\",\"form\":"
         "\"free\",\"range\":true,\"editText\":\"\",\"suggestions\":[],\"suggestionKind\":\"\","
         "\"suggestionSource\":\"\"}," +
             noParameter + "," + noParameter + "," + noParameter +
             R"(],"helperName":"-","helperProgram":"-","documentationFile":")" + encC + "\"}\n",
         ""},
        // Every parameter, the sixth with its list and its first flag.
        {Args{"params", Example("include/Timer.h"),
              "void TmrConfigure(int iTimer, unsigned int uPrescaler, int iMode, unsigned int "
              "uPeriod, int iPriority, unsigned int uIrqFlags)"},
         0,
         "parameter6.name: uIrqFlags\n"
         "parameter6.choiceText: TMR_IRQ_NONE|TMR_IRQ_OVERFLOW|TMR_IRQ_COMPARE\n"
         "parameter6.form: flags\nparameter6.editText: TMR_IRQ_NONE\n",
         "", true},
        {Args{"params", Example("vendor/Inc/tns_gpio.h"),
              "void tns_gpio_init(tns_port_t port, uint16_t pins, tns_gpio_dir_t dir)"},
         0, "parameter3.suggestions: TNS_GPIO_DIR_IN,TNS_GPIO_DIR_OUT\nparameter3.suggestionKind: ",
         "", true},
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
    CliRun run;
    for (int attempt = 0; attempt < 5 && run.status != 1; ++attempt) {
        std::thread cutter = CutAfterReads(folder.Write("Uart.h", text), 8);
        run = RunCli({"functions", folder.PathOf("Uart.h")});
        cutter.join();
    }
    EXPECT_EQ(run.status, 1) << "the scan always ended before the cut";
    EXPECT_EQ(run.out.size(), 0u);
    EXPECT_EQ(run.err, LibraryMessage(folder.PathOf("Uart.h")));
    // Whole, the list passes through the temporary file beyond 64 KiB.
    const CliRun whole = RunCli({"functions", folder.Write("Uart.h", text)});
    EXPECT_EQ(whole.status, 0);
    EXPECT_TRUE(whole.out == list) << whole.out.size() << " bytes";
}

TEST(Cli, ComposeAndRange) {
    const std::string v300(300, 'v');
    ExpectCases({
        {Args{"compose", "--", "Set", "-GPIO", "--x"}, 0, "Set(-GPIO,--x)\n", ""},
        {Args{"compose", "PwmSetup", "1", "", "500"}, 1, "PwmSetup(1,,500)\n",
         "Some parameters not selected.\n"},
        {Args{"compose", "Long", v300}, 0, "Long(" + v300 + ")\n",
         "The call text is 306 bytes long; the window places only its first 255 bytes on the "
         "clipboard.\n"},
        {Args{"range", "1-20000", "30000"}, 1, "range: 1 to 20000\nvalue: 30000\nresult: out\n",
         "30000 Out of range.\n"},
        {Args{"range", "--", "-5-5", "100"}, 0, "range: none\nresult: no test\n", ""},
    });
}

TEST(Cli, Lint) {
    ScratchFolder folder;
    const std::string lone = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    const std::string noEntries = folder.Write("Empty.s79", "; no prototypes here\n");
    const std::string part =
        folder.Write("Part.h", "void Documented(int iMode);\nvoid Bare(int iMode);\n");
    const std::string partC = folder.Write(
        "Part.c",
        "/**\n * @param iMode :{A,B}\n * @note Run Gone.exe\n */\nvoid Documented(int iMode)\n");
    const std::string blank = folder.Write("Blank.h", "void Blank(int iMode);\n");
    folder.Write("Blank.c", "/**\n * @param iMode : {A,B}\n */\nvoid Blank(int iMode)\n");
    const std::string gpio = Example("vendor/Inc/tns_gpio.h");
    const std::string six =
        folder.Write("Six.h", "int Six(int iA, int iB, int iC, int iD, int iE, int iF);\n");
    folder.Write(
        "Six.c",
        "/**\n * @param iA :{X,Y}\n */\nint Six(int iA, int iB, int iC, int iD, int iE, int iF)\n");
    ExpectCases({
        // Nothing to check fails, even next to a library that passes.
        // Missing documentation and a missing helper are listed, not warned about.
        {Args{"lint", noEntries, part}, 1,
         "void Documented(int iMode)\n  documentation: found in " + partC +
             "\n  iMode: list\n  helper: Gone.exe (missing: " + folder.PathOf("Gone.exe") +
             ")\nvoid Bare(int iMode)\n  documentation: not found in " + partC + "\n",
         "No function entries in " + noEntries + ".\n"},
        // A library none of whose functions has documentation fails.
        {Args{"lint", lone}, 1,
         "void LoneGo(int iMode)\n  documentation: no documenting file (" +
             folder.PathOf("Lone.c") + " or .c)\n",
         "No function of " + lone + " has documentation.\n"},
        // A warning with the line under it, and status 1.
        {Args{"lint", blank}, 1, "[blank-after-colon]\n    |  * @param iMode : {A,B}\n",
         "1 warning in " + blank + ".\n", true},
        // A header without its .c is read in vendor mode unless told otherwise.
        {Args{"lint", "--summary", gpio}, 0,
         gpio + "\n  vendor mode: on\n  functions: 4\n  documentation found: 4 (source folder 4)\n"
                "  parameters: 11\n  with a choice text: 2\n  with suggestions: 8\n  warnings: 0\n",
         ""},
        // Parameters after the fourth count, though no slot shows them.
        {Args{"lint", "--summary", six}, 0,
         six + "\n  vendor mode: off\n  functions: 1\n  documentation found: 1 (as given 1)\n  "
               "parameters: 6\n"
               "  with a choice text: 1\n  with suggestions: 0\n  warnings: 0\n",
         ""},
        {Args{"lint", "--summary", "--vendor-mode", "off", part}, 0,
         part + "\n  vendor mode: off\n  functions: 2\n", "", true},
    });
}

// A library of over a megabyte is checked on two threads where there are
// two: its lines come out in file order, its counts whole.
TEST(Cli, LintOfALargeLibraryKeepsItsOrder) {
    ScratchFolder folder;
    constexpr int kFunctions = 13000;
    std::string header;
    std::string expected;
    for (int i = 0; i < kFunctions; ++i) {
        const std::string name = "Fn" + std::to_string(100000 + i);
        const std::string entry = "void " + name + "(int iMode)";
        expected += entry + "\n  documentation: ";
        switch (i % 3) {
            case 0:
                header += "/**\n * @brief " + name +
                          ": one of a library large enough.\n"
                          " * @param iMode :{A,B}\n */\n";
                expected += "found in " + folder.PathOf("Big.h") + " (header)\n  iMode: list\n";
                break;
            case 1:
                header += "/**\n * @brief " + name +
                          ": one of a library large enough.\n"
                          " * @param iMode : {A,B}\n */\n";
                expected += "found in " + folder.PathOf("Big.h") +
                            " (header)\n  iMode: free\n  warning: blank between \":\" and \"{\" "
                            "in the entry of \"iMode\": its list is ignored (write \"iMode :{\") "
                            "[blank-after-colon]\n    |  * @param iMode : {A,B}\n";
                break;
            default:
                expected += "no documenting file (" + folder.PathOf("Big.c") + " or .c)\n";
                break;
        }
        header += entry + ";\n";
    }
    ASSERT_GT(header.size(), 1u << 20);
    const std::string big = folder.Write("Big.h", header);
    const CliRun run = RunCli({"lint", big});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out == expected) << run.out.substr(0, 2000);
    EXPECT_EQ(run.err, "4333 warnings in " + big + ".\n");
}

// Work on the second thread: both pieces run, and a failure of either
// comes out once both ended.
TEST(TwoThreads, BothPiecesRunAndAFailureComesOutAfterBoth) {
    int first = 0;
    int second = 0;
    cli::RunBoth([&first] { ++first; }, [&second] { ++second; });
    EXPECT_EQ(first + 10 * second, 11);

    bool firstEnded = false;
    EXPECT_THROW(cli::RunBoth(
                     [&firstEnded] {
                         std::this_thread::sleep_for(std::chrono::milliseconds(20));
                         firstEnded = true;
                     },
                     [] { throw std::runtime_error("second"); }),
                 std::runtime_error);
    EXPECT_TRUE(firstEnded);

    cli::SecondThread other;
    other.Start([] { throw std::logic_error("once"); });
    EXPECT_THROW(other.Wait(), std::logic_error);
    other.Start([&second] { ++second; });
    other.Wait();
    EXPECT_EQ(second, 2);
}

TEST(Cli, VendorModeListsWhatThePlainScanMisses) {
    ScratchFolder folder;
    const std::string split =
        folder.Write("Split.h",
                     "typedef void (*cb_t)(int);\n/** Opens. */\nint split_open(int id,\n"
                     "               int mode);\n");
    ExpectCases({
        {Args{"functions", split}, 0, "int split_open(int id, int mode)\n", ""},
        {Args{"functions", "--vendor-mode", "off", split}, 0, "typedef void(*cb_t)\n", ""},
        {Args{"lookup", split, "int split_open(int id, int mode)"}, 0,
         split + "\n/** Opens. */\nint split_open(int id,\n               int mode);\n", ""},
    });
    EXPECT_GT(RunCli({"functions", "--vendor-mode", "maybe", split}).status, 1);
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
