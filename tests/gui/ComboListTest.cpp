// The drop-down list of a big combo box: below its field, no taller than the
// box the window design gives it, scrolled.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "app/ControlWidgets.h"

namespace quill {
namespace {

TEST(ComboList, ALongListOpensBelowItsFieldAsTallAsItsBoxWithAScrollBar) {
    for (const bool editable : {false, true}) {
        SCOPED_TRACE(editable ? "editable" : "drop-down list");
        QWidget window;
        window.resize(800, 600);
        auto* combo = new NotifyingComboBox(&window);
        combo->setEditable(editable);
        combo->setGeometry(10, 40, 500, 180);  // 180 px: field and list together
        combo->FitBoxHeight();
        combo->OpenListBelowField();
        std::vector<std::string> entries;
        for (int i = 0; i < 5000; ++i) {
            entries.push_back("void Function" + std::to_string(i) + "(int iValue)");
        }
        combo->AddStrings(entries);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        combo->showPopup();
        QWidget* popup = combo->view()->window();
        ASSERT_TRUE(popup->isVisible());
        const QRect field(combo->mapToGlobal(QPoint(0, 0)), combo->size());
        const QRect list = popup->frameGeometry();
        EXPECT_GE(list.top(), field.bottom()) << "the list covers its field";
        EXPECT_LE(list.height(), 180 - combo->height() + 4);
        EXPECT_GE(list.height(), (180 - combo->height()) / 2);
        EXPECT_TRUE(combo->view()->verticalScrollBar()->isVisible());
        combo->hidePopup();
    }
}

}  // namespace
}  // namespace quill
