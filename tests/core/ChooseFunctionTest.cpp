#include "core/ChooseFunction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace quill {
namespace {

using testing::ScratchFolder;
using Messages = std::vector<std::string>;

std::string NotFound(const std::string& entry, const std::string& path) {
    return "Could not find \n" + entry + "\nin " + path + "\nMust match exactly.";
}

// The messages when no form of the documenting path `relative` opens.
Messages NoSource(const std::string& entry, const ScratchFolder& folder,
                  const std::string& relative) {
    const std::string path = folder.PathOf(relative);
    return {"Could not find source " + path + " or .c", NotFound(entry, path),
            "Could not find " + folder.LowerPathOf(relative)};
}

const char* const kTimerSource =
    "/**\n"
    " * @param iMode :{TMR_OFF,TMR_ON}\n"
    " * @param uFlags :{F_A|F_B}\n"
    " * @param iPick :{Pick.exe}\n"
    " * @param iBoth :{Both.exe|X}\n"
    " * @note Run PinHelp.exe first\n"
    " */\n"
    "void TmrGo(int iMode, int uFlags, int iPick, int iBoth)\n"
    "{\n"
    "}\n"
    "/*! second */\n"
    "int TmrOther(int iMode)\n";

TEST(ChooseFunction, FoundBlockDocumentationPresetsAndHelper) {
    ScratchFolder folder;
    const std::string header = folder.Write("lib/Tmr.h", "");
    const std::string source = folder.Write("lib/Tmr.c", kTimerSource);
    folder.Write("lib/PinHelp.exe", "");
    const std::string entry = "void TmrGo(int iMode, int uFlags, int iPick, int iBoth)";

    const FunctionChoice choice = ChooseFunction({header, entry, folder.PathOf("start/Kit.h")});
    EXPECT_EQ(choice.messages, Messages{});
    EXPECT_EQ(choice.lookup.path, source);
    const std::string whole = kTimerSource;
    EXPECT_EQ(choice.lookup.text, whole.substr(0, whole.find("/*! second")));
    const FunctionDocumentation& doc = choice.documentation;
    // A drop-down shows no entry text, flags start at their first value,
    // a helper in quotes unless it is also a flags list.
    const char* const edits[] = {"", "F_A", "\"Pick.exe\"", "Both.exe"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(doc.parameters[k].editText, edits[k]) << k;
    }
    EXPECT_EQ(choice.helper.Offered(), folder.PathOf("lib/PinHelp.exe"));
    EXPECT_EQ(choice.parameterHelperFolder, folder.PathOf("start/"));

    // The next block has no helper: "-" is looked for and is not there.
    const FunctionChoice other = ChooseFunction({header, "int TmrOther(int iMode)", ""});
    EXPECT_EQ(other.lookup.text, "/*! second */\nint TmrOther(int iMode)\n");
    EXPECT_EQ(other.helper.Offered(), "-");
}

TEST(ChooseFunction, EachFailureGivesTheWindowsMessagesAndTheEntrysRecord) {
    ScratchFolder folder;
    const std::string header = folder.Write("Tmr.h", "");
    const std::string source = folder.Write("Tmr.c", kTimerSource);
    const std::string lone = folder.Write("Lone.h", "");
    // A source folder file that does not hold the function is no source either.
    const std::string vendor = folder.Write("v/Inc/tmr.h", "");
    folder.Write("v/Src/tmr.c", "void TmrGone(void)\n");
    const std::string gone = "void TmrGone(int iMode)";
    struct Case {
        std::string library;
        std::string entry;
        LookupOutcome outcome;
        Messages messages;
    };
    const Case cases[] = {
        {header, gone, LookupOutcome::NotFound, {NotFound(gone, source)}},
        // An empty entry opens nothing; the file itself could be read.
        {header, "", LookupOutcome::EmptyInput, {NotFound("", source)}},
        {"", gone, LookupOutcome::EmptyInput, {NotFound(gone, ""), "Could not find "}},
        // Every form fails; the parse reports the last one tried.
        {lone, gone, LookupOutcome::NoSource, NoSource(gone, folder, "Lone.c")},
        {vendor, gone, LookupOutcome::NoSource, NoSource(gone, folder, "v/Inc/tmr.c")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library + " / " + c.entry);
        const FunctionChoice choice = ChooseFunction({c.library, c.entry, ""});
        EXPECT_FALSE(choice.Found());
        EXPECT_EQ(choice.lookup.outcome, c.outcome);
        EXPECT_EQ(choice.lookup.text, "-");
        EXPECT_EQ(choice.messages, c.messages);
        // The call text still needs the name and a slot per parameter.
        const FunctionDocumentation& doc = choice.documentation;
        EXPECT_EQ(doc.functionName, c.entry.empty() ? "" : "TmrGone");
        EXPECT_EQ(doc.returnType, c.entry.empty() ? "" : "void");
        EXPECT_EQ(doc.parameterCount, c.entry.empty() ? 0 : 1);
    }
}

TEST(LookForHelper, OnlyAFolderEndingAtPositionFiveOrLaterIsSearched) {
    ScratchFolder folder;
    folder.Write("Help.exe", "");
    const std::string inFolder = folder.PathOf("Tmr.c");
    EXPECT_TRUE(LookForHelper(inFolder, "Help.exe").exists);
    EXPECT_EQ(LookForHelper(inFolder, "Gone.exe").Offered(), "-");
    EXPECT_TRUE(LookForHelper(inFolder, "Gone.exe").looked);
    for (const char* path : {"Tmr.c", "/Tmr.c", "C:\\x\\Tmr.c", "abcd\\Tmr.c"}) {
        EXPECT_FALSE(LookForHelper(path, "Help.exe").looked) << path;
    }
    EXPECT_EQ(LookForHelper("abcde\\Tmr.c", "Help.exe").path, "abcde\\Help.exe");
}

// A whole-library check takes the entries and the declarations from the
// lines its lookups read, as the scan and the declaration reader would.
TEST(LibraryChoices, EntriesAndDeclarationsComeFromTheSharedLines) {
    ScratchFolder folder;
    const std::string header = folder.Write(
        "lib/Pin.h",
        "/** @defgroup PIN_MODE modes\n * @{\n */\n#define PIN_IN 1\n#define PIN_OUT 2\n/** @} */\n"
        "typedef enum { LOW, HIGH } level_t;\n"
        "/**\n * @param iMode the mode, one of @ref PIN_MODE\n */\n"
        "extern void PinMode(int iMode); // sets\n"
        "/* int Hidden(int a); */\nint PinRead(level_t tLevel);\n");
    LibraryChoices library(header, "");
    library.IndexAll();
    std::vector<std::string> entries;
    std::vector<std::string> suggested;
    EXPECT_TRUE(library.ScanEntries([&](std::string_view entry) {
        entries.emplace_back(entry);
        const FunctionChoice choice = library.Choose(entries.back());
        std::string values;
        for (const std::string& value : choice.suggestions[0].values) {
            values += (values.empty() ? "" : ",") + value;
        }
        suggested.push_back(values);
    }));
    EXPECT_EQ(entries,
              (std::vector<std::string>{"void PinMode(int iMode)", "int PinRead(level_t tLevel)"}));
    EXPECT_EQ(suggested, (std::vector<std::string>{"PIN_IN,PIN_OUT", "LOW,HIGH"}));

    LibraryChoices missing(folder.PathOf("lib/None.h"), "");
    missing.IndexAll();
    EXPECT_FALSE(missing.ScanEntries([](std::string_view) { ADD_FAILURE(); }));
}

}  // namespace
}  // namespace quill
