#include "window/dialogs/SetupDialog.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "core/catalogue/CLibBrowse.h"
#include "core/help/HelpDecisions.h"
#include "core/help/HelpStarter.h"
#include "core/platform/Platform.h"
#include "core/settings/SettingsSaving.h"
#include "core/settings/SettingsStore.h"
#include "window/platform/QtText.h"
#include "window/widgets/ControlWidgets.h"
#include "window/widgets/DialogUnits.h"
#include "window/widgets/PlaceControl.h"

namespace quill {

namespace {

constexpr std::size_t kReadLimit = 1000;
constexpr int kWidthUnits = 207;
constexpr int kHeightUnits = 130;

}  // namespace

SetupDialog::SetupDialog(Platform& platform, AppPaths paths, QWidget* parent)
    : EndingDialog(parent), platform_(platform), paths_(std::move(paths)) {
    CreateControls();
}

void SetupDialog::CreateControls() {
    const DialogBaseUnits base =
        SetUpDialogFrame(*this, "SetupDialog", "Setup", kWidthUnits, kHeightUnits);

    // In tab order.
    auto* browserLabel = PlaceControl(
        NewPlainLabel(QStringLiteral("&Browser - full path, name and extension"), this), base,
        "BrowserLabel", -1, {5, 15, 157, 8});  // as far as the Browse button
    browserEdit_ = PlaceControl(new QLineEdit(this), base, "BrowserEdit", 1008, {5, 25, 195, 15});
    browserLabel->setBuddy(browserEdit_);
    auto* helpPathLabel = PlaceControl(NewPlainLabel(QStringLiteral("Help &Path"), this), base,
                                       "HelpPathLabel", -1, {5, 50, 32, 8});
    helpPathEdit_ = PlaceControl(new QLineEdit(this), base, "HelpPathEdit", 1012, {5, 60, 195, 15});
    helpPathLabel->setBuddy(helpPathEdit_);
    helpGroup_ = PlaceControl(new FrameGroupBox(QStringLiteral("&Help"), this), base, "HelpGroup",
                              -1, {5, 85, 65, 40});
    introRadio_ = PlaceControl(new QRadioButton(QStringLiteral("&Intro"), this), base, "IntroRadio",
                               1010, {20, 95, 30, 10});
    detailsRadio_ = PlaceControl(new QRadioButton(QStringLiteral("&Details"), this), base,
                                 "DetailsRadio", 1011, {20, 110, 37, 10});
    auto* cancelButton = PlaceControl(new QPushButton(QStringLiteral("&Cancel"), this), base,
                                      "CancelButton", 2, {165, 85, 35, 15});
    okButton_ = PlaceControl(new QPushButton(QStringLiteral("OK"), this), base, "OkButton", 1,
                             {165, 110, 35, 15});
    okButton_->setDefault(true);
    auto* browseHelpButton = PlaceControl(new QPushButton(QStringLiteral("Browse"), this), base,
                                          "BrowseHelpButton", 1059, {165, 45, 35, 15});
    auto* browseBrowserButton = PlaceControl(new QPushButton(QStringLiteral("Browse"), this), base,
                                             "BrowseBrowserButton", 1058, {165, 10, 35, 15});
    // The group box only frames the radio buttons; it lies beneath them.
    helpGroup_->lower();

    connect(okButton_, &QPushButton::clicked, this, &SetupDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &SetupDialog::reject);
    connect(browseBrowserButton, &QPushButton::clicked, this, [this] { BrowseForBrowser(); });
    connect(browseHelpButton, &QPushButton::clicked, this, [this] { BrowseForHelp(); });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { ShowSetupHelp(); });
    helpPathEdit_->installEventFilter(this);
    helpGroup_->installEventFilter(this);
}

int SetupDialog::Open(Platform& platform, const AppPaths& paths, QWidget* owner) {
    SetupDialog dialog(platform, paths, owner);
    dialog.helpPath_ = GetSetting("Last", "Url", paths.appFolder, kReadLimit, paths.settingsFile);
    dialog.browserPath_ =
        GetSetting("Last", "Browser", kDefaultBrowser, kReadLimit, paths.settingsFile);
    // A missing "Intro" shows details here, though it means intro elsewhere.
    const std::string intro = GetSetting("Last", "Intro", "No", kReadLimit, paths.settingsFile);
    dialog.helpMode_ = IsIntroMode(intro) ? 0 : 1;

    dialog.UpdateData(false);
    return dialog.exec();
}

void SetupDialog::UpdateData(bool save) {
    if (save) {
        browserPath_ = ToBytes(browserEdit_->text());
        helpMode_ = introRadio_->isChecked() ? 0 : detailsRadio_->isChecked() ? 1 : -1;
        helpPath_ = ToBytes(helpPathEdit_->text());
        return;
    }
    if (ToBytes(browserEdit_->text()) != browserPath_) {
        browserEdit_->setText(ToQString(browserPath_));
    }
    if (helpMode_ == 0 || helpMode_ == 1) {
        (helpMode_ == 0 ? introRadio_ : detailsRadio_)->setChecked(true);
    } else {
        // Neither: the exclusive pair has to let go of its checked button.
        introRadio_->setAutoExclusive(false);
        detailsRadio_->setAutoExclusive(false);
        introRadio_->setChecked(false);
        detailsRadio_->setChecked(false);
        introRadio_->setAutoExclusive(true);
        detailsRadio_->setAutoExclusive(true);
    }
    if (ToBytes(helpPathEdit_->text()) != helpPath_) {
        helpPathEdit_->setText(ToQString(helpPath_));
    }
}

void SetupDialog::StoreHelpPath() {
    UpdateData(true);
    helpPath_ = WithTrailingSeparator(helpPath_, ThisHost());
    const SettingsAction leaving;
    SaveSetting(platform_, paths_, "Last", "Url", helpPath_);
    UpdateData(false);
}

void SetupDialog::ShowSetupHelp() {
    UpdateData(true);
    // The stored mode counts, not the radio button's current state.
    const std::string intro = GetSetting("Last", "Intro", "Yes", kReadLimit, paths_.settingsFile);
    const std::string notesFile = paths_.programFolder + kNotesFileName;
    const std::string helpFolder =
        HelpFolderOnDisk(ToBytes(helpPathEdit_->text()), paths_.appFolder, paths_.programFolder);
    const std::string browser = ToBytes(browserEdit_->text());
    const HelpStart start =
        SetupHelpStart(intro, browser, helpFolder, notesFile, ThisHost(), RealFileFacts());
    if (!Launch(platform_, start)) {
        platform_.ShowMessage(HelpNotStartedMessage(start, browser), kStyleExclamation,
                              paths_.displayName);
    }
}

void SetupDialog::BrowseForBrowser() {
    CLibBrowse dialog = CLibBrowse::ForBrowser(platform_);
    UpdateData(true);
    if (WithTrailingSeparator(browserPath_, ThisHost()) != browserPath_) {
        if (!dialog.SetFileName(browserPath_)) {
            platform_.ShowMessage("Drive:\\Path\\File too long!", kStyleExclamation,
                                  paths_.displayName);
        }
    }
    dialog.SetInitialFolder(LibraryDialogFolder(browserPath_));
    if (dialog.DoModal()) {
        browserPath_ = dialog.GetPathName();
    }
    UpdateData(false);
}

void SetupDialog::BrowseForHelp() {
    CLibBrowse dialog = CLibBrowse::ForHelpParent(platform_);
    UpdateData(true);
    const HostRules host = ThisHost();
    const std::string start = HelpBrowseStart(helpPath_, host);
    if (WithTrailingSeparator(start, host) != start) {
        if (!dialog.SetFileName(start + "QH_P.html")) {
            platform_.ShowMessage("Drive:\\Path\\File too long!", kStyleExclamation,
                                  paths_.displayName);
        }
    }
    dialog.SetInitialFolder(start);
    if (dialog.DoModal()) {
        // The folder of the chosen file, with its separator; written to the
        // settings file on OK or when the field next loses the focus.
        helpPath_ = LibraryDialogFolder(dialog.GetPathName());
    }
    UpdateData(false);
}

void SetupDialog::accept() {
    UpdateData(true);
    // Values that did not reach the file stay in the fields, so that the
    // user can try again or cancel.
    const SettingsAction confirming;
    const bool saved = SaveSettings(platform_, paths_, [this] {
        return WriteSettings({{"Last", "Browser", browserPath_},
                              {"Last", "Url", helpPath_},
                              {"Last", "Intro", helpMode_ == 0 ? "Yes" : "No"}},
                             paths_.settingsFile);
    });
    if (saved) {
        QDialog::accept();
    }
}

bool SetupDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == helpGroup_ && event->type() == QEvent::Shortcut) {
        // The group's mnemonic goes to its chosen radio button.
        (detailsRadio_->isChecked() ? detailsRadio_ : introRadio_)
            ->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (watched == helpPathEdit_ && event->type() == QEvent::FocusOut && !Ending() && isVisible() &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        helpPathEdit_->event(event);
        StoreHelpPath();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quill
