// The catalogue of library files: LibraryCombo while the program runs, and
// section "Libraries" of the settings file from one run to the next.

#include <QAction>
#include <QMenu>

#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "core/catalogue/CLibBrowse.h"
#include "core/docs/VendorMode.h"
#include "core/platform/Platform.h"
#include "core/settings/IniText.h"
#include "core/settings/SettingsSaving.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/VendorModeSetting.h"
#include "core/text/TextOps.h"
#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

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

// The section "Libraries" holding `keys` without those in `gone`, in the
// list's order, each with the value "Yes".
std::vector<std::pair<std::string, std::string>> ListedWithout(
    std::vector<std::string> keys, const std::vector<std::string>& gone) {
    std::unordered_set<std::string> goneNames;
    for (const std::string& path : gone) {
        goneNames.insert(ToLowerAscii(path));
    }
    std::erase_if(keys, [&](const std::string& key) { return goneNames.count(ToLowerAscii(key)); });
    SortIgnoringCase(keys);
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(keys.size());
    for (std::string& key : keys) {
        entries.emplace_back(std::move(key), "Yes");
    }
    return entries;
}

// Lists `path` and makes it the last library, in one change of the file.
void SaveListedAndLast(Platform& platform, const AppPaths& paths, const std::string& path,
                       const std::string& unsaved = "") {
    SaveSettings(
        platform, paths,
        [&] {
            return WriteSettings({{"Libraries", path, "Yes"}, {"Last", "Library", path}},
                                 paths.settingsFile);
        },
        unsaved);
}

}  // namespace

int MainWindow::LoadLibraryList() {
    const SettingsAction loading;
    const std::string& settingsFile = paths.settingsFile;
    libraryCombo->clear();

    std::vector<std::string> gone;
    for (const std::string& path : GetAllSettingKeys("Libraries", settingsFile)) {
        if (PathExists(path)) {
            libraryCombo->AddString(path);
        } else {
            ShowMessage("Library " + path + " not available.\nWill be removed from list.",
                        kStyleStop);
            gone.push_back(path);
        }
    }

    // The section is rebuilt from what the file holds once the lock is held,
    // not from the keys read above: another copy may have listed libraries
    // while the messages were open. The libraries that are gone leave it, the
    // others stand sorted. Failing to put it in order loses nothing and is
    // not reported.
    const auto rebuild = [&] {
        return RebuildSettingSection(
            "Libraries",
            [&](const std::vector<std::string>& keys) { return ListedWithout(keys, gone); },
            settingsFile);
    };
    if (gone.empty()) {
        rebuild();
    } else {
        SaveSettings(platform, paths, rebuild,
                     gone.size() == 1 ? "Library " + gone.front() + " was not removed from it."
                                      : "The " + std::to_string(gone.size()) +
                                            " libraries not available were not removed from it.");
    }

    const std::string last = GetSetting("Last", "Library", "", kLibraryReadLimit, settingsFile);
    int selected = libraryCombo->FindStringExact(last);
    if (selected < 0 && libraryCombo->count() > 0) {
        selected = 0;
        SaveSetting(platform, paths, "Last", "Library", libraryCombo->TextAt(0));
    }
    libraryCombo->setCurrentIndex(selected);
    libraryIndex = selected;
    return selected + 1;
}

void MainWindow::AddLibrary() {
    const SettingsAction action;
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
        if (const std::string problem = KeyNameProblem(path); !problem.empty()) {
            // It could be listed now but not found at the next start.
            ShowMessage("Library " + path +
                            " cannot be listed: the settings file cannot keep a name that " +
                            problem + ".",
                        kStyleExclamation);
        } else {
            // Neither existence nor an earlier entry is checked: a path listed
            // twice shows twice until the next start, the file keeps one key.
            const int index = libraryCombo->AddString(path);
            libraryCombo->setCurrentIndex(index);
            libraryIndex = index;
            SaveListedAndLast(platform, paths, path,
                              "Library " + path + " is listed until Quill ends, but not saved.");
            RunLibraryChangeSequence(path);
        }
    }
    UpdateData(false);
}

void MainWindow::UnlistLibrary() {
    const SettingsAction action;
    CloseSelectionLists();
    const int selected = libraryCombo->currentIndex();
    if (selected >= 0) {
        const std::string path = libraryCombo->TextAt(selected);
        if (ShowMessage("Do you wish to remove access to\n" + path + " ?", kStyleQuestionYesNo) ==
            kAnswerYes) {
            SaveSettings(
                platform, paths,
                [&] { return DeleteSettingKey("Libraries", path, paths.settingsFile); },
                "Library " + path + " will be listed again at the next start.");
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
                SaveSetting(platform, paths, "Last", "Library", first);
                RunLibraryChangeSequence(first);
            }
        }
    }
    UpdateData(false);
}

void MainWindow::SelectLibrary() {
    const SettingsAction action;
    // Runs whenever the list closes, whether or not the selection changed.
    const int selected = libraryCombo->currentIndex();
    if (selected >= 0) {
        libraryIndex = selected;
        const std::string path = libraryCombo->TextAt(selected);
        SaveListedAndLast(platform, paths, path);
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

bool MainWindow::LibraryInVendorMode(const std::string& libraryPath) const {
    return quill::LibraryInVendorMode(libraryPath, paths.settingsFile);
}

void MainWindow::ShowLibraryMenu(const QPoint& at) {
    if (libraryCombo->currentIndex() < 0) {
        return;
    }
    auto* menu = findChild<QMenu*>("libraryMenu");
    if (menu == nullptr) {
        menu = new QMenu(this);
        menu->setObjectName("libraryMenu");
        QAction* vendor = menu->addAction("&Vendor mode");
        vendor->setObjectName("vendorModeAction");
        vendor->setCheckable(true);
        connect(vendor, &QAction::triggered, this, [this](bool on) { SwitchVendorMode(on); });
    }
    menu->findChild<QAction*>("vendorModeAction")
        ->setChecked(LibraryInVendorMode(libraryCombo->SelectedText()));
    menu->popup(libraryCombo->mapToGlobal(at));
}

void MainWindow::SwitchVendorMode(bool on) {
    const SettingsAction action;
    UpdateData(true);
    const int selected = libraryCombo->currentIndex();
    if (selected >= 0) {
        const std::string path = libraryCombo->TextAt(selected);
        SaveSetting(platform, paths, kVendorModeSection, path, VendorModeName(on),
                    "Library " + path + " keeps the mode it had.");
        RunLibraryChangeSequence(path);
    }
    UpdateData(false);
}

}  // namespace quill
