#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_areas.h"
#include "text/text_output.h"
#include "text_fixture.h"

using TextAreas = TextScreen;

TEST_F(TextAreas, AreaSetsEachValidPairAndAlwaysGoesHome) {
    maketextwindow(0, 8, 80, 25);
    t_Area(0, 1, 3, 80, 25);
    EXPECT_EQ(record().TextFirstLine, 3);
    EXPECT_EQ(record().TextHpos, 1);
    EXPECT_EQ(record().TextVpos, 3);
    t_Area(0, 10, 3, 70, 25);
    t_Area(0, 0, 4, 80, 25);  // columns invalid, lines taken
    EXPECT_EQ(record().TextFirstColumn, 10);
    EXPECT_EQ(record().TextLastColumn, 70);
    EXPECT_EQ(record().TextFirstLine, 4);
    t_Area(0, 5, 2, 4, 9);  // x1 > x2
    EXPECT_EQ(record().TextFirstColumn, 10);
    EXPECT_EQ(record().TextFirstLine, 2);
    EXPECT_EQ(record().TextLastLine, 9);
    EXPECT_EQ(record().TextHpos, 10);
    EXPECT_EQ(record().TextVpos, 2);
    t_Area(0, 1, 1, 81, 26);
    EXPECT_EQ(record().TextLastColumn, 70);
    EXPECT_EQ(record().TextLastLine, 9);
    t_FullArea(0);
    EXPECT_EQ(record().TextFirstColumn, 1);
    EXPECT_EQ(record().TextLastColumn, 80);
    EXPECT_EQ(record().TextLastLine, 25);
    EXPECT_EQ(record().TextVpos, 2) << "t_FullArea leaves the cursor";
}

TEST_F(TextAreas, HeaderFillsTheAreaWidthWithoutWrapping) {
    maketextwindow(0, 8, 30, 4);
    t_Header(0, "Titel", "rechts");
    EXPECT_EQ(screenlines(0)[0], "Titel                   rechts");
    EXPECT_EQ(record().TextHpos, 1);
    EXPECT_EQ(record().TextVpos, 2) << "no scroll although the line is full";
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
    EXPECT_EQ(record().TextHpos, 5);
    EXPECT_EQ(record().TextVpos, 4);
}

TEST_F(TextAreas, TextLineDrawsTheRuleFromTheCursor) {
    maketextwindow(0, 8, 20, 3);
    t_Htab(0, 10);
    t_TextLine(0);
    for (int64_t x = 1; x <= 20; ++x) EXPECT_EQ(cellcharacter(x, 1), x >= 10 ? 156 : 32) << x;
    EXPECT_EQ(record().TextHpos, 1);
    EXPECT_EQ(record().TextVpos, 2);
    testing::internal::CaptureStdout();
    t_TextHline(0, 19, 21, 3, '=');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "t_PrintSymbol: Window #0 illegal coordinates (x = 21, y = 3).\n");
    EXPECT_EQ(cellcharacter(20, 3), '=');
}

TEST_F(TextAreas, GetScreenReadsEveryCellAndCleansForCarriageReturns) {
    maketextwindow(0, 8, 6, 3);
    t_Print(0, "Hello");
    std::string raw = t_GetScreen(0, "");
    EXPECT_EQ(raw, "Hello " + std::string(12, ' '));
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
    testing::internal::CaptureStdout();
    EXPECT_EQ(t_GetScreen(8, "\r"), "");
    EXPECT_EQ(t_GetScreen(4, "\r"), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "t_GetScreen: Window is not a graphic window.\nt_GetScreen: Window #4 not initialized.\n");
}
