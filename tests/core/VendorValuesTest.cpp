#include "core/docs/VendorValues.h"

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "core/library/LibraryDeclarations.h"

namespace quill {
namespace {

// "kind:v1,v2 (source)", or "-" when nothing is suggested.
std::string Describe(const Suggestions& suggestions) {
    if (suggestions.Empty()) {
        return "-";
    }
    std::string text = SuggestionKindName(suggestions.kind) + std::string(":");
    for (std::size_t i = 0; i < suggestions.values.size(); ++i) {
        text += (i == 0 ? "" : ",") + suggestions.values[i];
    }
    return text + " (" + suggestions.source + ")";
}

const char* const kHeader =
    "typedef enum {\n"
    "    GPIO_DIR_IN = 0,  /*!< input */\n"
    "    GPIO_DIR_OUT = (1 << 1), // output\n"
    "} gpio_dir_t;\n"
    "typedef enum tmr_int_tag { TMR_INT_OVF = 0x01, TMR_INT_CMP, } tmr_int_t;\n"
    "enum uart_word { UART_WORD_8, UART_WORD_9 };\n"
    "/** @defgroup ADC_Channel ADC channels\n"
    "  * @{\n"
    "  */\n"
    "#define ADC_CH_0   ((uint8_t)0x00) /*!< channel 0 */\n"
    "#define ADC_CH_1   ((uint8_t)0x01)\n"
    "#define IS_ADC_CH(CH) ((CH) <= 1)\n"
    "/**\n  * @}\n  */\n"
    "/** @defgroup PWM_Edge edges (no brace follows) */\n"
    "#define PWM_EDGE_UP 0\n";

LibraryDeclarations HeaderDeclarations() {
    LibraryDeclarations declarations;
    declarations.AddText(kHeader, "Inc/vnd_gpio.h");
    return declarations;
}

std::string Suggest(const std::string& block, const std::string& name,
                    const std::string& type = "uint32_t") {
    return Describe(SuggestValues(block, name, type, HeaderDeclarations()));
}

const char* const kArgBlock =
    "/**\n"
    "  * @brief  Starts a channel.\n"
    "  * @param  tmr: timer unit\n"
    "  *         @arg TMR1\n"
    "  * @param[in]  Channel timer channel\n"
    "  *   This parameter can be one of the following values:\n"
    "  *   @arg TMR_CHANNEL_1: timer channel 1 selected\n"
    "  *   @arg @ref TMR_CHANNEL_2 channel 2\n"
    "  *   \\arg TMR_CHANNEL_1 listed twice\n"
    "  * @param  Flags interrupt sources\n"
    "  *   This parameter can be any combination of the following values:\n"
    "  *   @arg TMR_FLAG_OVF\n"
    "  *   @arg TMR_FLAG_CMP\n"
    "  * @retval None\n"
    "  *   @arg NOT_A_FLAG\n"
    "  */\n"
    "void TMR_Start(TMR_TypeDef *tmr, uint32_t Channel, uint32_t Flags);\n";

// The parity parameter with `lines` after its description.
std::string Bullets(const std::string& lines) {
    return "//! \\param parity is the desired parity.\n" + lines +
           "//! \\return None.\n//! - \\b NOT_MINE\n";
}

// The value parameter described by `text`.
std::string Described(const std::string& text) {
    return "/*!\n * \\param value " + text + "\n */\n";
}

TEST(VendorValues, ListsReferencesRangesAndTypesThatNameTheValues) {
    const struct {
        std::string block, name, type, expected;
    } cases[] = {
        // "@arg" lines under their parameter only.
        {kArgBlock, "Channel", "uint32_t", "one-of:TMR_CHANNEL_1,TMR_CHANNEL_2 (@arg lines)"},
        {kArgBlock, "Flags", "uint32_t", "combination:TMR_FLAG_OVF,TMR_FLAG_CMP (@arg lines)"},
        {kArgBlock, "tmr", "uint32_t", "one-of:TMR1 (@arg lines)"},
        {kArgBlock, "Mode", "uint32_t", "-"},
        // Bullets after their introduction.
        {Bullets("//! Valid values are:\n//! - \\b UART_NO_PARITY [Default]\n"
                 "//! - \\b UART_EVEN_PARITY\n//!   still the even one\n//! -\\b UART_ODD\n"),
         "parity", "uint32_t", "one-of:UART_NO_PARITY,UART_EVEN_PARITY,UART_ODD (\\b bullets)"},
        {Bullets("//! Mask value is the logical OR of any of the following:\n"
                 "//! - \\b UART_INT_RX\n//! - \\b UART_INT_TX\n"),
         "parity", "uint32_t", "combination:UART_INT_RX,UART_INT_TX (\\b bullets)"},
        {Bullets("//! - \\b UART_NO_PARITY\n"), "parity", "uint32_t", "-"},
        {Bullets("//! Valid values are \\b UART_NO_PARITY and more\n"), "parity", "uint32_t", "-"},
        // References: the first that names a declaration wins.
        {Described("This parameter can be a value of @ref ADC_Channel"), "value", "uint8_t",
         "one-of:ADC_CH_0,ADC_CH_1 (@defgroup ADC_Channel in vnd_gpio.h)"},
        {Described("Refer @ref gpio_dir_t for valid values."), "value", "uint8_t",
         "one-of:GPIO_DIR_IN,GPIO_DIR_OUT (enum gpio_dir_t in vnd_gpio.h)"},
        {Described("a logical OR of members of the enumeration ::tmr_int_t"), "value", "uint8_t",
         "combination:TMR_INT_OVF,TMR_INT_CMP (enum tmr_int_t in vnd_gpio.h)"},
        {Described("see @ref Nothing_Here or @ref ADC_Channel"), "value", "uint8_t",
         "one-of:ADC_CH_0,ADC_CH_1 (@defgroup ADC_Channel in vnd_gpio.h)"},
        // A group without "@{" holds nothing; an undeclared name is not a set.
        {Described("a value of @ref PWM_Edge"), "value", "uint8_t", "-"},
        {Described("a value of @ref gpio_mode_t"), "value", "uint8_t", "-"},
        {Described("output level\n * \\b Range: LEVEL_HIGH or LEVEL_LOW"), "value", "uint8_t",
         "one-of:LEVEL_HIGH,LEVEL_LOW (Range: line)"},
        {Described("\\b Range: [0x0 to 0xFF]"), "value", "uint8_t", "-"},
        {Described("one of @ref PIN_A, @ref PIN_B or \\ref PIN_C"), "value", "uint8_t",
         "one-of:PIN_A,PIN_B,PIN_C (\\ref alternatives)"},
        {Described("\\ref uart0 and \\ref uart1"), "value", "uint8_t", "-"},
        // Types that name their values; pointers take an address, not a value.
        {Described("Pin direction."), "value", "gpio_dir_t",
         "one-of:GPIO_DIR_IN,GPIO_DIR_OUT (enum type gpio_dir_t in vnd_gpio.h)"},
        {Described("Pin direction."), "value", "enum uart_word",
         "one-of:UART_WORD_8,UART_WORD_9 (enum type uart_word in vnd_gpio.h)"},
        {Described("Pin direction."), "value", "const _Bool", "one-of:true,false (bool)"},
        {Described("Pin direction."), "value", "gpio_dir_t *", "-"},
        {Described("Pin direction."), "value", "gpio_mode_t", "-"},
        // A documented list wins over the type's enumerators.
        {"/** @param dir @arg GPIO_DIR_OUT */", "dir", "gpio_dir_t",
         "one-of:GPIO_DIR_OUT (@arg lines)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Suggest(c.block, c.name, c.type), c.expected) << c.name << " " << c.block;
    }
}

TEST(VendorValues, OnlyParametersWithoutAChoiceTextGetSuggestions) {
    FunctionDocumentation documentation;
    documentation.parameterCount = 2;
    documentation.parameters[0] = {"mode", "A,B", ""};
    documentation.parameters[1] = {"dir", "", ""};
    const std::string block = "/**\n * @param mode @arg X_MODE\n * @param dir direction\n */\n";
    const auto suggestions = SuggestForFunction(
        documentation, block, "void Set(int mode, const gpio_dir_t dir)", HeaderDeclarations());
    EXPECT_EQ(Describe(suggestions[0]), "-");
    EXPECT_EQ(Describe(suggestions[1]),
              "one-of:GPIO_DIR_IN,GPIO_DIR_OUT (enum type gpio_dir_t in vnd_gpio.h)");
    EXPECT_EQ(Describe(suggestions[2]), "-");
    Suggestions mask = suggestions[1];
    mask.kind = SuggestionKind::Combination;
    EXPECT_EQ(SuggestionNote(mask),
              "Values from enum type gpio_dir_t in vnd_gpio.h, any combination joined with |.");
}

TEST(LibraryDeclarations, EnumsAndGroupsAsVendorsWriteThem) {
    LibraryDeclarations declarations;
    declarations.AddText(
        "/* enum fake { NOT_ME }; */\n"
        "typedef enum __attribute__((packed)) {\r\n  PK_A,\r\n#ifdef EXTRA\r\n  PK_B,\r\n"
        "#endif\r\n  PK_C = PK_A + 2\r\n} packed_t, *packed_ptr_t;\r\n"
        "enum dir_e gpio_get(void);\n"
        "enum dir_e gpio_read(int pin) { return DIR_NONE; }\n"
        "const char* s = \"enum quoted { Q };\";\n"
        "/** @defgroup Outer\n * @{ */\n"
        "/** @defgroup Inner @{ */\n#define IN_1 1\n#define \\\n  IN_SPLIT 2\n/** @} */\n"
        "#define OUT_1 (1u)\n#define OUT_EMPTY\n"
        "//! @addtogroup Outer\n//! @{\n#define OUT_2 2\n//! @}\n"
        "/** @} */\n#define AFTER 3\n",
        "a.h");
    ASSERT_NE(declarations.Enum("packed_t"), nullptr);
    EXPECT_EQ(declarations.Enum("packed_t")->values,
              (std::vector<std::string>{"PK_A", "PK_B", "PK_C"}));
    EXPECT_EQ(declarations.Enum("packed_t")->file, "a.h");
    for (const char* absent : {"fake", "dir_e", "quoted", "packed_ptr_t", "Q"}) {
        EXPECT_EQ(declarations.Enum(absent), nullptr) << absent;
    }
    ASSERT_NE(declarations.Group("Inner"), nullptr);
    EXPECT_EQ(declarations.Group("Inner")->values, (std::vector<std::string>{"IN_1", "IN_SPLIT"}));
    ASSERT_NE(declarations.Group("Outer"), nullptr);
    EXPECT_EQ(declarations.Group("Outer")->values, (std::vector<std::string>{"OUT_1", "OUT_2"}));
}

// Comments and names taken in pieces: read whole and read line by line
// from a file, the same declarations.
TEST(LibraryDeclarations, CommentsAndNamesEndWhereTheyEnd) {
    const std::string text =
        "enum/* c */E_t/**/{E_A,/* E_X, */E_B,// E_Y,*/\nE_C}/***/;\n"
        "/** @defgroup G ***/\n/** @{ **/\n#define G_1 1 /* G_X */\n"
        "#define G_2 2 // G_Y\n#define G_3 3\n/** @} */\n#define G_4 4\n"
        "/* \\defgroup H */ /* \\{ */\n#define H_1 1\n";
    testing::ScratchFolder folder;
    LibraryDeclarations fromText;
    fromText.AddText(text, "e.h");
    LibraryDeclarations fromFile;
    fromFile.AddFile(folder.Write("e.h", text));
    for (const LibraryDeclarations* read : {&fromText, &fromFile}) {
        ASSERT_NE(read->Enum("E_t"), nullptr);
        EXPECT_EQ(read->Enum("E_t")->values, (std::vector<std::string>{"E_A", "E_B", "E_C"}));
        ASSERT_NE(read->Group("G"), nullptr);
        EXPECT_EQ(read->Group("G")->values, (std::vector<std::string>{"G_1", "G_2", "G_3"}));
        ASSERT_NE(read->Group("H"), nullptr);
        EXPECT_EQ(read->Group("H")->values, (std::vector<std::string>{"H_1"}));
    }
}

}  // namespace
}  // namespace quill
