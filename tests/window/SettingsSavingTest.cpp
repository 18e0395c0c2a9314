// Changes the settings file refuses: one message that names the file and the
// reason, what the user did stays in the window, and the file stays as it was.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "UnsavableSettings.h"
#include "WindowHarness.h"
#include "core/files/UpdateLock.h"

namespace quill {
namespace {

const char* const kHeaderA = "void AlphaInit(void);\n";
const char* const kAssemblerB = "; C Function prototype: void BetaGo(void)\n";

// What makes the file refuse changes, made once the window has started;
// `before` runs before any file is written. Each gives what undoes it, or
// nothing when the system does not allow it.
struct Refusal {
    const char* reason;
    std::function<std::shared_ptr<void>(WindowHarness&)> before;
    std::function<std::shared_ptr<void>(WindowHarness&, const std::shared_ptr<void>&)> make;
};

template <typename Made>
std::shared_ptr<void> IfMade(std::shared_ptr<Made> made) {
    return made->Made() ? made : nullptr;
}

TEST(SettingsSaving, AnAddedLibraryTheFileRefusesStaysListedAndOneMessageSaysWhy) {
    const auto none = [](WindowHarness&) { return std::make_shared<int>(0); };
    const Refusal refusals[] = {
        {"the file is read-only", none,
         [](WindowHarness& h, const auto&) {
             return IfMade(std::make_shared<ReadOnly>(h.PathOf("Quill.ini")));
         }},
        {"the folder is read-only", none,
         [](WindowHarness& h, const auto&) {
             return IfMade(std::make_shared<ReadOnly>(h.dir.path().toStdString()));
         }},
        {"the disk is full",
         [](WindowHarness& h) {
             return IfMade(std::make_shared<TinyDisk>(h.dir.path().toStdString()));
         },
         [](WindowHarness&, const std::shared_ptr<void>& disk) {
             static_cast<TinyDisk*>(disk.get())->Fill();
             return disk;
         }},
        {"another copy of Quill kept it locked for more than 5 seconds", none,
         [](WindowHarness& h, const auto&) {
             return std::make_shared<UpdateLock>(h.PathOf("Quill.ini.lock"),
                                                 std::chrono::milliseconds(0));
         }},
    };
    std::string skipped;
    for (const Refusal& refusal : refusals) {
        WindowHarness harness(false);
        const std::shared_ptr<void> prepared = refusal.before(harness);
        if (!prepared) {
            skipped += std::string(" ") + refusal.reason;
            continue;
        }
        const std::string headerA = harness.WriteFile("lib/a.h", kHeaderA);
        harness.WriteFile("lib/b.s", kAssemblerB);
        harness.ListLibrary(harness.PathOf("lib/b.s"));
        harness.Start();
        const std::shared_ptr<void> refusing = refusal.make(harness, prepared);
        if (!refusing) {
            skipped += std::string(" ") + refusal.reason;
            continue;
        }

        harness.platform.chosenFiles.push_back(headerA);
        const auto started = std::chrono::steady_clock::now();
        const Texts log = harness.Click(harness.ui.addButton);
        // Once the lock was not had, the choice of function is not tried.
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
        EXPECT_EQ(log,
                  (Texts{"dialog: Select Library Source",
                         Msg(48, "Could not save the settings to " + harness.PathOf("Quill.ini") +
                                     ": " + refusal.reason + ".\nLibrary " + headerA +
                                     " is listed until Quill ends, but not saved.")}))
            << refusal.reason;
        EXPECT_EQ(harness.Catalogue(), "lib/a.h* lib/b.s | keys lib/b.s | last lib/b.s")
            << refusal.reason;
        EXPECT_EQ(harness.Setting("Last", "Choice"), "void BetaGo(void)") << refusal.reason;
    }
    if (!skipped.empty()) {
        GTEST_SKIP() << "this system cannot make:" << skipped;
    }
}

TEST(SettingsSaving, AnUnlistedLibraryTheFileKeepsIsSaidToComeBack) {
    WindowHarness harness(false);
    const std::string headerA = harness.WriteFile("lib/a.h", kHeaderA);
    const std::string assemblerB = harness.WriteFile("lib/b.s", kAssemblerB);
    harness.SetSetting("Libraries", headerA, "Yes");
    harness.ListLibrary(assemblerB);
    harness.Start();
    const ReadOnly readOnly(harness.PathOf("Quill.ini"));
    if (!readOnly.Made()) {
        GTEST_SKIP() << "this system cannot make a file read-only for its user";
    }

    // The question, then one message for the key and "Last" / "Library".
    const Texts log = harness.Click(harness.ui.unlistButton);
    EXPECT_EQ(log, (Texts{Msg(36, "Do you wish to remove access to\n" + assemblerB + " ?"),
                          Msg(48, "Could not save the settings to " + harness.PathOf("Quill.ini") +
                                      ": the file is read-only.\nLibrary " + assemblerB +
                                      " will be listed again at the next start.")}));
    EXPECT_EQ(harness.Catalogue(), "lib/a.h* | keys lib/a.h lib/b.s | last lib/b.s");
}

}  // namespace
}  // namespace quill

#endif
