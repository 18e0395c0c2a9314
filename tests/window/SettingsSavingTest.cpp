// Changes the settings file refuses: one message that names the file and the
// reason, what the user did stays in the window, and the file stays as it was.

#ifndef _WIN32

#include <chrono>
#include <optional>

#include "UnsavableSettings.h"
#include "WindowHarness.h"
#include "core/files/UpdateLock.h"

namespace quill {
namespace {

const char* const kHeaderA = "void AlphaInit(void);\n";
const char* const kAssemblerB = "; C Function prototype: void BetaGo(void)\n";

TEST(SettingsSaving, AnAddedLibraryTheFileRefusesStaysListedAndOneMessageSaysWhy) {
    const std::string reasons[] = {"the file is read-only", "the folder is read-only",
                                   "the disk is full",
                                   "another copy of Quill kept it locked for more than 5 seconds"};
    std::string skipped;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::string& reason = reasons[k];
        WindowHarness harness(false);
        const std::string ini = harness.folder + "Quill.ini";
        // The small disk is mounted on the folder while it is still empty.
        std::optional<TinyDisk> disk;
        if (k == 2 && !disk.emplace(harness.dir.path().toStdString()).Made()) {
            skipped += " " + reason;
            continue;
        }
        const std::string headerA = harness.WriteFile("lib/a.h", kHeaderA);
        harness.WriteFile("lib/b.s", kAssemblerB);
        harness.Start(harness.folder + "lib/b.s");
        std::optional<ReadOnly> readOnly;
        std::optional<UpdateLock> lock;
        if (k < 2 && !readOnly.emplace(k == 0 ? ini : harness.dir.path().toStdString()).Made()) {
            skipped += " " + reason;
            continue;
        }
        if (k == 2) {
            disk->Fill();
        } else if (k == 3) {
            lock.emplace(ini + ".lock", std::chrono::milliseconds(0));
        }

        harness.platform.chosenFiles.push_back(headerA);
        const auto started = std::chrono::steady_clock::now();
        const Texts log = harness.Click(harness.ui.addButton);
        // Once the lock was not had, the choice of function is not tried.
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
        EXPECT_EQ(
            log,
            (Texts{"dialog: Select Library Source at " + harness.folder + "lib/b.s" + " in " +
                       harness.folder + "lib/",
                   Msg(48, "Could not save the settings to " + ini + ": " + reason + ".\nLibrary " +
                               headerA + " is listed until Quill ends, but not saved.")}))
            << reason;
        EXPECT_EQ(harness.Catalogue(), "lib/a.h* lib/b.s | keys lib/b.s | last lib/b.s") << reason;
        EXPECT_EQ(harness.Setting("Last", "Choice"), "void BetaGo(void)") << reason;
    }
    if (!skipped.empty()) {
        GTEST_SKIP() << "this system cannot make:" << skipped;
    }
}

}  // namespace
}  // namespace quill

#endif
