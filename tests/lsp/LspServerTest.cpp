// Recorded exchanges with the language server: framed client messages in,
// the framed answers out, over the examples/vendor library.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/ScratchFolder.h"
#include "core/settings/SettingsStore.h"
#include "lsp/CatalogueIndex.h"
#include "lsp/MessageReader.h"
#include "lsp/Server.h"

namespace quill::lsp {
namespace {

const std::string kVendor = QUILL_EXAMPLES_DIR "/vendor/Inc/";
const std::string kUri = "file:///work/app.c";

std::string Frame(const Json& message) {
    const std::string body = message.dump();
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Initialize(int id = 1) {
    return Frame({{"jsonrpc", "2.0"},
                  {"id", id},
                  {"method", "initialize"},
                  {"params",
                   {{"initializationOptions",
                     {{"libraries", {kVendor + "tns_gpio.h", kVendor + "tns_tmr.h"}}}}}}});
}

std::string Request(int id, const std::string& method, Json params) {
    return Frame(
        {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}});
}

std::string Notice(const std::string& method, Json params) {
    return Frame({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

std::string Open(const std::string& text) {
    return Notice(
        "textDocument/didOpen",
        {{"textDocument", {{"uri", kUri}, {"languageId", "c"}, {"version", 1}, {"text", text}}}});
}

Json At(int line, int character) {
    return {{"textDocument", {{"uri", kUri}}},
            {"position", {{"line", line}, {"character", character}}}};
}

struct Exchange {
    std::vector<Json> answers;  // responses and notifications, in order
    int status = -1;

    // The answer to request `id` (a copy: a missing key reads as null).
    Json To(int id) const {
        for (const Json& answer : answers) {
            if (answer.value("id", Json()) == id) {
                return answer;
            }
        }
        return {};
    }
    // The labels of a completion list in the order a client shows them.
    std::vector<std::string> Labels(int id) const {
        Json answer = To(id);
        std::vector<Json> items;
        for (const Json& item : answer["result"]["items"]) {
            items.push_back(item);
        }
        std::stable_sort(items.begin(), items.end(), [](const Json& a, const Json& b) {
            return a.value("sortText", a["label"]) < b.value("sortText", b["label"]);
        });
        std::vector<std::string> labels;
        for (const Json& item : items) {
            labels.push_back(item["label"]);
        }
        return labels;
    }
};

Exchange Converse(const std::string& input) {
    Exchange exchange;
    std::string output;
    MessageReader reader = MessageReader::FromBytes(input);
    MessageWriter writer([&](const std::string& bytes) {
        output += bytes;
        return true;
    });
    exchange.status = RunServer(reader, writer, {});
    MessageReader answers = MessageReader::FromBytes(output);
    std::string body;
    while (answers.Next(body) == ReadResult::Message) {
        exchange.answers.push_back(Json::parse(body));
    }
    return exchange;
}

int ErrorOf(const Json& answer) {
    return answer.is_object() && answer.contains("error") ? answer["error"]["code"].get<int>() : 0;
}

TEST(LspProtocol, LifeCycleAndErrorCodes) {
    const Exchange exchange = Converse(
        Request(1, "textDocument/hover", At(0, 0)) + Initialize(2) +
        "Content-Length: 9\r\n\r\n{\"id\": 3," + "Content-Type: x\r\n\r\n" +
        Request(4, "workspace/unknownThing", Json::object()) + Notice("$/unknownNotice", {}) +
        Request(5, "textDocument/hover", {{"textDocument", {{"uri", "file:///not/open.c"}}}}) +
        Frame({{"jsonrpc", "2.0"}, {"id", 6}, {"params", {}}}) + Request(7, "shutdown", {}) +
        Request(8, "textDocument/hover", At(0, 0)) + Notice("exit", {}) +
        Request(9, "shutdown", {}));
    EXPECT_EQ(ErrorOf(exchange.To(1)), -32002);
    EXPECT_TRUE(exchange.To(2)["result"]["capabilities"]["hoverProvider"].get<bool>());
    EXPECT_EQ(ErrorOf(exchange.To(4)), -32601);
    EXPECT_EQ(ErrorOf(exchange.To(5)), -32602);
    EXPECT_EQ(ErrorOf(exchange.To(6)), -32600);
    EXPECT_EQ(exchange.To(7)["result"], Json());
    EXPECT_EQ(ErrorOf(exchange.To(7)), 0);
    EXPECT_EQ(ErrorOf(exchange.To(8)), -32600);
    // The cut JSON and the header without a length, each with id null.
    int parseErrors = 0;
    for (const Json& answer : exchange.answers) {
        parseErrors += ErrorOf(answer) == -32700 && answer["id"].is_null();
    }
    EXPECT_EQ(parseErrors, 2);
    EXPECT_EQ(exchange.answers.size(), 9u);  // nothing after exit, nothing for the notice
    EXPECT_EQ(exchange.status, 0);
}

TEST(LspProtocol, ExitStatusAndCancellation) {
    const Exchange noShutdown = Converse(Initialize() + Notice("exit", {}));
    EXPECT_EQ(noShutdown.status, 1);
    const Exchange cut = Converse(Initialize() + "Content-Length: 50\r\n\r\n{\"jsonrpc\"");
    EXPECT_EQ(cut.answers.size(), 1u);
    EXPECT_EQ(cut.status, 1);

    const Exchange cancelled = Converse(
        Initialize() + Open("tns_gpio_init(") + Request(2, "textDocument/completion", At(0, 14)) +
        Notice("$/cancelRequest", {{"id", 2}}) + Request(3, "textDocument/completion", At(0, 14)));
    EXPECT_EQ(ErrorOf(cancelled.To(2)), -32800);
    EXPECT_EQ(cancelled.Labels(3).front(), "TNS_PORT_A");
}

TEST(LspFeatures, LegalValuesFirstAtAnArgument) {
    // Non-ASCII text before the cursor, a call over three lines, a comment
    // and a string holding commas, a nested call, then an edit.
    const std::string text =
        "int \xC3\xA9t\xC3\xA9 = 1; tns_gpio_init(\n"
        "    /* a, b */ TNS_PORT_B, g(\"x,y\", 2),\n"
        "    );\n"
        "tns_gpio_write(TNS_PORT_A, TNS_PIN_0 |, );";
    const Exchange exchange = Converse(
        Initialize() + Open(text) + Request(2, "textDocument/completion", At(0, 27)) +
        Request(3, "textDocument/completion", At(2, 4)) +
        Request(4, "textDocument/completion", At(3, 38)) +
        Request(5, "textDocument/completion", At(1, 34)) +
        Request(7, "textDocument/completion", At(3, 40)) +
        Notice("textDocument/didChange", {{"textDocument", {{"uri", kUri}, {"version", 2}}},
                                          {"contentChanges",
                                           {{{"range",
                                              {{"start", {{"line", 0}, {"character", 13}}},
                                               {"end", {{"line", 0}, {"character", 13}}}}},
                                             {"text", "tns_tmr_config(0, "}}}}}) +
        Request(6, "textDocument/completion", At(0, 31)));
    EXPECT_EQ(exchange.Labels(2),
              (std::vector<std::string>{"TNS_PORT_A", "TNS_PORT_B", "TNS_PORT_C"}));
    EXPECT_EQ(exchange.Labels(3),
              (std::vector<std::string>{"TNS_GPIO_DIR_IN", "TNS_GPIO_DIR_OUT"}));
    Json dirIn = exchange.To(3)["result"]["items"][0];
    EXPECT_EQ(dirIn["documentation"], "input, the reset state");
    EXPECT_EQ(dirIn["kind"], 20);
    EXPECT_EQ(dirIn["textEdit"]["range"]["start"], (Json{{"line", 2}, {"character", 4}}));
    EXPECT_EQ(exchange.Labels(4), (std::vector<std::string>{"TNS_PIN_1", "TNS_PIN_2", "TNS_PIN_3",
                                                            "TNS_PIN_1 | TNS_PIN_2 | TNS_PIN_3"}));
    EXPECT_EQ(exchange.To(4)["result"]["items"][0]["textEdit"]["newText"], " TNS_PIN_1");
    EXPECT_TRUE(exchange.Labels(5).empty());  // in g's arguments: Quill knows nothing
    EXPECT_EQ(exchange.Labels(7), (std::vector<std::string>{"true", "false"}));
    EXPECT_EQ(exchange.Labels(6).front(), "TNS_TMR_ONESHOT");
}

TEST(LspFeatures, SnippetSignatureHoverAndDiagnostics) {
    const std::string text =
        "void f(void) {\n"
        "    tns_gpio_rea\n"
        "    tns_gpio_set_pull(3, TNS_PIN_0, 1);\n"
        "    tns_gpio_set_pull(-1, TNS_PIN_0, 1); tns_gpio_set_pull(0x2u, TNS_PIN_0, 1);\n"
        "    tns_gpio_read(TNS_PORT_C, TNS_PIN_1);\n"
        "    tns_gpio_read(port, TNS_PIN_1);\n"
        "    tns_gpio_write(TNS_PORT_A, LED_PINS, true);\n"  // vendor values pin nothing
        "}\n";
    const Exchange exchange =
        Converse(Initialize() + Open(text) + Request(2, "textDocument/completion", At(1, 16)) +
                 Request(3, "textDocument/signatureHelp", At(2, 25)) +
                 Request(4, "textDocument/hover", At(4, 8)));
    Json item = exchange.To(2)["result"]["items"][0];
    EXPECT_EQ(item["label"], "tns_gpio_read");
    EXPECT_EQ(item["insertTextFormat"], 2);
    EXPECT_EQ(item["textEdit"]["newText"],
              "tns_gpio_read(${1|TNS_PORT_A,TNS_PORT_B|}, "
              "${2|TNS_PIN_0,TNS_PIN_1,TNS_PIN_2,TNS_PIN_3,TNS_PIN_ALL|})");

    Json signature = exchange.To(3)["result"];
    EXPECT_EQ(signature["activeParameter"], 1);
    EXPECT_EQ(signature["signatures"][0]["parameters"][1]["label"], (Json{42, 55}));
    EXPECT_EQ(signature["signatures"][0]["parameters"][0]["documentation"], "From 0 to 2.");

    const std::string hover = exchange.To(4)["result"]["contents"]["value"];
    EXPECT_NE(hover.find("```c\nuint16_t tns_gpio_read(tns_port_t port, uint16_t pin)\n```"),
              std::string::npos);
    EXPECT_NE(hover.find("Reads one input pin."), std::string::npos);
    EXPECT_NE(hover.find("- `port` :{TNS\\_PORT\\_A,TNS\\_PORT\\_B} only these ports have inputs"),
              std::string::npos);

    Json diagnostics;
    for (const Json& answer : exchange.answers) {
        if (answer.value("method", "") == "textDocument/publishDiagnostics") {
            diagnostics = answer["params"]["diagnostics"];
        }
    }
    ASSERT_EQ(diagnostics.size(), 4u);
    EXPECT_EQ(diagnostics[0]["code"], "quill-out-of-range");
    EXPECT_EQ(diagnostics[0]["severity"], 2);
    EXPECT_EQ(diagnostics[0]["range"], (Json{{"start", {{"line", 2}, {"character", 22}}},
                                             {"end", {{"line", 2}, {"character", 23}}}}));
    EXPECT_EQ(diagnostics[1]["range"]["start"], (Json{{"line", 3}, {"character", 22}}));
    EXPECT_EQ(diagnostics[2]["code"], "quill-not-listed");
    EXPECT_EQ(diagnostics[2]["message"],
              "TNS_PORT_C is none of the documented values of port of tns_gpio_read: TNS_PORT_A, "
              "TNS_PORT_B.");
    EXPECT_EQ(diagnostics[3]["range"]["start"], (Json{{"line", 5}, {"character", 18}}));
}

// A header-only library of our own: no ".c" beside it, so the automatic
// mode reads it in vendor mode.
TEST(LspFeatures, HeaderOnlyLibraryInTheModeTheWindowUses) {
    const auto folder = std::filesystem::temp_directory_path() / "QuillLspVendorMode";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string header = (folder / "qk_fan.h").string();
    std::ofstream(header) << "/**\n"
                             "  * @brief  Sets a fan's speed.\n"
                             "  * @param  fan :{QK_FAN_A,QK_FAN_B} the fan\n"
                             "  * @param  speed :0..9\n"
                             "  */\n"
                             "int qk_fan_set(int fan,\n"
                             "               int speed);\n"
                             "\n"
                             "/**\n"
                             "  * @brief  Whether a fan turns.\n"
                             "  */\n"
                             "static inline int qk_fan_turns(int fan) { return fan != 0; }\n";
    const auto settings = [&](const std::string& name, const std::string& mode) {
        const std::string path = (folder / name).string();
        std::ofstream(path) << "[Libraries]\n" + header + "=Yes\n" + mode;
        return Json{{"settingsFile", path}};
    };
    const auto run = [&](const Json& options) {
        return Converse(Frame({{"jsonrpc", "2.0"},
                               {"id", 1},
                               {"method", "initialize"},
                               {"params", {{"initializationOptions", options}}}}) +
                        Open("void f(void) {\n    qk_fan_\n    qk_fan_set(1, 2);\n}\n") +
                        Request(2, "textDocument/completion", At(1, 11)) +
                        Request(3, "textDocument/hover", At(2, 6)));
    };
    const std::vector<std::string> both{"qk_fan_set", "qk_fan_turns"};
    for (const Json& options : {Json{{"libraries", {header}}}, settings("auto.ini", ""),
                                settings("on.ini", "[VendorMode]\n" + header + "=on\n")}) {
        const Exchange exchange = run(options);
        EXPECT_EQ(exchange.Labels(2), both) << options;
        EXPECT_EQ(exchange.To(2)["result"]["items"][0]["textEdit"]["newText"],
                  "qk_fan_set(${1|QK_FAN_A,QK_FAN_B|}, ${2:speed})");
        const std::string hover = exchange.To(3)["result"].dump();
        EXPECT_NE(hover.find("Sets a fan's speed."), std::string::npos) << hover;
        EXPECT_EQ(hover.find("Whether a fan turns."), std::string::npos) << hover;
    }
    // A stored "off" keeps the plain rule: one-line prototypes only.
    const Exchange off = run(settings("off.ini", "[VendorMode]\n" + header + "=off\n"));
    EXPECT_EQ(off.Labels(2), std::vector<std::string>{"qk_fan_turns"});
    EXPECT_TRUE(off.To(3)["result"].is_null());
    EXPECT_TRUE(off.To(3)["result"].is_null());
    std::filesystem::remove_all(folder);
}

TEST(CatalogueIndex, ScansAgainOnlyTheLibraryThatChanged) {
    const testing::ScratchFolder folder;
    const auto write = [&folder](const std::string& name, const std::string& text) {
        return folder.Write(name, text);
    };
    const std::string a = write("a.h", "void alpha(int x);\n");
    const std::string b = write("b.h", "void beta(int y);\n");
    CatalogueIndex index({a, b});
    index.Refresh();
    index.Refresh();
    EXPECT_EQ(index.ScanCount(), 2u);
    write("b.h", "void beta(int y);\nvoid gamma(int z, int w);\n");
    index.Refresh();
    EXPECT_EQ(index.ScanCount(), 3u);
    ASSERT_NE(index.Find("gamma"), nullptr);
    EXPECT_NE(index.Find("alpha"), nullptr);
    EXPECT_EQ(index.FunctionCount(), 3u);
}

// The settings file and the ".c" beside a header decide what is listed:
// the index follows both while the server runs.
TEST(CatalogueIndex, FollowsTheSettingsFileAndASourceThatAppears) {
    const testing::ScratchFolder folder;
    const auto write = [&folder](const std::string& name, const std::string& text) {
        return folder.Write(name, text);
    };
    // Over two lines: listed in vendor mode only.
    const std::string fan = write("fan.h", "int fan_set(int fan,\n            int speed);\n");
    const std::string pump = write("pump.h", "void pump_on(int pump);\n");
    const std::string ini = write("Quill.ini", "[Libraries]\n" + fan + "=Yes\n");
    CatalogueIndex index(GetAllSettingKeys("Libraries", ini), ini);
    index.Refresh();
    EXPECT_NE(index.Find("fan_set"), nullptr);

    write("Quill.ini", "[Libraries]\n" + fan + "=Yes\n[VendorMode]\n" + fan + "=off\n");
    index.Refresh();
    EXPECT_EQ(index.Find("fan_set"), nullptr);

    write("Quill.ini", "[Libraries]\n" + fan + "=Yes\n" + pump + "=Yes\n");
    index.Refresh();
    EXPECT_NE(index.Find("fan_set"), nullptr);
    ASSERT_NE(index.Find("pump_on"), nullptr);
    EXPECT_EQ(index.LibraryPaths(), (std::vector<std::string>{fan, pump}));

    // The automatic mode turns off once the ".c" is there.
    write("fan.c", "/** Sets. */\nint fan_set(int fan, int speed) { return 0; }\n");
    index.Refresh();
    EXPECT_EQ(index.Find("fan_set"), nullptr);

    write("Quill.ini", "[Libraries]\n" + pump + "=Yes\n");
    const std::size_t scans = index.ScanCount();
    index.Refresh();
    EXPECT_EQ(index.ScanCount(), scans);  // the library kept keeps its scan
    EXPECT_EQ(index.FunctionCount(), 1u);
    ASSERT_NE(index.Find("pump_on"), nullptr);
    EXPECT_EQ(index.Find("pump_on")->library, 0u);
}

}  // namespace
}  // namespace quill::lsp
