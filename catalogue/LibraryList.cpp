// The catalogue of library files: LibraryCombo while the program runs, and
// section "Libraries" of the settings file from one run to the next.

#include <filesystem>
#include <system_error>

#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "catalogue/CLibBrowse.h"
#include "platform/Platform.h"

namespace quill {

namespace {

// Longest "Last" / "Library" that is read, terminator included.
constexpr std::size_t kLibraryReadLimit = 1000;

// Where the Add dialog starts when there is neither a selected nor a stored
// library: this file name in the program folder.
constexpr const char* kDefaultLibraryName = "LibVexa.s79";

// Whether anything (file or folder) still stands at `path`.
bool PathExists(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(path), ec);
    return !ec && std::filesystem::exists(status);
}

}  // namespace

int MainWindow::LoadLibraryList() {
    const std::string& settingsFile = paths.settingsFile;
    libraryCombo->clear();

    // Every key name, however long the section: each one is written back
    // below, so a name left unread would be dropped from the file for good.
    for (const std::string& path : GetAllSettingKeys("Libraries", settingsFile)) {
        if (PathExists(path)) {
            libraryCombo->AddString(path);
        } else {
            ShowMessage("Library " + path + " not available.\nWill be removed from list.",
                        kStyleStop);
        }
    }

    // The section now holds exactly the libraries that exist, sorted. It is
    // rewritten in one go, so no crash in between can lose the catalogue.
    std::vector<std::pair<std::string, std::string>> listed;
    for (int i = 0; i < libraryCombo->count(); ++i) {
        listed.emplace_back(libraryCombo->TextAt(i), "Yes");
    }
    ReplaceSettingSection("Libraries", listed, settingsFile);

    const std::string last = GetSetting("Last", "Library", "", kLibraryReadLimit, settingsFile);
    int selected = libraryCombo->FindStringExact(last);
    if (selected < 0 && libraryCombo->count() > 0) {
        selected = 0;
        WriteSetting("Last", "Library", libraryCombo->TextAt(0), settingsFile);
    }
    libraryCombo->setCurrentIndex(selected);
    libraryIndex = selected;
    return selected + 1;
}

void MainWindow::AddLibrary() {
    UpdateData(true);
    CloseSelectionLists();

    CLibBrowse dialog = CLibBrowse::ForLibrary(platform);

    std::string start;
    if (libraryCombo->currentIndex() >= 0) {
        start = libraryCombo->SelectedText();
    } else {
        start = GetSetting("Last", "Library", "", kLibraryReadLimit, paths.settingsFile);
        if (start.empty()) {
            // The folder as it really is: the dialog has to find it.
            start = paths.programFolder + kDefaultLibraryName;
        }
    }
    if (!dialog.SetFileName(start)) {
        ShowMessage("Drive:\\Path\\File too long!", kStyleExclamation);
    }
    dialog.SetInitialFolder(LibraryDialogFolder(start));

    if (dialog.DoModal()) {
        const std::string path = dialog.GetPathName();
        // Neither existence nor an earlier entry is checked: a path listed
        // twice shows twice until the next start, the file keeps one key.
        const int index = libraryCombo->AddString(path);
        libraryCombo->setCurrentIndex(index);
        libraryIndex = index;
        WriteSetting("Libraries", path, "Yes", paths.settingsFile);
        WriteSetting("Last", "Library", path, paths.settingsFile);
        RunLibraryChangeSequence(path);
    }
    UpdateData(false);
}

void MainWindow::UnlistLibrary() {
    CloseSelectionLists();
    const int selected = libraryCombo->currentIndex();
    if (selected >= 0) {
        const std::string path = libraryCombo->TextAt(selected);
        if (ShowMessage("Do you wish to remove access to\n" + path + " ?", kStyleQuestionYesNo) ==
            kAnswerYes) {
            DeleteSettingKey("Libraries", path, paths.settingsFile);
            libraryCombo->removeItem(selected);
            if (libraryCombo->count() == 0) {
                // "Last" / "Library" keeps naming the removed library; the
                // function list and the source view stay as they are.
                libraryCombo->setCurrentIndex(-1);
                libraryIndex = -1;
            } else {
                libraryCombo->setCurrentIndex(0);
                libraryIndex = 0;
                const std::string first = libraryCombo->TextAt(0);
                WriteSetting("Last", "Library", first, paths.settingsFile);
                RunLibraryChangeSequence(first);
            }
        }
    }
    UpdateData(false);
}

void MainWindow::SelectLibrary() {
    // Runs whenever the list closes, whether or not the selection changed.
    const int selected = libraryCombo->currentIndex();
    if (selected >= 0) {
        libraryIndex = selected;
        const std::string path = libraryCombo->TextAt(selected);
        WriteSetting("Libraries", path, "Yes", paths.settingsFile);
        WriteSetting("Last", "Library", path, paths.settingsFile);
        RunLibraryChangeSequence(path);
    }
    UpdateData(false);
}

void MainWindow::RunLibraryChangeSequence(const std::string& libraryPath) {
    // The scan also corrects the stored function choice for this library.
    if (FillFunctionList(libraryPath) != 0) {
        ShowLibrarySource();
        // The list is filled again each time it is opened.
        functionCombo->clear();
        functionIndex = -1;
    }
}

}  // namespace quill
