#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "core/framework_state.h"
#include "windows/invariants.h"
#include "core/text_utilities.h"
#include "windows/memory_figures.h"
#include "windows/window_creation.h"
#include "windows/window_placement.h"
#include "tests/windows/window_fixture.h"

using testing::HasSubstr;

TEST_F(WindowTest, FirstWindowTakesTheTopBlocksAndIsCleared) {
    const std::string log = created(0, 24, 1280, 800, glyphfont());
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 Start.\n"));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 = 1280 x 800 pixel x 24 bit = 3.000,00K "
                               "video-memory = $00D12000.\n"));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 End.\n"));
    const t_Window w = record(0);
    ASSERT_TRUE(w.Initialized);
    EXPECT_EQ((std::array{w.MemoryStart, w.MemoryEnd, w.TextMemoryStart, w.TextMemoryEnd}),
              (std::array<int64_t, 4>{0xD12000, 0xFFFFFF, 0xD11000, 0xD11FFF}));
    EXPECT_EQ(framework.highmemory, 0xD10FFF);
    EXPECT_EQ(framework.mainwindow, 0);
    // Pixels black, cells spaces in colour 0xC0 with the colour plane half a block up.
    EXPECT_EQ(*memoryat(0xD12000), 0);
    EXPECT_EQ(*memoryat(0xD12000 + 3071999), 0);
    EXPECT_EQ(*memoryat(0xD11000), 32);
    EXPECT_EQ(*memoryat(0xD11000 + 1999), 32);
    EXPECT_EQ(*memoryat(0xD11000 + 2048), 0xC0);
    EXPECT_EQ(*memoryat(0xD11000 + 2048 + 1999), 0xC0);
    EXPECT_EQ(*memoryat(0xD10FFF), 0xFF);  // below the stack nothing was touched
    EXPECT_EQ(t_WindowTitle(0), "Stangenspiel");
    EXPECT_EQ(t_WindowPos(0, 6), 80);
    EXPECT_EQ(t_WindowPos(0, 7), 25);
    EXPECT_EQ(t_WindowPos(0, 10), 1312);
    EXPECT_EQ(checkframeworkinvariants(), "");
}

TEST_F(WindowTest, MainWindowIsTheFirstEverCreated) {
    EXPECT_EQ(framework.mainwindow, nowindow);
    created(3, 8, 64, 64);
    created(0, 8, 64, 64);
    EXPECT_EQ(framework.mainwindow, 3);
}

TEST_F(WindowTest, RecreatingAWindowMovesTheLaterWindowsUpIntact) {
    created(0, 24, 1280, 800, glyphfont());
    created(1, 8, 64, 64, glyphfont());
    created(2, 32, 40, 40);
    const t_Window one = record(1), two = record(2);
    // Marks in the first and last byte of every block that must move.
    *memoryat(one.MemoryStart) = 0x11;
    *memoryat(one.MemoryStart + 64 * 64 - 1) = 0x12;
    *memoryat(one.TextMemoryStart) = 'A';
    *memoryat(two.MemoryStart + 40 * 40 * 4 - 1) = 0x21;
    const int64_t d = (0xFFFFFF - 0xD12000 + 1) + 0x1000;

    const std::string log = created(0, 8, 32, 32);
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 high memory = $00FFFFFF, graphic block size to delete "
                               "= $002EE000.\n"));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 high memory = $00FFFFFF, text block size to delete = "
                               "$00001000.\n"));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 moving graphic block for win #1 $" +
                               hex8(one.MemoryStart) + "..." + hex8(one.MemoryEnd) + " to " +
                               hex8(one.MemoryStart + d) + "..." + hex8(one.MemoryEnd + d) + "\n"));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 moving text block for win #1 $" +
                               hex8(one.TextMemoryStart) + "..." + hex8(one.TextMemoryEnd) + " to $" +
                               hex8(one.TextMemoryStart + d) + "..." + hex8(one.TextMemoryEnd + d) + "\n"));
    EXPECT_THAT(log, HasSubstr("moving graphic block for win #2 $"));
    const t_Window moved1 = record(1), moved2 = record(2), zero = record(0);
    EXPECT_EQ(moved1.MemoryStart, one.MemoryStart + d);
    EXPECT_EQ(moved1.TextMemoryStart, one.TextMemoryStart + d);
    EXPECT_EQ(moved2.MemoryStart, two.MemoryStart + d);
    EXPECT_EQ(*memoryat(moved1.MemoryStart), 0x11);
    EXPECT_EQ(*memoryat(moved1.MemoryStart + 64 * 64 - 1), 0x12);
    EXPECT_EQ(*memoryat(moved1.TextMemoryStart), 'A');
    EXPECT_EQ(*memoryat(moved1.TextMemoryStart + 1), ' ');
    EXPECT_EQ(*memoryat(moved2.MemoryStart + 40 * 40 * 4 - 1), 0x21);
    EXPECT_EQ(*memoryat(moved2.MemoryStart), 0xFF);  // opaque black survives the move too
    EXPECT_EQ(zero.MemoryEnd, moved2.MemoryStart - 1);  // the new window 0 sits at the bottom
    EXPECT_EQ(checkframeworkinvariants(), "");
}

TEST_F(WindowTest, SizeCorrectionsAndRefusals) {
    std::string log = created(0, 24, 20000, 10);
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 cannot display 20000 horizontal pixel.\n"));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 cannot display 10 vertical pixel.\n"));
    EXPECT_EQ(record(0).Width, 1280);
    EXPECT_EQ(record(0).Height, 800);

    log = created(1, 1, 33, 32);
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #1 width with 1 bit depth must be a multiple of 8.\n"));
    EXPECT_EQ(record(1).Width, 40);
    for (const auto& [asked, given] : {std::pair{33, 32}, {34, 32}, {35, 36}, {36, 36}}) {
        log = created(1, 4, asked, 32);
        EXPECT_EQ(log.find("multiple of 4") != std::string::npos, asked != given) << asked;
        EXPECT_EQ(record(1).Width, given) << asked;
    }
    // Extreme values neither overflow nor slip through; a border beyond the largest is refused.
    log = created(1, 24, INT64_MIN, INT64_MAX, t_Font{}, 8192);
    EXPECT_EQ(record(1).Width, 1280);
    EXPECT_EQ(t_WindowPos(1, 10), 1280 + 2 * 8192);
    for (const int64_t border : {int64_t{8193}, INT64_MAX}) {
        log = created(2, 24, 64, 64, t_Font{}, border);
        EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #2 cannot display a border of " + std::to_string(border) +
                                   " pixel.\nt_InitWindow: GraphicWindow #2 End.\n"));
        EXPECT_FALSE(record(2).Initialized);
    }

    // An unsupported depth frees the old window and creates nothing, without an end line.
    log = created(1, 2, 64, 64);
    EXPECT_EQ(log, "t_InitWindow: GraphicWindow #1 Start.\n"
                   "t_InitWindow: GraphicWindow #1 high memory = $" + hex8(record(0).MemoryStart - 1) +
                   ", graphic block size to delete = $002EE000.\n"
                   "t_InitWindow: GraphicWindow #1 unsupported 2 bit depth.\n");
    EXPECT_FALSE(record(1).Initialized);
    EXPECT_EQ(framework.highmemory, record(0).MemoryStart - 1);

    EXPECT_EQ(logof([] { t_InitGraphicWindow(8, 24, true, 64, 64, 0, 0, t_Font{}, true); }),
              "t_InitWindow: Window is not a graphic window.\n");
    EXPECT_EQ(checkframeworkinvariants(), "");
}

TEST_F(WindowTest, NotEnoughMemoryIsReportedAndNothingIsPlaced) {
    std::string log = created(0, 32, 8192, 8192);
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 has not enough graphic-video-memory (16319K "
                               "available).\nt_InitWindow: Displaying 8192 x 8192 pixel x 32 bit needs "
                               "262.144,00K video-memory.\nt_InitWindow: GraphicWindow #0 End.\n"));
    EXPECT_FALSE(record(0).Initialized);
    EXPECT_EQ(framework.highmemory, 0xFFFFFF);

    // The pixels fit, the character screen of a 1 x 1 font does not fit beside them: the text
    // block may never reach into the reserved memory.
    log = created(0, 1, 8192, 8192, glyphfont(1, 1));
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #0 has not enough text-video-memory (8127K available).\n"
                               "t_InitWindow: Displaying 8192 x 8192 characters needs 131.072,00K "
                               "text-video-memory.\n"));
    EXPECT_FALSE(record(0).Initialized);
    EXPECT_EQ(framework.highmemory, 0xFFFFFF);

    // Three 8 MB windows cannot all fit: the third is refused, the first two stay.
    created(0, 1, 8192, 8192);
    log = created(1, 8, 4096, 2048);
    EXPECT_THAT(log, HasSubstr("has not enough graphic-video-memory"));
    EXPECT_TRUE(record(0).Initialized);
    EXPECT_FALSE(record(1).Initialized);
    EXPECT_EQ(checkframeworkinvariants(), "");
}

TEST_F(WindowTest, GraphicOnlyWindowsAndFontsWithoutCells) {
    created(0, 8, 64, 64);
    t_Window w = record(0);
    EXPECT_EQ(w.TextMemoryStart, -1);
    EXPECT_EQ(w.TextWidth, -1);
    EXPECT_EQ(t_WindowTitle(0), "Stangenspiel-Grafik");
    // A font whose cell is wider than the window gives no character screen either.
    created(1, 8, 64, 64, glyphfont(100, 32));
    w = record(1);
    EXPECT_EQ(w.TextMemoryStart, -1);
    EXPECT_EQ(w.TextWidth, 0);
    EXPECT_EQ(t_WindowTitle(1), "Stangenspiel-Grafik");
    EXPECT_EQ(checkframeworkinvariants(), "");
}

TEST_F(WindowTest, TheDefaultFontMakesTheProgramsWindow) {
    const std::string log = logof([] {
        t_InitWindow(0, 24, 80, 25, 16, "MenloBold 16x32.font");
        t_InitWindow(1, 24, 80, 25, 16, "No such font.font");
    });
    if (record(0).Initialized) {  // the fonts are generated at build time
        EXPECT_EQ(t_WindowPos(0, 6), 80);
        EXPECT_EQ(t_WindowPos(0, 8), 1280);
    }
    EXPECT_THAT(log, HasSubstr("t_InitWindow: Font 'No such font.font' not found.\n"));
    EXPECT_FALSE(record(1).Initialized);
    if (!record(0).Initialized) return;
    // The refusal names the width asked for; only a product beyond 64 bits is held at the largest.
    for (const auto& [columns, shown] : {std::pair<int64_t, const char*>{1000, "16000"},
                                         {INT64_MAX / 8, "9223372036854775807"}}) {
        EXPECT_THAT(logof([columns] { t_InitWindow(2, 24, columns, 25, 0, "MenloBold 16x32.font"); }),
                    HasSubstr("t_InitWindow: GraphicWindow #2 cannot display " + std::string(shown) +
                              " horizontal pixel.\n"));
    }
}

TEST(MemoryFigures, KilobytesAreCutNotRounded) {
    EXPECT_EQ(kilobytes(4000), "3,90");
    EXPECT_EQ(kilobytes(1023), "0,99");
    EXPECT_EQ(kilobytes(-4000), "-3,90");
    EXPECT_EQ(kilobytes(INT64_MIN), "-9.007.199.254.740.992,00");
}

TEST_F(WindowTest, HiddenTitleAndBordersFillingTheScreen) {
    const std::string log = logof([] { t_InitGraphicWindow(4, 8, true, 320, 200, -1, -5, t_Font{}, false); });
    EXPECT_THAT(log, HasSubstr("t_InitWindow: GraphicWindow #4 title will be invisible.\n"));
    const t_Window w = record(4);
    EXPECT_EQ(w.TitleHeight, 0);
    EXPECT_EQ(w.BorderWidth, t_WindowPos(4, 15) - 320);
    EXPECT_EQ(w.BorderHeight, t_WindowPos(4, 16) - 200);
    EXPECT_EQ(t_WindowPos(4, 12), 200 + 2 * w.BorderHeight);
}
