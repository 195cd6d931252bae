// The virtual printer: its ruler and update thread, decoding, the paced view.
#include <gtest/gtest.h>

#include <string>

#include "auxwindows/printer.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "support/helpers.h"

namespace {

std::string shown() { return host::textviewtext(printerwindow); }

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
    const size_t start = log.find("p_PrinterAutoUpdateProcess: Start as thread #");
    EXPECT_TRUE(start != std::string::npos && start == log.rfind("p_PrinterAutoUpdateProcess: Start")) << log;
    EXPECT_EQ(shown(), "");
    EXPECT_TRUE(printer.printerbuffer.empty());
    EXPECT_TRUE(printer.printerupdaterunning);
}

TEST(Printer, PrintingBeforeInitIsRefused) {
    const std::string refused = "p_Print: Virtual printer not initialized.\n";
    EXPECT_EQ(logof([] { p_Print("verloren"); }) + logof([] { p_Print(std::vector<uint8_t>{65, 66}); }), refused + refused);
    EXPECT_TRUE(printer.printerbuffer.empty());
    EXPECT_FALSE(printer.printerchanged);
}

// Valid UTF-8 stays as it is, escapes included; one invalid byte switches the whole buffer to
// bytes, where the escape 27 hhhh 29 names a character.
TEST(Printer, BuffersThatAreNotUtf8AreShownByteByByte) {
    const std::pair<Bytes, std::string> cases[] = {
        {{195, 164}, "\u00E4"},
        {{27, 48, 48, 69, 52, 29}, "\x1B" "00E4\x1D"},
        {{228, 27, 48, 48, 69, 52, 29}, "\u00E4\u00E4"},
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
        {{0xF0, 0x9F, 0x98, 0x80}, "\U0001F600"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(printertext(bytes), text) << bytes.size() << " bytes";
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
}
