// The desktop not holding what the program expects: no audio device (CI machines have none) for
// the alert of a refused menu command.
#include <gtest/gtest.h>

#include "host/menus.h"
#include "support/helpers.h"

TEST(DesktopFaults, RefusedMenuCommandsAlertWithoutASoundDeviceAndTheProgramCarriesOn) {
    t_InitGraphicWindow(0, 8, true, 64, 48, 4, 4, t_Font{}, true);
    const int64_t before = menueventtotal();
    // Copy picture and copy text with no framework window in front: an alert each, in quick succession.
    for (int64_t i = 0; i < 10; ++i) host::runsync([i] { (void)host::choosemenuitem(110 + i % 2); });
    t_WindowFront(0);
    host::runsync([] { (void)host::choosemenuitem(111); });  // a window in front: its screen is copied
    EXPECT_EQ(menueventtotal(), before + 11);
}
