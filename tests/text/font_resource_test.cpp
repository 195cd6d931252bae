#include <gtest/gtest.h>

#include <tuple>

#include "core/framework_state.h"
#include "graphics/byte_files.h"
#include "graphics/lzw.h"
#include "text/font_resource.h"
#include "text_fixture.h"

namespace {

Bytes fontfile(uint8_t format, const Bytes& data, uint8_t width = 2, uint8_t height = 3) {
    Bytes file = data;
    file.insert(file.begin(), {16, 'm', 'x', 'f', 'n', format, 0x00, 0x01, 0x02, 0x03, 32, 126, width, height, 0xBE, 0xEF});
    return file;
}

}  // namespace

TEST(FontFiles, EachFileGivesItsGlyphsOrItsMessage) {
    TempDir dir;
    Bytes glyphs(2 * 3 * 128);
    for (size_t i = 0; i < glyphs.size(); ++i) glyphs[i] = static_cast<uint8_t>(i * 13);
    std::vector<uint32_t> bomb{65};
    for (uint32_t c = 256; c < 256 + 300000; ++c) bomb.push_back(c);  // 45 GB if decoded
    Bytes bombdata = lzwpackcodes(bomb, 19);
    bombdata.insert(bombdata.begin(), 19);  // the code width first
    // The file, the start of what is printed, the header size, format and glyph data loaded.
    const std::tuple<Bytes, std::string, int64_t, int64_t, Bytes> cases[] = {
        // Glyphs count from code 0, whatever Start says; coded data unpacks to the same glyphs.
        {fontfile(2, glyphs), "", 16, 2, glyphs},
        {fontfile(102, lzwpack(glyphs)), "", 16, 2, glyphs},
        // Broken headers keep what was read before the fault.
        {{}, "t_LoadFontResource: Could not load file \u201E" + dir.file("test.font") + "\u201C\n", 16, 0, {}},
        {{2, 'm', 'x'}, "t_LoadFontResource: Invalid file type\n", 2, 0, {}},  // cut short by the end
        // Longer than any font can be: not even read.
        {fontfile(2, Bytes(largestfontdata + 256, 0)), "getbinaryfromfile: Error #", 16, 0, {}},
        // Hostile coded data: silent, no glyphs.
        {fontfile(102, bombdata, 16, 32), "", 16, 2, {}},
    };
    for (const auto& [file, start, headersize, format, data] : cases) {
        SCOPED_TRACE("file of " + std::to_string(file.size()) + " bytes: " + start);
        setbinarytofile(dir.file("test.font"), file);
        t_Font font;
        const std::string said = logof([&] { font = t_LoadFontResource(dir.file("test.font")); });
        EXPECT_EQ(start.empty() ? said : said.substr(0, start.size()), start);
        EXPECT_EQ(std::vector<int64_t>({font.HeaderSize, font.Format}), std::vector<int64_t>({headersize, format}));
        EXPECT_EQ(font.Data, data);
        if (start.empty()) {
            EXPECT_EQ(std::vector<int64_t>({font.Size, font.Start, font.End, font.Reserved}),
                      std::vector<int64_t>({0x010203, 32, 126, 0xBEEF}));
        }
    }
}

// Every font the framework brings, each a grey cell per code 0-255: the rule segment across the
// middle row, codes 0-31 the inverse capitals.
TEST(GeneratedFonts, LoadAsGreyCellsWithTheGlyphsTheProgramPrints) {
    const std::tuple<const char*, int64_t, int64_t> fonts[] = {
        {"MenloBold 16x32.font", 16, 32}, {"MenloRegular 16x32.font", 16, 32}, {"Mono 8x16.font", 8, 16},
        {"MonoBold 8x16.font", 8, 16},     {"Mono 12x24.font", 12, 24},        {"MonoBold 12x24.font", 12, 24}};
    for (const auto& [name, w, h] : fonts) {
        SCOPED_TRACE(name);
        t_Font font;
        EXPECT_EQ(logof([&] { font = t_LoadFontResource(name); }), "");
        const int64_t cell = w * h;
        ASSERT_EQ(std::vector<int64_t>({font.Format, font.Width, font.Height, font.Start, font.End, font.Size,
                                        static_cast<int64_t>(font.Data.size())}),
                  std::vector<int64_t>({2, w, h, 0, 255, 256 * cell, 256 * cell}));
        const auto row = [&](int64_t code, int64_t y) {
            std::string pixels;
            for (int64_t x = 0; x < w; ++x) pixels += font.Data[size_t(code * cell + y * w + x)] >= 128 ? '#' : '.';
            return pixels;
        };
        const std::string blank(static_cast<size_t>(w), '.');
        EXPECT_EQ(row(156, h / 2) + row(156, 0), std::string(static_cast<size_t>(w), '#') + blank);
        for (int64_t i = 0; i < cell; ++i) ASSERT_EQ(font.Data[size_t(cell + i)], 255 - font.Data[size_t(65 * cell + i)]);
    }
}

// A font whose cell no window can hold, or of a negative size, is refused where a program hands
// it over, with one line and no effect; a cell as large as a window can be stays accepted.
TEST_F(TextScreen, FontsWhoseCellsCannotBeDrawnAreRefusedWhereTheyAreGiven) {
    maketextwindow(0, 8, 4, 2);
    const std::pair<int64_t, int64_t> sizes[] = {{8193, 16}, {16, 8193}, {-1, 16}, {16, -32},
                                                 {INT64_MAX, 2}, {int64_t{1} << 40, int64_t{1} << 40}};
    for (const auto& [width, height] : sizes) {
        t_Font font = greyfont(1, 1);
        font.Width = width;
        font.Height = height;
        const std::string cell = std::to_string(width) + " x " + std::to_string(height) + " pixel cannot be drawn.\n";
        EXPECT_EQ(logof([&] { t_WindowFont(0, font); }), "t_WindowFont: Font cell of " + cell);
        EXPECT_EQ(record().Font.Width, 16);
        EXPECT_EQ(logof([&] { t_InitGraphicWindow(0, 8, true, 64, 64, 0, 0, font, true); }),
                  "t_InitWindow: GraphicWindow #0 font cell of " + cell);
        EXPECT_EQ(record().TextWidth, 4);
    }
    t_Font largest = greyfont(1, 1);
    largest.Width = largest.Height = 8192;
    EXPECT_EQ(logof([&] { t_WindowFont(0, largest); }), "");
}
