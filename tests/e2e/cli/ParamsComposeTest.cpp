// quill-cli params and compose, and the main job from the function list to
// the call text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/cli/CliRunner.h"
#include "tests/unit/ScratchFolder.h"

namespace quill::testing {
namespace {

const std::string kPwmSetup = "void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)";

// The value of `key` in the line output of params.
std::string Field(const std::string& lines, const std::string& key) {
    std::istringstream in(lines);
    std::string line;
    const std::string prefix = key + ": ";
    while (std::getline(in, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return line.substr(prefix.size());
        }
    }
    ADD_FAILURE() << "no field " << key;
    return {};
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> items;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, separator)) {
        items.push_back(item);
    }
    return items;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// --- params ----------------------------------------------------------------

TEST(ParamsCommand, ThreeParametersAsLines) {
    const CliResult result = RunCli({"params", Example("Pwm.h"), kPwmSetup});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "functionName: PwmSetup\n"
              "returnType: void\n"
              "parameterCount: 3\n"
              "parameter1.name: iChannel\n"
              "parameter1.choiceText: 0,1,2,3\n"
              "parameter1.form: list\n"
              "parameter1.editText: \n"
              "parameter2.name: uOutputs\n"
              "parameter2.choiceText: PWM_A|PWM_B|PWM_C\n"
              "parameter2.form: flags\n"
              "parameter2.editText: PWM_A\n"
              "parameter3.name: iFreqHz\n"
              "parameter3.choiceText: 1-20000\n"
              "parameter3.form: free range\n"
              "parameter3.editText: \n"
              "parameter4.name: \n"
              "parameter4.choiceText: \n"
              "parameter4.form: free\n"
              "parameter4.editText: \n"
              "helperName: -\n");
}

TEST(ParamsCommand, ThreeParametersAsJson) {
    const CliResult result = RunCli({"params", Example("Pwm.h"), kPwmSetup, "--json"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(
        result.out,
        R"({"functionName":"PwmSetup","returnType":"void","parameterCount":3,"parameters":[)"
        R"({"name":"iChannel","choiceText":"0,1,2,3","form":"list","range":false,"editText":""},)"
        R"({"name":"uOutputs","choiceText":"PWM_A|PWM_B|PWM_C","form":"flags","range":false,)"
        R"("editText":"PWM_A"},)"
        R"({"name":"iFreqHz","choiceText":"1-20000","form":"free","range":true,"editText":""},)"
        R"({"name":"","choiceText":"","form":"free","range":false,"editText":""}],)"
        R"("helperName":"-"})"
        "\n");
}

TEST(ParamsCommand, HelperProgramAndHelperForm) {
    const CliResult result =
        RunCli({"params", Example("Gpio.h"), "void GpioSetMode(int iPin, int iMode)", "--json"});
    EXPECT_EQ(result.status, 0);
    const nlohmann::json doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["helperName"], "PinHelp.exe");
    EXPECT_EQ(doc["parameterCount"], 2);
    EXPECT_EQ(doc["parameters"][0]["form"], "helper");
    EXPECT_EQ(doc["parameters"][0]["editText"], "\"PinHelp.exe\"");
    EXPECT_EQ(doc["parameters"][1]["choiceText"],
              "GPIO_INPUT,GPIO_OUTPUT,GPIO_ALTERNATE,GPIO_ANALOG");

    // A block without "@note" names no helper.
    const CliResult read = RunCli({"params", Example("Gpio.h"), "int GpioRead(int iPin)"});
    EXPECT_EQ(Field(read.out, "helperName"), "-");
    EXPECT_EQ(Field(read.out, "returnType"), "int");
}

TEST(ParamsCommand, NoneAndFourParameters) {
    CliResult result = RunCli({"params", Example("Pwm.h"), "void PwmInit(void)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Field(result.out, "functionName"), "PwmInit");
    EXPECT_EQ(Field(result.out, "parameterCount"), "0");
    EXPECT_EQ(Field(result.out, "parameter1.name"), "");

    result = RunCli(
        {"params", Example("include/Timer.h"),
         "void TmrStart(int iTimer, unsigned int uPeriod, int iPriority, unsigned int uIrqFlags)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Field(result.out, "parameterCount"), "4");
    EXPECT_EQ(Field(result.out, "parameter1.form"), "list");
    EXPECT_EQ(Field(result.out, "parameter2.form"), "free range");
    EXPECT_EQ(Field(result.out, "parameter3.name"), "iPriority");
    EXPECT_EQ(Field(result.out, "parameter3.choiceText"), "0-7");
    EXPECT_EQ(Field(result.out, "parameter4.form"), "flags");
    EXPECT_EQ(Field(result.out, "parameter4.editText"), "TMR_IRQ_NONE");
}

TEST(ParamsCommand, ListOverTwoLinesAndAssemblerLibrary) {
    CliResult result =
        RunCli({"params", Example("include/Timer.h"), "void TmrSetMode(int iTimer, int iMode)"});
    EXPECT_EQ(Field(result.out, "parameter2.choiceText"),
              "TMR_ONESHOT,TMR_PERIODIC,TMR_CAPTURE,TMR_COMPARE");

    result = RunCli({"params", Example("Adc.s79"), "int AdcRead(int iChannel)"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Field(result.out, "functionName"), "AdcRead");
    EXPECT_EQ(Field(result.out, "parameter1.choiceText"), "0,1,2,3,4,5,6,7");
}

TEST(ParamsCommand, TextThatIsNotUtf8) {
    ScratchFolder folder;
    const std::string header = folder.Write("Enc.h", "void Caf\xE9(int iMode);\n");
    folder.Write("Enc.c", "/**\n * @param iMode :{CAF\xC9,B}\n */\nvoid Caf\xE9(int iMode)\n");
    const std::string entry = "void Caf\xE9(int iMode)";

    // Lines carry the bytes as they are.
    const CliResult lines = RunCli({"params", header, entry});
    EXPECT_EQ(lines.status, 0);
    EXPECT_EQ(Field(lines.out, "functionName"), "Caf\xE9");
    EXPECT_EQ(Field(lines.out, "parameter1.choiceText"), "CAF\xC9,B");

    // JSON stays valid: each stray byte becomes U+FFFD.
    const CliResult json = RunCli({"params", header, entry, "--json"});
    EXPECT_EQ(json.status, 0);
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["functionName"], "Caf\xEF\xBF\xBD");
    EXPECT_EQ(doc["parameters"][0]["choiceText"], "CAF\xEF\xBF\xBD,B");
}

TEST(ParamsCommand, EntryNotFoundStillGivesTheEmptyRecord) {
    const std::string entry = "void PwmGone(int iChannel)";
    const CliResult result = RunCli({"params", Example("Pwm.h"), entry});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "Could not find \n" + entry + "\nin " + Example("Pwm.c") + "\nMust match exactly.\n");
    EXPECT_EQ(Field(result.out, "functionName"), entry);
    EXPECT_EQ(Field(result.out, "returnType"), "");
    EXPECT_EQ(Field(result.out, "parameterCount"), "0");
    EXPECT_EQ(Field(result.out, "helperName"), "-");
}

TEST(ParamsCommand, SourceMissingGivesAllThreeMessages) {
    ScratchFolder folder;
    const std::string header = folder.Write("Lone.h", "void LoneGo(int iMode);\n");
    const std::string documenting = folder.PathOf("Lone.c");
    const CliResult result = RunCli({"params", header, "void LoneGo(int iMode)", "--json"});
    EXPECT_EQ(result.status, 1);
    // The parse is given the last form the lookup tried: the lower-case one.
    EXPECT_EQ(result.err, "Could not find source " + documenting + " or .c\n" +
                              "Could not find \nvoid LoneGo(int iMode)\nin " + documenting +
                              "\nMust match exactly.\n" + "Could not find " + Lower(documenting) +
                              "\n");
    EXPECT_EQ(nlohmann::json::parse(result.out)["parameterCount"], 0);
}

// --- compose ---------------------------------------------------------------

TEST(ComposeCommand, ValuesInOrder) {
    struct Case {
        std::vector<std::string> args;
        std::string text;
    };
    const Case cases[] = {
        {{"PwmSetup", "1", "PWM_A|PWM_C", "500"}, "PwmSetup(1,PWM_A|PWM_C,500)\n"},
        {{"PwmInit"}, "PwmInit()\n"},
        {{"Put", "\"PinHelp.exe\"", "a b"}, "Put(\"PinHelp.exe\",a b)\n"},
        {{"Set", "-1", "-2"}, "Set(-1,-2)\n"},
        {{"--", "Set", "-GPIO", "--x"}, "Set(-GPIO,--x)\n"},
        {{"Caf\xE9", "\xC9t\xE9"}, "Caf\xE9(\xC9t\xE9)\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"compose"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.status, 0) << c.text;
        EXPECT_EQ(result.out, c.text);
        EXPECT_EQ(result.err, "") << c.text;
    }
}

TEST(ComposeCommand, EmptyValueWarnsAndFails) {
    CliResult result = RunCli({"compose", "PwmSetup", "1", "", "500"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "PwmSetup(1,,500)\n");
    EXPECT_EQ(result.err, "Some parameters not selected.\n");

    result = RunCli({"compose", "PwmSetup", "", "", "", ""});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "PwmSetup(,,,)\n");
    EXPECT_EQ(result.err, "Some parameters not selected.\n");
}

TEST(ComposeCommand, OnlyFourValuesAreUsed) {
    const CliResult result = RunCli({"compose", "F", "1", "2", "3", "4", ""});
    // The empty fifth value is not used, so nothing is missing.
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "F(1,2,3,4)\n");
    EXPECT_NE(result.err.find("first 4 of 5 values"), std::string::npos) << result.err;
}

TEST(ComposeCommand, LongTextIsPrintedWholeWithANote) {
    const std::string value(300, 'v');
    const CliResult result = RunCli({"compose", "Long", value});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Long(" + value + ")\n");
    EXPECT_NE(result.err.find("306 bytes"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("first 255 bytes"), std::string::npos) << result.err;

    // 255 bytes exactly fit on the clipboard: no note.
    const CliResult fits = RunCli({"compose", "Fit", std::string(250, 'v')});
    EXPECT_EQ(fits.out.size(), 256u);
    EXPECT_EQ(fits.err, "");
}

// --- the main job ----------------------------------------------------------

TEST(MainJob, PickTypeAndKeepADefault) {
    // The function list offers PwmSetup.
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
    ASSERT_TRUE(parameters[2]["range"].get<bool>());

    // Pick the second item of the drop-down, keep the flags default, type 500.
    const std::vector<std::string> items =
        Split(parameters[0]["choiceText"].get<std::string>(), ',');
    ASSERT_GE(items.size(), 2u);
    const std::string picked = items[1];
    const std::string kept = parameters[1]["editText"].get<std::string>();
    const std::string typed = "500";

    const CliResult call =
        RunCli({"compose", doc["functionName"].get<std::string>(), picked, kept, typed});
    EXPECT_EQ(call.status, 0);
    EXPECT_EQ(call.out, "PwmSetup(1,PWM_A,500)\n");
    EXPECT_EQ(call.err, "");
}

}  // namespace
}  // namespace quill::testing
