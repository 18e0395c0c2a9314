// The help button, F1, the setup button and the first look of the window,
// as a user meets them.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "WindowHarness.h"
#include "window/widgets/DialogUnits.h"

namespace quill {
namespace {

// The button and F1 follow the settings (the decisions themselves are tested
// in the core); F1 leaves an open list open, the button closes it.
TEST(Help, ButtonAndF1StartWhatTheSettingsSay) {
    WindowHarness h;
    h.SetSetting("Last", "Intro", "Yes");
    h.OpenAllLists();
    QTest::keyClick(h.window.get(), Qt::Key_F1);
    EXPECT_EQ(h.Lists(), "1234");
    QTest::mouseClick(h.ui.Find<QPushButton>("HelpButton"), Qt::LeftButton);
    EXPECT_EQ(h.Lists(), "X");
    EXPECT_EQ(h.platform.log, Texts(2, "editor: " + h.folder + "Quill.txt"));
}

TEST(Help, SetupButtonOpensTheSetupDialog) {
    WindowHarness h;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        opened = dialog != nullptr && dialog->objectName() == QStringLiteral("SetupDialog");
        if (dialog != nullptr) {
            QTest::keyClick(dialog, Qt::Key_Return);
        }
    });
    QTest::mouseClick(h.ui.Find<QPushButton>("SetupButton"), Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_EQ(h.Setting("Last", "Intro"), "No");
}

TEST(WindowLook, FirstFocusMinimizeBoxAndTheFunctionList) {
    WindowHarness h;
    EXPECT_EQ(QApplication::focusWidget(), h.ui.unlistButton);
    EXPECT_TRUE(h.window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    // Enter right after the start does not end the program.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(h.window->isVisible());

    // 5,000 functions: a scrolled list below the field, at most 105 units high.
    auto* functions = h.ui.functionCombo;
    std::vector<std::string> entries;
    for (int i = 0; i < 5000; ++i) {
        entries.push_back("void glFunction" + std::to_string(i) + "(int iValue)");
    }
    functions->AddStrings(entries);
    QWidget* popup = functions->view()->window();
    functions->QComboBox::showPopup();
    ASSERT_TRUE(popup->isVisible());
    const int box = MapDialogRect(BaseUnitsOf(h.window->font()), 0, 0, 0, 105).height();
    EXPECT_GE(popup->frameGeometry().top(),
              functions->mapToGlobal(QPoint(0, functions->height())).y() - 1);
    EXPECT_LE(popup->height(), box);
    EXPECT_TRUE(functions->view()->verticalScrollBar()->isVisible());
    functions->QComboBox::hidePopup();
}

}  // namespace
}  // namespace quill
