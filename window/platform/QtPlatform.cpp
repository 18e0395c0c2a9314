#include "window/platform/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <algorithm>

#include "window/platform/QtText.h"

#ifdef _WIN32
#include "window/platform/WindowsApi.h"

#include <cstring>

#include "window/platform/WindowsProcess.h"
#endif

namespace quill {

namespace {

// The window that owns the dialogs: the active one, else any visible top level.
QWidget* OwnerWindow() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

// The icon bits of a Windows message box style.
QMessageBox::Icon IconForStyle(unsigned style) {
    switch (style & 0xF0u) {
        case 0x10u:
            return QMessageBox::Critical;
        case 0x20u:
            return QMessageBox::Question;
        case 0x30u:
            return QMessageBox::Warning;
        case 0x40u:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtPlatform::ShowMessage(const std::string& text, unsigned style, const std::string& caption) {
    const bool yesNo = (style & 0x0Fu) == 4u;  // the Yes/No button set
    QMessageBox box(IconForStyle(style), ToQString(caption), QString(),
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, OwnerWindow());
    // Messages quote paths and library texts: never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(text));
    if (yesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    if ((style & 0x1000u) != 0) {
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return kAnswerOk;
        case QMessageBox::Yes:
            return kAnswerYes;
        case QMessageBox::No:
            return kAnswerNo;
        default:
            return yesNo ? kAnswerNo : kAnswerCancel;
    }
}

QString FilterPattern(const std::string& pattern) {
#ifdef _WIN32
    return ToQString(pattern);
#else
    // "*.*" stands for every file; here it would need a dot in the name.
    return pattern == "*.*" ? QStringLiteral("*") : ToQString(pattern);
#endif
}

QString FilterEntry(const FileFilter& filter) {
    // The dialog shows the name only (its details are hidden), and takes
    // the patterns from the parentheses at the end.
    return ToQString(filter.displayName) + QStringLiteral(" (") + FilterPattern(filter.pattern) +
           QLatin1Char(')');
}

std::optional<std::string> QtPlatform::ChooseFile(const FileDialogRequest& request) {
    // The native dialog cannot be relabelled.
    QFileDialog dialog(OwnerWindow(), ToQString(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist is taken as it is.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::FileName, ToQString(request.fileNameLabel));
    dialog.setLabelText(QFileDialog::Accept, ToQString(request.acceptLabel));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters << FilterEntry(filter);
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    if (!request.initialFolder.empty()) {
        dialog.setDirectory(ToQString(request.initialFolder));
    }
    if (!request.initialName.empty()) {
        dialog.selectFile(ToQString(request.initialName));
        // The name field shows the whole starting path, not only its last part.
        if (auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            nameField->setText(ToQString(request.initialName));
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return ToBytes(QDir::toNativeSeparators(chosen.front()));
}

bool QtPlatform::StartProgram(const std::string& program, const std::string& parameters) {
    QStringList arguments;
    if (!parameters.empty()) {
        arguments << ToQString(parameters);
    }
    return QProcess::startDetached(ToQString(program), arguments);
}

bool QtPlatform::OpenInTextEditor(const std::string& path) {
#ifdef _WIN32
    return StartProgram("notepad", path);
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
#endif
}

namespace {

// How often the window is repainted while a program runs.
constexpr int kPaintIntervalMs = 50;
// The most of a program's standard output that is kept.
constexpr std::size_t kMaxProgramOutput = 64 * 1024;
// What a program that crashed reports in place of an exit status.
constexpr int kCrashedStatus = 255;

// Lets the window repaint (and answer the window system) while input stays
// queued until the program has ended.
void KeepWindowPainted() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

int QtPlatform::RunProgramAndWait(const std::string& programPath, std::string& output) {
    output.clear();
    // A zero byte would cut the name short and start another file.
    if (programPath.empty() || programPath.find('\0') != std::string::npos) {
        return -1;
    }
#ifdef _WIN32
    return RunWindowsProgramAndWait(programPath, kPaintIntervalMs, KeepWindowPainted);
#else
    QProcess process;
    // An absolute path: a bare name is not looked for along PATH.
    process.setProgram(QFileInfo(ToQString(programPath)).absoluteFilePath());
    // Its standard output is its answer; its errors go where Quill's go.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted(-1)) {
        return -1;
    }
    // Read as it comes, so that a talkative program never blocks on a full
    // pipe; what is past the limit is read and dropped.
    const auto take = [&process, &output] {
        const QByteArray bytes = process.readAllStandardOutput();
        const std::size_t room = kMaxProgramOutput - std::min(output.size(), kMaxProgramOutput);
        output.append(bytes.constData(), std::min(room, static_cast<std::size_t>(bytes.size())));
    };
    while (!process.waitForFinished(kPaintIntervalMs)) {
        take();
        if (process.state() == QProcess::NotRunning) {
            break;
        }
        KeepWindowPainted();
    }
    take();
    // A program that crashed did start: only a failed start gives -1.
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : kCrashedStatus;
#endif
}

bool QtPlatform::PlaceOnClipboard(const std::string& text) {
#ifdef _WIN32
    // OEM text: the format other programs of the kit paste from.
    QWidget* owner = OwnerWindow();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (block == nullptr) {
        return false;
    }
    void* memory = GlobalLock(block);
    if (memory == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(memory, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    HWND window = owner != nullptr ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
    if (!OpenClipboard(window)) {
        // Held by another program: its content stays, without a message.
        GlobalFree(block);
        return true;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_OEMTEXT, block) == nullptr) {
        GlobalFree(block);
    }
    CloseClipboard();
    return true;
#else
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setText(ToQString(text));
    return true;
#endif
}

}  // namespace quill
