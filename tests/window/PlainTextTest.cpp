// Library texts that look like markup are shown as they stand: labels, lists,
// tooltips and message boxes never read them as markup, so a tag naming a
// file never opens it. Help that cannot be shown says what was tried.

#include <sys/inotify.h>
#include <unistd.h>

#include <QHelpEvent>
#include <QMessageBox>
#include <QTextDocumentFragment>
#include <QToolTip>

#include "WindowHarness.h"
#include "window/platform/QtPlatform.h"

namespace quill {
namespace {

// An image file at `path` that notes being opened.
class OpenTrap {
public:
    explicit OpenTrap(std::string path) : path_(std::move(path)) {
        std::ofstream(path_) << "GIF89a";
        EXPECT_GE(inotify_add_watch(watch_, path_.c_str(), IN_OPEN), 0) << path_;
    }
    ~OpenTrap() { ::close(watch_); }
    bool Opened() const {
        char events[256];
        return ::read(watch_, events, sizeof events) > 0;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
};

std::string Img(const std::string& path, const char* blank = " ") {
    return "<img" + std::string(blank) + "src=\"" + path + "\">";
}

class PlainText : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string img = Img(trap.Path(), "\f");
        entry = "int " + Img(trap.Path()) + " Tag<b>" + img + "Foo(int a<b>, int b" + img + ")";
        const std::string library = harness.WriteFile("lib/Tags.h", entry + ";\n");
        harness.WriteFile("lib/Tags.c", "/**\n * @brief <b>Bold</b> " + img +
                                            "\n * @param a<b> :{" + img + ",<b>two</b>}\n */\n" +
                                            entry + "\n");
        harness.Start(library);
    }

    WindowHarness harness{false};
    const WindowControls& ui = harness.ui;
    OpenTrap trap{harness.folder + "pic.gif"};
    std::string entry;
};

TEST_F(PlainText, ChosenFunctionShowsItsTagsAsTheyStand) {
    harness.Choose(entry);
    const std::string img = "<img\fsrc=\"" + trap.Path() + "\">";
    const QLabel* const labels[] = {ui.typeLabel, ui.functionLabel, ui.paramLabels[0],
                                    ui.paramLabels[1]};
    std::string shown;
    for (const QLabel* label : labels) {
        shown += ToBytes(label->text()) + (label->textFormat() == Qt::PlainText ? "|" : "(rich)|");
    }
    EXPECT_EQ(shown, "int " + Img(trap.Path()) + "|Tag<b>" + img + "Foo|a<b>|b" + img + "|");
    EXPECT_EQ(Entries(ui.paramCombos[0]), (Texts{img, "<b>two</b>"}));

    // Everything drawn: the window, and the open list of choices.
    harness.window->grab();
    ui.paramCombos[0]->QComboBox::showPopup();
    ui.paramCombos[0]->view()->window()->grab();
    ui.paramCombos[0]->QComboBox::hidePopup();
    EXPECT_FALSE(trap.Opened());
}

TEST_F(PlainText, ToolTipsShowTheirTextAsItStands) {
    ClickLabel* label = ui.paramLabels[0];
    label->show();
    const std::string tip = "Values from " + Img(trap.Path()) + " <b>x</b>\nsecond  line";
    label->setToolTip(ToQString(tip));
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), label->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(label, &help);
    ASSERT_TRUE(QToolTip::isVisible());
    QLabel* tipLabel = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("qtooltip_label")) {
            tipLabel = qobject_cast<QLabel*>(widget);
        }
    }
    ASSERT_NE(tipLabel, nullptr);
    tipLabel->grab();
    EXPECT_EQ(ToBytes(QTextDocumentFragment::fromHtml(tipLabel->text()).toPlainText()), tip);
    QToolTip::hideText();
    EXPECT_FALSE(trap.Opened());
}

TEST(PlainTextMessage, MessageBoxShowsItsTextAsItStands) {
    QTemporaryDir dir;
    OpenTrap trap(dir.path().toStdString() + "/pic.gif");
    const std::string text = "Could not start " + Img(trap.Path(), "\f") + ".exe\n<b>x</b>";
    std::string shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->grab();
        shown = ToBytes(box->text()) + (box->textFormat() == Qt::PlainText ? "" : "(rich)");
        box->button(QMessageBox::Ok)->click();
    });
    QtPlatform platform;
    EXPECT_EQ(platform.ShowMessage(text, kStyleExclamation, "Quill"), kAnswerOk);
    EXPECT_EQ(shown, text);
    EXPECT_FALSE(trap.Opened());
}

// Help that could not be started names what was tried, from the button and
// from F1 alike.
TEST(HelpFailure, ButtonAndF1SayWhatCouldNotBeStarted) {
    WindowHarness h;
    h.platform.startsWork = false;
    const std::string browser = h.WriteFile("bin/browser", "#!/bin/sh\n");
    h.SetSetting("Last", "Intro", "No");
    h.SetSetting("Last", "Browser", browser);
    const std::string page = h.folder + "quill/QH_P.html";
    const Texts told{"start: " + browser + " " + page,
                     Msg(48, "Could not open the help page\n" + page + "\nThe browser\n" + browser +
                                 "\ncould not be started.")};
    EXPECT_EQ(h.Click(h.ui.Find<QPushButton>("HelpButton")), told);
    h.platform.log.clear();
    QTest::keyClick(h.window.get(), Qt::Key_F1);
    EXPECT_EQ(h.platform.log, told);
}

}  // namespace
}  // namespace quill
