// The text views of the printer, the console and the pasteboard: decoding, pacing, clearing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "auxwindows/console.h"
#include "auxwindows/printer.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "host/host.h"
#include "support/helpers.h"
#include "windows/window_placement.h"
#include "windows/video_memory.h"

namespace {

bool shows(uint8_t window, const std::string& text) {
    return eventually([&] { return host::textviewtext(window) == text; }, 1000);
}

// Valid UTF-8 stays as it is, escapes included; one invalid byte switches the whole buffer to
// bytes, where the escape 27 hhhh 29 names a character.
TEST(Printer, BuffersThatAreNotUtf8AreShownByteByByte) {
    const std::pair<Bytes, std::string> cases[] = {
        {{27, 48, 48, 69, 52, 29}, "\x1B" "00E4\x1D"},
        {{255, 27, 50, 48, 97, 99, 29, 65}, "\u00FF\u20AC" "A"},  // lower-case hex
        // escapes that are cut short, malformed or name a surrogate are shown as their bytes
        {{228, 27, 48, 48, 69, 52}, "\u00E4\u001B" "00E4"},
        {{228, 27, 48, 71, 69, 52, 29}, "\u00E4\u001B" "0GE4\u001D"},
        {{228, 27, 68, 56, 48, 48, 29}, "\u00E4\u001B" "D800\u001D"},
        // overlong forms, encoded surrogates, code points beyond U+10FFFF, cut sequences
        {{0xC0, 0x80}, "\u00C0\u0080"},
        {{0xED, 0xA0, 0x80}, "\u00ED\u00A0\u0080"},
        {{0xF4, 0x90, 0x80, 0x80}, "\u00F4\u0090\u0080\u0080"},
        {{0x41, 0xE2, 0x82}, "A\u00E2\u0082"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(printertext(bytes), text) << bytes.size() << " bytes";
}

// Printing waits for p_InitPrinter, which shows the ruler. The view follows appends at a paced
// rate, decodes the whole printout anew once it is no longer UTF-8, and an init empties it for good.
TEST(Printer, ViewFollowsTheBufferAcrossAppendsAndRedecoding) {
    EXPECT_EQ(logof([] { p_Print("verloren"); }), "p_Print: Virtual printer not initialized.\n");
    p_InitPrinter();
    EXPECT_EQ(host::rulertext(printerwindow),
              "L...!....1....!....2....!....3....!....4....!....5....!....6....!....7....!....8....!...."
              "9....!....0....!....1....!....2....!....3....!....4....!....5....!....R");
    p_Print("Summe: 42\n");
    ASSERT_TRUE(shows(printerwindow, "Summe: 42\n"));
    // Two changes right after an update make one update, not before 101 ms have passed.
    const int64_t updates = printer.printerupdates, last = printer.printerlastupdate;
    p_Print(std::vector<uint8_t>{228});
    p_Print("!");
    ASSERT_TRUE(shows(printerwindow, "Summe: 42\n\u00E4!"));
    sleepms(250);
    EXPECT_EQ(printer.printerupdates, updates + 1);
    EXPECT_GE(printer.printerlastupdate - last, printerinterval);
    // p_SetPrinter replaces the text; the next update brings the whole printout back.
    p_SetPrinter("anders");
    EXPECT_EQ(host::textviewtext(printerwindow), "anders");
    p_Print("?");
    EXPECT_TRUE(shows(printerwindow, "Summe: 42\n\u00E4!?"));
    p_InitPrinter();
    sleepms(150);
    EXPECT_EQ(host::textviewtext(printerwindow), "") << "nothing decoded before the init comes back after it";
}

TEST(Console, KeepsOnlyTheNewestWholeLinesBeyondItsBound) {
    waitforframework();
    const std::string line(99, 'x');
    const size_t lines = consolebufferbound / 100 + 2000;
    for (size_t i = 0; i < lines; ++i) c_Print(std::to_string(i % 10) + line.substr(1) + "\n");
    std::string kept;
    {
        std::lock_guard<std::mutex> guard(console.buffermutex);
        kept.assign(console.consolebuffer.begin(), console.consolebuffer.end());
    }
    EXPECT_TRUE(kept.size() <= consolebufferbound && kept.size() >= consolebufferbound / 2) << kept.size();
    EXPECT_EQ(kept.size() % 100, 0u);
    EXPECT_EQ(kept.substr(kept.size() - 100), std::to_string((lines - 1) % 10) + line.substr(1) + "\n");
}

TEST(Pasteboard, ShowsTheClipboardTextAsItWasWhenShown) {
    waitforframework();
    host::setclipboardtext("Zug 1 von 7");
    t_WindowVisible(pasteboardwindow, true);
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "Zug 1 von 7");

    host::setclipboardtext("Zug 2 von 7");
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "Zug 1 von 7");  // not followed while open
    t_WindowFront(pasteboardwindow);
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "Zug 2 von 7");
}

}  // namespace
