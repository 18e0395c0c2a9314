#include "window/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>

#include "core/platform/Platform.h"
#include "core/text/NoText.h"
#include "window/widgets/ControlWidgets.h"
#include "window/widgets/DialogUnits.h"

// Resources live in the static window library; make sure they are linked in.
static void InitQuillResources() {
    Q_INIT_RESOURCE(quill);
}

namespace quill {

MainWindow::MainWindow(Platform& platformToUse, AppPaths appPaths, QWidget* parent)
    : EndingDialog(parent), platform(platformToUse), paths(std::move(appPaths)) {
    InitQuillResources();
    appIcon = QIcon(QStringLiteral(":/icons/quill128.png"));
    CreateControls();
    // The controls in the order they were made.
    std::vector<QWidget*> controls;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->property("controlId").isValid()) {
            controls.push_back(child);
        }
    }
    ApplyTabOrder(controls);
    ApplyStackingOrder(controls);
    RouteEvents();
}

MainWindow::~MainWindow() = default;

void MainWindow::OnInitDialog() {
    // Bind the controls: the members' initial values go into them, which
    // empties the parameter labels, TypeLabel and FunctionLabel.
    UpdateData(false);

    SetUpToolTips();
    AddAboutMenuItem();

    sourceFont = SourceFont(logicalDpiX());
    sourcePane->setFont(sourceFont);
    functionCombo->setFont(sourceFont);
    libraryCombo->setFont(sourceFont);
    functionCombo->FitBoxHeight();
    libraryCombo->FitBoxHeight();

    SetWindowIcons();
    SetMarkButtonImage();

    helperProgram = std::string(kNoText);  // no helper program

    LoadStartupLibrary();

    UpdateData(false);
    MeasureLayout();
    // The first tab stop takes the focus, not the default button.
    unlistButton->setFocus(Qt::TabFocusReason);
}

void MainWindow::LoadStartupLibrary() {
    if (LoadLibraryList() != 0) {
        startupLibrary = libraryCombo->SelectedText();
        // Scan, show the library when it has functions, empty the list: it is
        // filled again, with the stored choice selected, whenever it opens.
        RunLibraryChangeSequence(startupLibrary);
    }
}

void MainWindow::SetWindowIcons() {
    // Every size drawn, so that the desktop picks the one it shows.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        appIcon.addFile(QStringLiteral(":/icons/quill128-%1.png").arg(size), QSize(size, size));
    }
    setWindowIcon(appIcon);
}

void MainWindow::SetMarkButtonImage() {
    quillMarkButton->setIcon(QIcon(QStringLiteral(":/icons/quillmark129.png")));
}

int MainWindow::ShowMessage(const std::string& text, unsigned style) {
    return platform.ShowMessage(text, style, paths.displayName);
}

// The OK command (ExitButton, Enter): the controls' values are saved first.
void MainWindow::accept() {
    UpdateData(true);
    QDialog::accept();
}

// The close box, the window menu's Close and Alt+F4 end the dialog with
// result OK but without saving the controls' values.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (Ending() || !isVisible()) {
        event->accept();
        return;
    }
    done(QDialog::Accepted);
    event->accept();
}

}  // namespace quill
