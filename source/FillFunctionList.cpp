// Filling FunctionCombo from a library and re-selecting the stored choice.

#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "platform/Platform.h"
#include "source/FunctionScanner.h"

namespace quill {

namespace {

// Longest stored choice that is read, terminator included.
constexpr std::size_t kChoiceReadLimit = 10000;

}  // namespace

int MainWindow::FillFunctionList(std::string libraryPath) {
    int selected = 0;
    functionCombo->clear();
    if (!libraryPath.empty()) {
        const LibraryScan scan = ScanLibraryFile(libraryPath);
        if (!scan.opened) {
            ShowMessage(LibraryUnavailableMessage(libraryPath), kStyleInformation);
        } else {
            functionCombo->AddStrings(scan.entries);
            const std::string choice =
                GetSetting("Last", "Choice", "", kChoiceReadLimit, paths.settingsFile);
            const int found = functionCombo->FindStringExact(choice);
            if (found >= 0) {
                functionCombo->setCurrentIndex(found);
                selected = found + 1;
            } else if (functionCombo->count() > 0) {
                // The stored choice is not in this library: its first function
                // becomes the choice.
                WriteSetting("Last", "Choice", functionCombo->TextAt(0), paths.settingsFile);
                functionCombo->setCurrentIndex(0);
                selected = 1;
            }
        }
    }
    UpdateData(true);
    return selected;
}

}  // namespace quill
