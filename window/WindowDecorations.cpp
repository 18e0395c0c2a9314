// The finishing touches of the window: tooltips, the about item of the
// window menu, the icons and the minimize button.

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

#include "core/help/ToolTipTexts.h"
#include "window/MainWindow.h"
#include "window/dialogs/AboutBox.h"

#ifdef _WIN32
#include "window/platform/WindowsApi.h"
#endif

namespace quill {

namespace {

constexpr const char* kAboutItemText = "&About Quill...";
constexpr unsigned kAboutCommand = 16;

}  // namespace

void MainWindow::SetUpToolTips() {
    for (const ToolTipText& tip : kToolTipTexts) {
        if (auto* control =
                findChild<QWidget*>(QString::fromLatin1(tip.control), Qt::FindDirectChildrenOnly)) {
            control->setToolTip(QString::fromLatin1(tip.text));
        }
    }
}

void MainWindow::AddAboutMenuItem() {
#ifdef _WIN32
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu != nullptr) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, kAboutCommand, kAboutItemText);
    }
#else
    // Where the desktop offers no window menu of its own, Alt+Space opens ours.
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this] { ShowWindowMenu(mapToGlobal(QPoint(0, 0))); });
#endif
}

// The window menu of desktops that have none for this window: the usual
// commands, a separator and the about item.
void MainWindow::ShowWindowMenu(const QPoint& where) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("WindowMenu"));
    menu.addAction(QStringLiteral("Mi&nimize"), this, [this] { showMinimized(); });
    menu.addAction(QStringLiteral("&Close"), this, [this] { close(); });
    menu.addSeparator();
    menu.addAction(QString::fromLatin1(kAboutItemText), this, [this] { ShowAboutBox(); });
    menu.exec(where);
}

void MainWindow::ShowAboutBox() {
    AboutBox about(this);
    about.exec();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
#ifdef _WIN32
    QDialog::contextMenuEvent(event);
#else
    // Only the window's background: the controls have menus of their own.
    if (childAt(event->pos()) == nullptr) {
        ShowWindowMenu(event->globalPos());
        event->accept();
        return;
    }
    QDialog::contextMenuEvent(event);
#endif
}

#ifdef _WIN32
bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (eventType == "windows_generic_MSG" && msg->message == WM_SYSCOMMAND &&
        (msg->wParam & 0xFFF0u) == kAboutCommand) {
        ShowAboutBox();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

}  // namespace quill
