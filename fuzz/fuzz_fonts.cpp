#include "fuzz/fuzz_input.h"
#include "text/font_resource.h"

namespace {

t_Font greyfont(int64_t width, int64_t height, uint8_t start, uint8_t end, int64_t format, int64_t glyphs) {
    t_Font font;
    font.Format = format;
    font.Start = start;
    font.End = end;
    font.Width = width;
    font.Height = height;
    font.Data.assign(static_cast<size_t>(glyphs * width * height), 0x80);
    return font;
}

}  // namespace

t_Font fuzzfont(uint8_t choice) {
    static const t_Font program = t_LoadFontResource("MenloBold 16x32.font");
    switch (choice % 8) {
        case 0: return t_Font{};
        case 1: return greyfont(8, 8, 0, 255, 2, 256);
        case 2: return greyfont(1, 1, 0, 255, 2, 256);
        case 3: return greyfont(7, 13, 32, 127, 2, 96);
        case 4: return greyfont(8, 16, 0, 255, 0, 256);
        case 5: return greyfont(16, 32, 0, 255, 2, 3);  // far fewer glyphs than the range says
        case 6: return greyfont(0, 9, 0, 255, 2, 256);
        default: return program;
    }
}
