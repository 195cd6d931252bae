// The view keeps its picture and converts only what changed: after any sequence of writes its
// picture is the one a whole conversion makes.
#include <array>
#include <random>

#include "graphics/plot.h"
#include "graphics/window_image.h"
#include "host/framework_calls.h"
#include "tests/windows/window_fixture.h"

namespace {

// The view's picture and a whole one made beside it.
std::pair<std::vector<uint32_t>, std::vector<uint32_t>> pictures() {
    std::vector<uint32_t> view;
    hostcalls::viewimage(0, [&](const uint32_t* p, int width, int height) { view.assign(p, p + width * height); });
    t_Image whole;
    t_WindowImage(0, whole);
    return {view, {whole.Pixels.begin(), whole.Pixels.end()}};
}

// Random writes of every kind; a font of 6 x 10 puts cells across the bytes of depths 1 and 4.
TEST_F(WindowTest, PartialPicturesMatchWholeOnesAfterAnyWrites) {
    constexpr int64_t width = 88, height = 50;
    std::mt19937 random(28);
    const auto below = [&random](int64_t n) { return static_cast<int64_t>(random() % static_cast<uint32_t>(n)); };
    const auto recreate = [&] {
        created(0, std::array{1, 4, 8, 16, 24, 32}[below(6)], width, height, glyphfont(6, 10));
        t_WindowVisible(0, true);
    };
    recreate();
    for (int step = 0; step < 600; ++step) {
        const int64_t x = below(width + 20) - 10, y = below(height + 20) - 10, left = below(width), top = below(height);
        switch (below(8)) {
            case 0: g_Plot(0, x, y); break;
            case 1: g_Line(0, x, y, below(width + 20) - 10, below(height + 20) - 10); break;
            case 2: t_PrintSymbol(0, uint8_t(below(256)), uint8_t(below(256)), 1 + below(14), 1 + below(5)); break;
            case 3: below(2) == 0 ? t_ScrollUp(0) : t_ScrollDown(0); break;
            case 4: g_PutScreen(0, g_GetScreenRect(0, left, top, left + below(width - left), top + below(height - top)), x, y); break;
            case 5: {  // a span held makes every picture whole until the window is made again
                const std::span<uint8_t> span = g_GraphicMemory(0);
                {
                    FrameworkLock lock;
                    for (int k = 0; k < 8; ++k) span[size_t(below(int64_t(span.size())))] ^= 0x5A;
                }
                const auto [view, whole] = pictures();
                ASSERT_EQ(view, whole) << "step " << step;
                recreate();
                break;
            }
            case 6: if (below(8) == 0) recreate(); break;
            default: {
                FrameworkLock lock;
                framework.windows[0].RGBColor = {255, uint8_t(below(256)), uint8_t(below(256)), uint8_t(below(256))};
                framework.windows[0].TextColor = static_cast<uint8_t>(below(256));
            }
        }
        if (below(3) != 0) continue;  // changes gather between some pictures
        const auto [view, whole] = pictures();
        ASSERT_FALSE(whole.empty());
        ASSERT_EQ(view, whole) << "step " << step << ", depth " << record(0).BitDepth;
    }
}

}  // namespace
