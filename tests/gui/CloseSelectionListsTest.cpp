// Closing the parameter selection lists, and the focus events that do it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "WindowHarness.h"
#include "app/ControlWidgets.h"

namespace quill {
namespace {

const QRect kClosed(1, 1, 1, 1);

// Opens every selection list somewhere below the row and hides the two
// buttons an open list covers, as the selection lists do.
void OpenAllLists(MainWindow& window) {
    for (std::size_t k = 0; k < 4; ++k) {
        window.paramLists[k]->setGeometry(40 + 100 * static_cast<int>(k), 300, 90, 120);
        window.paramLists[k]->show();
    }
    window.exitButton->setGeometry(kClosed);
    window.exitButton->hide();
    window.helpersButton->setGeometry(kClosed);
    window.helpersButton->hide();
}

std::vector<QObject*> StackingOrder(const MainWindow& window) {
    std::vector<QObject*> order;
    for (QObject* child : window.children()) {
        order.push_back(child);
    }
    return order;
}

void SendFocus(QWidget* widget, QEvent::Type type, Qt::FocusReason reason) {
    QFocusEvent event(type, reason);
    QCoreApplication::sendEvent(widget, &event);
}

TEST(CloseSelectionLists, WithoutHelperBringsBackExitButtonOnly) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    ASSERT_EQ(window.helperProgram, "-");
    OpenAllLists(window);
    const auto order = StackingOrder(window);

    window.CloseSelectionLists();

    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_TRUE(window.paramLists[k]->isHidden());
        EXPECT_EQ(window.paramLists[k]->geometry(), kClosed);
    }
    EXPECT_FALSE(window.exitButton->isHidden());
    EXPECT_EQ(window.exitButton->geometry(), QRect(window.exitButtonPos, QSize(44, 30)));
    EXPECT_TRUE(window.helpersButton->isHidden());
    EXPECT_EQ(StackingOrder(window), order);
}

TEST(CloseSelectionLists, WithHelperBringsBackHelpersButtonToo) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    window.helperProgram = harness.PathOf("Pick.exe");
    OpenAllLists(window);
    const auto order = StackingOrder(window);

    window.CloseSelectionLists();

    EXPECT_FALSE(window.exitButton->isHidden());
    EXPECT_EQ(window.exitButton->geometry(), QRect(window.exitButtonPos, QSize(44, 30)));
    EXPECT_FALSE(window.helpersButton->isHidden());
    EXPECT_EQ(window.helpersButton->geometry(), QRect(window.helpersButtonPos, QSize(88, 23)));
    EXPECT_EQ(StackingOrder(window), order);
}

TEST(CloseSelectionLists, ButtonsReturnToWhereTheDesignPutsThem) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    const QPoint exitHome = window.exitButton->pos();
    const QPoint helpersHome = window.helpersButton->pos();
    window.helperProgram = harness.PathOf("Pick.exe");
    OpenAllLists(window);
    window.CloseSelectionLists();
    EXPECT_EQ(window.exitButton->pos(), exitHome);
    EXPECT_EQ(window.helpersButton->pos(), helpersHome);
}

TEST(CloseSelectionLists, TheKeptListIsLeftAsItIs) {
    for (int keep = 1; keep <= 4; ++keep) {
        SCOPED_TRACE(keep);
        WindowHarness harness;
        MainWindow& window = *harness.window;
        OpenAllLists(window);
        QListWidget* kept = window.paramLists[static_cast<std::size_t>(keep - 1)];
        const QRect keptPlace = kept->geometry();

        window.CloseSelectionLists(keep);

        EXPECT_FALSE(kept->isHidden());
        EXPECT_EQ(kept->geometry(), keptPlace);
        for (int k = 1; k <= 4; ++k) {
            if (k != keep) {
                EXPECT_TRUE(window.paramLists[static_cast<std::size_t>(k - 1)]->isHidden());
            }
        }
        EXPECT_FALSE(window.exitButton->isHidden());
    }
}

TEST(SelectionListFocus, FunctionListSourceAndLibraryCloseEveryList) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    for (QWidget* control : std::initializer_list<QWidget*>{window.functionCombo, window.sourcePane,
                                                            window.libraryCombo}) {
        SCOPED_TRACE(control->objectName().toStdString());
        OpenAllLists(window);
        SendFocus(control, QEvent::FocusIn, Qt::TabFocusReason);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_TRUE(window.paramLists[k]->isHidden());
        }
        EXPECT_FALSE(window.exitButton->isHidden());
    }
}

TEST(SelectionListFocus, AParameterDropDownKeepsItsOwnList) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    OpenAllLists(window);
    SendFocus(window.paramCombos[2], QEvent::FocusIn, Qt::MouseFocusReason);
    EXPECT_FALSE(window.paramLists[2]->isHidden());
    EXPECT_TRUE(window.paramLists[0]->isHidden());
    EXPECT_TRUE(window.paramLists[1]->isHidden());
    EXPECT_TRUE(window.paramLists[3]->isHidden());
}

TEST(SelectionListFocus, FocusLostOrRegainedWithTheWindowIsNoVisit) {
    WindowHarness harness;
    MainWindow& window = *harness.window;
    OpenAllLists(window);
    // A message box or another program took the focus and gave it back, or
    // the control's own list opened and closed.
    SendFocus(window.functionCombo, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    SendFocus(window.functionCombo, QEvent::FocusIn, Qt::PopupFocusReason);
    SendFocus(window.functionCombo, QEvent::FocusOut, Qt::TabFocusReason);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_FALSE(window.paramLists[k]->isHidden());
    }
    EXPECT_TRUE(window.exitButton->isHidden());
}

}  // namespace
}  // namespace quill
