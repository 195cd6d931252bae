// Every stage undone gives back exactly what was captured, at every depth and for any rectangle;
// a whole window drawn back from its file has the same pixels.
#include "capture_fixture.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"

namespace {

const int64_t depths[] = {1, 4, 8, 16, 24, 32};

// Widths the window creation keeps as they are at every depth.
int64_t windowwidth(std::mt19937& rng) { return 32 + 8 * static_cast<int64_t>(rng() % 12); }

void uniformalpha(uint8_t window, int64_t depth) {
    FrameworkLock lock;
    const t_Window& w = framework.windows[window];
    const int64_t unit = depth / 8;
    for (int64_t i = 0; i < w.Width * w.Height; ++i) framework.videomemory[static_cast<size_t>(w.MemoryStart + i * unit)] = 0xC4;
}

}  // namespace

TEST_F(CaptureTest, EveryStageRoundTripsThroughAFile) {
    std::mt19937 rng(20240601);
    TempDir dir;
    for (const int64_t depth : depths) {
        for (int trial = 0; trial < 12; ++trial) {
            const int64_t width = windowwidth(rng), height = 32 + static_cast<int64_t>(rng() % 40);
            makewindow(0, depth, width, height);
            paintrandom(0, rng);
            if ((depth == 16 || depth == 32) && trial % 2 == 0) uniformalpha(0, depth);  // packs the alpha
            // 1 x 1, whole rows, odd widths and widths that are no multiple of 8.
            int64_t x1 = static_cast<int64_t>(rng() % static_cast<uint64_t>(width));
            int64_t y1 = static_cast<int64_t>(rng() % static_cast<uint64_t>(height));
            int64_t x2 = x1 + static_cast<int64_t>(rng() % 45), y2 = y1 + static_cast<int64_t>(rng() % 30);
            if (trial == 0) x2 = x1, y2 = y1;
            if (trial == 1) x1 = 0, y1 = 0, x2 = width, y2 = height;
            const t_Graphic captured = g_GetScreenRect(0, x1, y1, x2, y2);
            ASSERT_EQ(captured.Size, captured.Width * captured.Height);
            ASSERT_GT(captured.Size, 0);
            const std::string path = dir.file("round.gr");
            t_Graphic back;
            const std::string log = logof([&] {  // the coders log their course; decoding says nothing
                writegraphicfile(path, g_CompressLZW(g_CompressRLE(g_Pack(captured))));
                back = g_Decompress(readgraphicfile(path));
            });
            ASSERT_EQ(log.find("rror"), std::string::npos) << log;
            ASSERT_EQ(back, captured) << "depth " << depth << " trial " << trial << " rect " << x1 << "," << y1
                                      << " " << captured.Width << "x" << captured.Height;
            if (trial == 1) {  // the whole window, straight from the file into a fresh one
                makewindow(5, depth, width, height);
                EXPECT_EQ(logof([&] { g_PutScreen(5, readgraphicfile(path), 0, 0); }), "");
                ASSERT_EQ(pixelbytes(5), pixelbytes(0)) << "depth " << depth;
            }
        }
    }
}
