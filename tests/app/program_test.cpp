// A program's own pixel loops on the public interface: its window's memory and record.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "graphics/file_panels.h"
#include "host/dialogs.h"
#include "host/framework_calls.h"
#include "support/helpers.h"

TEST(ProgramInterface, GraphicMemoryIsExactlyThePixelsOfTheWindow) {
    for (const auto& [depth, width, size] : {std::tuple{1, 64, 8 * 40}, {32, 50, 200 * 40}}) {
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
    EXPECT_EQ(logof([] { EXPECT_EQ(g_GraphicMemory(9).size() + g_GraphicMemory(6).size(), 0u); }),
              "g_GraphicMemory: Window is not a graphic window.\n"
              "g_GraphicMemory: Graphic window #6 not initialized.\n");
}

// The user quits while output is paused: the terminate handler prints on the GUI thread without
// pausing, the paused print on the program's other thread goes on, and from then on nothing
// waits for the user: a key read answers "", a file dialog answers as cancelled without opening.
TEST(ProgramInterface, NothingWaitsForTheUserOnceTheApplicationQuits) {
    createwindow(0, 8, true, 160, 64, 0, greyfont());
    struct t_Restore {
        ~t_Restore() {  // the refresh thread ends as at a quit; the next creation starts another
            sleepms(200);
            framework.quitting = false;
            setterminatehandler(nullptr);
            host::setfiledialoganswerer(nullptr);
        }
    } restore;
    clearkeyevents();
    typekey(19);
    std::atomic<bool> printed{false};
    std::thread printer([&printed] {
        t_Print(0, "paused");
        printed = true;
    });
    sleepms(100);  // the print waits in its pause
    EXPECT_FALSE(printed);
    setterminatehandler([] { t_Print(0, "\rEnde"); });
    bool asked = false;
    host::setfiledialoganswerer([&asked](const host::t_FileDialog&) { return asked = true, std::string("/tmp/x.gr"); });
    EXPECT_EQ(logof([] { host::runsync(hostcalls::applicationwillterminate); }), "applicationWillTerminate: Called.\n");
    EXPECT_TRUE(eventually([&printed] { return printed.load(); }, 1000));
    printer.join();
    clearkeyevents();
    EXPECT_EQ(t_GetKey(0), "");
    EXPECT_EQ(filesavepanel("bild.gr", "Grafik sichern", "", "gr"), "");
    EXPECT_FALSE(asked);
    EXPECT_NE(t_GetScreen(0, "|").find("Ende"), std::string::npos);
}
