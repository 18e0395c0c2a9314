// The Setup dialog as a user works it: its Browse buttons, its F1 help, what
// reaches the settings file and when, and an OK that cannot save.

#include "window/dialogs/SetupDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "UnsavableSettings.h"
#include "WindowHarness.h"

namespace quill {
namespace {

class SetupDialogTest : public ::testing::Test {
protected:
    // Opens the dialog as SetupButton does; `drive` works it and closes it.
    void Run(const std::function<void(SetupDialog&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<SetupDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            driven = true;
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            drive(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                dialog->reject();
            }
        });
        SetupDialog::Open(files.platform, paths, nullptr);
        EXPECT_TRUE(driven) << "no setup dialog ran";
    }

    template <typename Widget = QLineEdit>
    static Widget* Get(SetupDialog& d, const char* name) {
        return d.findChild<Widget*>(QString::fromLatin1(name));
    }
    // Clicks into the field, selects all of it and types `text` over it.
    static void Retype(SetupDialog& d, const char* field, const std::string& text) {
        ClickInto(Get(d, field));
        QTest::keyClick(Get(d, field), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Get(d, field), QString::fromStdString(text));
    }

    WindowHarness files{false};
    AppPaths paths{files.folder, files.folder, files.folder + "Quill.ini", "Quill"};
};

TEST_F(SetupDialogTest, BrowseHelpKeyLeaveTheHelpPathAndOk) {
    const std::string viewer = files.WriteFile("bin/viewer", "#!/bin/sh\n");
    files.SetSetting("Last", "Intro", "No");
    files.SetSetting("Last", "Browser", "/usr/bin/webview");
    files.SetSetting("Last", "Url", "/srv/manual");
    files.platform.chosenFiles = {viewer, std::string("/srv/guide/index.html")};
    Run([&](SetupDialog& d) {
        EXPECT_TRUE(Get<QRadioButton>(d, "DetailsRadio")->isChecked());
        // The Browse buttons fill the fields from where they point.
        QTest::mouseClick(Get<QPushButton>(d, "BrowseBrowserButton"), Qt::LeftButton);
        QTest::mouseClick(Get<QPushButton>(d, "BrowseHelpButton"), Qt::LeftButton);
        EXPECT_EQ(Get(d, "HelpPathEdit")->text(), QStringLiteral("/srv/guide/"));
        // F1 follows the stored mode, not the radio button, and the fields as
        // they stand; a browser that cannot be started is told.
        QTest::mouseClick(Get<QRadioButton>(d, "IntroRadio"), Qt::LeftButton);
        QTest::keyClick(Get<QRadioButton>(d, "IntroRadio"), Qt::Key_F1);
        files.platform.startsWork = false;
        QTest::keyClick(Get<QRadioButton>(d, "IntroRadio"), Qt::Key_F1);
        files.platform.startsWork = true;
        // Leaving the help path stores it at once, with a separator; the
        // other fields wait for OK.
        Retype(d, "HelpPathEdit", "/docs/help");
        QTest::keyClick(Get(d, "HelpPathEdit"), Qt::Key_Tab);
        EXPECT_EQ(Get(d, "HelpPathEdit")->text(), QStringLiteral("/docs/help/"));
        EXPECT_EQ(files.Setting("Last", "Url"), "/docs/help/");
        EXPECT_EQ(files.Setting("Last", "Browser"), "/usr/bin/webview");
        // Enter in the help path field: OK without the focus leaving it, so
        // no separator is added.
        Retype(d, "HelpPathEdit", "/srv/doc");
        QTest::keyClick(Get(d, "HelpPathEdit"), Qt::Key_Return);
    });
    EXPECT_EQ(files.Setting("Last", "Intro"), "Yes");
    EXPECT_EQ(files.Setting("Last", "Browser"), viewer);
    EXPECT_EQ(files.Setting("Last", "Url"), "/srv/doc");
    const std::string start = "start: " + viewer + " /srv/guide/QHS_B.html";
    EXPECT_EQ(files.platform.log,
              (Texts{"dialog: Select Browser", "dialog: Help Parent", start, start,
                     Msg(48, "Could not open the help page\n/srv/guide/QHS_B.html\nThe browser\n" +
                                 viewer + "\ncould not be started.")}));
    std::string seen;
    for (const FileDialogRequest& request : files.platform.dialogs) {
        seen += request.initialName + " in " + request.initialFolder + "\n";
    }
    EXPECT_EQ(seen, "/usr/bin/webview in /usr/bin/\n/srv/manualQH_P.html in /srv/manual\n");
}

#ifndef _WIN32
TEST_F(SetupDialogTest, OkThatCannotSaveSaysSoAndKeepsTheDialogOpen) {
    files.SetSetting("Last", "Browser", "/b");
    const ReadOnly readOnly(files.PathOf("Quill.ini"));
    if (!readOnly.Made()) {
        GTEST_SKIP() << "this system cannot make a file read-only for its user";
    }
    Run([&](SetupDialog& d) {
        Retype(d, "BrowserEdit", "/other");
        QTest::mouseClick(Get<QPushButton>(d, "OkButton"), Qt::LeftButton);
        EXPECT_EQ(files.platform.log,
                  Texts{Msg(48, "Could not save the settings to " + files.PathOf("Quill.ini") +
                                    ": the file is read-only.")});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Get(d, "BrowserEdit")->text(), QStringLiteral("/other"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(files.Setting("Last", "Browser"), "/b");
}
#endif

}  // namespace
}  // namespace quill
