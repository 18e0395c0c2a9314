#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/ChoiceForms.h"

namespace quill {
namespace {

using Items = std::vector<std::string>;

TEST(ChoiceForms, FirstMatchingTestDecides) {
    EXPECT_EQ(FormOf("A,B,C"), ChoiceForm::List);
    EXPECT_EQ(FormOf("A,B|C"), ChoiceForm::List);
    EXPECT_EQ(FormOf("Pick.exe,X"), ChoiceForm::List);
    EXPECT_EQ(FormOf("NONE|FAST|SLOW"), ChoiceForm::Flags);
    EXPECT_EQ(FormOf("Pick.exe|X"), ChoiceForm::Flags);
    EXPECT_EQ(FormOf("Pick.exe"), ChoiceForm::Helper);
    EXPECT_EQ(FormOf("0-255"), ChoiceForm::Free);
    EXPECT_EQ(FormOf(""), ChoiceForm::Free);
}

TEST(ChoiceForms, MarksAtTheFirstCharacterDoNotCount) {
    EXPECT_EQ(FormOf(",A"), ChoiceForm::Free);
    EXPECT_EQ(FormOf("A"), ChoiceForm::Free);
    EXPECT_EQ(FormOf("|A"), ChoiceForm::Free);
    EXPECT_EQ(FormOf(".exe"), ChoiceForm::Free);
    // Only the first occurrence is looked at.
    EXPECT_EQ(FormOf(",A,B"), ChoiceForm::Free);
    EXPECT_EQ(FormOf(",A|B"), ChoiceForm::Flags);
}

TEST(ChoiceForms, Names) {
    EXPECT_STREQ(FormName(ChoiceForm::List), "list");
    EXPECT_STREQ(FormName(ChoiceForm::Flags), "flags");
    EXPECT_STREQ(FormName(ChoiceForm::Helper), "helper");
    EXPECT_STREQ(FormName(ChoiceForm::Free), "free");
}

TEST(ChoiceForms, RangeIsADashAfterTheFirstCharacterOutsideLists) {
    EXPECT_TRUE(IsRangeForm("0-255"));
    EXPECT_TRUE(IsRangeForm("1-3|X"));
    EXPECT_TRUE(IsRangeForm("my-tool.exe"));
    EXPECT_FALSE(IsRangeForm("-5"));
    EXPECT_FALSE(IsRangeForm("-5-5"));
    EXPECT_FALSE(IsRangeForm("0-1,2-3"));
    EXPECT_FALSE(IsRangeForm("255"));
    EXPECT_FALSE(IsRangeForm(""));
}

TEST(ChoiceForms, SplittingKeepsEmptyItems) {
    EXPECT_EQ(ListItems("A,B,C"), (Items{"A", "B", "C"}));
    EXPECT_EQ(ListItems("A,,B"), (Items{"A", "", "B"}));
    EXPECT_EQ(ListItems("A,"), (Items{"A", ""}));
    EXPECT_EQ(ListItems(",A"), (Items{"", "A"}));
    EXPECT_EQ(ListItems("A"), (Items{"A"}));
    EXPECT_EQ(FlagValues("NONE|FAST|SLOW"), (Items{"NONE", "FAST", "SLOW"}));
    EXPECT_EQ(FlagValues("A||B|"), (Items{"A", "", "B", ""}));
}

TEST(ChoiceForms, InitialEntries) {
    EXPECT_EQ(FirstFlag("NONE|FAST|SLOW"), "NONE");
    EXPECT_EQ(FirstFlag("Pick.exe|X"), "Pick.exe");
    EXPECT_EQ(FirstFlag("|X"), "");
    EXPECT_EQ(FirstFlag("NONE"), "NONE");
    EXPECT_EQ(QuotedHelperText("Pick.exe"), "\"Pick.exe\"");
    EXPECT_EQ(QuotedHelperText(""), "\"\"");
}

}  // namespace
}  // namespace quill
