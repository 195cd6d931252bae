#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_areas.h"
#include "text_fixture.h"

using TextAreas = TextScreen;

TEST_F(TextAreas, AreaSetsEachValidPairAndAlwaysGoesHome) {
    maketextwindow(0, 8, 80, 25);
    using Four = std::array<int64_t, 4>;
    const struct {
        Four request, area;  // first column, first line, last column, last line
    } cases[] = {
        {{10, 3, 70, 25}, {10, 3, 70, 25}},
        {{0, 1, 80, 25}, {10, 1, 70, 25}},  // columns invalid, lines taken (the first line is a valid start)
        {{5, 2, 4, 9}, {10, 2, 70, 9}},     // x1 > x2
        {{1, 1, 81, 26}, {10, 2, 70, 9}},
    };
    for (const auto& c : cases) {
        t_Area(0, c.request[0], c.request[1], c.request[2], c.request[3]);
        const t_Window& w = record();
        EXPECT_EQ((Four{w.TextFirstColumn, w.TextFirstLine, w.TextLastColumn, w.TextLastLine}), c.area);
        EXPECT_EQ(std::make_pair(w.TextHpos, w.TextVpos), std::make_pair(c.area[0], c.area[1])) << "home";
    }
    t_FullArea(0);
    EXPECT_EQ((Four{record().TextFirstColumn, record().TextFirstLine, record().TextLastColumn, record().TextLastLine}),
              (Four{1, 1, 80, 25}));
    EXPECT_EQ(record().TextHpos, 10) << "t_FullArea leaves the cursor";
}

TEST_F(TextAreas, HeaderFillsTheAreaWidthWithoutWrapping) {
    maketextwindow(0, 8, 30, 4);
    const std::string first = "Titel                   rechts|", second = "Gr[246][223]enangaben [252]ber allesund no|";
    play({
        {[] { t_Header(0, "Titel", "rechts"); }, first + "|| @1,2 C0 m0"},  // no scroll although the line is full
        // Too long: the first 30 characters of title + second, counted in characters.
        {[] { t_Header(0, "Größenangaben über alles", "und noch mehr"); }, first + second + "| @1,3 C0 m0"},
        // A one-line area: back to the area's first column of the same line.
        {[] { t_Area(0, 5, 4, 14, 4); }, first + second + "| @5,4 C0 m0"},
        {[] { t_Header(0, "ab", "cd"); }, first + second + "|    ab      cd @5,4 C0 m0"},
    });
}

TEST_F(TextAreas, TextLineDrawsTheRuleFromTheCursor) {
    maketextwindow(0, 8, 20, 3);
    t_Htab(0, 10);
    t_TextLine(0);
    for (int64_t x = 1; x <= 20; ++x) EXPECT_EQ(cellcharacter(x, 1), x >= 10 ? 156 : 32) << x;
    logof([] { t_TextHline(0, 19, 21, 3, '='); });  // stops at the edge
    EXPECT_EQ(state().substr(state().find('|')), "||                  == @1,2 C0 m0");
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
}
