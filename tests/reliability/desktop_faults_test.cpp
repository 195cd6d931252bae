// The desktop not holding what the program expects: no audio device for the alert of a refused
// menu command. The device is taken away here, whatever the machine has: the sound server's
// address points nowhere before anything in this process asks for one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "host/menus.h"
#include "sound/alert.h"
#include "sound/sound_output.h"
#include "support/helpers.h"

namespace {

// Before main, so that no thread can be reading the environment while it changes.
const bool nosoundserver = ::setenv("PULSE_SERVER", "unix:/nonexistent/stangenspiel-test-no-sound", 1) == 0;

}  // namespace

TEST(DesktopFaults, RefusedMenuCommandsAlertWithoutASoundDeviceAndTheProgramGetsThem) {
    ASSERT_TRUE(nosoundserver);
    restartsoundoutput(false);  // the desktop's own sound server, which is not there
    t_InitGraphicWindow(0, 32, true, 64, 48, 4, 4, t_Font{}, true);
    const int64_t before = menueventtotal();
    const std::string log = logof([] {
        // Copy picture and copy text with no framework window in front: an alert each, in quick
        // succession. Each alert runs on a thread of its own; every one must end, none hang.
        for (int64_t i = 0; i < 10; ++i) host::runsync([i] { (void)host::choosemenuitem(110 + i % 2); });
        EXPECT_TRUE(eventually([] { return alertspending() == 0; }, 10000));
    });
    // The desktop beep stands in for the sound, said once, not once per alert.
    std::vector<std::string> alerts;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("playalert: ", 0) == 0) alerts.push_back(line);
    EXPECT_EQ(alerts, std::vector<std::string>{"playalert: No audio output, sound is off."}) << log;
    EXPECT_EQ(menueventtotal(), before + 10);  // and the program still got every command
}
