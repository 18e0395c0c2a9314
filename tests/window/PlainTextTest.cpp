// Library texts that look like markup are shown as they stand: labels, lists,
// tooltips and message boxes never read them as markup, so a tag naming a
// file never opens it. The tags name a FIFO that notes any opening and lets
// it go on, so that a regression fails instead of hanging. Help that cannot
// be shown says what was tried.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QHelpEvent>
#include <QMessageBox>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <atomic>
#include <chrono>
#include <thread>

#include "WindowHarness.h"
#include "window/platform/QtPlatform.h"

namespace quill {
namespace {

// A FIFO at `path`. A reader waiting in open() is let go by a writer end
// opened and closed at once, and is noted.
class FifoTrap {
public:
    explicit FifoTrap(std::string path) : path_(std::move(path)) {
        EXPECT_EQ(mkfifo(path_.c_str(), 0600), 0) << path_;
        watcher_ = std::thread([this] {
            while (!stop_) {
                const int end = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (end >= 0) {  // only with a reader
                    opened_ = true;
                    ::close(end);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~FifoTrap() {
        stop_ = true;
        watcher_.join();
        ::unlink(path_.c_str());
    }
    bool Opened() const { return opened_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread watcher_;
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
    FifoTrap trap{harness.PathOf("fifo")};
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
    FifoTrap trap(dir.path().toStdString() + "/fifo");
    const std::string text = "Could not start " + Img(trap.Path(), "\f") + ".exe\n<b>x</b>";
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            box->grab();
            shown = box->text();
            format = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        }
    });
    QtPlatform platform;
    EXPECT_EQ(platform.ShowMessage(text, kStyleExclamation, "Quill"), kAnswerOk);
    EXPECT_EQ(ToBytes(shown), text);
    EXPECT_EQ(format, Qt::PlainText);
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
