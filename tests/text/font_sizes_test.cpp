// Every font size through the whole text path: a screen with a header, a rule, an area that has
// scrolled and the cursor, captured and compared with a picture built here from the glyphs.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "text_fixture.h"

namespace {

struct SizeRow {
    const char* font;
    int64_t columns, lines;
};

// The grey the framework blends at depth 8 for coverage g of colour 12 (green, grey 85) on 0.
uint8_t greyof(uint8_t g, bool inverse) {
    constexpr int foreground = (0 + 255 + 0) / 3;
    return static_cast<uint8_t>(inverse ? (255 - g) * foreground / 255 : g * foreground / 255);
}

}  // namespace

class FontSizes : public TextScreen, public testing::WithParamInterface<SizeRow> {};

TEST_P(FontSizes, ScreenCaptureMatchesTheGlyphs) {
    const SizeRow size = GetParam();
    const t_Font font = t_LoadFontResource(size.font);
    const int64_t w = font.Width, h = font.Height;
    ASSERT_FALSE(font.Data.empty());
    logof([&] { t_InitWindow(0, 8, size.columns, size.lines, 0, size.font); });
    ASSERT_EQ(std::make_pair(record().Width, record().Height), std::make_pair(size.columns * w, size.lines * h));

    t_Header(0, "Kopf", "rechts");
    t_TextLine(0);
    t_Area(0, 1, 3, size.columns, size.lines);
    const int64_t arealines = size.lines - 2, printed = arealines + 3;
    for (int64_t k = 1; k <= printed; ++k) t_PrintLine(0, "Zeile " + std::to_string(k) + " \xC3\xA4\xC3\x9F");
    t_CursorOn(0);

    // What the screen must show: the header, the rule, the last lines printed, the cursor's
    // empty line at the bottom.
    std::vector<std::string> expected(static_cast<size_t>(size.lines));
    expected[0] = "Kopf" + std::string(static_cast<size_t>(size.columns - 10), ' ') + "rechts";
    expected[1] = std::string(static_cast<size_t>(size.columns), '\x9C');
    for (int64_t y = 3; y < size.lines; ++y)
        expected[static_cast<size_t>(y - 1)] = "Zeile " + std::to_string(printed - (size.lines - y) + 1) + " \xE4\xDF";
    std::vector<uint8_t> picture(static_cast<size_t>(size.columns * w * size.lines * h));
    for (int64_t y = 1; y <= size.lines; ++y)
        for (int64_t x = 1; x <= size.columns; ++x) {
            const std::string& line = expected[static_cast<size_t>(y - 1)];
            const auto code = static_cast<uint8_t>(x <= static_cast<int64_t>(line.size()) ? line[static_cast<size_t>(x - 1)] : ' ');
            const bool cursor = x == 1 && y == size.lines;
            for (int64_t r = 0; r < h; ++r)
                for (int64_t k = 0; k < w; ++k)
                    picture[static_cast<size_t>(((y - 1) * h + r) * size.columns * w + (x - 1) * w + k)] =
                        greyof(font.Data[static_cast<size_t>(code * w * h + r * w + k)], cursor);
        }

    const t_Graphic capture = g_GetScreen(0);
    ASSERT_EQ(std::make_tuple(capture.Format, capture.Width, capture.Height),
              std::make_tuple(g_FormatGrey, size.columns * w, size.lines * h));
    const auto differs = std::mismatch(picture.begin(), picture.end(), capture.Data.begin(), capture.Data.end());
    EXPECT_TRUE(differs.first == picture.end())
        << "first difference at pixel " << (differs.first - picture.begin()) % (size.columns * w) << ", "
        << (differs.first - picture.begin()) / (size.columns * w);
    EXPECT_EQ(t_GetScreen(0, "\r").substr(0, 4), "Kopf");
}

// 8 x 16 at 80 x 25 is the classic 640 x 400 screen.
INSTANTIATE_TEST_SUITE_P(EverySize, FontSizes,
                         testing::Values(SizeRow{"Mono 8x16.font", 80, 25}, SizeRow{"MonoBold 8x16.font", 20, 6},
                                         SizeRow{"Mono 12x24.font", 20, 6}, SizeRow{"MonoBold 12x24.font", 20, 6},
                                         SizeRow{"MenloRegular 16x32.font", 20, 6}),
                         [](const testing::TestParamInfo<SizeRow>& info) {
                             std::string name = info.param.font;
                             std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name.substr(0, name.size() - 4);  // without "font"
                         });
