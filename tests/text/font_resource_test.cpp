#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <tuple>

#include "core/framework_state.h"
#include "graphics/byte_files.h"
#include "graphics/lzw.h"
#include "text/font_resource.h"
#include "text_fixture.h"

namespace {

struct FontFiles : testing::Test {
    TempDir dir;
    // Writes the file and loads it, answering the font and what was printed.
    std::pair<t_Font, std::string> load(const Bytes& file) {
        setbinarytofile(dir.file("test.font"), file);
        t_Font font;
        const std::string printed = logof([&] { font = t_LoadFontResource(dir.file("test.font")); });
        return {font, printed};
    }
};

Bytes header(uint8_t format, uint8_t width, uint8_t height, uint8_t headersize = 16) {
    return {headersize, 'm', 'x', 'f', 'n', format, 0x00, 0x01, 0x02, 0x03, 32, 126, width, height, 0xBE, 0xEF};
}

Bytes withdata(Bytes file, const Bytes& data) {
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// Codes packed behind their width byte, as a coded font stores them.
Bytes coded(const std::vector<t_LZWCode>& codes, int width) {
    return withdata({static_cast<uint8_t>(width)}, lzwpackcodes(codes, width));
}
}  // namespace

TEST_F(FontFiles, GoodFilesLoadWithTheirHeader) {
    Bytes glyphs(2 * 3 * 128);
    for (size_t i = 0; i < glyphs.size(); ++i) glyphs[i] = static_cast<uint8_t>(i * 13);
    auto [font, printed] = load(withdata(header(2, 2, 3), glyphs));
    EXPECT_EQ(std::vector<int64_t>({font.HeaderSize, font.Size, font.Start, font.End, font.Width, font.Height, font.Reserved}),
              std::vector<int64_t>({16, 0x010203, 32, 126, 2, 3, 0xBEEF}));
    // Glyphs count from code 0, whatever Start says; coded data unpacks to the same glyphs; a
    // header alone, or a coded one with only its width byte, is a font without glyphs; unknown
    // formats load as they are; a short header puts the data early.
    const std::tuple<Bytes, int64_t, Bytes> cases[] = {
        {withdata(header(2, 2, 3), glyphs), 2, glyphs},
        {withdata(header(102, 2, 3), lzwpack(glyphs)), 2, glyphs},
        {withdata(header(100, 2, 3), lzwpack(glyphs)), 0, glyphs},
        {header(2, 16, 32), 2, {}},
        {withdata(header(102, 16, 32), {9}), 2, {}},
        {withdata(header(7, 1, 1), {1, 2}), 7, {1, 2}},
        {{6, 'm', 'x', 'f', 'n', 2, 0xAA, 0xBB}, 2, {0xAA, 0xBB}},
    };
    for (const auto& [file, format, data] : cases) {
        std::tie(font, printed) = load(file);
        EXPECT_EQ(printed, "");
        EXPECT_EQ(font.Format, format);
        EXPECT_EQ(font.Data, data);
    }
    EXPECT_EQ(font.Size, 0) << "fields the file does not reach read 0";
    EXPECT_EQ(font.Reserved, 0);
}

TEST_F(FontFiles, BrokenFilesGiveTheirMessage) {
    const std::string missing = dir.file("missing.font");
    t_Font font;
    const std::string printed = logof([&] { font = t_LoadFontResource(missing); });
    EXPECT_EQ(printed, errorline("getbinaryfromfile", ENOENT) + "t_LoadFontResource: Could not load file \u201E" + missing + "\u201C\n");
    EXPECT_EQ(font.HeaderSize, 16);
    EXPECT_TRUE(font.Data.empty());

    Bytes wrong = withdata(header(2, 1, 1, 20), Bytes(8, 1));
    wrong[3] = 'g';
    const std::string couldnot = "t_LoadFontResource: Could not load file \u201E";
    const std::tuple<Bytes, std::string, int64_t, Bytes> cases[] = {  // file, message, header size, identifier
        {{}, couldnot, 16, {'m', 'x', 'f', 'n'}},
        {Bytes(wrong.begin(), wrong.begin() + 10), "t_LoadFontResource: Invalid header size\n", 20, {'m', 'x', 'f', 'n'}},
        {wrong, "t_LoadFontResource: Invalid file type\n", 20, {'m', 'x', 'g', 'n'}},
        {{2, 'm', 'x'}, "t_LoadFontResource: Invalid file type\n", 2, {'m', 'x'}},  // cut short by the end
        // Longer than any font can be: not even read.
        {withdata(header(2, 255, 255), Bytes(largestfontdata + 256, 0)), "getbinaryfromfile: Error #", 16, {'m', 'x', 'f', 'n'}},
    };
    for (const auto& [file, message, headersize, identifier] : cases) {
        const auto [loaded, said] = load(file);
        EXPECT_EQ(said.substr(0, message.size()), message);
        EXPECT_EQ(loaded.HeaderSize, headersize);
        EXPECT_EQ(loaded.Identifier, identifier);
        EXPECT_EQ(loaded.Format, 0);
        EXPECT_TRUE(loaded.Data.empty());
    }
}

TEST_F(FontFiles, HostileCodedDataLoadsAsNoFont) {
    // Each stays silent and ends with empty glyph data, without ever holding much memory.
    std::vector<uint32_t> bomb{65};
    for (uint32_t c = 256; c < 256 + 300000; ++c) bomb.push_back(c);  // 45 GB if decoded
    const Bytes cases[] = {
        withdata(header(102, 16, 32), {0, 0x41, 0x42}),          // width 0
        withdata(header(102, 16, 32), {32, 0, 0, 0, 65, 0, 0}),  // width 32
        withdata(header(102, 16, 32), {40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
        withdata(header(102, 16, 32), coded({65, 66, 300}, 9)),  // above the next free code
        withdata(header(102, 16, 32), coded({65, 257}, 9)),
        withdata(header(102, 16, 32), coded(bomb, 19)),
    };
    for (const Bytes& file : cases) {
        auto [font, printed] = load(file);
        EXPECT_EQ(printed, "");
        EXPECT_EQ(font.Format, 2);
        EXPECT_TRUE(font.Data.empty());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 400 * 1024) << "peak kilobytes";
    // Coded data that decodes to exactly the most a font can hold is still accepted.
    std::vector<uint32_t> full{0};
    uint64_t length = 1;
    for (uint32_t c = 256; length + (c - 254) <= largestfontdata; ++c) {
        full.push_back(c);
        length += c - 254;
    }
    while (length < largestfontdata) {
        full.push_back(0);
        ++length;
    }
    auto [font, printed] = load(withdata(header(102, 255, 255), coded(full, 13)));
    EXPECT_EQ(font.Data.size(), largestfontdata);
    full.push_back(0);
    std::tie(font, printed) = load(withdata(header(102, 255, 255), coded(full, 13)));
    EXPECT_TRUE(font.Data.empty());
}

TEST(GeneratedFonts, LoadAsGreyCellsWithTheGlyphsTheProgramPrints) {
    for (const char* name : {"MenloBold 16x32.font", "MenloRegular 16x32.font"}) {
        t_Font font;
        EXPECT_EQ(logof([&] { font = t_LoadFontResource(name); }), "") << name;
        EXPECT_EQ(std::vector<int64_t>({font.Format, font.Width, font.Height, font.Start, font.End}),
                  std::vector<int64_t>({2, 16, 32, 0, 255}));
        ASSERT_EQ(font.Data.size(), 256u * 16 * 32) << name;
        auto glyph = [&](int code) {
            return Bytes(font.Data.begin() + code * 512, font.Data.begin() + (code + 1) * 512);
        };
        auto inked = [&](int code) {
            const Bytes g = glyph(code);
            return std::count_if(g.begin(), g.end(), [](uint8_t v) { return v >= 128; });
        };
        EXPECT_EQ(inked(32), 0);
        for (int code : {65, 103, 223, 246, 252, 160}) EXPECT_GT(inked(code), 10) << code;
        // Umlaut dots and descenders stay inside the cell: no ink in the first and last row.
        for (int code : {196, 214, 220, 103, 121, 199}) {
            const Bytes g = glyph(code);
            EXPECT_EQ(*std::max_element(g.begin(), g.begin() + 16), 0) << code;
            EXPECT_EQ(*std::max_element(g.end() - 16, g.end()), 0) << code;
        }
        // The rule segment runs across the whole cell through its middle.
        const Bytes rule = glyph(156);
        for (int x = 0; x < 16; ++x) EXPECT_EQ(rule[16 * 16 + x], 255) << x;
        EXPECT_EQ(rule[0], 0);
        // Codes 0-31 are the capitals in inverse.
        const Bytes a = glyph('A'), inverse = glyph(1);
        for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(inverse[i], 255 - a[i]);
    }
}

TEST(WindowFont, ReplacesOnlyTheFontOfAnInitialisedWindow) {
    t_Font small = testfont(8, 8);
    small.Start = 32;
    EXPECT_EQ(logof([&] {
                  t_WindowFont(8, small);
                  t_WindowFont(0, small);
              }),
              "t_WindowFont: Window is not a graphic window.\nt_WindowFont: Window #0 not initialized.\n");
    EXPECT_TRUE(framework.windows[0].Font.Data.empty());
    maketextwindow(2, 8, 10, 4);
    const t_Window before = framework.windows[2];
    EXPECT_EQ(logof([&] { t_WindowFont(2, small); }), "");
    FrameworkLock lock;
    const t_Window& after = framework.windows[2];
    EXPECT_EQ(after.Font.Width, 8);
    EXPECT_EQ(after.Font.Start, 32);
    EXPECT_EQ(after.Font.Data, small.Data);
    // The text screen keeps the size it was made for.
    EXPECT_EQ(std::vector<int64_t>({after.TextWidth, after.TextHeight, after.TextMemoryStart, after.MemoryStart}),
              std::vector<int64_t>({before.TextWidth, before.TextHeight, before.TextMemoryStart, before.MemoryStart}));
}
