// The system console: decoded writes, clearing, the bound on what it keeps.
#include <gtest/gtest.h>

#include <string>

#include "auxwindows/console.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "host/host.h"
#include "support/helpers.h"

namespace {

// The text view once the update thread has caught up with what was written.
std::string shownafter(const std::string& expected) {
    eventually([&] { return host::textviewtext(consolewindow) == expected; }, 1000);
    return host::textviewtext(consolewindow);
}

TEST(Console, WritesAppearDecodedLikeThePrinterAndClearingDropsThem) {
    waitforframework();
    c_Print("Start\n");
    EXPECT_EQ(shownafter("Start\n"), "Start\n");
    EXPECT_EQ(host::rulertext(consolewindow).size(), 160u);
    // Bytes that are not UTF-8 are characters of their own code; 27 hhhh 29 names any character.
    c_Print(std::vector<uint8_t>{228, 27, '2', '0', 'A', 'C', 29, '\n'});
    EXPECT_EQ(shownafter("Start\n\u00E4\u20AC\n"), "Start\n\u00E4\u20AC\n");
    c_Print("noch nicht gezeigt\n");  // cleared before the update thread shows it
    ASSERT_TRUE(consoleclear());
    c_Print("neu\n");
    EXPECT_EQ(shownafter("neu\n"), "neu\n");
}

TEST(Console, KeepsOnlyTheNewestLinesBeyondItsBound) {
    waitforframework();
    const std::string line(99, 'x');
    const size_t lines = consolebufferbound / 100 + 2000;
    for (size_t i = 0; i < lines; ++i) c_Print(std::to_string(i % 10) + line.substr(1) + "\n");
    std::string kept;
    {
        std::lock_guard<std::mutex> guard(console.buffermutex);
        kept.assign(console.consolebuffer.begin(), console.consolebuffer.end());
    }
    EXPECT_LE(kept.size(), consolebufferbound);
    EXPECT_GE(kept.size(), consolebufferbound / 2);
    EXPECT_EQ(kept.size() % 100, 0u);  // only whole lines went
    EXPECT_EQ(kept.substr(kept.size() - 100), std::to_string((lines - 1) % 10) + line.substr(1) + "\n");
    EXPECT_EQ(shownafter(kept).size(), kept.size());
}

}  // namespace
