// Text areas, the header, and the shortcuts t_PrintLine, t_Home, t_Hpos and t_Vpos inside them.
#include "text/text_areas.h"
#include "text_fixture.h"

using TextAreas = TextScreen;

// Areas narrower than the screen scroll cell by cell; the cursor counts columns from the area.
TEST_F(TextAreas, AreasScrollAndPlaceTheCursor) {
    maketextwindow(0, 16, 8, 4);
    for (int64_t y = 1; y <= 4; ++y) t_TextHline(0, 1, 8, y, '#');
    const std::string hashes = "########|", around = "########|##    ##|##efgh##|######## ";
    play({
        {[] { t_Area(0, 3, 2, 6, 3); }, hashes + hashes + hashes + "######## @3,2 C0 m0"},
        // An invalid pair leaves its half of the area; the first line is a valid start.
        {[] { t_Area(0, 0, 1, 6, 3); }, hashes + hashes + hashes + "######## @3,1 C0 m0"},
        {[] { t_Area(0, 4, 2, 3, 3); }, hashes + hashes + hashes + "######## @3,2 C0 m0"},  // x1 > x2
        {print("abcdefghijk"), "########|##efgh##|##ijk ##|######## @6,3 C0 m0"},  // the wrap after h scrolls the area
        {print("\x1E\x1E"), around + "@6,2 C0 m0"},                        // up past the area scrolls it down
        {[] { t_Area(0, 3, 2, 6, 2); }, around + "@3,2 C0 m0"},
        {print("wxy"), "########|##wxy ##|##efgh##|######## @6,2 C0 m0"},
        {[] { t_ScrollDown(0); }, around + "@6,2 C0 m0"},                     // a one-line area only blanks its line
        {[] { t_Htab(0, 2); }, around + "@4,2 C0 m0"},
        {print("\b"), around + "@3,2 C0 m0"},  // left onto the area's first column stays on the line
        {print("\b"), around + "@6,2 C0 m0"},  // left at the first column: last column, one line up (scrolling)
        {[] { t_Area(0, 3, 3, 6, 4); }, around + "@3,3 C0 m0"},
        {[] { t_Vtab(0, 1); }, around + "@3,1 C0 m0"},                        // lines count from the screen
        {[] { t_Htab(0, 6); }, around + "@8,1 C0 m0"},                        // beyond the area, on the screen
        {[] { t_Vtab(0, 5); }, around + "@8,1 C0 m0"},
        {print("\x1D"), around + "@8,1 C0 m0"},               // beyond the area's last column: clears nothing
        {[] { t_CursorHome(0); }, around + "@3,3 C0 m0"},
        {[] { t_PrintTab(0, 6, '.'); }, "########|##    ##|##...h##|######## @6,3 C0 m0"},
    });
}

// The header fills the area's width without wrapping, counting characters, not bytes.
TEST_F(TextAreas, HeaderFillsTheAreaWidthWithoutWrapping) {
    maketextwindow(0, 8, 30, 4);
    const std::string first = "Gr[246][223]enangaben [252]ber allesund no|";
    play({
        {[] { t_Header(0, "Größenangaben über alles", "und noch mehr"); }, first + "|| @1,2 C0 m0"},
        // A one-line area: back to the area's first column of the same line.
        {[] { t_Area(0, 5, 4, 14, 4); }, first + "|| @5,4 C0 m0"},
        {[] { t_Header(0, "ab", "cd"); }, first + "||    ab      cd @5,4 C0 m0"},
    });
}

TEST_F(TextAreas, ShortcutsWorkInsideTheAreaAndReportTheCursor) {
    maketextwindow(0, 8, 8, 4);
    play({
        {[] { t_PrintLine(0, "kopf"); t_Area(0, 3, 2, 6, 4); }, "kopf||| @3,2 C0 m0"},
        // Lines wrap and scroll inside the area; the line after the last is scrolled in too.
        {[] { t_PrintLine(0, "abcdef"); t_PrintLine(0, "gh"); }, "kopf|  ef|  gh| @3,4 C0 m0"},
        {[] { t_Htab(0, 2); }, "kopf|  ef|  gh| @4,4 C0 m0"},
        {[] { t_Home(0); }, "kopf||| @3,2 C0 m0"},  // only the area is cleared
    });
    t_Htab(0, 3);
    t_Vtab(0, 1);
    EXPECT_EQ(std::make_pair(t_Hpos(0), t_Vpos(0)), std::make_pair(int64_t{5}, int64_t{1})) << "the screen's, not the area's";
    EXPECT_EQ(logof([] { EXPECT_EQ(t_Vpos(2), 0); }), "t_Vpos: Window #2 not initialized.\n");
    // A window whose font was taken away prints nothing, under its own name.
    record().Font.Data.clear();
    const Bytes before = windowblocks();
    EXPECT_EQ(logof([] { t_PrintLine(0, "x"); }), "t_PrintLine: Window #0 has no text font.\n");
    EXPECT_EQ(windowblocks(), before);
}
