// quill-cli lint, usage errors, and every subcommand on files that are not
// libraries at all.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/cli/CliRunner.h"
#include "tests/unit/ScratchFolder.h"

namespace quill::testing {
namespace {

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos;
         pos = text.find(what, pos + what.size())) {
        ++count;
    }
    return count;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

const char* const kDemoLibraries[] = {"Pwm.h", "Gpio.h", "Uart.h", "include/Timer.h", "Adc.s79"};

TEST(LintCommand, DemoLibrariesAreClean) {
    for (const char* library : kDemoLibraries) {
        const CliResult result = RunCli({"lint", Example(library)});
        EXPECT_EQ(result.status, 0) << library << "\n" << result.out;
        EXPECT_EQ(result.err, "") << library;
        EXPECT_EQ(Count(result.out, "warning"), 0u) << library;
        EXPECT_EQ(Count(result.out, "  documentation: found in "),
                  Lines(RunCli({"functions", Example(library)}).out).size())
            << library;
    }
}

TEST(LintCommand, ListsDocumentationAndForms) {
    const CliResult result = RunCli({"lint", Example("Pwm.h")});
    const std::string source = Example("Pwm.c");
    EXPECT_EQ(result.out,
              "void PwmInit(void)\n"
              "  documentation: found in " +
                  source + "\n" +
                  "  parameters: none\n"
                  "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)\n"
                  "  documentation: found in " +
                  source + "\n" +
                  "  iChannel: list\n"
                  "  uOutputs: flags\n"
                  "  iFreqHz: free range\n"
                  "void PwmSetDuty(int iChannel, unsigned char ucDuty)\n"
                  "  documentation: found in " +
                  source + "\n" +
                  "  iChannel: list\n"
                  "  ucDuty: free range\n"
                  "void PwmStop(int iChannel)\n"
                  "  documentation: found in " +
                  source + "\n" +
                  "  iChannel: list\n"
                  "int PwmIsRunning(int iChannel)\n"
                  "  documentation: found in " +
                  source + "\n" + "  iChannel: list\n");

    const CliResult gpio = RunCli({"lint", Example("Gpio.h")});
    EXPECT_NE(gpio.out.find("void GpioSetMode(int iPin, int iMode)\n"
                            "  documentation: found in " +
                            Example("Gpio.c") +
                            "\n"
                            "  iPin: helper\n"
                            "  iMode: list\n"
                            "  helper: PinHelp.exe\n"),
              std::string::npos)
        << gpio.out;
}

TEST(LintCommand, EachNearMissWarns) {
    ScratchFolder folder;
    const std::string header = folder.Write("Miss.h",
                                            "void Blank(int iMode);\n"
                                            "void Stray(int iMode);\n"
                                            "void Cut(int iMode, int iSpeed, int iLevel);\n"
                                            "void Letter(char *p);\n"
                                            "void Fine(int iMode);\n");
    folder.Write("Miss.c",
                 "/**\n"
                 " * @param iMode : {A,B}\n"
                 " */\n"
                 "void Blank(int iMode)\n"
                 "/**\n"
                 " * @param iModus :{A,B}\n"
                 " */\n"
                 "void Stray(int iMode)\n"
                 "/**\n"
                 " * @param iMode :{f(1),g(2)}\n"
                 " * @param iSpeed :{FAST;SLOW}\n"
                 " * @param iLevel :{LOW//HIGH}\n"
                 " */\n"
                 "void Cut(int iMode, int iSpeed, int iLevel)\n"
                 "/**\n"
                 " * @param p :{BUF_A,BUF_B}\n"
                 " */\n"
                 "void Letter(char *p)\n"
                 "/**\n"
                 " * @param iMode :{A,B}\n"
                 " */\n"
                 "void Fine(int iMode)\n");
    const CliResult result = RunCli({"lint", header});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(Count(result.out, "[blank-after-colon]"), 1u) << result.out;
    EXPECT_EQ(Count(result.out, "[unknown-name]"), 1u) << result.out;
    EXPECT_EQ(Count(result.out, "[list-cut]"), 3u) << result.out;
    EXPECT_EQ(Count(result.out, "[name-inside-keyword]"), 1u) << result.out;
    EXPECT_EQ(Count(result.out, "  warning: "), 6u) << result.out;
    // Each warning shows the line it is about.
    EXPECT_NE(result.out.find("    |  * @param iMode : {A,B}\n"), std::string::npos);
    EXPECT_NE(result.out.find("is cut at \";\""), std::string::npos);
    EXPECT_NE(result.out.find("is cut at \"//\""), std::string::npos);
    EXPECT_NE(result.out.find("is cut at \")\""), std::string::npos);
    EXPECT_EQ(result.err, "6 warnings in " + header + ".\n");
}

TEST(LintCommand, MissingDocumentationIsListedNotWarned) {
    ScratchFolder folder;
    const std::string header =
        folder.Write("Part.h", "void Documented(int iMode);\nvoid Bare(int iMode);\n");
    folder.Write("Part.c",
                 "/**\n * @param iMode :{A,B}\n * @note Run Gone.exe first\n */\n"
                 "void Documented(int iMode)\n");
    CliResult result = RunCli({"lint", header});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("void Bare(int iMode)\n  documentation: not found in " +
                              folder.PathOf("Part.c") + "\n"),
              std::string::npos)
        << result.out;
    // A helper named by "@note" that is not there is pointed out.
    EXPECT_NE(result.out.find("  helper: Gone.exe (missing: " + folder.PathOf("Gone.exe") + ")\n"),
              std::string::npos)
        << result.out;

    const std::string lone = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    result = RunCli({"lint", lone});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "void LoneGo(int iMode)\n  documentation: no documenting file (" +
                              folder.PathOf("Lone.c") + " or .c)\n");
}

TEST(LintCommand, LibraryProblems) {
    ScratchFolder folder;
    const std::string missing = folder.PathOf("Gone.h");
    CliResult result = RunCli({"lint", missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Library " + missing + " source file not available.\nFix using Library Combobox.\n");

    const std::string empty = folder.Write("Empty.s79", "; no prototypes here\n");
    result = RunCli({"lint", empty});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "No function entries in " + empty + ".\n");
}

// --- usage -----------------------------------------------------------------

TEST(Usage, ErrorsAreExplainedAndNeverSucceed) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{}, "subcommand"},
        {{"frobnicate"}, "Unknown subcommand: frobnicate"},
        {{"functions"}, "LIBRARY"},
        {{"lookup", "x.h"}, "ENTRY"},
        {{"params", "x.h", "void F(int iA)", "extra"}, "extra"},
        {{"params", "x.h", "void F(int iA)", "--yaml"}, "--yaml"},
        {{"compose"}, "NAME"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.args);
        EXPECT_TRUE(result.Exited());
        EXPECT_NE(result.status, 0) << c.mentions;
        EXPECT_EQ(result.out, "") << c.mentions;
        EXPECT_NE(result.err.find(c.mentions), std::string::npos) << result.err;
    }
}

TEST(Usage, HelpListsEverySubcommand) {
    const CliResult result = RunCli({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* command : {"functions", "lookup", "params", "compose", "lint"}) {
        EXPECT_NE(result.out.find(command), std::string::npos) << command;
    }
}

// --- files that are not libraries ------------------------------------------

TEST(AnyInputFile, NoSubcommandCrashes) {
    ScratchFolder folder;
    std::mt19937 random(20240611u);
    auto noise = [&random](std::size_t size) {
        std::string bytes(size, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        return bytes;
    };
    std::string openers;
    for (int i = 0; i < 2000; ++i) {
        openers += (i % 3 == 0) ? "/**\n" : (i % 3 == 1) ? "@param :{\n" : "void F(int iA\n";
    }
    std::string brackets;
    for (int i = 0; i < 500; ++i) {
        brackets += "void B(int iA) @param iA :{{{}}}}@note .exe .exe)\t\t;//\r";
    }
    const std::vector<std::pair<std::string, std::string>> files = {
        {"Noise.h", noise(64 * 1024)},
        {"Noise.s79", noise(64 * 1024)},
        {"OneLine.h", std::string(300 * 1024, 'a') + "(int iA);"},
        {"Openers.h", openers},
        {"Brackets.h", brackets},
        {"Nul.h", std::string("void N(int iA);\n\0\0\0", 19)},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = folder.Write(name, bytes);
        // The documenting file of a header is the same junk.
        if (name.size() > 2 && name.compare(name.size() - 2, 2, ".h") == 0) {
            folder.Write(name.substr(0, name.size() - 1) + "c", bytes);
        }
        std::vector<std::vector<std::string>> runs = {{"functions", path}, {"lint", path}};
        const std::vector<std::string> entries = Lines(RunCli({"functions", path}).out);
        for (std::size_t i = 0; i < entries.size() && i < 5; ++i) {
            runs.push_back({"lookup", path, entries[i]});
            runs.push_back({"params", path, entries[i], "--json"});
        }
        runs.push_back({"params", path, "void F(int iA"});
        const std::size_t half = std::min<std::size_t>(bytes.size(), 200);
        runs.push_back({"compose", "--", bytes.substr(0, half), bytes.substr(half, 300)});
        for (const std::vector<std::string>& run : runs) {
            const CliResult result = RunCli(run);
            EXPECT_TRUE(result.Exited()) << name << " " << run[0] << " signal " << result.signal;
            EXPECT_TRUE(result.status == 0 || result.status == 1) << name << " " << run[0];
            // Sanitizer builds report their findings on standard error.
            EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
            EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << result.err;
        }
    }
}

}  // namespace
}  // namespace quill::testing
