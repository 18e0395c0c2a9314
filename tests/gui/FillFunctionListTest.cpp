// Filling FunctionCombo from a library and re-selecting the stored choice.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

const char* const kHeader =
    "/* Timer driver */\n"
    "void init(void);\n"
    "int Zeta(void);\r\n"
    "  void Indented(void);\n"
    "extern   Void   Start ( int  a ,int b ) ;   // starts\n"
    "INT alpha(void);\n";

std::vector<std::string> Entries(const NotifyingComboBox* combo) {
    std::vector<std::string> entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries.push_back(combo->TextAt(i));
    }
    return entries;
}

TEST(FillFunctionList, ListsTheEntriesInOrderIgnoringCase) {
    WindowHarness harness;
    const std::string library = harness.WriteFile("lib/Timer.h", kHeader);
    harness.SetSetting("Last", "Choice", "int Zeta(void)");

    EXPECT_EQ(harness.window->FillFunctionList(library), 2);
    EXPECT_EQ(Entries(harness.window->functionCombo),
              (std::vector<std::string>{"INT alpha(void)", "int Zeta(void)", "void init(void)",
                                        "Void Start(int a, int b)"}));
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST(FillFunctionList, ReselectsTheStoredChoiceIgnoringCase) {
    WindowHarness harness;
    const std::string library = harness.WriteFile("lib/Timer.h", kHeader);
    harness.SetSetting("Last", "Choice", "VOID INIT(VOID)");

    EXPECT_EQ(harness.window->FillFunctionList(library), 3);
    EXPECT_EQ(harness.window->functionCombo->currentIndex(), 2);
    EXPECT_EQ(harness.window->functionCombo->SelectedText(), "void init(void)");
    // Found: the stored text stays as it was.
    EXPECT_EQ(harness.Setting("Last", "Choice"), "VOID INIT(VOID)");
    // The window's record of the selection follows the list.
    EXPECT_EQ(harness.window->functionIndex, 2);
}

TEST(FillFunctionList, FallsBackToTheFirstEntryAndStoresIt) {
    for (const char* stored : {"", "void Gone(void)", "void init"}) {
        SCOPED_TRACE(stored);
        WindowHarness harness;
        const std::string library = harness.WriteFile("lib/Timer.h", kHeader);
        harness.SetSetting("Last", "Choice", stored);

        EXPECT_EQ(harness.window->FillFunctionList(library), 1);
        EXPECT_EQ(harness.window->functionCombo->currentIndex(), 0);
        EXPECT_EQ(harness.Setting("Last", "Choice"), "INT alpha(void)");
        EXPECT_EQ(harness.window->functionIndex, 0);
    }
}

TEST(FillFunctionList, AMissingChoiceKeyFallsBackToo) {
    WindowHarness harness;
    const std::string library = harness.WriteFile("lib/Timer.h", kHeader);
    EXPECT_EQ(harness.window->FillFunctionList(library), 1);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "INT alpha(void)");
}

TEST(FillFunctionList, AssemblerLibrariesListTheirPrototypeComments) {
    WindowHarness harness;
    const std::string library =
        harness.WriteFile("asm/Lib.s79",
                          "; C Function prototype: int Add(int a,int b)  ; sum\n"
                          " ; C Function prototype: void Ignored(void)\n"
                          "@ C Function prototype:   char  Get (void)\n"
                          "; C Function prototype: int Add(int a,int b)\n"
                          "        RSEG CODE\n");
    harness.SetSetting("Last", "Choice", "char  get (void)");

    EXPECT_EQ(harness.window->FillFunctionList(library), 1);
    // A prototype listed twice in the file is listed twice.
    EXPECT_EQ(Entries(harness.window->functionCombo),
              (std::vector<std::string>{"char  Get (void)", "int Add(int a,int b)",
                                        "int Add(int a,int b)"}));
    EXPECT_EQ(harness.Setting("Last", "Choice"), "char  get (void)");
}

TEST(FillFunctionList, AnUnreadableLibraryIsReportedAndLeavesTheListEmpty) {
    WindowHarness harness;
    const std::string folderAsLibrary = harness.PathOf("lib.h.d");
    harness.WriteFile("lib.h.d/keep", "");
    for (const std::string& library : {harness.PathOf("missing/Uart.h"), folderAsLibrary}) {
        SCOPED_TRACE(library);
        harness.platform.Clear();
        harness.SetSetting("Last", "Choice", "void init(void)");
        harness.window->functionCombo->AddString("left over");

        EXPECT_EQ(harness.window->FillFunctionList(library), 0);
        EXPECT_EQ(harness.window->functionCombo->count(), 0);
        EXPECT_EQ(harness.window->functionIndex, -1);
        const auto messages = harness.platform.CallsOf(PlatformCall::Kind::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Library " + library +
                                        " source file not available.\nFix using Library Combobox.");
        EXPECT_EQ(messages[0].style, unsigned{kStyleInformation});
        EXPECT_EQ(messages[0].caption, "Quill");
        EXPECT_EQ(harness.Setting("Last", "Choice"), "void init(void)");
    }
}

TEST(FillFunctionList, AnEmptyPathEmptiesTheListSilently) {
    WindowHarness harness;
    harness.window->functionCombo->AddString("void init(void)");
    harness.window->functionCombo->setCurrentIndex(0);

    EXPECT_EQ(harness.window->FillFunctionList(""), 0);
    EXPECT_EQ(harness.window->functionCombo->count(), 0);
    EXPECT_TRUE(harness.platform.calls.empty());
    EXPECT_EQ(harness.Setting("Last", "Choice"), "<missing>");
}

TEST(FillFunctionList, ALibraryWithoutPrototypesSelectsNothingAndKeepsTheChoice) {
    WindowHarness harness;
    const std::string library =
        harness.WriteFile("lib/Empty.h", "#define X 1\n  void Indented(void);\n/* void C(void);\n");
    harness.SetSetting("Last", "Choice", "void init(void)");

    EXPECT_EQ(harness.window->FillFunctionList(library), 0);
    EXPECT_EQ(harness.window->functionCombo->count(), 0);
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void init(void)");
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST(FillFunctionList, LeavesTheSourcePaneAlone) {
    WindowHarness harness;
    const std::string library = harness.WriteFile("lib/Timer.h", kHeader);
    harness.window->sourceText = "shown before\n";
    harness.window->UpdateData(false);

    harness.window->FillFunctionList(library);
    EXPECT_EQ(harness.window->sourceText, "shown before\n");
    EXPECT_EQ(harness.window->sourcePane->toPlainText().toStdString(), "shown before\n");
}

TEST(FillFunctionList, EntriesKeepTheirBytes) {
    WindowHarness harness;
    // A Latin-1 byte that is not valid in UTF-8.
    const std::string entry = "void Wait\xB5s(int n)";
    const std::string library = harness.WriteFile("lib/Wait.h", entry + ";\n");

    EXPECT_EQ(harness.window->FillFunctionList(library), 1);
    EXPECT_EQ(harness.window->functionCombo->TextAt(0), entry);
    EXPECT_EQ(harness.Setting("Last", "Choice"), entry);
}

}  // namespace
}  // namespace quill
