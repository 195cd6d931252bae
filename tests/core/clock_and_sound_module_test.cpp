#include <gtest/gtest.h>

#include <dlfcn.h>

#include "core/clock.h"
#include "core/resources.h"

// A rate limit on the wall clock must not hold when the clock is set back.
TEST(Clock, WithinIntervalCountsAClockSetBackAsTimePassed) {
    for (const auto& [now, within] : {std::pair{1000, true}, {1100, true}, {1101, false}, {400, false}})
        EXPECT_EQ(withininterval(1000, now, 101), within) << now;
}

// The sound module is found from the running code and exports its entries.
TEST(SoundModule, IsFoundBesideTheFrameworkAndExportsItsEntries) {
    void* module = dlopen(modulepath("stangenspiel_sound.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    for (const char* entry : {"stangenspiel_openoutput", "stangenspiel_wakeoutput", "stangenspiel_closeoutput",
                              "stangenspiel_openfile", "stangenspiel_readfile", "stangenspiel_closefile"})
        EXPECT_NE(dlsym(module, entry), nullptr) << entry;
}
