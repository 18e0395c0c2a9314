// quill-cli functions and lookup, on the demo catalogue and on generated
// libraries.

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/cli/CliRunner.h"
#include "tests/unit/ScratchFolder.h"

namespace quill::testing {
namespace {

using namespace std::string_literals;

std::string LibraryMessage(const std::string& path) {
    return "Library " + path + " source file not available.\nFix using Library Combobox.\n";
}

std::string NotFoundMessage(const std::string& entry, const std::string& path) {
    return "Could not find \n" + entry + "\nin " + path + "\nMust match exactly.\n";
}

// --- functions ---------------------------------------------------------

TEST(FunctionsCommand, ListsEveryDemoLibraryInFileOrder) {
    struct Case {
        const char* library;
        const char* entries;
    };
    const Case cases[] = {
        {"Pwm.h",
         "void PwmInit(void)\n"
         "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)\n"
         "void PwmSetDuty(int iChannel, unsigned char ucDuty)\n"
         "void PwmStop(int iChannel)\n"
         "int PwmIsRunning(int iChannel)\n"},
        // CR LF line ends: the entries carry none of them.
        {"Gpio.h",
         "void GpioSetMode(int iPin, int iMode)\n"
         "void GpioSetPull(int iPin, int iPull)\n"
         "void GpioWrite(int iPin, int iLevel)\n"
         "int GpioRead(int iPin)\n"
         "void GpioToggle(int iPin)\n"},
        {"Uart.h",
         "int UartInit(int iPort, long lBaud, unsigned int uFormat)\n"
         "void UartSendByte(int iPort, unsigned char ucData)\n"
         "void UartSendText(int iPort, const char *pText)\n"
         "int UartReceive(int iPort, char *pBuffer, int iLength)\n"
         "void UartClose(int iPort)\n"},
        {"include/Timer.h",
         "void TmrInit(int iTimer, unsigned int uPrescaler)\n"
         "void TmrSetMode(int iTimer, int iMode)\n"
         "void TmrStart(int iTimer, unsigned int uPeriod, int iPriority, unsigned int "
         "uIrqFlags)\n"
         "unsigned int TmrRead(int iTimer)\n"
         "void TmrStop(int iTimer)\n"},
        {"Adc.s79",
         "void AdcSetReference(int iSource)\n"
         "void AdcStart(int iChannel)\n"
         "int AdcRead(int iChannel)\n"
         "void AdcStop(void)\n"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli({"functions", Example(c.library)});
        EXPECT_EQ(result.status, 0) << c.library;
        EXPECT_EQ(result.out, c.entries) << c.library;
        EXPECT_EQ(result.err, "") << c.library;
    }
}

TEST(FunctionsCommand, PrintsEntriesByteForByte) {
    ScratchFolder folder;
    // Bytes of an 8-bit code page, a tab and odd spacing in an assembler
    // entry (kept as written), and the "@" form of the prototype line.
    const std::string header = folder.Write(
        "Lib.h",
        "unsigned char Caf\xE9(int iX);\r\n  void Indented(int iX);\nint  Two( int a ,int b ) ;\n");
    const std::string assembler =
        folder.Write("Lib.s79",
                     "; C Function prototype:\tvoid  Foo (int a)  ; trailing\n"
                     " ; C Function prototype: void Ignored(int a)\n"
                     "@ C Function prototype:   int Add(int a,int b)  ; sum\n");

    CliResult result = RunCli({"functions", header});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "unsigned char Caf\xE9(int iX)\nint Two(int a, int b)\n");

    result = RunCli({"functions", assembler});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "void  Foo (int a)\nint Add(int a,int b)\n");
}

TEST(FunctionsCommand, LongLinesArriveInPiecesAndNulEndsTheScan) {
    ScratchFolder folder;
    // A 296-byte line arrives as 255 bytes and then 41: each piece is a line
    // of its own. The first has no parentheses; the second begins with a
    // letter and is listed as it stands.
    const std::string lib =
        folder.Write("Long.h", "void F" + std::string(280, 'x') +
                                   "(int iA);\nvoid Next(int iB);\n" + "\0void Hidden(int iC);\n"s);
    const CliResult result = RunCli({"functions", lib});
    EXPECT_EQ(result.status, 0);
    // The NUL at the start of a line ends the scan: Hidden is not listed.
    EXPECT_EQ(result.out, std::string(31, 'x') + "(int iA)\nvoid Next(int iB)\n");
}

TEST(FunctionsCommand, LibraryThatCannotBeOpened) {
    ScratchFolder folder;
    for (const std::string& path :
         {folder.PathOf("Missing.h"), folder.MakeFolder("Folder.h"), std::string()}) {
        const CliResult result = RunCli({"functions", path});
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_EQ(result.out, "") << path;
        EXPECT_EQ(result.err, LibraryMessage(path)) << path;
    }
}

TEST(FunctionsCommand, LibraryWithoutFunctions) {
    ScratchFolder folder;
    const std::string empty = folder.Write("Empty.h", "");
    const std::string comments = folder.Write("Notes.h", "/* void NotListed(int iA);\n */\n");
    for (const std::string& path : {empty, comments}) {
        const CliResult result = RunCli({"functions", path});
        EXPECT_EQ(result.status, 0) << path;
        EXPECT_EQ(result.out, "") << path;
        EXPECT_EQ(result.err, "") << path;
    }
}

// --- lookup ----------------------------------------------------------------

TEST(LookupCommand, HeaderBesideItsSource) {
    const CliResult result =
        RunCli({"lookup", Example("Pwm.h"),
                "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, Example("Pwm.c") + "\n" +
                              "/**\n"
                              " * @brief  Sets up a channel: the outputs it drives and its "
                              "frequency.\n"
                              " * @param iChannel :{0,1,2,3} the channel\n"
                              " * @param uOutputs :{PWM_A|PWM_B|PWM_C} the outputs to drive, "
                              "joined with |\n"
                              " * @param iFreqHz  :{1-20000} frequency in Hz\n"
                              " * @note   The duty cycle starts at one half; change it with "
                              "PwmSetDuty.\n"
                              " */\n"
                              "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)\n"
                              "{\n"
                              "    unsigned int uPeriod = PWM_CLOCK_HZ / (unsigned int)iFreqHz;\n"
                              "\n"
                              "    PWM_CTRL(iChannel) = 0u;\n"
                              "    PWM_PERIOD(iChannel) = uPeriod;\n"
                              "    PWM_COMPARE(iChannel) = uPeriod / 2u;\n"
                              "    PWM_CTRL(iChannel) = PWM_CTRL_RUN | (uOutputs & 0x07u);\n"
                              "}\n"
                              "\n");
}

TEST(LookupCommand, HeaderInIncludeFindsItsSourceInSrc) {
    const CliResult result =
        RunCli({"lookup", Example("include/Timer.h"), "void TmrSetMode(int iTimer, int iMode)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, Example("Src/Timer.c") + "\n" +
                              "/**\n"
                              "  @brief  Sets how a timer counts.\n"
                              "  @param iTimer :{TMR0,TMR1,TMR2}\n"
                              "  @param iMode  :{TMR_ONESHOT,TMR_PERIODIC,\n"
                              "                   TMR_CAPTURE,TMR_COMPARE}\n"
                              "  @note   Stop the timer before changing its mode.\n"
                              "*/\n"
                              "void TmrSetMode(int iTimer, int iMode)\n"
                              "{\n"
                              "    TMR_CTRL(iTimer) = (TMR_CTRL(iTimer) & ~3u) | (unsigned "
                              "int)iMode;\n"
                              "}\n"
                              "\n");
}

TEST(LookupCommand, SrcFolderFoundWhateverItsLetterCase) {
    ScratchFolder folder;
    const std::string header = folder.Write("Proj/include/Dev.h", "void DevGo(int iMode);\n");
    const std::string source =
        folder.Write("Proj/SRC/dev.C", "/**\n * @param iMode :{A,B}\n */\nvoid DevGo(int iMode)\n");
    const CliResult result = RunCli({"lookup", header, "void DevGo(int iMode)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, source + "\n/**\n * @param iMode :{A,B}\n */\nvoid DevGo(int iMode)\n");
}

TEST(LookupCommand, LineEndsKeptAndTabsExpanded) {
    CliResult result = RunCli({"lookup", Example("Gpio.h"), "int GpioRead(int iPin)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Example("Gpio.c") + "\n" +
                              "/*!\r\n"
                              " * @brief  Reads the level of a pin.\r\n"
                              " * @param iPin :{PinHelp.exe}\r\n"
                              " * @return 0 or 1\r\n"
                              " */\r\n"
                              "int GpioRead(int iPin)\r\n"
                              "{\r\n"
                              "    return (GPIO_IN(GPIO_PORT(iPin)) & GPIO_BIT(iPin)) != 0u;\r\n"
                              "}\r\n"
                              "\r\n");

    // Uart.c indents its function bodies with tabs: four-column stops.
    result = RunCli({"lookup", Example("Uart.h"), "void UartClose(int iPort)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Example("Uart.c") + "\n" +
                              "/*!\n"
                              " * @brief  Waits until the last byte has left, then closes the "
                              "port.\n"
                              " * @param iPort :{0,1}\n"
                              " */\n"
                              "void UartClose(int iPort)\n"
                              "{\n"
                              "    while (UART_STATUS(iPort) & UART_TX_BUSY) {\n"
                              "    }\n"
                              "    UART_FORMAT(iPort) = 0u;\n"
                              "}\n");
}

TEST(LookupCommand, AssemblerLibraryDocumentsItself) {
    const CliResult result = RunCli({"lookup", Example("Adc.s79"), "int AdcRead(int iChannel)"});
    EXPECT_EQ(result.status, 0);
    const std::string expectedStart = Example("Adc.s79") +
                                      "\n/*!\n"
                                      "int AdcRead(int iChannel)\n"
                                      "  @brief  Starts a conversion and waits for its result.\n";
    EXPECT_EQ(result.out.substr(0, expectedStart.size()), expectedStart);
    // The block runs up to the next opener, which is not part of it.
    EXPECT_EQ(result.out.find("AdcStop"), std::string::npos);
    EXPECT_NE(result.out.find("        bx      lr\n\n"), std::string::npos);
}

TEST(LookupCommand, EntryNotInTheSource) {
    const std::string entry = "void PwmSetup(int iChannel)";
    const CliResult result = RunCli({"lookup", Example("Pwm.h"), entry});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, NotFoundMessage(entry, Example("Pwm.c")));
}

TEST(LookupCommand, SourceMissingGivesBothMessages) {
    ScratchFolder folder;
    const std::string header = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    const std::string documenting = folder.PathOf("Lone.c");
    const CliResult result = RunCli({"lookup", header, "void LoneGo(int iMode)"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Could not find source " + documenting + " or .c\n" +
                              NotFoundMessage("void LoneGo(int iMode)", documenting));
}

TEST(LookupCommand, EmptyEntryIsNotFound) {
    const CliResult result = RunCli({"lookup", Example("Pwm.h"), ""});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, NotFoundMessage("", Example("Pwm.c")));
}

}  // namespace
}  // namespace quill::testing
