#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>
#include <thread>

#include "core/events.h"
#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_areas.h"
#include "text/text_output.h"
#include "text_fixture.h"

namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> codes) {
    std::vector<uint8_t> result;
    for (const int code : codes) result.push_back(static_cast<uint8_t>(code));
    return result;
}

using Lines = std::vector<std::string>;

}  // namespace

using TextOutput = TextScreen;

TEST_F(TextOutput, ControlCodesMoveClearAndSwitch) {
    maketextwindow(0, 8, 10, 4);
    t_Print(0, "ABCDEF");
    t_Print(0, bytes({8, 8, 'x', 10, 'y', 30, 30, 'z'}));  // left twice, down, up past the top
    // The second up at the top line scrolled the screen down before z was printed.
    EXPECT_EQ(screenlines(0), (Lines{"      z   ", "ABCDxF    ", "     y    ", "          "}));
    t_Print(0, bytes({25, 28, 28, 29}));  // home, right twice, clear to the end of line
    EXPECT_EQ(screenlines(0)[0], "          ");
    t_Vtab(0, 2);
    t_Htab(0, 3);
    t_Print(0, bytes({11}));  // clear to the end of the window, cursor stays
    EXPECT_EQ(screenlines(0), (Lines{"          ", "AB        ", "          ", "          "}));
    EXPECT_EQ(record().TextHpos, 3);
    t_Print(0, bytes({15, 'i', 17, 'n', 14, 'n'}));  // inverse, reverse, normal
    EXPECT_EQ((Bytes{cellcolour(3, 2), cellcolour(4, 2), cellcolour(5, 2)}), (Bytes{0x0C, 0xC0, 0xC0}));
    t_Print(0, bytes({26}));  // column 1, clear the line
    EXPECT_EQ(screenlines(0)[1], "          ");
    t_Print(0, bytes({20}));
    EXPECT_EQ(record().TextDisplayMode, 1);
    t_Print(0, bytes({19, 'q', 31}));  // 19 ends the mode before it maps a character
    EXPECT_EQ(record().TextDisplayMode, 2);
    EXPECT_EQ(cellcharacter(1, 2), 'q');
    t_Print(0, bytes({12}));  // home and clear everything
    EXPECT_EQ(screenlines(0), std::vector<std::string>(4, "          "));
    EXPECT_EQ(cursor(), Cursor(1, 1));
}

TEST_F(TextOutput, DisplayModesMapCodesForOneCharacter) {
    maketextwindow(0, 8, 10, 4);
    t_DisplayMode(0, 1);
    t_Print(0, "A");
    EXPECT_EQ(cellcharacter(1, 1), 193);
    t_DisplayMode(0, 2);
    t_Print(0, "a@");
    EXPECT_EQ(cellcharacter(2, 1), 129);
    EXPECT_EQ(cellcharacter(3, 1), 0);
    t_DisplayMode(0, 0);
    t_Print(0, "A\rB");
    EXPECT_EQ(screenlines(0)[1], "B         ");
    t_DisplayMode(0, 3);
    t_Print(0, "A\rB");
    EXPECT_EQ(screenlines(0)[1], "BAMB      ");
    EXPECT_EQ((Bytes{cellcolour(3, 2), cellcolour(4, 2)}), (Bytes{0x0C, 0xC0}));
    EXPECT_FALSE(record().TextInverse);
    t_DisplayMode(0, 4);
    t_Print(0, "\x01\xE2\x82\xAC");  // code 1 and U+20AC
    EXPECT_EQ((Bytes{cellcharacter(5, 2), cellcolour(5, 2), cellcharacter(6, 2), cellcolour(6, 2)}),
              (Bytes{'A', 0x10, '?', 0x10}));
    EXPECT_EQ(record().TextColor, 0xC0);
    t_DisplayMode(0, 0);
    // U+00E4, scalars of three and four bytes beyond one byte, a malformed byte: one cell each.
    t_Print(0, "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xFF");
    EXPECT_EQ((Bytes{cellcharacter(7, 2), cellcharacter(8, 2), cellcharacter(9, 2), cellcharacter(10, 2), cellcharacter(1, 3)}),
              (Bytes{0xE4, '?', '?', '?', ' '}));
}

TEST_F(TextOutput, EscapeCommands) {
    maketextwindow(0, 8, 80, 4);
    t_Print(0, bytes({27, 70}));
    EXPECT_EQ(record().TextColor, 0x60);
    EXPECT_EQ(record().TextDisplayMode, 0);
    EXPECT_EQ(record().TextHpos, 1);
    t_Print(0, bytes({27, 'A', 27, 'U'}));  // foreground 1, background 5
    EXPECT_EQ(record().TextColor, 0x15);
    t_Print(0, bytes({27, 'g'}));  // no command: printed, escape stays
    EXPECT_EQ(cellcharacter(1, 1), 'g');
    EXPECT_EQ(record().TextDisplayMode, 99);
    t_Print(0, bytes({'i'}));  // tab to column 11
    EXPECT_EQ(record().TextHpos, 11);
    EXPECT_EQ(record().TextDisplayMode, 0) << "the tab ended the escape";
    EXPECT_EQ(cellcolour(10, 1), 0x15) << "the tab fills with blanks in the current colour";
    t_Print(0, bytes({27, 'j', 27, 'k'}));  // to 21, then to 41
    EXPECT_EQ(record().TextHpos, 41);
    t_Htab(0, 75);
    t_Print(0, "x");
    t_Print(0, bytes({27, 'i'}));  // 81 does not fit: the line is finished
    EXPECT_EQ(cursor(), Cursor(1, 2));
    EXPECT_EQ(cellcharacter(75, 1), 'x');
    t_Print(0, bytes({27, 'f'}));
    EXPECT_EQ(record().TextHpos, 80);
    t_Print(0, bytes({27, 'e'}));
    EXPECT_EQ(record().TextVpos, 4);
    t_Print(0, bytes({27, 'n'}));  // border colour: printed nothing
    EXPECT_EQ(record().TextDisplayMode, 0);
    EXPECT_EQ(cellcharacter(80, 4), ' ');
}

TEST_F(TextOutput, FullWidthScrollMovesPlanesAndPixels) {
    maketextwindow(0, 24, 10, 3);
    const t_Window& w = record();
    t_Print(0, "0123456789abcdefghij");
    t_Print(0, bytes({15}));
    t_Print(0, "KLMNOPQRST");  // the last cell wraps and scrolls
    EXPECT_EQ(screenlines(0), (Lines{"abcdefghij", "KLMNOPQRST", "          "}));
    EXPECT_EQ(cellcolour(1, 2), 0x0C);
    EXPECT_EQ(cursor(), Cursor(1, 3));
    // The pixels of line 2 are the inverse glyphs: coverage 255 drew the background (black).
    const uint8_t* cell = framework.videomemory.data() + pixeladdress(w, 15, 32 + 15);
    EXPECT_EQ(cell[1], 0);
    EXPECT_EQ(framework.videomemory[pixeladdress(w, 15, 15) + 1], 255) << "line 1 is a normal glyph";
    // The blank line is drawn with the inverse video in force: green everywhere.
    EXPECT_EQ(memoryblock(pixeladdress(w, 0, 64), pixeladdress(w, 0, 64) + 2), (Bytes{0, 255, 0}));
    // With ScrollLock the last line is overwritten from its start.
    t_Print(0, bytes({14}));
    record().ScrollLock = true;
    t_Print(0, "uvwxyzUVWXYZ");
    EXPECT_EQ(screenlines(0)[2], "YZwxyzUVWX");
    EXPECT_EQ(screenlines(0)[1], "KLMNOPQRST");
}

TEST_F(TextOutput, PartialWidthAreaScrollsCellByCell) {
    maketextwindow(0, 16, 8, 4);
    for (int64_t y = 1; y <= 4; ++y) t_TextHline(0, 1, 8, y, '#');
    t_Area(0, 3, 2, 6, 3);
    t_Print(0, "abcdefghijk");  // the wrap after h scrolls the area only
    EXPECT_EQ(screenlines(0), (Lines{"########", "##efgh##", "##ijk ##", "########"}));
    EXPECT_EQ(cursor(), Cursor(6, 3));
    t_Print(0, bytes({30, 30}));  // up past the area's first line scrolls it down
    EXPECT_EQ(screenlines(0), (Lines{"########", "##    ##", "##efgh##", "########"}));
    t_Area(0, 3, 2, 6, 2);
    t_Print(0, "wxy");
    t_ScrollDown(0);  // a one-line area only blanks its line
    EXPECT_EQ(screenlines(0), (Lines{"########", "##    ##", "##efgh##", "########"}));
    t_Htab(0, 1);
    t_Print(0, bytes({8}));  // left at the first column: last column, one line up (scrolling)
    EXPECT_EQ(cursor(), Cursor(6, 2));
}

TEST_F(TextOutput, CursorPositioningCountsFromTheAreaForColumnsOnly) {
    maketextwindow(0, 8, 20, 6);
    t_Area(0, 3, 3, 10, 6);
    t_Htab(0, 5);
    t_Vtab(0, 2);
    EXPECT_EQ(cursor(), Cursor(7, 2));
    t_Htab(0, 18);  // 3 + 18 - 1 = 20: still on the screen, beyond the area
    EXPECT_EQ(record().TextHpos, 20);
    t_Htab(0, 19);
    t_Htab(0, 0);
    t_Htab(0, INT64_MAX);
    t_Vtab(0, 7);
    t_Vtab(0, INT64_MIN);
    EXPECT_EQ(cursor(), Cursor(20, 2));
    // Beyond the area's last column, clearing the line clears nothing.
    t_Print(0, bytes({29}));
    t_PrintTab(0, 15, '.');  // at or left of the cursor: nothing
    EXPECT_EQ(screenlines(0)[1], std::string(20, ' '));
    t_CursorHome(0);
    t_PrintTab(0, 8, '.');
    EXPECT_EQ(screenlines(0)[2], "  .....             ");
    EXPECT_EQ(record().TextHpos, 8);
}

TEST_F(TextOutput, RedirectionSendsCharactersAndControlsToStandardOutput) {
    maketextwindow(0, 8, 4, 2);
    t_RedirectOutput(0, 2);
    // The return is written, not executed; the wrap at the last cell scrolls, and the blanks
    // of that scroll go out as well.
    EXPECT_EQ(logof([] { t_Print(0, "ab\rcdefgh"); }), "ab\rcdefgh    ");
    EXPECT_EQ(cursor(), Cursor(1, 2));
    EXPECT_EQ(screenlines(0)[0], "    ");
    t_RedirectOutput(0, 0);
    EXPECT_EQ(logof([] { t_Print(0, "xy\r"); }), "");
    EXPECT_EQ(record().TextHpos, 3);
}

TEST_F(TextOutput, FailuresReportOnceAndChangeNothing) {
    maketextwindow(0, 8, 4, 2);
    record().Font.Data.clear();
    EXPECT_EQ(logof([] {
                  t_Print(8, "x");
                  t_Print(2, "x");
                  t_Cr(5);
                  t_Print(0, "x");
                  t_ApplyDisplayMode(9, 'x');
              }),
              "t_Print: Window is not a graphic window.\n"
              "t_Print: Window #2 not initialized.\n"
              "t_Cr: Window #5 not initialized.\n"
              "t_Print: Window #0 has no text font.\n"
              "t_ApplyDisplayMode: Window is not a graphic window.\n");
    const t_DisplayModeResult result = t_ApplyDisplayMode(3, 'x');
    EXPECT_EQ(result.Code, -2);
    EXPECT_EQ(result.Colour, 0xF0);
}

// Any bytes in any mode, any window, any area and cursor, also with a font that does not fit
// the text memory: printing ends and nothing outside the window's blocks changes.
TEST_F(TextOutput, HostileOutputStaysInsideTheWindowsBlocks) {
    maketextwindow(1, 24, 12, 5);
    maketextwindow(0, 4, 9, 4);
    maketextwindow(2, 32, 7, 3);
    const int64_t low = record(2).TextMemoryStart;
    const std::vector<uint8_t> before = memoryblock(low - 8192, low - 1), window1 = windowblocks(1);
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
        std::vector<uint8_t> text(static_cast<size_t>(any(0, 60)));
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
    typekey('a');
    typekey(19);
    std::thread typist([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        typekey('z');
    });
    const auto start = std::chrono::steady_clock::now();
    t_Print(0, "AB");
    typist.join();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(keyeventcount(), 0) << "the queue was emptied and the ending key used up";
    EXPECT_FALSE(eventstate.keyavailable);
    EXPECT_EQ(currentkeyevent().Value, 'z');
    EXPECT_EQ(screenlines(0)[0], "AB        ");
    // A menu choice ends the pause as well, and leaves the key queue alone.
    typekey(19);
    std::thread chooser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        appendmenuevent(t_MenuEvent{});
    });
    t_Print(0, "\r");
    chooser.join();
    EXPECT_EQ(currentkeyevent().Value, 'z');
    // Ctrl-S that is not the most recent key does not pause.
    typekey(19);
    typekey('q');
    t_Print(0, "C");
    EXPECT_EQ(keyeventcount(), 2);
}
