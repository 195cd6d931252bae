#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "text/font_resource.h"
#include "text/glyphs.h"
#include "text/key_input.h"
#include "text/text_areas.h"
#include "text_fixture.h"

using TextOutput = TextScreen;

// Control codes, display modes, UTF-8 and escape commands, one after another on one screen.
TEST_F(TextOutput, ControlCodesModesAndEscapes) {
    maketextwindow(0, 8, 80, 4);
    const std::string line2 = "BAMBA?[228]???g";
    play({
        {print("ABCDEF\b\bx\ny\x1E\x1Ez"), "      z|ABCDxF|     y| @8,1 C0 m0"},  // up past the top scrolls down
        // home, right twice, clear to the end of the line; down, clear to the end of the window
        {print("\x19\x1C\x1C\x1D\n\x0B"), "|AB|| @3,2 C0 m0"},
        {print("\x0Fi"), "|ABi|| @4,2 C0i m0"},                     // inverse
        {print("\x11n"), "|ABin|| @5,2 C0 m0"},                    // reverse
        {print("\x1A\x14" "A"), "|[193]|| @2,2 C0 m1"},              // column 1, clear the line
        {print("\x1F" "a@"), "|[193][129][0]|| @4,2 C0 m2"},
        {print("\x13q\x1F"), "|[193][129][0]q|| @5,2 C0 m2"},  // 19 ends the mode before it maps q
        {print("\x0C" "A\rB", 0), "A|B|| @2,2 C0 m0"},             // home and clear everything
        {print("A\rB", 3), "A|BAMB|| @5,2 C0 m3"},
        {print("\x01\xE2\x82\xAC", 4), "A|BAMBA?|| @7,2 C0 m4"},  // code 1, U+20AC
        // U+00E4, scalars of three and four bytes beyond one byte, a malformed byte: one cell each.
        {print("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xFF", 0), "A|BAMBA?[228]???|| @11,2 C0 m0"},
        // Foreground 1, background 5; g is no command: printed, and the escape stays.
        {print("\x1B" "A" "\x1B" "U\x1Bg"), "A|BAMBA?[228]???g|| @12,2 15 m99"},
        {print("i"), "A|BAMBA?[228]???g|| @21,2 15 m0"},       // tab to column 21, which ends the escape
        {print("\x1Bk\x1Bj"), "A|BAMBA?[228]???g|| @61,2 15 m0"},  // to 41, then to 61
        {print("\x1Bj"), "A|" + line2 + "|| @1,3 15 m0"},  // 81 does not fit
        {print("\x1B" "f"), "A|" + line2 + "|| @80,3 15 m0"},
        {print("\x1B" "e\x1Bn"), "A|" + line2 + "|| @80,4 15 m0"},  // n, the border colour, prints nothing
    });
    // Inverse M for the return in mode 3; colour 1 for mode 4's character; the tab's blanks in
    // the current colour.
    EXPECT_EQ((Bytes{cellcolour(3, 2), cellcolour(4, 2), cellcolour(5, 2), cellcolour(6, 2), cellcolour(20, 2)}),
              (Bytes{0x0C, 0xC0, 0x10, 0x10, 0x15}));
}

TEST_F(TextOutput, FullWidthScrollMovesPlanesAndPixels) {
    maketextwindow(0, 24, 10, 3);
    const t_Window& w = record();
    play({{print("0123456789abcdefghij\x0FKLMNOPQRST"), "abcdefghij|KLMNOPQRST| @1,3 C0i m0"}});  // the wrap scrolls
    // The pixels of line 2 are the inverse glyphs: coverage 255 drew the background (black).
    EXPECT_EQ(framework.videomemory[pixeladdress(w, 15, 32 + 15) + 1], 0);
    // The blank line is drawn with the inverse video in force: green everywhere.
    EXPECT_EQ(memoryblock(pixeladdress(w, 0, 64), pixeladdress(w, 0, 64) + 2), (Bytes{0, 255, 0}));
    // With ScrollLock the last line is overwritten from its start.
    record().ScrollLock = true;
    play({{print("\x0EuvwxyzUVWXYZ"), "abcdefghij|KLMNOPQRST|YZwxyzUVWX @3,3 C0 m0"}});
}

// Redirected output goes out as UTF-8, controls written rather than executed, also from a window
// without text memory.
TEST_F(TextOutput, RedirectionSendsCharactersAndControlsToStandardOutput) {
    maketextwindow(0, 8, 4, 2);
    t_RedirectOutput(0, 2);
    EXPECT_EQ(logof([] { t_Print(0, "a\r\x0C"); }), "a\r\x0C");
    record().TextMemoryStart = record().TextMemoryEnd = -1;
    EXPECT_EQ(logof([] { t_PrintSymbol(0, 0xE4, 0xC0, 1, 1); }), "\xC3\xA4");
}

// Each refusal prints one line and draws nothing; a font that cannot draw still records the cell.
TEST_F(TextOutput, RefusalsReportOnce) {
    maketextwindow(0, 24, 4, 2);
    maketextwindow(1, 8, 4, 2);
    record(1).Font.Data.clear();
    const std::string coordinates = "t_PrintSymbol: Window #0 illegal coordinates ";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { t_Print(8, "x"); }, "t_Print: Window is not a graphic window.\n"},
        {[] { t_Print(1, "x"); }, "t_Print: Window #1 has no text font.\n"},
        {[] { t_PrintSymbol(0, 'A', 0xC0, INT64_MAX, INT64_MAX); },
         coordinates + "(x = 9223372036854775807, y = 9223372036854775807).\n"},
        {[] { t_TextHline(0, 3, 5, 2, '='); }, coordinates + "(x = 5, y = 2).\n"},
        {[] { record().Font.Format = 102; t_PrintSymbol(0, 'B', 0xC0, 1, 1); },
         "t_PrintSymbol: Font format must be uncompressed grey for text-printing.\n"},
        {[] { record().Font.Format = 7; t_PrintSymbol(0, 'C', 0xC0, 2, 1); }, "t_PrintSymbol: Illegal font format.\n"},
    };
    for (const auto& [action, said] : cases) EXPECT_EQ(logof(action), said);
    EXPECT_EQ(state(), "BC|  == @1,1 C0 m0");
}

// Ctrl-S as the newest key pauses printing until a key, which is used up, or a menu choice.
TEST_F(TextOutput, CtrlSPausesUntilAKeyOrAMenuChoice) {
    maketextwindow(0, 8, 10, 4);
    const std::function<void()> endings[] = {[] { typekey('z'); }, [] { appendmenuevent(t_MenuEvent{}); }};
    for (const auto& ending : endings) {
        typekey('a');
        typekey(19);
        std::thread typist([&] {
            sleepms(60);
            ending();
        });
        const auto start = std::chrono::steady_clock::now();
        t_Print(0, "AB");
        typist.join();
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
        EXPECT_EQ(keyeventcount(), 0) << "the queue was emptied and the ending key used up";
        EXPECT_EQ(currentkeyevent().Value, 'z');
    }
}

// On the GUI thread, where a terminate or save-graphic handler prints, nothing waits for a key:
// only that thread could deliver one. The pause is left for the program's next print.
TEST_F(TextOutput, NothingWaitsForAKeyOnTheGuiThread) {
    maketextwindow(0, 8, 10, 4);
    typekey(19);
    std::atomic<bool> done{false};
    std::string key = "-";
    int64_t left = 0;
    const std::string log = logof([&] {
        host::runasync([&] {
            t_Print(0, "AB\r");
            left = keyeventcount();
            clearkeyevents();
            key = t_GetKey(0);
            done = true;
        });
        eventually([&] { return done.load(); }, 1000);
        for (int i = 0; i < 100 && !done; ++i) typekey('x'), sleepms(20);  // frees a GUI thread caught waiting
    });
    EXPECT_EQ(key, "");
    EXPECT_EQ(log, "t_GetKey: The GUI thread cannot wait for a key.\n");
    EXPECT_EQ(state(), "AB||| @1,2 C0 m0");
    EXPECT_EQ(left, 1);
}
