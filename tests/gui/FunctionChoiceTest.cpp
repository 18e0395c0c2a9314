// Choosing a function: the stored choice, the documentation in SourcePane,
// the parameter slots and the helper program button.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"
#include "platform/QtText.h"
#include "source/TextOps.h"

namespace quill {
namespace {

const char* const kHeader =
    "/* Dev.h */\n"
    "void DevReset(void);\n"
    "void DevMode(int iMode);\n"
    "int DevConfig(int iPort, unsigned int uFlags, char *pName, long lSpeed);\n"
    "void DevWait(int iTicks);\n";

const char* const kSource =
    "/**\n"
    " * @brief Resets the device.\n"
    " */\n"
    "void DevReset(void)\n"
    "{\n"
    "}\n"
    "\n"
    "/**\n"
    " * @brief Sets the mode.\n"
    " * @param iMode :{MODE_A,,MODE_B}\n"
    " * @note  Run DevHelp.exe to pick one.\n"
    " */\n"
    "void DevMode(int iMode)\n"
    "{\n"
    "}\n"
    "\n"
    "/**\n"
    " * @param iPort  :{0,1}\n"
    " * @param uFlags :{F_ONE|F_TWO}\n"
    " * @param pName  :{Pick.exe}\n"
    " * @param lSpeed :{1-100}\n"
    " */\n"
    "int DevConfig(int iPort, unsigned int uFlags, char *pName, long lSpeed)\n"
    "{\n"
    "}\n"
    "\n"
    "/**\n"
    " * @param iTicks :{1-9}\n"
    " * @note  Run Gone.exe first.\n"
    " */\n"
    "void DevWait(int iTicks)\n"
    "{\n"
    "}\n";

const char* const kConfigEntry =
    "int DevConfig(int iPort, unsigned int uFlags, char *pName, long lSpeed)";

QRect RectOf(const SlotRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

std::vector<std::string> Items(const NotifyingComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i) {
        items.push_back(combo->TextAt(i));
    }
    return items;
}

std::string TextOf(const QLabel* label) {
    return ToBytes(label->text());
}

class FunctionChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        library = harness.WriteFile("lib/Dev.h", kHeader);
        harness.WriteFile("lib/Dev.c", kSource);
        harness.WriteFile("lib/DevHelp.exe", "#!/bin/sh\n");
    }

    // Selects `libraryPath` in LibraryCombo and the entry beginning with
    // `start` in FunctionCombo, as the user leaves them, then chooses.
    void Choose(const std::string& libraryPath, const std::string& start) {
        SelectLibrary(libraryPath);
        window.FillFunctionList(libraryPath);
        int index = -1;
        for (int i = 0; i < window.functionCombo->count(); ++i) {
            if (window.functionCombo->TextAt(i).rfind(start, 0) == 0) {
                index = i;
            }
        }
        ASSERT_GE(index, 0) << start;
        window.functionCombo->setCurrentIndex(index);
        harness.SetSetting("Last", "Choice", "something else");
        harness.platform.Clear();
        window.OnFunctionChosen();
    }

    void SelectLibrary(const std::string& libraryPath) {
        window.libraryCombo->clear();
        window.libraryCombo->AddString(libraryPath);
        window.libraryCombo->setCurrentIndex(0);
    }

    WindowHarness harness;
    MainWindow& window = *harness.window;
    std::string library;
};

TEST_F(FunctionChoiceTest, StoresTheChoiceAndShowsItsDocumentation) {
    Choose(library, "void DevMode");
    EXPECT_EQ(harness.Setting("Last", "Choice"), "void DevMode(int iMode)");
    const std::string shown = ToBytes(window.sourcePane->toPlainText());
    EXPECT_NE(shown.find("@param iMode :{MODE_A,,MODE_B}"), std::string::npos);
    EXPECT_NE(shown.find("void DevMode(int iMode)"), std::string::npos);
    EXPECT_EQ(shown.find("DevReset"), std::string::npos);
    EXPECT_TRUE(harness.platform.Messages().empty());
}

TEST_F(FunctionChoiceTest, NoParametersLeaveOnlyTheClosingParenthesis) {
    Choose(library, "int DevConfig");
    window.paramEdits[3]->setText(QStringLiteral("55"));
    Choose(library, "void DevReset");

    EXPECT_EQ(window.parameterCount, 0);
    EXPECT_EQ(TextOf(window.functionLabel), "DevReset");
    EXPECT_EQ(TextOf(window.typeLabel), "void");
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_TRUE(window.paramLabels[k]->isHidden());
        EXPECT_TRUE(window.paramCombos[k]->isHidden());
        EXPECT_TRUE(window.paramEdits[k]->isHidden());
        EXPECT_EQ(TextOf(window.paramLabels[k]), "");
        // Values typed for the previous function are gone.
        EXPECT_EQ(window.paramEdits[k]->text(), QString());
    }
    for (QLabel* separator : window.separatorLabels) {
        EXPECT_TRUE(separator->isHidden());
    }
    EXPECT_FALSE(window.closeParenLabel->isHidden());
    EXPECT_EQ(window.closeParenLabel->geometry(),
              RectOf(ComputeSlotGeometry(window.row, 0, window.slotSizes).closeParen));
}

TEST_F(FunctionChoiceTest, OneParameterGetsItsDropDownAndTheHelperButton) {
    Choose(library, "void DevMode");

    EXPECT_EQ(window.parameterCount, 1);
    EXPECT_EQ(TextOf(window.functionLabel), "DevMode");
    EXPECT_EQ(TextOf(window.paramLabels[0]), "iMode");
    const SlotGeometry expected = ComputeSlotGeometry(window.row, 1, SlotSizes());
    EXPECT_FALSE(window.paramLabels[0]->isHidden());
    EXPECT_EQ(window.paramLabels[0]->geometry(), RectOf(expected.labels[0]));
    EXPECT_FALSE(window.paramCombos[0]->isHidden());
    EXPECT_EQ(window.paramCombos[0]->geometry(), RectOf(expected.selectors[0]));
    EXPECT_TRUE(window.paramEdits[0]->isHidden());
    EXPECT_EQ(Items(window.paramCombos[0]), (std::vector<std::string>{"MODE_A", "", "MODE_B"}));
    EXPECT_EQ(window.paramCombos[0]->currentIndex(), 0);
    EXPECT_EQ(window.closeParenLabel->geometry(), RectOf(expected.closeParen));
    for (std::size_t k = 1; k < 4; ++k) {
        EXPECT_TRUE(window.paramLabels[k]->isHidden());
    }

    // The helper named by "@note" stands beside the documenting file.
    EXPECT_EQ(window.helperName, "DevHelp.exe");
    EXPECT_EQ(window.helperProgram, harness.PathOf("lib/DevHelp.exe"));
    EXPECT_FALSE(window.helpersButton->isHidden());
    EXPECT_EQ(window.helpersButton->geometry(), QRect(window.helpersButtonPos, QSize(88, 23)));
    EXPECT_EQ(window.helpersButton->text(), QStringLiteral("DevHelp.exe"));
}

TEST_F(FunctionChoiceTest, FourParametersGetTheirSelectorsAndTexts) {
    Choose(library, "int DevConfig");

    EXPECT_EQ(harness.Setting("Last", "Choice"), kConfigEntry);
    EXPECT_EQ(window.parameterCount, 4);
    EXPECT_EQ(TextOf(window.typeLabel), "int");
    EXPECT_EQ(TextOf(window.functionLabel), "DevConfig");
    const std::vector<std::string> names = {"iPort", "uFlags", "pName", "lSpeed"};
    const SlotGeometry expected = ComputeSlotGeometry(window.row, 4, SlotSizes());
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(TextOf(window.paramLabels[k]), names[k]);
        EXPECT_EQ(window.paramLabels[k]->geometry(), RectOf(expected.labels[k]));
        const bool dropDown = k == 0;
        EXPECT_EQ(window.paramCombos[k]->isHidden(), !dropDown);
        EXPECT_EQ(window.paramEdits[k]->isHidden(), dropDown);
        QWidget* selector = dropDown ? static_cast<QWidget*>(window.paramCombos[k])
                                     : static_cast<QWidget*>(window.paramEdits[k]);
        EXPECT_EQ(selector->geometry(), RectOf(expected.selectors[k]));
        if (!dropDown) {
            EXPECT_FALSE(window.paramEdits[k]->isReadOnly());
        }
    }
    for (std::size_t s = 0; s < 3; ++s) {
        EXPECT_FALSE(window.separatorLabels[s]->isHidden());
        EXPECT_EQ(window.separatorLabels[s]->geometry(), RectOf(expected.separators[s]));
    }
    EXPECT_EQ(window.closeParenLabel->geometry(), RectOf(expected.closeParen));
    EXPECT_EQ(Items(window.paramCombos[0]), (std::vector<std::string>{"0", "1"}));
    // Flags start with their first value, a helper with its quoted name,
    // a range empty.
    EXPECT_EQ(window.paramEdits[1]->text(), QStringLiteral("F_ONE"));
    EXPECT_EQ(window.paramEdits[2]->text(), QStringLiteral("\"Pick.exe\""));
    EXPECT_EQ(window.paramEdits[3]->text(), QString());
    EXPECT_EQ(window.documentation.parameters[3].choiceText, "1-100");
    // No "@note" in this block: no helper.
    EXPECT_EQ(window.helperProgram, "-");
    EXPECT_TRUE(window.helpersButton->isHidden());
}

TEST_F(FunctionChoiceTest, TheHelperButtonGoesWithAFunctionWithoutHelper) {
    Choose(library, "void DevMode");
    ASSERT_FALSE(window.helpersButton->isHidden());
    Choose(library, "void DevReset");
    EXPECT_TRUE(window.helpersButton->isHidden());
    EXPECT_EQ(window.helperProgram, "-");
}

TEST_F(FunctionChoiceTest, AMissingHelperProgramHidesTheButtonSilently) {
    Choose(library, "void DevMode");
    Choose(library, "void DevWait");
    EXPECT_EQ(window.helperName, "Gone.exe");
    EXPECT_EQ(window.helperProgram, "-");
    EXPECT_TRUE(window.helpersButton->isHidden());
    EXPECT_TRUE(harness.platform.Messages().empty());
}

TEST_F(FunctionChoiceTest, AFolderNamedLikeTheHelperIsNoProgram) {
    harness.WriteFile("lib/Gone.exe/inside", "");
    Choose(library, "void DevWait");
    EXPECT_EQ(window.helperProgram, "-");
    EXPECT_TRUE(window.helpersButton->isHidden());
}

TEST_F(FunctionChoiceTest, ADocumentingFileThatCannotBeOpenedIsReported) {
    Choose(library, "void DevMode");
    const std::string orphan = harness.WriteFile("other/Orphan.h", "long OrphanGet(int iPort);\n");

    Choose(orphan, "long OrphanGet");

    const std::vector<PlatformCall> messages =
        harness.platform.CallsOf(PlatformCall::Kind::Message);
    ASSERT_FALSE(messages.empty());
    // The lookup reports first; the parse then names the path it tried.
    const std::string last = messages.back().text;
    EXPECT_EQ(last.rfind("Could not find ", 0), 0u) << last;
    EXPECT_NE(ToLowerAscii(last).find("orphan.c"), std::string::npos) << last;
    EXPECT_EQ(messages.back().style, unsigned{kStyleExclamation});
    EXPECT_EQ(messages.back().caption, "Quill");

    EXPECT_EQ(window.sourcePane->toPlainText(), QStringLiteral("-"));
    EXPECT_EQ(window.parameterCount, 0);
    EXPECT_EQ(TextOf(window.functionLabel), "long OrphanGet(int iPort)");
    // The return type of the previous function stays.
    EXPECT_EQ(TextOf(window.typeLabel), "void");
    EXPECT_TRUE(window.paramCombos[0]->isHidden());
    EXPECT_TRUE(window.paramLabels[0]->isHidden());
    EXPECT_FALSE(window.closeParenLabel->isHidden());
    EXPECT_TRUE(window.helpersButton->isHidden());
    EXPECT_EQ(harness.Setting("Last", "Choice"), "long OrphanGet(int iPort)");
}

TEST_F(FunctionChoiceTest, WithoutAFunctionNothingIsParsedButTheHelperIsLookedFor) {
    Choose(library, "void DevMode");
    window.helpersButton->hide();
    window.functionCombo->clear();
    harness.SetSetting("Last", "Choice", "kept");

    window.OnFunctionChosen();

    EXPECT_EQ(harness.Setting("Last", "Choice"), "kept");
    EXPECT_EQ(TextOf(window.paramLabels[0]), "iMode");
    EXPECT_FALSE(window.paramCombos[0]->isHidden());
    EXPECT_EQ(window.sourcePane->toPlainText(), QString());
    // The library's own folder holds the helper named last.
    EXPECT_EQ(window.helperProgram, harness.PathOf("lib/DevHelp.exe"));
    EXPECT_FALSE(window.helpersButton->isHidden());
}

TEST_F(FunctionChoiceTest, WithoutALibraryNothingHappens) {
    Choose(library, "void DevMode");
    const QString source = window.sourcePane->toPlainText();
    window.libraryCombo->clear();
    harness.SetSetting("Last", "Choice", "kept");
    harness.platform.Clear();

    window.OnFunctionChosen();

    EXPECT_EQ(harness.Setting("Last", "Choice"), "kept");
    EXPECT_EQ(window.sourcePane->toPlainText(), source);
    EXPECT_EQ(TextOf(window.paramLabels[0]), "iMode");
    EXPECT_FALSE(window.helpersButton->isHidden());
    EXPECT_TRUE(harness.platform.calls.empty());
}

TEST_F(FunctionChoiceTest, ChoosingAgainRefillsTheDropDownAtItsFirstItem) {
    Choose(library, "void DevMode");
    window.paramCombos[0]->setCurrentIndex(2);
    Choose(library, "void DevMode");
    EXPECT_EQ(Items(window.paramCombos[0]), (std::vector<std::string>{"MODE_A", "", "MODE_B"}));
    EXPECT_EQ(window.paramCombos[0]->currentIndex(), 0);
}

}  // namespace
}  // namespace quill
