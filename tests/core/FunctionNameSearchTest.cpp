#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/library/FunctionNamePart.h"
#include "core/library/FunctionNameSearch.h"

namespace quill {
namespace {

using Texts = std::vector<std::string>;

TEST(FunctionNamePart, TheIdentifierRightBeforeTheFirstParenthesis) {
    const struct {
        const char* entry;
        const char* name;
    } cases[] = {
        {"GLAPI void APIENTRY glUniform4f(GLint location, GLfloat v0)", "glUniform4f"},
        {"void Init(void)", "Init"},
        {"void  Foo (int a)", "Foo"},
        {"char *strcpy(char *d, const char *s)", "strcpy"},
        {"uint32_t\tnrf_gpio_pin_read\t(uint32_t pin)", "nrf_gpio_pin_read"},
        {"Init(void)", "Init"},
        {"int F(x) (y)", "F"},
        {"void T\xc3\xa4st(void)", "T\xc3\xa4st"},
        {"void (*Handler(int a))(int)", "Handler"},
        {"void ( * fp)(int)", "fp"},
        {"void (*)(int)", ""},
        {"abc)", ""},
        {"(void)", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FunctionNamePart(c.entry), c.name) << c.entry;
    }
}

TEST(FunctionNameSearch, FindsAPieceOfTheNameIgnoringCaseAndTheReturnType) {
    // In list order, as the function list sorts the whole entries.
    const Texts entries = {
        "GLAPI void APIENTRY glProgramUniform4f(GLuint p, GLint l, GLfloat v0)",
        "GLAPI void APIENTRY glUniform4f(GLint location, GLfloat v0)",
        "GLAPI void APIENTRY glUniform4fv(GLint location, const GLfloat *v)",
        "int uniformCount(void)",
        "void (*Handler(int a))(int)",
        "void VoidName(int uniform4f)",
    };
    const Texts names = SearchableNames(entries);
    EXPECT_EQ(names, (Texts{"glprogramuniform4f", "gluniform4f", "gluniform4fv", "uniformcount",
                            "handler", "voidname"}));
    const struct {
        const char* typed;
        long best;
    } cases[] = {
        {"uniform4f", 1},  // the shortest name holding it
        {"UNIFORM4F", 1}, {"glUniform4fv", 2},
        {"uniform", 1},  // shortest before starting first
        {"4f", 1},        {"fv", 2},
        {"void", 5},  // the return type is not searched
        {"handler", 4},   {"", -1},
        {"location", -1}, {"uniform4fx", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BestNameMatch(names, c.typed), c.best) << c.typed;
    }
    EXPECT_EQ(BestNameMatch({"ab_x", "x_ab"}, "ab"), 0);
    EXPECT_EQ(BestNameMatch({"x_ab", "ab_x"}, "ab"), 1);  // starts first
    EXPECT_EQ(BestNameMatch({"ab_1", "ab_2"}, "ab"), 0);  // then list order
}

TEST(FunctionNameSearch, StepsThroughTheMatchesRoundTheEndOfTheList) {
    const Texts names = {"gluniform4f", "init", "gluniform4fv", "glprogramuniform4f"};
    const struct {
        long from;
        bool forward;
        long next;
    } cases[] = {
        {0, true, 2},  {2, true, 3},  {3, true, 0},   {0, false, 3},
        {3, false, 2}, {-1, true, 0}, {-1, false, 3}, {9, true, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextNameMatch(names, "Uniform4F", c.from, c.forward), c.next)
            << c.from << " " << c.forward;
    }
    EXPECT_EQ(NextNameMatch(names, "init", 1, true), 1);  // the only one: itself
    EXPECT_EQ(NextNameMatch(names, "exit", 1, true), -1);
    EXPECT_EQ(NextNameMatch(names, "", 1, true), -1);
    EXPECT_EQ(NextNameMatch({}, "init", 0, true), -1);
}

}  // namespace
}  // namespace quill
