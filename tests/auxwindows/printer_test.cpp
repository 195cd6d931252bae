#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "auxwindows/printer.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "support/helpers.h"

namespace {

std::string shown() { return host::textviewtext(printerwindow); }

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(Printer, InitShowsRulerAndStartsOneUpdateThread) {
    const std::string log = logof([] {
        p_InitPrinter();
        p_Print("erste Zeile\n");
        ASSERT_TRUE(eventually([] { return shown() == "erste Zeile\n"; }));
        p_InitPrinter();  // empties the printout again but must not start a second thread
        sleepms(50);
    });

    EXPECT_EQ(host::rulertext(printerwindow),
              "L...!....1....!....2....!....3....!....4....!....5....!....6....!....7....!....8....!...."
              "9....!....0....!....1....!....2....!....3....!....4....!....5....!....R");
    EXPECT_EQ(printerruler().size(), 160u);
    EXPECT_EQ(occurrences(log, "p_PrinterAutoUpdateProcess: Start as thread #"), 1u) << log;
    EXPECT_EQ(shown(), "");
    EXPECT_TRUE(printer.printerbuffer.empty());
    EXPECT_TRUE(printer.printerupdaterunning);
}

TEST(Printer, PrintingBeforeInitIsRefused) {
    EXPECT_EQ(logof([] {
                  p_Print("verloren");
                  p_Print(std::vector<uint8_t>{65, 66});
              }),
              "p_Print: Virtual printer not initialized.\np_Print: Virtual printer not initialized.\n");
    EXPECT_TRUE(printer.printerbuffer.empty());
    EXPECT_FALSE(printer.printerchanged);
}

TEST(Printer, BuffersThatAreNotUtf8AreShownByteByByte) {
    // valid UTF-8 stays as it is, escapes included
    EXPECT_EQ(printertext({195, 164}), "\u00E4");
    EXPECT_EQ(printertext({27, 48, 48, 69, 52, 29}), std::string("\x1B" "00E4\x1D"));
    // one invalid byte switches the whole buffer to bytes, where the escape names a character
    EXPECT_EQ(printertext({228, 27, 48, 48, 69, 52, 29}), "\u00E4\u00E4");
    EXPECT_EQ(printertext({255, 27, 50, 48, 97, 99, 29, 65}), "\u00FF\u20AC" "A");  // lower-case hex
    // escapes that are cut short, malformed or name a surrogate are shown as their bytes
    EXPECT_EQ(printertext({228, 27, 48, 48, 69, 52}), "\u00E4\u001B" "00E4");
    EXPECT_EQ(printertext({228, 27, 48, 71, 69, 52, 29}), "\u00E4\u001B" "0GE4\u001D");
    EXPECT_EQ(printertext({228, 27, 68, 56, 48, 48, 29}), "\u00E4\u001B" "D800\u001D");
    // overlong forms, encoded surrogates, code points beyond U+10FFFF, cut sequences
    EXPECT_EQ(printertext({0xC0, 0x80}), "\u00C0\u0080");
    EXPECT_EQ(printertext({0xED, 0xA0, 0x80}), "\u00ED\u00A0\u0080");
    EXPECT_EQ(printertext({0xF4, 0x90, 0x80, 0x80}), "\u00F4\u0090\u0080\u0080");
    EXPECT_EQ(printertext({0x41, 0xE2, 0x82}), "A\u00E2\u0082");
    EXPECT_EQ(printertext({0xF0, 0x9F, 0x98, 0x80}), "\U0001F600");
}

TEST(Printer, ViewFollowsTheBufferAcrossAppendsAndRedecoding) {
    p_InitPrinter();
    p_Print("Summe: ");
    ASSERT_TRUE(eventually([] { return shown() == "Summe: "; }));
    p_Print(std::vector<uint8_t>{52, 50, 10});
    ASSERT_TRUE(eventually([] { return shown() == "Summe: 42\n"; }));
    // a lone 228 makes the whole printout invalid UTF-8: it is decoded anew, byte by byte
    p_Print(std::vector<uint8_t>{228, 27, 48, 48, 69, 52, 29});
    ASSERT_TRUE(eventually([] { return shown() == "Summe: 42\n\u00E4\u00E4"; }));
    // p_SetPrinter replaces the text; the next update brings the whole printout back
    p_SetPrinter("anders");
    EXPECT_EQ(shown(), "anders");
    p_Print("!");
    EXPECT_TRUE(eventually([] { return shown() == "Summe: 42\n\u00E4\u00E4!"; }));
    EXPECT_TRUE(printerclear());
    EXPECT_EQ(shown(), "");
    sleepms(150);
    EXPECT_EQ(shown(), "");  // nothing decoded before the clear comes back after it
}

TEST(Printer, UpdatesComeAtMostEvery101Milliseconds) {
    p_InitPrinter();
    p_Print("a");
    ASSERT_TRUE(eventually([] { return shown() == "a"; }));
    const int64_t updates = printer.printerupdates;
    const int64_t last = printer.printerlastupdate;
    // two changes right after an update make one update, not before 101 ms have passed
    p_Print("b");
    p_Print("c");
    ASSERT_TRUE(eventually([] { return shown() == "abc"; }));
    sleepms(250);
    EXPECT_EQ(printer.printerupdates, updates + 1);
    EXPECT_GE(printer.printerlastupdate - last, printerinterval);

    // a steady stream of prints costs one update per interval, not one per print
    const auto start = std::chrono::steady_clock::now();
    const int64_t before = printer.printerupdates;
    std::string expected = "abc";
    for (int i = 0; i < 100; ++i) {
        p_Print("x");
        expected += "x";
        sleepms(5);
    }
    ASSERT_TRUE(eventually([&] { return shown() == expected; }));
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start).count();
    EXPECT_LE(printer.printerupdates - before, elapsed / printerinterval + 1);
}
