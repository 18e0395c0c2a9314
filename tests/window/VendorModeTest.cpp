// A header without its .c, read in vendor mode, then switched off from the
// library list's context menu.

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include "WindowHarness.h"

namespace quill {
namespace {

TEST(VendorModeWindow, HeaderOnlyLibraryWithoutBoxesUntilSwitchedOff) {
    WindowHarness harness(false);
    const std::string header = harness.WriteFile(
        "lib/Dev.h",
        "/** Opens a device.\n * @param mode :{DEV_RD,DEV_WR}\n */\nint dev_open(int id,\n"
        "             int mode);\nvoid dev_close(int id);\n");
    harness.Start(header);
    harness.platform.log.clear();

    harness.Choose("int dev_open(int id, int mode)");
    EXPECT_EQ(Entries(harness.ui.functionCombo),
              (Texts{"int dev_open(int id, int mode)", "void dev_close(int id)"}));
    EXPECT_EQ(harness.ui.Row(), "id<>,mode[DEV_RD])");
    harness.Choose("void dev_close(int id)");
    EXPECT_EQ(harness.Shown(),
              "No .c beside the header, and no documentation block stands before dev_close in "
              "it.\n");
    EXPECT_EQ(harness.platform.log, Texts{});  // not one message box

    // The context menu switches the library to the plain rules, and the file keeps it.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 4), QPoint(4, 4));
    QCoreApplication::sendEvent(harness.ui.libraryCombo, &click);
    auto* menu = harness.window->findChild<QMenu*>("libraryMenu");
    ASSERT_NE(menu, nullptr);
    QAction* vendor = menu->findChild<QAction*>("vendorModeAction");
    EXPECT_TRUE(vendor->isChecked());
    vendor->trigger();
    menu->close();
    EXPECT_EQ(harness.Setting("VendorMode", header), "off");
    harness.Choose("void dev_close(int id)");
    EXPECT_EQ(Entries(harness.ui.functionCombo), Texts{"void dev_close(int id)"});
    EXPECT_FALSE(harness.platform.log.empty());
}

}  // namespace
}  // namespace quill
