#include <gtest/gtest.h>

#include "host/host.h"

// Whether or not the machine has an audio device, a burst of alerts plays (or beeps) and
// the GUI thread stays responsive.
TEST(AlertSound, NeverBlocksTheCallerAndSurvivesABurst) {
    for (int i = 0; i < 20; ++i) host::playalert();
    host::runsync([] {});  // the queued alerts have run on the GUI thread
    host::playalert();
    host::runsync([] {});
}
