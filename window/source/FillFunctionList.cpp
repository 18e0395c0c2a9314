// Filling FunctionCombo from a library and re-selecting the stored choice.

#include "core/library/VendorScanner.h"
#include "core/platform/Platform.h"
#include "core/settings/SettingsSaving.h"
#include "core/settings/SettingsStore.h"
#include "core/text/TextOps.h"
#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

namespace {

// Longest stored choice that is read, terminator included.
constexpr std::size_t kChoiceReadLimit = 10000;

}  // namespace

int MainWindow::FillFunctionList(std::string libraryPath) {
    const SettingsAction action;
    int selected = 0;
    functionCombo->clear();
    // A rescan may follow a change of the header: its declarations are read
    // again at the next choice.
    declarationsLibrary.clear();
    if (!libraryPath.empty()) {
        LibraryScan scan = ScanLibraryFile(libraryPath, LibraryInVendorMode(libraryPath));
        if (!scan.opened) {
            ShowMessage(LibraryUnavailableMessage(libraryPath), kStyleInformation);
        } else if (!scan.entries.empty()) {
            // The list's order, decided once here; the stored choice is looked
            // up in it before the entries move into the list in one step.
            SortIgnoringCase(scan.entries);
            const std::string choice =
                GetSetting("Last", "Choice", "", kChoiceReadLimit, paths.settingsFile);
            const long found = IndexIgnoringCase(scan.entries, choice);
            const std::string first = scan.entries.front();
            functionCombo->SetEntries(std::move(scan.entries));
            if (found >= 0) {
                functionCombo->setCurrentIndex(static_cast<int>(found));
                selected = static_cast<int>(found) + 1;
            } else {
                // The stored choice is not in this library: its first function
                // becomes the choice.
                SaveSetting(platform, paths, "Last", "Choice", first);
                functionCombo->setCurrentIndex(0);
                selected = 1;
            }
        }
    }
    UpdateData(true);
    return selected;
}

}  // namespace quill
