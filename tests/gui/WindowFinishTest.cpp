// The help button, F1, the helpers button, the tooltips, the about item and
// the list boxes of the two big drop-downs, as a user meets them.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <map>

#include "WindowHarness.h"
#include "app/AboutBox.h"
#include "app/DialogUnits.h"
#include "app/HelpDecisions.h"

namespace quill {
namespace {

TEST(Tooltips, EveryControlOfTheTableHasItsTextAndNoOtherHasOne) {
    WindowHarness h;
    const std::map<std::string, std::string> expected = {
        {"CopyButton", "Places function text in clipboard."},
        {"HelpersButton", "Click to launch helper application."},
        {"UnlistButton", "Click to remove library from library list."},
        {"ParamList1", "Hold Ctl for multiple selection."},
        {"ParamList2", "Hold Ctl for multiple selection."},
        {"ParamList3", "Hold Ctl for multiple selection."},
        {"ParamList4", "Hold Ctl for multiple selection."},
        {"ParamCombo1", "Select value from list."},
        {"ParamCombo2", "Select value from list."},
        {"ParamCombo3", "Select value from list."},
        {"ParamCombo4", "Select value from list."},
        {"ParamEdit1", "Details of Parameter selection."},
        {"ParamEdit2", "Details of Parameter selection."},
        {"ParamEdit3", "Details of Parameter selection."},
        {"ParamEdit4", "Details of Parameter selection."},
        {"ShowButton", "Click to show header file in Source Code window."},
        {"AddButton", "Browse to add another library."},
        {"ParamLabel1", "Click to go to details in Source Code."},
        {"ParamLabel2", "Click to go to details in Source Code."},
        {"ParamLabel3", "Click to go to details in Source Code."},
        {"ParamLabel4", "Click to go to details in Source Code."},
        {"SetupButton", "Click to open Setup window."},
        {"HelpButton", "Click to open help."},
    };
    int named = 0;
    for (QWidget* control :
         h.window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const std::string name = control->objectName().toStdString();
        if (!control->property("controlId").isValid()) {
            continue;
        }
        const auto it = expected.find(name);
        EXPECT_EQ(control->toolTip().toStdString(), it == expected.end() ? "" : it->second) << name;
        named += it != expected.end() ? 1 : 0;
    }
    EXPECT_EQ(named, static_cast<int>(expected.size()));
}

#ifndef _WIN32
TEST(Help, ButtonAndF1FollowTheModeAndWhatTheHelpFolderHolds) {
    struct Case {
        const char* name;
        const char* intro;  // nullptr: no key
        bool browserSet;    // else the default, which names no program here
        std::vector<std::string> files;
        const char* button;  // after "start: " or "editor: ", <f> the folder
        const char* key;
    };
    const Case cases[] = {
        {"no settings: intro mode",
         nullptr,
         false,
         {"quill/QH_P.html"},
         "editor: <f>Quill.txt",
         "editor: <f>Quill.txt"},
        {"page present",
         "No",
         true,
         {"quill/QH_P.html", "QuillHelp.exe"},
         "start: <b> <f>quill/QH_P.html",
         "start: <b> <f>quill/QH_P.html"},
        {"only the help program",
         "no",
         true,
         {"QuillHelp.exe"},
         "start: <f>QuillHelp.exe ",
         "start: <b> <f>quill/QH_P.html"},
        {"neither",
         "No",
         true,
         {},
         "start: <b> <f>quill/QH_P.html",
         "start: <b> <f>quill/QH_P.html"},
        {"the default browser",
         "No",
         false,
         {"quill/QH_P.html"},
         "start: xdg-open <f>quill/QH_P.html",
         "start: xdg-open <f>quill/QH_P.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        const std::string browser = h.WriteFile("bin/viewer", "#!/bin/sh\n");
        for (const std::string& file : c.files) {
            h.WriteFile(file, "x");
        }
        if (c.intro != nullptr) {
            h.SetSetting("Last", "Intro", c.intro);
        }
        if (c.browserSet) {
            h.SetSetting("Last", "Browser", browser);
        }
        const auto expand = [&](std::string text) {
            for (const auto& [mark, value] :
                 {std::pair<std::string, std::string>{"<f>", h.folder}, {"<b>", browser}}) {
                for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
                    text.replace(at, mark.size(), value);
                }
            }
            return text;
        };
        QTest::mouseClick(h.ui.Find<QPushButton>("HelpButton"), Qt::LeftButton);
        QTest::keyClick(h.window.get(), Qt::Key_F1);
        EXPECT_EQ(h.platform.log, (Texts{expand(c.button), expand(c.key)}));
    }
}
#endif

TEST(Help, F1LeavesAnOpenListOpenAndTheButtonClosesIt) {
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

#ifndef _WIN32
TEST(WindowMenu, TheAboutItemOpensTheAboutBox) {
    WindowHarness h;
    QString menuText;
    QString aboutTitle;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        QAction* about = menu->actions().last();
        menuText = about->text();
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (box != nullptr) {
                aboutTitle = box->windowTitle();
                EXPECT_NE(box->findChild<QLabel*>(QStringLiteral("VersionLabel")), nullptr);
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        about->trigger();
        menu->close();
    });
    // Alt+Space, as on a desktop without a window menu of its own.
    QTest::keyClick(h.window.get(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_EQ(menuText, QStringLiteral("&About Quill..."));
    EXPECT_EQ(aboutTitle, QStringLiteral("About Quill"));
    EXPECT_TRUE(h.window->isVisible());
}
#endif

TEST(WindowLook, FirstFocusMinimizeBoxDefaultLooksAndTheFunctionList) {
    WindowHarness h;
    EXPECT_EQ(QApplication::focusWidget(), h.ui.unlistButton);
    EXPECT_TRUE(h.window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    // Enter right after the start does not end the program.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(h.window->isVisible());

    // Enter still ends the window through ExitButton, whatever looks default.
    auto* copy = h.ui.copyButton;
    auto* exit = h.ui.exitButton;
    EXPECT_FALSE(copy->isDefault());
    EXPECT_NE(copy->style(), exit->style());

    // 5,000 functions: a scrolled list below the field, in the design's box.
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
