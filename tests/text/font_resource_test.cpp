#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>

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

TEST_F(FontFiles, EachFileGivesItsGlyphsOrItsMessage) {
    Bytes glyphs(2 * 3 * 128);
    for (size_t i = 0; i < glyphs.size(); ++i) glyphs[i] = static_cast<uint8_t>(i * 13);
    Bytes wrong = withdata(header(2, 1, 1, 20), Bytes(8, 1));
    wrong[3] = 'g';
    std::vector<uint32_t> bomb{65};
    for (uint32_t c = 256; c < 256 + 300000; ++c) bomb.push_back(c);  // 45 GB if decoded
    const std::string type = "t_LoadFontResource: Invalid file type\n";
    const struct {
        Bytes file;
        std::string said;  // the start of what is printed
        int64_t headersize, format;
        Bytes data;
    } cases[] = {
        // Glyphs count from code 0, whatever Start says; coded data unpacks to the same glyphs; a
        // header alone, or a coded one with only its width byte, is a font without glyphs; unknown
        // formats load as they are; a short header puts the data early.
        {withdata(header(2, 2, 3), glyphs), "", 16, 2, glyphs},
        {withdata(header(102, 2, 3), lzwpack(glyphs)), "", 16, 2, glyphs},
        {withdata(header(100, 2, 3), lzwpack(glyphs)), "", 16, 0, glyphs},
        {header(2, 16, 32), "", 16, 2, {}},
        {withdata(header(102, 16, 32), {9}), "", 16, 2, {}},
        {withdata(header(7, 1, 1), {1, 2}), "", 16, 7, {1, 2}},
        {{6, 'm', 'x', 'f', 'n', 2, 0xAA, 0xBB}, "", 6, 2, {0xAA, 0xBB}},
        // Broken headers keep what was read before the fault.
        {{}, "t_LoadFontResource: Could not load file \u201E" + dir.file("test.font") + "\u201C\n", 16, 0, {}},
        {Bytes(wrong.begin(), wrong.begin() + 10), "t_LoadFontResource: Invalid header size\n", 20, 0, {}},
        {wrong, type, 20, 0, {}},
        {{2, 'm', 'x'}, type, 2, 0, {}},  // cut short by the end
        // Longer than any font can be: not even read.
        {withdata(header(2, 255, 255), Bytes(largestfontdata + 256, 0)), "getbinaryfromfile: Error #", 16, 0, {}},
        // Hostile coded data: silent, no glyphs, and never much memory held.
        {withdata(header(102, 16, 32), {0, 0x41, 0x42}), "", 16, 2, {}},  // width 0
        {withdata(header(102, 16, 32), coded({65, 66, 300}, 9)), "", 16, 2, {}},  // above the next free code
        {withdata(header(102, 16, 32), coded(bomb, 19)), "", 16, 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("file of " + std::to_string(c.file.size()) + " bytes: " + c.said);
        const auto [font, said] = load(c.file);
        EXPECT_EQ(said.substr(0, c.said.size()), c.said);
        if (c.said.empty()) {
            EXPECT_EQ(said, "");
        }
        EXPECT_EQ(font.HeaderSize, c.headersize);
        EXPECT_EQ(font.Format, c.format);
        EXPECT_EQ(font.Data, c.data);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 400 * 1024) << "peak kilobytes";
    const t_Font font = load(cases[0].file).first;
    EXPECT_EQ(std::vector<int64_t>({font.Size, font.Start, font.End, font.Width, font.Height, font.Reserved}),
              std::vector<int64_t>({0x010203, 32, 126, 2, 3, 0xBEEF}));
    const t_Font shortheader = load(cases[6].file).first;
    EXPECT_EQ(shortheader.Size + shortheader.Reserved, 0) << "fields the file does not reach read 0";
}

TEST_F(FontFiles, CodedDataOfExactlyTheLargestFontIsAccepted) {
    std::vector<uint32_t> full{0};
    uint64_t length = 1;
    for (uint32_t c = 256; length + (c - 254) <= largestfontdata; ++c) {
        full.push_back(c);
        length += c - 254;
    }
    for (; length < largestfontdata; ++length) full.push_back(0);
    EXPECT_EQ(load(withdata(header(102, 255, 255), coded(full, 13))).first.Data.size(), largestfontdata);
    full.push_back(0);
    EXPECT_TRUE(load(withdata(header(102, 255, 255), coded(full, 13))).first.Data.empty());
}

TEST(GeneratedFonts, LoadAsGreyCellsWithTheGlyphsTheProgramPrints) {
    for (const char* name : {"MenloBold 16x32.font", "MenloRegular 16x32.font"}) {
        SCOPED_TRACE(name);
        t_Font font;
        EXPECT_EQ(logof([&] { font = t_LoadFontResource(name); }), "");
        EXPECT_EQ(std::vector<int64_t>({font.Format, font.Width, font.Height, font.Start, font.End}),
                  std::vector<int64_t>({2, 16, 32, 0, 255}));
        ASSERT_EQ(font.Data.size(), 256u * 16 * 32);
        const auto glyph = [&](int code) { return Bytes(font.Data.begin() + code * 512, font.Data.begin() + (code + 1) * 512); };
        const auto inked = [&](int code, int from = 0, int to = 512) {
            const Bytes g = glyph(code);
            return std::count_if(g.begin() + from, g.begin() + to, [](uint8_t v) { return v >= 128; });
        };
        EXPECT_EQ(inked(32), 0);
        for (int code : {65, 103, 223, 246, 252, 160}) EXPECT_GT(inked(code), 10) << code;
        // Umlaut dots and descenders stay inside the cell: no ink in the first and last row.
        for (int code : {196, 214, 220, 103, 121, 199}) EXPECT_EQ(inked(code, 0, 16) + inked(code, 496, 512), 0) << code;
        // The rule segment runs across the whole cell through its middle.
        const Bytes rule = glyph(156);
        EXPECT_EQ(Bytes(rule.begin() + 256, rule.begin() + 272), Bytes(16, 255));
        EXPECT_EQ(rule[0], 0);
        // Codes 0-31 are the capitals in inverse.
        const Bytes a = glyph('A'), inverse = glyph(1);
        for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(inverse[i], 255 - a[i]);
    }
}

TEST(WindowFont, ReplacesOnlyTheFont) {
    t_Font small = testfont(8, 8);
    small.Start = 32;
    createwindow(2, 8, false, 160, 128, 0, testfont());
    const t_Window before = framework.windows[2];
    EXPECT_EQ(logof([&] { t_WindowFont(2, small); }), "");
    FrameworkLock lock;
    const t_Window& after = framework.windows[2];
    EXPECT_EQ(std::vector<int64_t>({after.Font.Start, after.Font.Width}), std::vector<int64_t>({32, 8}));
    EXPECT_EQ(after.Font.Data, small.Data);
    // The text screen keeps the size it was made for.
    EXPECT_EQ(std::vector<int64_t>({after.TextWidth, after.TextHeight, after.TextMemoryStart, after.MemoryStart}),
              std::vector<int64_t>({before.TextWidth, before.TextHeight, before.TextMemoryStart, before.MemoryStart}));
}
