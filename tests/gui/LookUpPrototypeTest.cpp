// The prototype lookup as the window runs it: the block or "-" in
// SourcePane, the messages of a failed lookup, the path that was read, and
// the sibling "Src" folder of an "include" folder on a file system that
// tells letter case apart.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

using Message = std::pair<std::string, unsigned>;

const char* const kSource =
    "/** Init */\n"
    "void TmrInit(void);\n"
    "/** Go\n"
    " */\n"
    "void TmrGo(int iMode, char *pBuf)\n"
    "{\n"
    "}\n";

std::vector<Message> MessagesOf(const RecordingPlatform& platform) {
    std::vector<Message> messages;
    for (const PlatformCall& call : platform.CallsOf(PlatformCall::Kind::Message)) {
        messages.emplace_back(call.text, call.style);
    }
    return messages;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class LookUpPrototype : public ::testing::Test {
protected:
    MainWindow& Window() { return *harness.window; }
    std::string Shown() { return Window().sourcePane->toPlainText().toStdString(); }

    WindowHarness harness;
};

TEST_F(LookUpPrototype, TheBlockIsShownAndThePathReturned) {
    const std::string source = harness.WriteFile("p/Tmr.c", kSource);
    EXPECT_EQ(Window().LookUpPrototype(source, "void TmrGo(int iMode, char *pBuf)"), source);
    EXPECT_EQ(Shown(), "/** Go\n */\nvoid TmrGo(int iMode, char *pBuf)\n{\n}\n");
    EXPECT_EQ(Window().sourceText, Shown());
    EXPECT_TRUE(harness.platform.calls.empty());

    // A path that cannot be opened falls back to the one ending in "c".
    EXPECT_EQ(Window().LookUpPrototype(harness.PathOf("p/Tmr.h"), "void TmrInit(void)"), source);
    EXPECT_EQ(Shown(), "/** Init */\nvoid TmrInit(void);\n");
}

TEST_F(LookUpPrototype, AnEntryThatIsNotThereLeavesTheFailureMarker) {
    const std::string source = harness.WriteFile("p/Tmr.c", kSource);
    EXPECT_EQ(Window().LookUpPrototype(source, "void TmrStop(void)"), source);
    EXPECT_EQ(
        MessagesOf(harness.platform),
        (std::vector<Message>{
            {"Could not find \nvoid TmrStop(void)\nin " + source + "\nMust match exactly.", 48}}));
    EXPECT_EQ(Shown(), "-");

    // An empty entry is not looked for at all.
    harness.platform.Clear();
    EXPECT_EQ(Window().LookUpPrototype(source, ""), source);
    EXPECT_EQ(
        MessagesOf(harness.platform),
        (std::vector<Message>{{"Could not find \n\nin " + source + "\nMust match exactly.", 48}}));
    EXPECT_EQ(Shown(), "-");
}

TEST_F(LookUpPrototype, AMissingFileGivesBothMessagesAndTheLastFormTried) {
    const std::string library = harness.PathOf("p/Tmr.s79");
    std::string lastForm = library;
    lastForm.back() = 'c';
    lastForm = Lower(lastForm);

    EXPECT_EQ(Window().LookUpPrototype(library, "void TmrGo(void)"), lastForm);
    EXPECT_EQ(
        MessagesOf(harness.platform),
        (std::vector<Message>{
            {"Could not find source " + library + " or .c", 48},
            {"Could not find \nvoid TmrGo(void)\nin " + library + "\nMust match exactly.", 48}}));
    EXPECT_EQ(Shown(), "-");
}

TEST_F(LookUpPrototype, AHeaderInIncludeFindsItsSourceInSrcWhateverTheCase) {
    // Neither the folders nor the file agree in case with the lowered path
    // (nor, most likely, the temporary folder's random name).
    const std::string header = harness.WriteFile("Pkg/Include/Tmr.h",
                                                 "void TmrGo(int iMode, char *pBuf);\n"
                                                 "void TmrInit(void);\n");
    const std::string source = harness.WriteFile("Pkg/sRC/TMR.c", kSource);
    harness.SetSetting("Libraries", header, "Yes");

    // Through the function list, the way the user meets it.
    MainWindow window(harness.platform, Window().paths);
    window.OnInitDialog();
    window.functionCombo->showPopup();
    window.functionCombo->hidePopup();
    EXPECT_EQ(window.sourcePane->toPlainText().toStdString(),
              "/** Go\n */\nvoid TmrGo(int iMode, char *pBuf)\n{\n}\n");
    EXPECT_TRUE(harness.platform.Messages().empty());

    // The path read is the file as it is on disk.
    EXPECT_EQ(
        window.LookUpPrototype(header.substr(0, header.size() - 1) + "c", "void TmrInit(void)"),
        source);
    EXPECT_EQ(window.sourcePane->toPlainText().toStdString(), "/** Init */\nvoid TmrInit(void);\n");
}

}  // namespace
}  // namespace quill
