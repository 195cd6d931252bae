// t_PrintLine, t_Home, t_Hpos and t_Vpos: what they do inside an area, and their refusals.
#include <gtest/gtest.h>

#include "text_fixture.h"

using ScreenShortcuts = TextScreen;

TEST_F(ScreenShortcuts, WorkInsideTheAreaAndReportTheCursor) {
    maketextwindow(0, 8, 8, 4);
    const auto cursor = [] { return std::to_string(t_Hpos(0)) + "," + std::to_string(t_Vpos(0)); };
    play({
        {[] { t_PrintLine(0, "kopf"); t_Area(0, 3, 2, 6, 4); }, "kopf||| @3,2 C0 m0"},
        // Lines wrap and scroll inside the area; the line after the last is scrolled in too.
        {[] { t_PrintLine(0, "abcdef"); t_PrintLine(0, "gh"); }, "kopf|  ef|  gh| @3,4 C0 m0"},
        {[] { t_Htab(0, 2); }, "kopf|  ef|  gh| @4,4 C0 m0"},
        {[] { t_Home(0); }, "kopf||| @3,2 C0 m0"},  // only the area is cleared
    });
    t_Htab(0, 3);
    t_Vtab(0, 1);
    EXPECT_EQ(cursor(), "5,1") << "the screen's column and line, not the area's";
    EXPECT_EQ(logof([] {
                  t_PrintLine(8, "x");
                  t_Home(2);
                  EXPECT_EQ(t_Hpos(9), 0);
                  EXPECT_EQ(t_Vpos(2), 0);
              }),
              "t_PrintLine: Window is not a graphic window.\nt_Home: Window #2 not initialized.\n"
              "t_Hpos: Window is not a graphic window.\nt_Vpos: Window #2 not initialized.\n");
    // A window whose font was taken away prints nothing, under its own name.
    record().Font.Data.clear();
    const Bytes before = windowblocks();
    EXPECT_EQ(logof([] { t_PrintLine(0, "x"); }), "t_PrintLine: Window #0 has no text font.\n");
    EXPECT_EQ(windowblocks(), before);
}
