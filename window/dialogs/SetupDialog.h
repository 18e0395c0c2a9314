#pragma once
// The Setup dialog: the web browser program, the help folder and the help
// mode (intro or details) that the help operations read. Filled from the
// settings file when it opens; the three values are written back by OK, and
// the help folder on its own whenever its field loses the focus.

#include <string>

#include "core/settings/AppPaths.h"
#include "window/widgets/EndingDialog.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace quill {

class Platform;

class SetupDialog : public EndingDialog {
    Q_OBJECT

public:
    SetupDialog(Platform& platform, AppPaths paths, QWidget* parent = nullptr);

    // The SetupButton's work once the selection lists are closed: fills a
    // dialog from the settings file and runs it. Returns the dialog's result.
    static int Open(Platform& platform, const AppPaths& paths, QWidget* owner);

    // Moves the bound values between the members and the controls.
    void UpdateData(bool save);

    // Handlers.
    void StoreHelpPath();     // HelpPathEdit lost the focus
    void ShowSetupHelp();     // F1 in the dialog
    void BrowseForBrowser();  // BrowseBrowserButton
    void BrowseForHelp();     // BrowseHelpButton

    // OK and Enter: the controls' values are written to the settings file;
    // the dialog stays open when that fails.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();

    Platform& platform_;
    const AppPaths paths_;

    // Bound values.
    std::string browserPath_;  // BrowserEdit
    int helpMode_ = -1;        // 0 intro, 1 details, -1 none chosen
    std::string helpPath_;     // HelpPathEdit

    QLineEdit* browserEdit_ = nullptr;
    QLineEdit* helpPathEdit_ = nullptr;
    QGroupBox* helpGroup_ = nullptr;
    QRadioButton* introRadio_ = nullptr;
    QRadioButton* detailsRadio_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace quill
