// Adding a library to the catalogue: which paths the settings file can keep
// as key names, and where the library dialog opens.

#include <gtest/gtest.h>

#include "core/catalogue/CLibBrowse.h"
#include "core/settings/IniText.h"

namespace quill {
namespace {

TEST(Catalogue, PathsTheSettingsFileCannotKeepSayWhy) {
    const struct {
        const char* path;
        const char* problem;
    } cases[] = {
        {"/lib/a=b.h", "holds \"=\""},
        {"/lib/a\nb.h", "holds a line break"},
        {"/lib/a\rb.h", "holds a line break"},
        {" /lib/a.h", "begins or ends with a blank"},
        {"/lib/a.h\t", "begins or ends with a blank"},
        {";lib/a.h", "begins with \";\""},
        {"[lib]/a.h", "begins with \"[\""},
        {"  ", "is empty"},
        {"/lib/a b;[c].h", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyNameProblem(c.path), c.problem) << c.path;
    }
}

TEST(Catalogue, TheLibraryDialogOpensInTheFolderAfterADriveOrTheRoot) {
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\lib\\io\\a.h", "C:\\lib\\io\\"},
        {"ab/c/d.h", "ab/c/"},
        {"a.h", "a.h"},
        {"x/a.h", "x/a.h"},
#ifdef _WIN32
        {"/usr/lib/a.h", "/usr/lib/a.h"},
#else
        {"/usr/lib/a.h", "/usr/lib/"},
        {"\\lib\\a.h", "\\lib\\a.h"},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LibraryDialogFolder(c.path), c.folder) << c.path;
    }
}

}  // namespace
}  // namespace quill
