// A program's own pixel loops on the public interface: its window's memory and record.
#include <gtest/gtest.h>

#include "support/helpers.h"

TEST(ProgramInterface, GraphicMemoryIsExactlyThePixelsOfTheWindow) {
    for (const auto& [depth, width, size] : {std::tuple{1, 64, 8 * 40}, {24, 50, 150 * 40}, {32, 50, 200 * 40}}) {
        createwindow(2, depth, true, width, 40, 4, t_Font{});
        const std::span<uint8_t> pixels = g_GraphicMemory(2);
        ASSERT_EQ(static_cast<int64_t>(pixels.size()), size) << "depth " << depth;
        EXPECT_EQ(pixels.data(), framework.videomemory.data() + t_WindowRecord(2).MemoryStart);
    }
    // The last pixel of a 32-bit window, written by the program, reads back like a plotted one.
    const std::span<uint8_t> pixels = g_GraphicMemory(2);
    std::fill(pixels.end() - 4, pixels.end(), uint8_t{255});
    g_PictureChanged(2);
    EXPECT_EQ(g_Scrn<t_RGBColor>(2, 49, 39), (t_RGBColor{255, 255, 255, 255}));
    EXPECT_EQ(logof([] {
                  EXPECT_TRUE(g_GraphicMemory(9).empty());
                  EXPECT_TRUE(g_GraphicMemory(6).empty());
              }),
              "g_GraphicMemory: Window is not a graphic window.\n"
              "g_GraphicMemory: Graphic window #6 not initialized.\n");
}
