// Choosing a function and what it brings: the parameter slots (which
// selector each parameter gets, what it holds, where it stands), the helper
// program button, the messages when the documentation cannot be found, and
// the label clicks that bring the matching line of the documentation to the
// top of SourcePane.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <map>

#include "WindowHarness.h"
#include "core/text/TextOps.h"

namespace quill {
namespace {

const char* const kHeader =
    "void DevReset(void);\nvoid DevMode(int iMode);\nvoid DevWait(int iTicks);\n"
    "void DevOne(int iA);\nvoid DevThree(int iA, int iB, int iC);\n"
    "void DevAll(int iA, int iB, int iC, int iD);\n";

// A drop-down with an empty item, a drop-down of program names, flags and
// a helper program, in every count of parameters.
std::string SourceOf(const std::string& prototype, int count) {
    const char* const params[] = {" * @param iA :{A,,B}\n", " * @param iB :{Pick.exe,Other.exe}\n",
                                  " * @param iC :{NONE|FAST}\n", " * @param iD :{Pick.exe}\n"};
    std::string block = "/**\n";
    for (int k = 0; k < count; ++k) {
        block += params[k];
    }
    return block + " */\n" + prototype + "\n\n";
}

class FunctionChoice : public ::testing::Test {
protected:
    void SetUp() override {
        library = harness.WriteFile("lib/Dev.h", kHeader);
        harness.WriteFile("lib/Dev.c",
                          "/**\n * @brief Resets.\n */\nvoid DevReset(void)\n\n"
                          "/**\n * @param iMode :{MODE_A,MODE_B}\n * @note Run DevHelp.exe.\n */\n"
                          "void DevMode(int iMode)\n\n"
                          "/**\n * @param iTicks :{1-9}\n * @note  Run Gone.exe first.\n */\n"
                          "void DevWait(int iTicks)\n\n" +
                              SourceOf("void DevOne(int iA)", 1) +
                              SourceOf("void DevThree(int iA, int iB, int iC)", 3) +
                              SourceOf("void DevAll(int iA, int iB, int iC, int iD)", 4));
        harness.WriteFile("lib/DevHelp.exe", "#!/bin/sh\n");
        harness.ListLibrary(library);
        harness.Start();
        log.clear();
    }

    void ExpectHelper(const std::string& program) {
        EXPECT_EQ(harness.window->HelperPath(), program);
        EXPECT_EQ(ui.helpersButton->isHidden(), program == "-");
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    Texts& log = harness.platform.log;
    std::string library;
};

TEST_F(FunctionChoice, ChoosingReplacesTheSlotsAndTheHelperOfTheLastFunction) {
    harness.Choose("void DevMode(int iMode)");
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void DevMode(int iMode)");
    EXPECT_EQ(harness.Row(), "iMode[MODE_A])");
    ExpectHelper(harness.PathOf("lib/DevHelp.exe"));
    // The button starts the program on its own, as one literal path.
    EXPECT_EQ(harness.Click(ui.helpersButton),
              Texts{"start: " + harness.PathOf("lib/DevHelp.exe") + " "});
    log.clear();
    // One that cannot be started says so.
    harness.platform.startsWork = false;
    harness.Click(ui.helpersButton);
    EXPECT_EQ(log.back(), "message 48 Quill: Could not start the helper program\n" +
                              harness.PathOf("lib/DevHelp.exe"));
    harness.platform.startsWork = true;
    log.clear();

    // A helper program that is missing hides the button without a message;
    // a value typed for the last choice is gone.
    harness.Choose("void DevWait(int iTicks)");
    EXPECT_EQ(harness.window->Documentation().helperName, "Gone.exe");
    ExpectHelper("-");
    ui.paramEdits[0]->setText(QStringLiteral("5"));
    harness.Choose("void DevWait(int iTicks)");
    ExpectHelper("-");
    EXPECT_EQ(harness.Row(), "iTicks<>)");

    // No parameters: only ")" stays.
    ui.paramEdits[0]->setText(QStringLiteral("5"));
    harness.Choose("void DevReset(void)");
    EXPECT_EQ(harness.Row(), ")");
    EXPECT_EQ(ui.paramLabels[0]->text() + ui.paramEdits[0]->text(), QString());
    EXPECT_TRUE(log.empty());
}

TEST_F(FunctionChoice, EachFormGetsItsSelectorAndTheRowKeepsItsShape) {
    const std::pair<const char*, const char*> cases[] = {
        {"void DevOne(int iA)", "iA[A])"},
        {"void DevThree(int iA, int iB, int iC)", "iA[A],iB[Pick.exe],iC<NONE>)"},
        {"void DevAll(int iA, int iB, int iC, int iD)",
         "iA[A],iB[Pick.exe],iC<NONE>,iD<\"Pick.exe\">)"},
    };
    for (const auto& [entry, row] : cases) {
        SCOPED_TRACE(entry);
        harness.Choose(entry);
        EXPECT_EQ(harness.Row(), row);
        // Each name stands above its selector, flush left; the slots are
        // equal, in one line, a separator between two of them.
        QRect previous;
        for (std::size_t k = 0; k < 4 && harness.Shows(ui.paramLabels[k]); ++k) {
            const QWidget* combo = ui.paramCombos[k];
            const QRect selector = (harness.Shows(combo) ? combo : ui.paramEdits[k])->geometry();
            const QRect label = ui.paramLabels[k]->geometry();
            EXPECT_EQ(label.left(), selector.left()) << k;
            EXPECT_LT(label.bottom(), selector.top()) << k;
            if (k > 0) {
                EXPECT_EQ(selector.top(), previous.top());
                EXPECT_EQ(selector.width(), previous.width());
                EXPECT_LT(previous.right(), ui.separatorLabels[k - 1]->geometry().left()) << k;
                EXPECT_LT(ui.separatorLabels[k - 1]->geometry().right(), selector.left()) << k;
            }
            previous = selector;
        }
        EXPECT_LT(previous.right(), ui.closeParenLabel->geometry().left());
    }
    // The hidden field of a drop-down never stands in for its item.
    EXPECT_EQ(harness.Click(ui.copyButton),
              Texts{"clipboard: DevAll(A,Pick.exe,NONE,\"Pick.exe\")"});
    EXPECT_EQ(Entries(ui.paramCombos[0]), (Texts{"A", "", "B"}));
}

TEST_F(FunctionChoice, ADocumentingFileThatCannotBeOpenedIsReported) {
    harness.Choose("void DevMode(int iMode)");
    const std::string orphan = harness.WriteFile("other/Orphan.h", "long OrphanGet(int iPort);\n");
    harness.platform.chosenFiles.push_back(orphan);
    harness.Click(ui.addButton);
    log.clear();
    harness.Choose("long OrphanGet(int iPort)");
    // Opening the list looks the first entry up; choosing it reports the
    // lookup's two failures again, then the parse names the last form of
    // the path that was tried.
    const std::string source = harness.PathOf("other/Orphan.c");
    const Texts lookup = {Msg(48, "Could not find source " + source + " or .c"),
                          Msg(48, "Could not find \nlong OrphanGet(int iPort)\nin " + source +
                                      "\nMust match exactly.")};
    Texts expected = lookup;
    expected.insert(expected.end(), lookup.begin(), lookup.end());
    expected.push_back(Msg(48, "Could not find " + ToLowerAscii(source)));
    EXPECT_EQ(log, expected);
    EXPECT_EQ(harness.Shown(), "-");
    // Name, type and a free slot per parameter still come from the entry.
    EXPECT_EQ(harness.Row(), "iPort<>)");
    EXPECT_EQ(ui.typeLabel->text() + ui.functionLabel->text(), QStringLiteral("longOrphanGet"));
}

// A block for Scroll(): "@param" entries for iArg1 on line 20, iArg2 on 30,
// a longer name starting with iArg4 on 41 and iArg4 on 50, iArg3 written
// with a tab, a "@brief" that repeats the prototype, and the prototype on
// line 82. The filler is multi-byte, so that byte and character counts differ.
std::string ScrollSource(const std::string& lineEnd) {
    const std::string prototype = "void Scroll(int iArg1, int iArg2, int iArg3, int iArg4)";
    const std::map<int, std::string> lines = {{0, "/**"},
                                              {1, " * @brief " + prototype},
                                              {20, " * @param iArg1 :{A}"},
                                              {30, " * @param iArg2 :{A,B}"},
                                              {41, " * @param iArg4X :{A}"},
                                              {50, " * @param iArg4 :{C}"},
                                              {60, " * @param\tiArg3 :{D}"},
                                              {81, " */"},
                                              {82, prototype}};
    std::string text;
    for (int i = 0; i < 150; ++i) {
        const auto it = lines.find(i);
        text += (it != lines.end() ? it->second
                 : i > 82          ? "    x = " + std::to_string(i) + ";"
                                   : " * \xc3\x84\xc3\x84 filler " + std::to_string(i)) +
                lineEnd;
    }
    return text;
}

TEST_F(FunctionChoice, ClickingALabelBringsItsLineToTheTop) {
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        SCOPED_TRACE(lineEnd.size());
        const std::string name = "lib/Scroll" + std::to_string(lineEnd.size());
        const std::string header = harness.WriteFile(
            name + ".h", "void Scroll(int iArg1, int iArg2, int iArg3, int iArg4);\n");
        harness.WriteFile(name + ".c", ScrollSource(lineEnd));
        harness.platform.chosenFiles.push_back(header);
        harness.Click(ui.addButton);
        harness.Choose("void Scroll(int iArg1, int iArg2, int iArg3, int iArg4)");
        QScrollBar* bar = ui.sourcePane->verticalScrollBar();
        ASSERT_EQ(bar->value(), 0);
        const auto click = [&](QLabel* label, Qt::MouseButton button = Qt::LeftButton) {
            QTest::mouseClick(label, button, Qt::NoModifier, QPoint(label->width() - 3, 3));
            return bar->value();
        };
        // A right click, or a press released outside the label, is no click.
        EXPECT_EQ(click(ui.paramLabels[1], Qt::RightButton), 0);
        QTest::mousePress(ui.paramLabels[1], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mouseRelease(ui.paramLabels[1], Qt::LeftButton, Qt::NoModifier, QPoint(300, 3));
        EXPECT_EQ(bar->value(), 0);

        EXPECT_EQ(click(ui.paramLabels[1]), 30);
        EXPECT_EQ(click(ui.paramLabels[0]), 20);
        EXPECT_EQ(click(ui.paramLabels[3]), 41);  // the name is matched as a prefix
        // The prototype after the block, not the "@brief" that repeats it.
        EXPECT_EQ(click(ui.functionLabel), 82);
        // An entry not found goes to the caret's line, here the top one.
        QTest::mouseClick(ui.sourcePane->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 3));
        bar->setValue(0);
        EXPECT_EQ(click(ui.paramLabels[2]), 82);
    }
}

}  // namespace
}  // namespace quill
