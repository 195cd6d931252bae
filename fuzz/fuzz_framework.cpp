// Arbitrary bytes as a sequence of framework calls on window numbers 0-255: creations and
// re-creations at any depth and size, fonts, areas, prints, plots, lines, captures and pictures
// put back, colours, images. After every call the memory invariants must hold.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/plot.h"
#include "graphics/window_image.h"
#include "text/font_resource.h"
#include "text/glyphs.h"
#include "text/key_input.h"
#include "text/text_areas.h"
#include "text/text_colors.h"
#include "text/text_output.h"
#include "windows/invariants.h"
#include "windows/window_colors.h"
#include "windows/window_creation.h"

namespace {

void create(t_FuzzInput& in, uint8_t window) {
    const int64_t depth = in.depth();
    const uint8_t flags = in.byte();
    // Mostly sizes that fit the video memory, sometimes anything at all.
    const int64_t width = flags & 1 ? in.coordinate() : in.word() % 700;
    const int64_t height = flags & 2 ? in.coordinate() : in.word() % 500;
    const int64_t border = flags & 4 ? in.coordinate() : in.byte() % 40;
    t_InitGraphicWindow(window, depth, flags & 8, width, height, border, border, fuzzfont(in.byte()), flags & 16);
}

void createtext(t_FuzzInput& in, uint8_t window) {
    static const char* const names[] = {"MenloBold 16x32.font", "MenloRegular 16x32.font", "missing.font", "",
                                        "Mono 8x16.font", "MonoBold 8x16.font", "Mono 12x24.font",
                                        "MonoBold 12x24.font"};
    const int64_t depth = in.depth();
    const int64_t columns = static_cast<int8_t>(in.byte());
    const int64_t lines = static_cast<int8_t>(in.byte());
    t_InitWindow(window, depth, columns, lines, static_cast<int8_t>(in.byte()), names[in.byte() & 7]);
}

void captureandput(t_FuzzInput& in, uint8_t window) {
    const int64_t x1 = in.coordinate(), y1 = in.coordinate(), x2 = in.coordinate(), y2 = in.coordinate();
    const uint8_t coding = in.byte();
    t_Graphic picture = coding & 1 ? g_GetScreen(window) : g_GetScreenRect(window, x1, y1, x2, y2);
    if (coding & 2) picture = g_Pack(picture);
    if (coding & 4) picture = g_CompressRLE(picture);
    if (coding & 8) picture = g_CompressLZW(picture);
    g_PutScreen(in.byte(), picture, in.coordinate(), in.coordinate());
}

void call(t_FuzzInput& in) {
    const uint8_t operation = in.byte();
    const uint8_t window = in.byte();
    switch (operation % 26) {
        case 0: create(in, window); break;
        case 1: createtext(in, window); break;
        case 2: t_Print(window, in.bytes()); break;
        case 3: t_Print(window, in.text()); break;
        case 4: g_Plot(window, in.coordinate(), in.coordinate()); break;
        case 5: g_Line(window, in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()); break;
        case 6: t_Area(window, in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()); break;
        case 7: t_FullArea(window); break;
        case 8: t_Htab(window, in.coordinate()); break;
        case 9: t_Vtab(window, in.coordinate()); break;
        case 10: t_DisplayMode(window, static_cast<int8_t>(in.byte())); break;
        case 11: in.byte() & 1 ? t_ScrollUp(window) : t_ScrollDown(window); break;
        case 12: in.byte() & 1 ? t_ClearEndOfWindow(window) : t_ClearEndOfLine(window); break;
        case 13: t_Header(window, in.text(), in.text()); break;
        case 14: t_TextHline(window, in.coordinate(), in.coordinate(), in.coordinate(), in.byte()); break;
        case 15: captureandput(in, window); break;
        case 16: t_WindowFont(window, fuzzfont(in.byte())); break;
        case 17: in.byte() & 1 ? t_Color(window, in.coordinate()) : t_ColorBorder(window, in.coordinate()); break;
        case 18: t_InvertRect(window, in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()); break;
        case 19: t_PrintSymbol(window, in.byte(), in.byte(), in.coordinate(), in.coordinate()); break;
        case 20: {
            t_Image image;
            (void)t_WindowImage(window, image);
            break;
        }
        case 21: (void)t_GetScreen(window, in.byte() & 1 ? "\r" : "\n"); break;
        case 22: {
            const uint8_t which = in.byte() % 3;
            which == 0 ? t_CursorOn(window) : which == 1 ? t_CursorOff(window) : t_CursorDraw(window);
            break;
        }
        case 23: {
            const uint8_t which = in.byte() % 3;
            which == 0 ? t_Inverse(window) : which == 1 ? t_Normal(window) : t_Reverse(window);
            break;
        }
        case 24: t_TextLine(window); break;
        default: t_PrintTab(window, in.coordinate(), in.byte()); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    t_FuzzInput in(data, size);
    for (int step = 0; in.more() && step < 64; ++step) {
        call(in);
        const std::string broken = checkframeworkinvariants();
        if (!broken.empty()) {
            std::fprintf(stderr, "fuzz_framework: after call %d: %s\n", step, broken.c_str());
            std::abort();
        }
    }
    return 0;
}
