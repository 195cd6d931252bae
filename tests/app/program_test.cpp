// What the public interface adds for programs beyond the classic operations: their own pixel
// loops and a copy of a window's record (menu items of their own are with the menu tests).
#include <gtest/gtest.h>

#include "support/helpers.h"

TEST(ProgramInterface, GraphicMemoryIsExactlyThePixelsOfTheWindow) {
    struct t_Case {
        int64_t Depth, Width, Bytes;
    };
    for (const t_Case& c : {t_Case{1, 64, 8 * 40}, t_Case{4, 64, 32 * 40}, t_Case{16, 50, 100 * 40},
                            t_Case{24, 50, 150 * 40}, t_Case{32, 50, 200 * 40}}) {
        createwindow(2, c.Depth, true, c.Width, 40, 4, t_Font{});
        const std::span<uint8_t> pixels = g_GraphicMemory(2);
        ASSERT_EQ(static_cast<int64_t>(pixels.size()), c.Bytes) << "depth " << c.Depth;
        EXPECT_EQ(pixels.data(), framework.videomemory.data() + t_WindowRecord(2).MemoryStart);
    }
    // The last pixel of a 32-bit window, written by the program, reads back like a plotted one.
    const std::span<uint8_t> pixels = g_GraphicMemory(2);
    std::fill(pixels.end() - 4, pixels.end(), uint8_t{255});
    g_PictureChanged(2);
    EXPECT_EQ(g_Scrn<t_RGBColor>(2, 49, 39), (t_RGBColor{255, 255, 255, 255}));
    EXPECT_EQ(logof([] { EXPECT_TRUE(g_GraphicMemory(9).empty()); }),
              "g_GraphicMemory: Window is not a graphic window.\n");
    EXPECT_EQ(logof([] { EXPECT_TRUE(g_GraphicMemory(6).empty()); }),
              "g_GraphicMemory: Graphic window #6 not initialized.\n");
    EXPECT_EQ(t_WindowRecord(2).Width, 50);
    EXPECT_FALSE(t_WindowRecord(200).Initialized);
}
