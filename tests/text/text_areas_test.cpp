#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_areas.h"
#include "text/text_output.h"
#include "text_fixture.h"

using TextAreas = TextScreen;

TEST_F(TextAreas, AreaSetsEachValidPairAndAlwaysGoesHome) {
    using Area = std::array<int64_t, 4>;
    maketextwindow(0, 8, 80, 25);
    t_Area(0, 10, 3, 70, 25);
    EXPECT_EQ(cursor(), Cursor(10, 3));
    t_Area(0, 0, 1, 80, 25);  // columns invalid, lines taken (the first line is a valid start)
    EXPECT_EQ(area(), (Area{10, 1, 70, 25}));
    t_Area(0, 5, 2, 4, 9);  // x1 > x2
    EXPECT_EQ(area(), (Area{10, 2, 70, 9}));
    EXPECT_EQ(cursor(), Cursor(10, 2));
    t_Area(0, 1, 1, 81, 26);
    EXPECT_EQ(area(), (Area{10, 2, 70, 9}));
    t_FullArea(0);
    EXPECT_EQ(area(), (Area{1, 1, 80, 25}));
    EXPECT_EQ(cursor(), Cursor(10, 2)) << "t_FullArea leaves the cursor";
}

TEST_F(TextAreas, HeaderFillsTheAreaWidthWithoutWrapping) {
    maketextwindow(0, 8, 30, 4);
    t_Header(0, "Titel", "rechts");
    EXPECT_EQ(screenlines(0)[0], "Titel                   rechts");
    EXPECT_EQ(cursor(), Cursor(1, 2)) << "no scroll although the line is full";
    EXPECT_EQ(screenlines(0)[1], std::string(30, ' '));
    // Too long: the first 30 characters of title + second, counted in characters.
    t_Header(0, "Größenangaben über alles", "und noch mehr");
    EXPECT_EQ(cellcharacter(3, 2), 0xF6);
    EXPECT_EQ(cellcharacter(30, 2), 'o');
    EXPECT_EQ(cellcharacter(28, 2), ' ');
    EXPECT_EQ(record().TextVpos, 3);
    // A one-line area: back to the area's first column of the same line.
    t_Area(0, 5, 4, 14, 4);
    t_Header(0, "ab", "cd");
    EXPECT_EQ(screenlines(0)[3], "    ab      cd                ");
    EXPECT_EQ(cursor(), Cursor(5, 4));
}

TEST_F(TextAreas, TextLineDrawsTheRuleFromTheCursor) {
    maketextwindow(0, 8, 20, 3);
    t_Htab(0, 10);
    t_TextLine(0);
    for (int64_t x = 1; x <= 20; ++x) EXPECT_EQ(cellcharacter(x, 1), x >= 10 ? 156 : 32) << x;
    EXPECT_EQ(cursor(), Cursor(1, 2));
    EXPECT_EQ(logof([] { t_TextHline(0, 19, 21, 3, '='); }), "t_PrintSymbol: Window #0 illegal coordinates (x = 21, y = 3).\n");
    EXPECT_EQ(cellcharacter(20, 3), '=');
}

TEST_F(TextAreas, GetScreenReadsEveryCellAndCleansForCarriageReturns) {
    maketextwindow(0, 8, 6, 3);
    t_Print(0, "Hello");
    EXPECT_EQ(t_GetScreen(0, ""), "Hello " + std::string(12, ' '));
    EXPECT_EQ(t_GetScreen(0, "\r"), "Hello");
    t_Vtab(0, 3);
    t_Htab(0, 1);
    t_Print(0, " x");
    EXPECT_EQ(t_GetScreen(0, "\r"), "Hello\r\r x");
    EXPECT_EQ(t_GetScreen(0, "|"), "Hello |      | x    |");
    t_PrintSymbol(0, 0xE4, 0xC0, 6, 1);
    t_PrintSymbol(0, 0x80, 0xC0, 5, 1);
    EXPECT_EQ(t_GetScreen(0, "\r"), "Hell\xC2\x80\xC3\xA4\r\r x");
    t_Print(0, "\x0C");  // clear: only the first line stays, empty
    EXPECT_EQ(t_GetScreen(0, "\r"), "");
    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_GetScreen(8, "\r"), "");
                  EXPECT_EQ(t_GetScreen(4, "\r"), "");
              }),
              "t_GetScreen: Window is not a graphic window.\nt_GetScreen: Window #4 not initialized.\n");
}
