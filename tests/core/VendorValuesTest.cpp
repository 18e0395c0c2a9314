#include "core/docs/VendorValues.h"

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "core/ChooseFunction.h"
#include "core/library/DeclarationTree.h"
#include "core/library/LibraryDeclarations.h"
#include "core/text/TextOps.h"

namespace quill {
namespace {

// "kind:v1,v2 (source)", or "-" when nothing is suggested.
std::string Describe(const Suggestions& suggestions) {
    if (suggestions.Empty()) {
        return "-";
    }
    std::string text = SuggestionKindName(suggestions.kind) + std::string(":");
    for (std::size_t i = 0; i < suggestions.values.size(); ++i) {
        text += (i == 0 ? "" : ",") + MarkedValue(suggestions, i);
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
         "parity", "uint32_t", "one-of:UART_NO_PARITY,UART_EVEN_PARITY,UART_ODD (bullets)"},
        {Bullets("//! Mask value is the logical OR of any of the following:\n"
                 "//! - \\b UART_INT_RX\n//! - \\b UART_INT_TX\n"),
         "parity", "uint32_t", "combination:UART_INT_RX,UART_INT_TX (bullets)"},
        {Bullets("//! - \\b UART_NO_PARITY\n"), "parity", "uint32_t", "-"},
        {Bullets("//! One of:\n//!\n//! * UART_PAR_NONE\n//! * `UART_PAR_ODD` only on T12B\n//! * "
                 "none\n"),
         "parity", "uint32_t", "one-of:UART_PAR_NONE,UART_PAR_ODD  [only: only on T12B] (bullets)"},
        // A table that follows the tag; not one after a paragraph break.
        {Described("the event, one of:\n *\n * bit | name     | when\n * ----|----------|-----\n"
                   " *   0 | EV_LOW   | low\n *   1 | EV_HIGH  | high"),
         "value", "uint8_t", "one-of:EV_LOW,EV_HIGH (table)"},
        {Described("the event\n *\n *   0 | EV_LOW   | low\n *   1 | EV_HIGH  | high"), "value",
         "uint8_t", "-"},
        // Numbered names, and a range that only some chips have.
        {Described("any combination of PIN_x where x can be(0..2)"), "value", "uint16_t",
         "combination:PIN_0,PIN_1,PIN_2 (index pattern)"},
        {"/** @param PORTx where x can be (A..C) for the T12B or\n *  x can be (A..B) for the "
         "T12A.\n */",
         "PORTx", "void *", "one-of:PORTA,PORTB,PORTC  [only: for the T12B] (index pattern)"},
        {Described("where x can be (0..3) names no template"), "value", "int", "-"},
        {Described("any combination of PIN_x where x\n * can be (0..1)"), "value", "uint16_t",
         "combination:PIN_0,PIN_1 (index pattern)"},
        {Bullets("//! Valid values are \\b UART_NO_PARITY and more\n"), "parity", "uint32_t", "-"},
        // References: the first that names a declaration wins.
        {Described("This parameter can be a value of @ref ADC_Channel"), "value", "uint8_t",
         "one-of:ADC_CH_0,ADC_CH_1 (@defgroup ADC_Channel in vnd_gpio.h)"},
        {Described("Refer @ref gpio_dir_t for valid values."), "value", "uint8_t",
         "one-of:GPIO_DIR_IN,GPIO_DIR_OUT (enum gpio_dir_t in vnd_gpio.h)"},
        {Described("a logical OR of members of the enumeration ::tmr_int_t"), "value", "uint8_t",
         "combination:TMR_INT_OVF,TMR_INT_CMP (enum tmr_int_t in vnd_gpio.h)"},
        {"/*!\n * \\param event_mask Which events. See \\ref tmr_int_t for details.\n */",
         "event_mask", "uint8_t",
         "combination:TMR_INT_OVF,TMR_INT_CMP (enum tmr_int_t in vnd_gpio.h)"},
        {Described("a value of @ref\n * ADC_Channel"), "value", "uint8_t",
         "one-of:ADC_CH_0,ADC_CH_1 (@defgroup ADC_Channel in vnd_gpio.h)"},
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

// The type of each parameter, its "*" kept against the type whatever the
// blanks around it; a parameter without a name gives none.
TEST(VendorValues, ParameterTypesKeepTheirPointerMarks) {
    EXPECT_EQ(ParameterTypes("void f(const gpio_dir_t dir, uint8_t *pBuf, char\t* *pp, int)"),
              (std::vector<std::string>{"const gpio_dir_t", "uint8_t *", "char **", ""}));
    EXPECT_EQ(ParameterTypes("h(  unsigned   int\t x ,const char*const s)"),
              (std::vector<std::string>{"unsigned int", "const char *const"}));
    EXPECT_EQ(ParameterTypes("int g(void)"), (std::vector<std::string>{""}));
    EXPECT_EQ(ParameterTypes("no list"), (std::vector<std::string>{}));
}

// The values of the tag's own text only: a paragraph after the last tag
// belongs to none of them, and a mask takes combinations.
TEST(VendorValues, ParagraphAfterTheTagsGivesNoParameterItsValues) {
    const std::string block =
        "/*! \\brief Turns event interrupts of a pin on or off\n"
        " * \\param pin pin number\n"
        " * \\param events Which events\n"
        " * \\param on true to turn them on\n"
        " *\n"
        " * Events is a bitmask of the following \\ref tmr_int_t values:\n"
        " * @arg TMR_INT_OVF\n"
        " */\n";
    EXPECT_EQ(Suggest(block, "on", "bool"), "one-of:true,false (bool)");
    EXPECT_EQ(Suggest(block, "events"), "-");
    EXPECT_EQ(
        Suggest(ReplaceAll(block, "Which events", "Which events, see \\ref tmr_int_t"), "events"),
        "one-of:TMR_INT_OVF,TMR_INT_CMP (enum tmr_int_t in vnd_gpio.h)");
    for (const char* words : {"a bitmask of", "a bit mask of", "values ORed together",
                              "values OR-ed together", "Logical OR of"}) {
        EXPECT_TRUE(DescribesCombination({std::string("the events, ") + words + " them"})) << words;
    }
    EXPECT_FALSE(DescribesCombination({"ordered by priority, or one of them"}));
}

// Values the preprocessor or the text gives to some chips only are listed,
// with what decides them.
TEST(VendorValues, ChipDependentValuesAreMarked) {
    LibraryDeclarations declarations;
    declarations.AddText(
        "#ifndef CLK_H\n#define CLK_H\n#ifdef __cplusplus\nextern \"C\" {\n#endif\n"
        "typedef enum {\n#if defined(HAS_DRIVE) || defined(__DOC_DOXYGEN__)\n  DRV_STD,\n"
        "#if defined(HAS_EXTRA)\n  DRV_EXTRA,\n#endif\n#else\n  DRV_STD,\n#endif\n  DRV_OFF\n"
        "} drv_t;\n"
        "/** @defgroup CLK_Src sources\n  * @{ */\n#define CLK_SRC_HSI 0\n"
        "#if defined(T12B)\n#define CLK_SRC_PLL 1\n#elif defined(T12C)\n#define CLK_SRC_EXT 2\n"
        "#endif\n/** @} */\n#endif\n",
        "clk.h");
    const std::string block =
        "/** @param drive the drive\n * @param source see @ref CLK_Src\n"
        " * @param mode one of the following values:\n"
        " *   @arg CLK_MODE_RUN: running\n"
        " *   @arg CLK_MODE_SLEEP: sleep, available only for T12B devices.\n"
        " *   @arg CLK_MODE_STOP: stop, available for all devices except T12A\n */";
    EXPECT_EQ(Describe(SuggestValues(block, "drive", "drv_t", declarations)),
              "one-of:DRV_STD,DRV_EXTRA  [only: defined(HAS_DRIVE) && defined(HAS_EXTRA)],DRV_OFF "
              "(enum type drv_t in clk.h)");
    EXPECT_EQ(Describe(SuggestValues(block, "source", "int", declarations)),
              "one-of:CLK_SRC_HSI,CLK_SRC_PLL  [only: defined(T12B)],CLK_SRC_EXT  [only: "
              "defined(T12C)] (@defgroup CLK_Src in clk.h)");
    EXPECT_EQ(SuggestionNote(SuggestValues(block, "source", "int", declarations)),
              "Values from @defgroup CLK_Src in clk.h. Only on some chips: CLK_SRC_PLL "
              "(defined(T12B)); CLK_SRC_EXT (defined(T12C)).");
    EXPECT_EQ(Describe(SuggestValues(block, "mode", "int", declarations)),
              "one-of:CLK_MODE_RUN,CLK_MODE_SLEEP  [only: available only for T12B devices],"
              "CLK_MODE_STOP  [only: available for all devices except T12A] (@arg lines)");
}

// An SDK whose enum lives in another branch of the tree than the header
// that refers to it.
TEST(DeclarationTree, FindsEnumsAnywhereInTheLibrarysTreeOnce) {
    testing::ScratchFolder folder;
    const std::string library =
        folder.Write("sdk/src/common/pin_drv/include/drv/pin.h",
                     "/*! \\brief Selects a pin function\n * \\param pin pin number\n"
                     " * \\param fn the function, from list \\ref pin_fn_t\n */\n"
                     "void pin_set_function(unsigned pin, pin_fn_t fn);\n");
    folder.Write("sdk/src/t12/structs/include/drv/bank.h",
                 "typedef enum pin_fn_t12 { FN_SPI, FN_UART } pin_fn_t;\n");
    folder.Write("sdk/src/common/docs/old.h", "typedef enum { FN_OLD } old_t;\n");
    folder.Write("sdk/outside.h", "typedef enum { FN_FAR } far_t;\n");
    EXPECT_EQ(DeclarationTreeRoot(library), folder.PathOf("sdk/src"));

    const auto tree = DeclarationTreeOf(library);
    ASSERT_NE(tree->Enum("pin_fn_t"), nullptr);
    EXPECT_EQ(tree->Enum("pin_fn_t")->values, (std::vector<std::string>{"FN_SPI", "FN_UART"}));
    EXPECT_EQ(tree->Enum("old_t"), nullptr);
    EXPECT_EQ(tree->Enum("far_t"), nullptr);
    EXPECT_EQ(DeclarationTreeOf(library), tree);

    // The file's own declarations first, the tree only for what they miss.
    LibraryDeclarations own;
    own.AddText("typedef enum { FN_MINE } mine_t;\n", "pin.h");
    int built = 0;
    own.LookFurtherIn([&] {
        ++built;
        return tree.get();
    });
    EXPECT_EQ(Describe(SuggestValues("/** @param fn see \\ref mine_t */", "fn", "int", own)),
              "one-of:FN_MINE (enum mine_t in pin.h)");
    EXPECT_EQ(built, 0);
    for (int twice = 0; twice < 2; ++twice) {
        EXPECT_EQ(Describe(SuggestValues("/** @param fn see \\ref pin_fn_t */", "fn", "int", own)),
                  "one-of:FN_SPI,FN_UART (enum pin_fn_t in bank.h)");
    }
    EXPECT_EQ(built, 1);

    // A choice reads the tree too; a forgotten tree is read again.
    folder.Write("sdk/src/t12/structs/include/drv/bank.h",
                 "typedef enum pin_fn_t12 { FN_I2C } pin_fn_t;\n");
    ForgetDeclarationTree(library);
    const FunctionChoice choice =
        ChooseFunction({library, "void pin_set_function(unsigned pin, pin_fn_t fn)", ""});
    EXPECT_EQ(Describe(choice.suggestions[1]), "one-of:FN_I2C (enum pin_fn_t in bank.h)");
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
