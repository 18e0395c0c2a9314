// Where the cursor stands: protocol positions against bytes, the call and
// argument around it, and ranged edits.
#include <gtest/gtest.h>

#include "lsp/CallContext.h"
#include "lsp/DocumentStore.h"
#include "lsp/TextPositions.h"

namespace quill::lsp {
namespace {

TEST(TextPositions, Utf16UnitsAgainstBytes) {
    // "é" is 2 bytes and 1 unit, "€" 3 bytes and 1 unit, "😀" 4 bytes and 2 units.
    const std::string text = "ab\n\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80x\nlast";
    struct Case {
        Position position;
        std::size_t offset;
    } cases[] = {
        {{0, 2}, 2},   {{1, 0}, 3},  {{1, 1}, 5},  {{1, 2}, 8},
        {{1, 4}, 12},  {{1, 5}, 13}, {{1, 3}, 8},  // inside the surrogate pair: its start
        {{1, 99}, 13}, {{2, 4}, 18}, {{7, 0}, 18},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OffsetOf(text, c.position), c.offset)
            << c.position.line << ":" << c.position.character;
    }
    EXPECT_EQ(PositionOf(text, 12), (Position{1, 4}));
    EXPECT_EQ(PositionOf(text, 99), (Position{2, 4}));
}

TEST(DocumentStore, RangedChangesAfterNonAscii) {
    std::string text = "x = \xC3\xA9t\xC3\xA9(1);\nf(2);\n";
    ApplyChange(text, {true, {0, 8}, {0, 9}, "42"});
    ApplyChange(text, {true, {1, 2}, {1, 2}, "a, "});
    ApplyChange(text, {true, {2, 0}, {2, 0}, "g();"});
    EXPECT_EQ(text, "x = \xC3\xA9t\xC3\xA9(42);\nf(a, 2);\ng();");
    ApplyChange(text, {false, {}, {}, "new"});
    EXPECT_EQ(text, "new");
}

TEST(CallContext, FunctionAndArgumentAtTheCursor) {
    // "@" marks the cursor; an empty name means no call.
    struct Case {
        const char* text;
        const char* name;
        int argument;
    } cases[] = {
        {"f(@", "f", 0},
        {"f(a, b@", "f", 1},
        {"f(a,\n  g(x, y),\n  @", "f", 2},
        {"f(a, g(x, @", "g", 1},
        {"f(a /* , , */, \"x,)\" , ',' , @", "f", 3},
        {"f(a, // b, c)\n @", "f", 1},
        {"f(a, \"b@", "", 0},
        {"f(a, /* b@", "", 0},
        {"f(a, b[1, @", "", 0},
        {"f(a, b)@", "", 0},
        {"f(a;\n g(@", "g", 0},
        {"for (i = 0; i < f(1, @", "f", 1},
        {"{ f(a } g(b, @", "g", 1},
        {"(a, @", "", 0},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        const std::size_t at = text.find('@');
        text.erase(at, 1);
        const auto context = FindCallAt(text, at);
        ASSERT_EQ(context.has_value(), *c.name != '\0') << c.text;
        if (context) {
            EXPECT_EQ(context->name, c.name) << c.text;
            EXPECT_EQ(context->argument, c.argument) << c.text;
        }
    }
}

TEST(CallContext, EveryClosedCallWithItsArguments) {
    const std::string text = "f(1, g(\"a)\", 2), /* ) */ h[3, 4]);\nk(;\nm()";
    std::vector<std::string> seen;
    ForEachCall(text, [&](const CallSite& call) {
        std::string line = call.name + ":";
        for (const Span& span : call.arguments) {
            line += "[" + text.substr(span.begin, span.end - span.begin) + "]";
        }
        seen.push_back(line);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"g:[\"a)\"][ 2]",
                                              "f:[1][ g(\"a)\", 2)][ /* ) */ h[3, 4]]", "m:[]"}));
}

}  // namespace
}  // namespace quill::lsp
