// What the public interface adds for programs beyond the classic operations: their own pixel
// loops, menu items of their own, and a copy of a window's record.
#include <gtest/gtest.h>

#include <atomic>

#include "core/events.h"
#include "events/menus.h"
#include "host/menus.h"
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

TEST(ProgramInterface, AddedMenuItemsReachTheProgramsHandler) {
    std::atomic<int> runs{0};
    setprogrammenuhandler([&runs] { ++runs; });
    t_ClearMenuEvents();
    EXPECT_EQ(t_MenuItemAdd("Datei", "Bild löschen", 1000), 0);
    EXPECT_EQ(t_MenuItemIndex("Datei", "Bild löschen"), static_cast<int64_t>(findmenu("Datei")->ItemTitles.size()) - 1);
    ASSERT_TRUE(host::choosemenuitem(1000));
    EXPECT_TRUE(eventually([&] { return runs == 1; }));
    const t_MenuEvent chosen = t_NextMenuEvent();
    EXPECT_EQ(chosen.ItemAction, 1000);
    EXPECT_EQ(chosen.ItemTitle, "Bild löschen");
    EXPECT_EQ(logof([] { EXPECT_EQ(t_MenuItemAdd("Spiel", "Neu", 1001), -2); }), "t_MenuItemAdd: Menu not found.\n");
    EXPECT_EQ(logof([] { EXPECT_EQ(t_MenuItemAdd("Datei", "Neu", -1), -1); }), "t_MenuItemAdd: Tag out of range\n");
    setprogrammenuhandler({});
}
