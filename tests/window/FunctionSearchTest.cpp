// Finding a function in a long list by a piece of its name, typed into the
// open list as a user does.

#include "WindowHarness.h"
#include "window/widgets/FunctionListBox.h"

namespace quill {
namespace {

constexpr const char* kUniform4f = "GLAPI void APIENTRY glUniform4f(GLint location, GLfloat v0)";
constexpr const char* kUniform4fv =
    "GLAPI void APIENTRY glUniform4fv(GLint location, const GLfloat *v)";

TEST(FunctionSearch, TypingPartOfANameHighlightsItAndEnterChoosesIt) {
    WindowHarness harness(false);
    std::string lines;
    for (int i = 0; i < 3000; ++i) {
        lines += "void glFunction" + std::to_string(i) + "(int iValue);\n";
    }
    lines += "GLAPI void APIENTRY glProgramUniform4f(GLuint p, GLint l, GLfloat v0);\n";
    lines += std::string(kUniform4fv) + ";\n" + kUniform4f + ";\n";
    harness.Start(harness.WriteFile("lib/Gl.h", lines));
    auto* functions = dynamic_cast<FunctionListBox*>(harness.ui.functionCombo);
    ASSERT_NE(functions, nullptr);

    QTest::keyClick(functions, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* view = functions->view();
    ASSERT_TRUE(view->isVisible());
    const int stored = functions->currentIndex();

    const auto highlighted = [&] { return functions->TextAt(view->currentIndex().row()); };
    QTest::keyClicks(view, "uniform4f");
    EXPECT_EQ(functions->SearchText(), "uniform4f");
    EXPECT_EQ(highlighted(), kUniform4f);
    EXPECT_EQ(functions->currentIndex(), stored);  // nothing chosen yet
    // F3 and Shift+F3 go through the other matches in list order.
    QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(highlighted(), kUniform4fv);
    QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(highlighted(),
              "GLAPI void APIENTRY glProgramUniform4f(GLuint p, GLint l, GLfloat v0)");
    QTest::keyClick(view, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(highlighted(), kUniform4fv);
    // A letter that matches nothing leaves the highlight; Backspace takes it back.
    QTest::keyClicks(view, "x");
    EXPECT_EQ(highlighted(), kUniform4fv);
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(functions->SearchText(), "uniform4");
    EXPECT_EQ(highlighted(), kUniform4f);

    QTest::keyClick(view, Qt::Key_Return);
    Settle();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(functions->SearchText(), "");
    EXPECT_EQ(harness.Setting("Last", "Choice"), kUniform4f);
    EXPECT_EQ(harness.ui.functionLabel->text().toStdString(), "glUniform4f");

    // The next opening starts a new search on the stored choice.
    QTest::keyClick(functions, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(functions->SelectedText(), kUniform4f);
    QTest::keyClicks(view, "function29");
    EXPECT_EQ(highlighted(), "void glFunction29(int iValue)");
    QTest::keyClick(view, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(functions->SelectedText(), kUniform4f);
}

}  // namespace
}  // namespace quill
