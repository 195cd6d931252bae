#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "core/framework_state.h"
#include "windows/invariants.h"
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
    EXPECT_EQ(w.MemoryStart, 0xD12000);
    EXPECT_EQ(w.MemoryEnd, 0xFFFFFF);
    EXPECT_EQ(w.TextMemoryStart, 0xD11000);
    EXPECT_EQ(w.TextMemoryEnd, 0xD11FFF);
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
    EXPECT_EQ(t_WindowPos(0, 8), 1280);
    EXPECT_EQ(t_WindowPos(0, 9), 800);
    EXPECT_EQ(t_WindowPos(0, 10), 1312);
    EXPECT_EQ(t_WindowPos(0, 12), 832 + framework.titleheight);
    EXPECT_EQ(checkframeworkinvariants(), "");
}

TEST_F(WindowTest, MainWindowIsTheFirstEverCreated) {
    EXPECT_EQ(framework.mainwindow, nowindow);
    created(3, 8, 64, 64);
    created(0, 8, 64, 64);
    EXPECT_EQ(framework.mainwindow, 3);
}
