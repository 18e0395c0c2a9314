// The Setup dialog as a user works it: what it shows, what reaches the
// settings file and when, its F1 help and its two Browse buttons.

#include "window/dialogs/SetupDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "UnsavableSettings.h"
#include "WindowHarness.h"

namespace quill {
namespace {

class SetupDialogTest : public ::testing::Test {
protected:
    // Opens the dialog as SetupButton does; `drive` works it and closes it.
    int Run(const std::function<void(SetupDialog&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<SetupDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            driven = true;
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            drive(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                dialog->reject();
            }
        });
        const int result = SetupDialog::Open(files.platform, paths, nullptr);
        EXPECT_TRUE(driven) << "no setup dialog ran";
        return result;
    }

    static QLineEdit* Edit(SetupDialog& d, const char* name) {
        return d.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static QRadioButton* Radio(SetupDialog& d, const char* name) {
        return d.findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    static QPushButton* Button(SetupDialog& d, const char* name) {
        return d.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Clicks into `field`, selects all of it and types `text` over it.
    static void Retype(QLineEdit* field, const std::string& text) {
        ClickInto(field);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromStdString(text));
    }

    WindowHarness files{false};
    AppPaths paths{files.folder, files.folder, files.folder + "Quill.ini", "Quill"};
};

TEST_F(SetupDialogTest, ShowBrowseLeaveTheHelpPathAndOk) {
    files.SetSetting("Last", "Browser", "/usr/bin/webview");
    files.SetSetting("Last", "Url", "/srv/manual");
    files.platform.chosenFiles = {std::string("/opt/web/viewer"),
                                  std::string("/srv/guide/index.html")};
    const int result = Run([&](SetupDialog& d) {
        // Without "Intro", Details is chosen; nothing is written while the
        // dialog just shows its values.
        EXPECT_TRUE(Radio(d, "DetailsRadio")->isChecked());
        EXPECT_EQ(Edit(d, "HelpPathEdit")->text(), QStringLiteral("/srv/manual"));
        EXPECT_EQ(files.Setting("Last", "Intro"), "<missing>");
        // The Browse buttons fill the fields from where they point.
        QTest::mouseClick(Button(d, "BrowseBrowserButton"), Qt::LeftButton);
        QTest::mouseClick(Button(d, "BrowseHelpButton"), Qt::LeftButton);
        EXPECT_EQ(Edit(d, "BrowserEdit")->text() + Edit(d, "HelpPathEdit")->text(),
                  QStringLiteral("/opt/web/viewer/srv/guide/"));
        EXPECT_EQ(files.Setting("Last", "Url"), "/srv/manual");
        // Leaving the help path stores it at once, with a separator; the
        // other fields wait for OK.
        Retype(Edit(d, "HelpPathEdit"), "/docs/help");
        QTest::keyClick(Edit(d, "HelpPathEdit"), Qt::Key_Tab);
        EXPECT_EQ(Edit(d, "HelpPathEdit")->text(), QStringLiteral("/docs/help/"));
        EXPECT_EQ(files.Setting("Last", "Url"), "/docs/help/");
        EXPECT_EQ(files.Setting("Last", "Browser"), "/usr/bin/webview");
        // Enter in the help path field: OK without the focus leaving it, so
        // no separator is added.
        Retype(Edit(d, "HelpPathEdit"), "/srv/doc");
        QTest::keyClick(Edit(d, "HelpPathEdit"), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(files.Setting("Last", "Intro"), "No");
    EXPECT_EQ(files.Setting("Last", "Browser"), "/opt/web/viewer");
    EXPECT_EQ(files.Setting("Last", "Url"), "/srv/doc");
    std::string seen;
    for (const FileDialogRequest& request : files.platform.dialogs) {
        seen += request.title + ": " + request.initialName + " in " + request.initialFolder + "\n";
    }
    EXPECT_EQ(seen,
              "Select Browser: /usr/bin/webview in /usr/bin/\n"
              "Help Parent: /srv/manualQH_P.html in /srv/manual\n");
}

#ifndef _WIN32
TEST_F(SetupDialogTest, F1FollowsTheStoredModeNotTheRadioButtonAndTheFieldsAsTheyStand) {
    const std::string viewer = files.WriteFile("bin/viewer", "#!/bin/sh\n");
    files.SetSetting("Last", "Intro", "No");
    Run([&](SetupDialog& d) {
        QTest::mouseClick(Radio(d, "IntroRadio"), Qt::LeftButton);
        Retype(Edit(d, "BrowserEdit"), viewer);
        Retype(Edit(d, "HelpPathEdit"), "/h elp/");
        QTest::keyClick(Radio(d, "IntroRadio"), Qt::Key_F1);
        // A browser that cannot be started is told.
        files.platform.startsWork = false;
        QTest::keyClick(Radio(d, "IntroRadio"), Qt::Key_F1);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(
        files.platform.log,
        (Texts{"start: " + viewer + " /h elp/QHS_B.html", "start: " + viewer + " /h elp/QHS_B.html",
               "message 48 Quill: Could not open the help page\n/h elp/QHS_B.html\nThe "
               "browser\n" +
                   viewer + "\ncould not be started."}));
}
#endif

#ifndef _WIN32
TEST_F(SetupDialogTest, OkThatCannotSaveSaysSoAndKeepsTheDialogOpen) {
    files.SetSetting("Last", "Browser", "/b");
    const ReadOnly readOnly(files.PathOf("Quill.ini"));
    if (!readOnly.Made()) {
        GTEST_SKIP() << "this system cannot make a file read-only for its user";
    }
    const int result = Run([&](SetupDialog& d) {
        Retype(Edit(d, "BrowserEdit"), "/other");
        QTest::mouseClick(Button(d, "OkButton"), Qt::LeftButton);
        EXPECT_EQ(files.platform.log,
                  Texts{Msg(48, "Could not save the settings to " + files.PathOf("Quill.ini") +
                                    ": the file is read-only.")});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Edit(d, "BrowserEdit")->text(), QStringLiteral("/other"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(files.Setting("Last", "Browser"), "/b");
}
#endif

}  // namespace
}  // namespace quill
