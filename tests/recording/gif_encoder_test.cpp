// The parts of a recording without a window: frame delays, the hand-over queue and the
// colours of every depth, each file read back by giflib's own decoder.
#include <gmock/gmock.h>

#include <random>

#include "recording/frame_delays.h"
#include "recording/frame_queue.h"
#include "recording/gif_encoder.h"
#include "support/helpers.h"
#include "tests/recording/gif_reading.h"

namespace {

using Pixels = std::vector<uint32_t>;

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return 0xFF000000u | r << 16 | g << 8 | b; }

struct t_Shown {
    Pixels Picture;
    int64_t Milliseconds;
};

// Encodes the pictures at their times, closes at `end` ms and reads the file back.
t_ReadGif recorded(const std::string& path, int64_t depth, int64_t width, int64_t height,
                   const std::vector<t_Shown>& pictures, int64_t end) {
    t_GifEncoder gif;
    EXPECT_EQ(opengif(gif, path, width, height, depth), 0);
    for (const t_Shown& shown : pictures) {
        Pixels buffer = shown.Picture;
        EXPECT_EQ(addgifframe(gif, buffer, shown.Milliseconds * 1000), 0);
    }
    EXPECT_EQ(closegif(gif, end * 1000), 0);
    return readgif(path);
}

// The largest difference of any colour channel of any pixel.
int pictureerror(const Pixels& a, const Pixels& b) {
    int worst = a.size() == b.size() ? 0 : 255;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int(a[i] >> shift & 255) - int(b[i] >> shift & 255)));
    return worst;
}

// 30 Hz gives delays of 3 and 4, never drifting to 3 only; an end before the last one takes nothing.
TEST(FrameDelays, RoundingIsCarriedSoTheTotalIsTheRoundedLength) {
    t_DelayClock clock{0};
    std::vector<int64_t> delays;
    for (int64_t time : {33333, 66667, 100000, 133333, 123333, 183333}) delays.push_back(delayuntil(clock, time));
    EXPECT_EQ(delays, (std::vector<int64_t>{3, 4, 3, 3, 0, 5}));
}

// When the writer falls behind, the newest waiting picture is replaced: the queue never holds
// more than framesqueued, and what it hands on is the oldest and the latest.
TEST(FrameQueue, MergesIntoTheNewestWhenFullAndDrainsAfterClosing) {
    t_FrameQueue queue;
    for (uint32_t picture = 1; picture <= 5; ++picture) pushframe(queue, &picture, 1, picture * 1000);
    closequeue(queue, 9000);
    const uint32_t late = 6;
    pushframe(queue, &late, 1, 6000);  // after the end: dropped
    std::vector<std::pair<uint32_t, int64_t>> taken;
    for (t_Frame frame; popframe(queue, frame);) taken.emplace_back(frame.Pixels.at(0), frame.Time);
    EXPECT_EQ(taken, (std::vector<std::pair<uint32_t, int64_t>>{{1, 1000}, {2, 2000}, {5, 5000}}));
    EXPECT_EQ(closetime(queue), 9000);
}

// A picture repeated is no frame; one that follows within shortestframe replaces the held one;
// every frame carries only the box that changed.
TEST(GifEncoder, FramesAreCroppedTimedAndMergedAsShown) {
    TempDir dir;
    Pixels a(64, rgb(0, 0, 0)), b = a, c = a, d = a;
    b[5 * 8 + 5] = rgb(255, 0, 0);
    c = b, c[1 * 8 + 1] = rgb(0, 255, 0);
    d = b, d[1 * 8 + 1] = rgb(0, 0, 255), d[7 * 8 + 7] = rgb(0, 0, 255);
    const t_ReadGif gif = recorded(dir.file("a.gif"), 32, 8, 8, {{a, 0}, {b, 40}, {b, 60}, {c, 90}, {d, 100}}, 150);
    ASSERT_TRUE(gif.Read);
    ASSERT_EQ(gif.Frames.size(), 3u);
    const std::vector<Pixels> shown{gif.Frames[0].Pixels, gif.Frames[1].Pixels, gif.Frames[2].Pixels};
    EXPECT_EQ(shown, (std::vector<Pixels>{a, b, d}));
    EXPECT_EQ(std::vector<int>({gif.Frames[0].Delay, gif.Frames[1].Delay, gif.Frames[2].Delay}),
              (std::vector<int>{4, 5, 6}));
    const t_ShownFrame& last = gif.Frames[2];
    EXPECT_EQ(std::vector<int>({last.Left, last.Top, last.Width, last.Height}), (std::vector<int>{1, 1, 7, 7}));
    EXPECT_EQ(gif.Frames[1].Width * gif.Frames[1].Height, 1);
    EXPECT_EQ(dir.count(), 1);  // no temporary left beside it
}

// A picture left for longer than a frame's delay field holds (655.35 s) goes on in frames of
// one transparent pixel; the shown pictures and the total are as recorded.
TEST(GifEncoder, LongPausesContinueInEmptyFrames) {
    TempDir dir;
    Pixels a(16, rgb(10, 20, 30)), b = a;
    b[3] = rgb(40, 50, 60);
    const t_ReadGif gif = recorded(dir.file("long.gif"), 24, 4, 4, {{a, 0}, {b, 700000}}, 701000);
    ASSERT_EQ(gif.Frames.size(), 3u);
    EXPECT_EQ(gif.Frames[0].Delay, 65535);
    EXPECT_EQ(gif.Frames[2].Pixels, b);
    EXPECT_EQ(totaldelay(gif), 70100);
}

// The colours of each depth: the depth's own palette (exact); at 24 and 32 bits a global table
// that grows, tables of the picture's own for colours beyond it (exact up to 255 + 3 x 255
// colours), median cut beyond that. Every picture read back is compared with what was shown.
TEST(GifEncoder, EachDepthKeepsItsColours) {
    std::mt19937 rng(5);
    auto grey = [](uint32_t g) { return rgb(g, g, g); };
    auto randomof = [&](const std::vector<uint32_t>& colours) {
        Pixels p(64 * 48);
        for (uint32_t& pixel : p) pixel = colours[rng() % colours.size()];
        return p;
    };
    std::vector<uint32_t> palette16, greys, colours600, colours20000;
    for (int i = 0; i < 16; ++i) palette16.push_back(rgb(palettered[i], palettegreen[i], paletteblue[i]));
    for (uint32_t g = 0; g < 256; ++g) greys.push_back(grey(g));
    for (uint32_t i = 0; i < 600; ++i) colours600.push_back(rgb(i % 256, i / 3, 77));
    for (uint32_t i = 0; i < 20000; ++i) colours20000.push_back(rgb(i % 256, i / 80, (i * 7) % 256));
    const struct {
        int64_t Depth;
        std::vector<uint32_t> Colours;
        int GlobalColors;  // entries of the file's global table
        int Error;         // the largest channel error allowed
    } rows[] = {
        {1, {grey(0), grey(255)}, 4, 0},
        {4, palette16, 32, 0},
        {8, greys, 256, 0},
        {32, colours600, 256, 0},  // beyond the global table: exact only with tables of its own
        {32, colours20000, 256, 48},  // median cut of 5-bit colour cells
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("depth " + std::to_string(row.Depth) + ", " + std::to_string(row.Colours.size()) + " colours");
        TempDir dir;
        const Pixels first = randomof(row.Colours);
        Pixels second = first;
        for (size_t i = 100; i < 900; ++i) second[i] = row.Colours[(i * 13) % row.Colours.size()];
        const t_ReadGif gif = recorded(dir.file("d.gif"), row.Depth, 64, 48, {{first, 0}, {second, 50}}, 100);
        ASSERT_TRUE(gif.Read);
        EXPECT_EQ(gif.GlobalColors, row.GlobalColors);
        EXPECT_LE(pictureerror(shownat(gif, 4), first), row.Error);
        EXPECT_LE(pictureerror(shownat(gif, 9), second), row.Error);
        EXPECT_EQ(totaldelay(gif), 10);
    }
}

}  // namespace
