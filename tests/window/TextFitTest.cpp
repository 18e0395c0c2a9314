// No text is cut off: every caption of the main window and the Setup dialog
// fits its control at the laid-out size, and a name too long for its label
// shows shortened with the whole of it in the tooltip.

#include <QGroupBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QToolTip>

#include "WindowHarness.h"
#include "window/dialogs/SetupDialog.h"

namespace quill {
namespace {

// The pixels by which the caption of `control` is wider than the room its
// control gives it; 0 or less when it fits, and for controls without one.
// A label counts as too narrow when it shortens its text.
int Overflow(const QWidget* control) {
    const QStyle* style = control->style();
    const QFontMetrics metrics = control->fontMetrics();
    const auto width = [&](const QString& text) {
        return metrics.size(Qt::TextShowMnemonic, text).width();
    };
    if (const auto* label = qobject_cast<const PlainLabel*>(control)) {
        return label->IsElided() ? 1 : 0;
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(control)) {
        return width(radio->text()) + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) - radio->width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return width(button->text()) -
               style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return width(group->title()) + 2 * metrics.averageCharWidth() - group->width();
    }
    return 0;
}

Texts Overflowing(const QWidget& window) {
    Texts names;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (control->isVisibleTo(&window) && Overflow(control) > 0) {
            names.push_back(control->objectName().toStdString());
        }
    }
    return names;
}

TEST(TextFit, EveryCaptionOfTheMainWindowAndSetupFits) {
    WindowHarness harness(Example("Pwm.h"));
    harness.Choose("void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)");
    EXPECT_EQ(Overflowing(*harness.window), Texts{});
    SetupDialog setup(harness.platform, AppPaths{harness.folder, harness.folder,
                                                 harness.folder + "Quill.ini", "Quill"});
    setup.show();
    EXPECT_EQ(Overflowing(setup), Texts{});
}

TEST(TextFit, ALongFunctionNameShowsShortenedWithTheWholeNameInItsTooltip) {
    WindowHarness harness(false);
    const std::string name = "pio_sm_set_consecutive_pindirs_with_irq_enabled";
    harness.Start(harness.WriteFile("lib/Pio.h", "void " + name + "(int iPin);\n"));
    ClickLabel* label = harness.ui.functionLabel;
    harness.Choose("void " + name + "(int iPin)");
    EXPECT_EQ(label->text().toStdString(), name);  // what the window reads back
    EXPECT_TRUE(label->IsElided());
    EXPECT_TRUE(label->toolTip().isEmpty());
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &help);
    EXPECT_TRUE(QToolTip::text().contains(QString::fromStdString(name)));
    QToolTip::hideText();
}

}  // namespace
}  // namespace quill
