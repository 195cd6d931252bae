#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>
#include <thread>

#include "text/font_resource.h"
#include "text/glyphs.h"
#include "text/key_input.h"
#include "text/text_areas.h"
#include "text_fixture.h"

using TextOutput = TextScreen;

namespace {

std::function<void()> mode(int64_t mode) {
    return [mode] { t_DisplayMode(0, mode); };
}

}  // namespace

// Control codes, display modes, UTF-8 and escape commands, one after another on one screen.
TEST_F(TextOutput, ControlCodesModesAndEscapes) {
    maketextwindow(0, 8, 80, 4);
    const std::string line2 = "BAMBA?[228]???g" + std::string(63, ' ') + "x";
    play({
        {print("ABCDEF\b\bx\ny\x1E\x1Ez"), "      z|ABCDxF|     y| @8,1 C0 m0"},  // up past the top scrolls down
        {print("\x19\x1C\x1C\x1D"), "|ABCDxF|     y| @3,1 C0 m0"},  // home, right twice, clear to the end of line
        {print("\n\x0B"), "|AB|| @3,2 C0 m0"},                    // down, clear to the end of the window
        {print("\x0Fi"), "|ABi|| @4,2 C0i m0"},                     // inverse
        {print("\x11n"), "|ABin|| @5,2 C0 m0"},                    // reverse
        {print("\x0En"), "|ABinn|| @6,2 C0 m0"},                   // normal
        {print("\x1A"), "||| @1,2 C0 m0"},                         // column 1, clear the line
        {print("\x14" "A"), "|[193]|| @2,2 C0 m1"},
        {print("\x1F" "a@"), "|[193][129][0]|| @4,2 C0 m2"},
        {print("\x13q\x1F"), "|[193][129][0]q|| @5,2 C0 m2"},  // 19 ends the mode before it maps q
        {print("\x0C"), "||| @1,1 C0 m2"},                         // home and clear everything
        {mode(0), "||| @1,1 C0 m0"},
        {print("A\rB"), "A|B|| @2,2 C0 m0"},
        {mode(3), "A|B|| @2,2 C0 m3"},
        {print("A\rB"), "A|BAMB|| @5,2 C0 m3"},
        {mode(4), "A|BAMB|| @5,2 C0 m4"},
        {print("\x01\xE2\x82\xAC"), "A|BAMBA?|| @7,2 C0 m4"},  // code 1, U+20AC
        {mode(0), "A|BAMBA?|| @7,2 C0 m0"},
        // U+00E4, scalars of three and four bytes beyond one byte, a malformed byte: one cell each.
        {print("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xFF"), "A|BAMBA?[228]???|| @11,2 C0 m0"},
        {print("\x1B" "F"), "A|BAMBA?[228]???|| @11,2 60 m0"},
        {print("\x1B" "A" "\x1B" "U"), "A|BAMBA?[228]???|| @11,2 15 m0"},  // foreground 1, background 5
        {print("\x1Bg"), "A|BAMBA?[228]???g|| @12,2 15 m99"},  // no command: printed, the escape stays
        {print("i"), "A|BAMBA?[228]???g|| @21,2 15 m0"},       // tab to column 21, which ends the escape
        {print("\x1Bk\x1Bj"), "A|BAMBA?[228]???g|| @61,2 15 m0"},  // to 41, then to 61
        {[] { t_Htab(0, 75); }, "A|BAMBA?[228]???g|| @75,2 15 m0"},
        {print("x\x1Bi"), "A|" + line2 + "|| @1,3 15 m0"},  // 81 does not fit
        {print("\x1B" "f"), "A|" + line2 + "|| @80,3 15 m0"},
        {print("\x1B" "e"), "A|" + line2 + "|| @80,4 15 m0"},
        {print("\x1Bn"), "A|" + line2 + "|| @80,4 15 m0"},  // border colour: prints nothing
    });
    // Inverse M for the return in mode 3; colour 1 for mode 4's character; the tab's blanks in
    // the current colour.
    EXPECT_EQ((Bytes{cellcolour(3, 2), cellcolour(4, 2), cellcolour(5, 2), cellcolour(6, 2), cellcolour(20, 2)}),
              (Bytes{0x0C, 0xC0, 0x10, 0x10, 0x15}));
    EXPECT_FALSE(record().TextInverse);
}

TEST_F(TextOutput, FullWidthScrollMovesPlanesAndPixels) {
    maketextwindow(0, 24, 10, 3);
    const t_Window& w = record();
    play({{print("0123456789abcdefghij\x0FKLMNOPQRST"), "abcdefghij|KLMNOPQRST| @1,3 C0i m0"}});  // the wrap scrolls
    // The pixels of line 2 are the inverse glyphs: coverage 255 drew the background (black).
    EXPECT_EQ(framework.videomemory[pixeladdress(w, 15, 32 + 15) + 1], 0);
    EXPECT_EQ(framework.videomemory[pixeladdress(w, 15, 15) + 1], 255) << "line 1 is a normal glyph";
    // The blank line is drawn with the inverse video in force: green everywhere.
    EXPECT_EQ(memoryblock(pixeladdress(w, 0, 64), pixeladdress(w, 0, 64) + 2), (Bytes{0, 255, 0}));
    // With ScrollLock the last line is overwritten from its start.
    record().ScrollLock = true;
    play({{print("\x0EuvwxyzUVWXYZ"), "abcdefghij|KLMNOPQRST|YZwxyzUVWX @3,3 C0 m0"}});
}

// Areas narrower than the screen scroll cell by cell; the cursor counts columns from the area.
TEST_F(TextOutput, AreasScrollAndPlaceTheCursor) {
    maketextwindow(0, 16, 8, 4);
    for (int64_t y = 1; y <= 4; ++y) t_TextHline(0, 1, 8, y, '#');
    const std::string hashes = "########|", around = "########|##    ##|##efgh##|######## ";
    play({
        {[] { t_Area(0, 3, 2, 6, 3); }, hashes + hashes + hashes + "######## @3,2 C0 m0"},
        {print("abcdefghijk"), "########|##efgh##|##ijk ##|######## @6,3 C0 m0"},  // the wrap after h scrolls the area
        {print("\x1E\x1E"), around + "@6,2 C0 m0"},                        // up past the area scrolls it down
        {[] { t_Area(0, 3, 2, 6, 2); }, around + "@3,2 C0 m0"},
        {print("wxy"), "########|##wxy ##|##efgh##|######## @6,2 C0 m0"},
        {[] { t_ScrollDown(0); }, around + "@6,2 C0 m0"},                     // a one-line area only blanks its line
        {[] { t_Htab(0, 1); }, around + "@3,2 C0 m0"},
        {print("\b"), around + "@6,2 C0 m0"},  // left at the first column: last column, one line up (scrolling)
        {[] { t_Area(0, 3, 3, 6, 4); }, around + "@3,3 C0 m0"},
        {[] { t_Vtab(0, 1); }, around + "@3,1 C0 m0"},                        // lines count from the screen
        {[] { t_Htab(0, 6); }, around + "@8,1 C0 m0"},                        // beyond the area, on the screen
        {[] { t_Htab(0, 7); }, around + "@8,1 C0 m0"},
        {[] { t_Htab(0, 0); }, around + "@8,1 C0 m0"},
        {[] { t_Htab(0, INT64_MAX); }, around + "@8,1 C0 m0"},
        {[] { t_Vtab(0, 5); }, around + "@8,1 C0 m0"},
        {[] { t_Vtab(0, INT64_MIN); }, around + "@8,1 C0 m0"},
        {print("\x1D"), around + "@8,1 C0 m0"},               // beyond the area's last column: clears nothing
        {[] { t_PrintTab(0, 5, '.'); }, around + "@8,1 C0 m0"},  // at or left of the cursor: nothing
        {[] { t_CursorHome(0); }, around + "@3,3 C0 m0"},
        {[] { t_PrintTab(0, 6, '.'); }, "########|##    ##|##...h##|######## @6,3 C0 m0"},
    });
}

TEST_F(TextOutput, RedirectionSendsCharactersAndControlsToStandardOutput) {
    maketextwindow(0, 8, 4, 2);
    t_RedirectOutput(0, 2);
    // The return is written, not executed; the wrap at the last cell scrolls, and the blanks
    // of that scroll go out as well.
    EXPECT_EQ(logof([] { t_Print(0, "ab\rcdefgh"); }), "ab\rcdefgh    ");
    EXPECT_EQ(state(), "| @1,2 C0 m0");
    t_RedirectOutput(0, 0);
    EXPECT_EQ(logof([] { t_Print(0, "xy\r"); }), "");
    EXPECT_EQ(record().TextHpos, 3);
}

// Each refusal prints one line and draws nothing; a font that cannot draw still records the cell.
TEST_F(TextOutput, RefusalsReportOnce) {
    maketextwindow(0, 24, 4, 2);
    maketextwindow(1, 8, 4, 2);
    record(1).Font.Data.clear();
    const std::string nowindow = ": Window is not a graphic window.\n", coordinates = "t_PrintSymbol: Window #0 illegal coordinates ";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { t_Print(8, "x"); }, "t_Print" + nowindow},
        {[] { t_Print(2, "x"); }, "t_Print: Window #2 not initialized.\n"},
        {[] { t_Print(1, "x"); }, "t_Print: Window #1 has no text font.\n"},
        {[] { t_Cr(5); }, "t_Cr: Window #5 not initialized.\n"},
        {[] { EXPECT_EQ(t_ApplyDisplayMode(9, 'x').Code, -2); }, "t_ApplyDisplayMode" + nowindow},
        {[] { EXPECT_EQ(t_ApplyDisplayMode(3, 'x').Colour, 0xF0); }, "t_ApplyDisplayMode: Window #3 not initialized.\n"},
        {[] { t_PrintSymbol(0, 'A', 0xC0, 5, 1); }, coordinates + "(x = 5, y = 1).\n"},
        {[] { t_PrintSymbol(0, 'A', 0xC0, 0, 1); }, coordinates + "(x = 0, y = 1).\n"},
        {[] { t_PrintSymbol(0, 'A', 0xC0, INT64_MAX, INT64_MAX); },
         coordinates + "(x = 9223372036854775807, y = 9223372036854775807).\n"},
        {[] { t_TextHline(0, 3, 5, 2, '='); }, coordinates + "(x = 5, y = 2).\n"},
        {[] { t_PrintSymbol(8, 'A', 0xC0, 1, 1); }, "t_PrintSymbol" + nowindow},
        {[] { t_PrintSymbol(3, 'A', 0xC0, 1, 1); }, "t_PrintSymbol: Window #3 not initialized.\n"},
        {[] { record().Font.Format = 102; t_PrintSymbol(0, 'B', 0xC0, 1, 1); },
         "t_PrintSymbol: Font format must be uncompressed grey for text-printing.\n"},
        {[] { record().Font.Format = 7; t_PrintSymbol(0, 'C', 0xC0, 2, 1); }, "t_PrintSymbol: Illegal font format.\n"},
        {[] { t_CursorOn(9); }, "t_CursorOn" + nowindow},
        {[] { t_CursorOff(4); }, "t_CursorOff: Window #4 not initialized.\n"},
        {[] { EXPECT_EQ(t_GetScreen(8, "\r"), ""); }, "t_GetScreen" + nowindow},
        {[] { EXPECT_EQ(t_GetScreen(4, "\r"), ""); }, "t_GetScreen: Window #4 not initialized.\n"},
        {[] { t_WindowFont(8, testfont()); }, "t_WindowFont" + nowindow},
        {[] { t_WindowFont(4, testfont()); }, "t_WindowFont: Window #4 not initialized.\n"},
    };
    for (const auto& [action, said] : cases) EXPECT_EQ(logof(action), said);
    EXPECT_EQ(state(), "BC|  == @1,1 C0 m0");
    EXPECT_EQ(state(1), "| @1,1 C0 m0");
    EXPECT_TRUE(record(4).Font.Data.empty());
}

// Any bytes in any mode, any window, any area and cursor, also with a font that does not fit
// the text memory: printing ends and nothing outside the window's blocks changes.
TEST_F(TextOutput, HostileOutputStaysInsideTheWindowsBlocks) {
    maketextwindow(1, 24, 12, 5);
    maketextwindow(0, 4, 9, 4);
    maketextwindow(2, 32, 7, 3);
    const int64_t low = record(2).TextMemoryStart;
    const Bytes before = memoryblock(low - 8192, low - 1), window1 = windowblocks(1);
    std::mt19937 random(7);
    const auto any = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(random); };
    logof([&] {
        for (int round = 0; round < 300; ++round) {
            const uint8_t window = static_cast<uint8_t>(round % 3 == 1 ? 2 : any(0, 9) == 0 ? 9 : 0);
            if (window < windowcount) {
                t_Window& w = record(window);
                if (round % 50 == 0) w.Font = testfont(any(1, 40), any(1, 60));
                t_Area(window, any(-2, 14), any(-2, 6), any(-2, 14), any(-2, 6));
                t_Htab(window, any(-2, 14));
                t_Vtab(window, any(-2, 6));
                t_DisplayMode(window, std::array<int64_t, 7>{0, 1, 2, 3, 4, 99, 57}[static_cast<size_t>(any(0, 6))]);
                w.ScrollLock = any(0, 5) == 0;
            }
            Bytes text(static_cast<size_t>(any(0, 60)));
            for (uint8_t& b : text) b = static_cast<uint8_t>(any(0, 255));
            if (any(0, 1)) t_Print(window, text);
            else t_Print(window, std::string(text.begin(), text.end()));
            t_PrintTab(window, any(0, 1) ? INT64_MAX : any(-5, 200), 'x');
            t_TextHline(window, INT64_MIN, INT64_MAX, any(-1, 7), '-');
            t_ClearEndOfWindow(window);
            t_ScrollUp(window);
            t_ScrollDown(window);
        }
    });
    EXPECT_EQ(memoryblock(low - 8192, low - 1), before);
    EXPECT_EQ(windowblocks(1), window1);
}

TEST_F(TextOutput, CtrlSPausesUntilAKeyAndUsesItUp) {
    maketextwindow(0, 8, 10, 4);
    // Types a key, or chooses a menu item, 60 ms after the print starts.
    const auto pauses = [](const std::string& text, const std::function<void()>& then) {
        std::thread typist([&] {
            sleepms(60);
            then();
        });
        const auto start = std::chrono::steady_clock::now();
        t_Print(0, text);
        typist.join();
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    };
    typekey('a');
    typekey(19);
    pauses("AB", [] { typekey('z'); });
    EXPECT_EQ(keyeventcount(), 0) << "the queue was emptied and the ending key used up";
    EXPECT_FALSE(eventstate.keyavailable);
    EXPECT_EQ(currentkeyevent().Value, 'z');
    EXPECT_EQ(state(), "AB||| @3,1 C0 m0");
    // A menu choice ends the pause as well, and leaves the key queue alone.
    typekey(19);
    pauses("\r", [] { appendmenuevent(t_MenuEvent{}); });
    EXPECT_EQ(currentkeyevent().Value, 'z');
    // Ctrl-S that is not the most recent key does not pause.
    typekey(19);
    typekey('q');
    t_Print(0, "C");
    EXPECT_EQ(keyeventcount(), 2);
}
