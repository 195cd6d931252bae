#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/framework_state.h"
#include "graphics/byte_files.h"
#include "graphics/lzw.h"
#include "text/font_resource.h"
#include "text_fixture.h"

namespace {
using Bytes = std::vector<uint8_t>;

struct FontFiles : testing::Test {
    std::filesystem::path dir;
    void SetUp() override {
        char pattern[] = "/tmp/fontsXXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Writes the file and loads it, answering the font and what was printed.
    std::pair<t_Font, std::string> load(const Bytes& file) {
        const std::string path = (dir / "test.font").string();
        setbinarytofile(path, file);
        testing::internal::CaptureStdout();
        t_Font font = t_LoadFontResource(path);
        return {font, testing::internal::GetCapturedStdout()};
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
    EXPECT_EQ(printed, "");
    EXPECT_EQ(font.HeaderSize, 16);
    EXPECT_EQ(font.Format, 2);
    EXPECT_EQ(font.Size, 0x010203);
    EXPECT_EQ(font.Start, 32);
    EXPECT_EQ(font.End, 126);
    EXPECT_EQ(font.Width, 2);
    EXPECT_EQ(font.Height, 3);
    EXPECT_EQ(font.Reserved, 0xBEEF);
    EXPECT_EQ(font.Data, glyphs);  // glyphs count from code 0, whatever Start says

    // Coded grey data unpacks to the same glyphs.
    std::tie(font, printed) = load(withdata(header(102, 2, 3), lzwpack(glyphs)));
    EXPECT_EQ(printed, "");
    EXPECT_EQ(font.Format, 2);
    EXPECT_EQ(font.Data, glyphs);
    std::tie(font, printed) = load(withdata(header(100, 2, 3), lzwpack(glyphs)));
    EXPECT_EQ(font.Format, 0);
    EXPECT_EQ(font.Data, glyphs);

    // A header alone is a font without glyphs; a coded one with only its width byte too.
    std::tie(font, printed) = load(header(2, 16, 32));
    EXPECT_EQ(printed, "");
    EXPECT_TRUE(font.Data.empty());
    std::tie(font, printed) = load(withdata(header(102, 16, 32), {9}));
    EXPECT_EQ(font.Format, 2);
    EXPECT_TRUE(font.Data.empty());
    // Unknown formats load as they are.
    std::tie(font, printed) = load(withdata(header(7, 1, 1), {1, 2}));
    EXPECT_EQ(font.Format, 7);
    EXPECT_EQ(font.Data, (Bytes{1, 2}));
    // A short header puts the data early; fields the file does not reach read 0.
    std::tie(font, printed) = load({6, 'm', 'x', 'f', 'n', 2, 0xAA, 0xBB});
    EXPECT_EQ(printed, "");
    EXPECT_EQ(font.Data, (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(font.Size, 0);
    EXPECT_EQ(font.Reserved, 0);
}

TEST_F(FontFiles, BrokenFilesGiveTheirMessage) {
    testing::internal::CaptureStdout();
    t_Font font = t_LoadFontResource((dir / "missing.font").string());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("getbinaryfromfile: Error #"), std::string::npos);
    EXPECT_NE(printed.find("t_LoadFontResource: Could not load file \u201E" + (dir / "missing.font").string() +
                           "\u201C\n"),
              std::string::npos);
    EXPECT_EQ(font.HeaderSize, 16);
    EXPECT_TRUE(font.Data.empty());

    auto result = load({});
    EXPECT_EQ(result.second.rfind("t_LoadFontResource: Could not load file \u201E", 0), 0u);

    Bytes truncated = header(2, 16, 32);
    truncated.resize(10);
    result = load(truncated);
    EXPECT_EQ(result.second, "t_LoadFontResource: Invalid header size\n");
    EXPECT_EQ(result.first.HeaderSize, 16);
    EXPECT_EQ(result.first.Format, 0);
    EXPECT_EQ(result.first.Identifier, (Bytes{'m', 'x', 'f', 'n'}));

    Bytes wrong = withdata(header(2, 1, 1, 20), Bytes(8, 1));
    wrong[3] = 'g';
    result = load(wrong);
    EXPECT_EQ(result.second, "t_LoadFontResource: Invalid file type\n");
    EXPECT_EQ(result.first.HeaderSize, 20);
    EXPECT_EQ(result.first.Identifier, (Bytes{'m', 'x', 'g', 'n'}));
    EXPECT_EQ(result.first.Format, 0);
    EXPECT_TRUE(result.first.Data.empty());

    // Longer than any font can be: not even read.
    result = load(withdata(header(2, 255, 255), Bytes(largestfontdata + 256, 0)));
    EXPECT_NE(result.second.find("getbinaryfromfile: Error #"), std::string::npos);
    EXPECT_NE(result.second.find("t_LoadFontResource: Could not load file"), std::string::npos);
    EXPECT_TRUE(result.first.Data.empty());

    result = load({2, 'm', 'x'});  // identifier cut short by the end of the file
    EXPECT_EQ(result.second, "t_LoadFontResource: Invalid file type\n");
    EXPECT_EQ(result.first.Identifier, (Bytes{'m', 'x'}));
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

TEST(WindowFont, RefusesWindowsItCannotChange) {
    t_Font font;
    font.Width = 8;
    font.Data = {1};
    testing::internal::CaptureStdout();
    t_WindowFont(8, font);
    t_WindowFont(0, font);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "t_WindowFont: Window is not a graphic window.\nt_WindowFont: Window #0 not initialized.\n");
    FrameworkLock lock;
    EXPECT_TRUE(framework.windows[0].Font.Data.empty());
}

TEST(GeneratedFonts, LoadAsGreyCellsWithTheGlyphsTheProgramPrints) {
    for (const char* name : {"MenloBold 16x32.font", "MenloRegular 16x32.font"}) {
        testing::internal::CaptureStdout();
        const t_Font font = t_LoadFontResource(name);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << name;
        EXPECT_EQ(font.Format, 2);
        EXPECT_EQ(font.Width, 16);
        EXPECT_EQ(font.Height, 32);
        EXPECT_EQ(font.Start, 0);
        EXPECT_EQ(font.End, 255);
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
    maketextwindow(2, 8, 10, 4);
    t_Window before;
    {
        FrameworkLock lock;
        before = framework.windows[2];
    }
    t_Font small = testfont(8, 8);
    small.Start = 32;
    testing::internal::CaptureStdout();
    t_WindowFont(2, small);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    FrameworkLock lock;
    const t_Window& after = framework.windows[2];
    EXPECT_EQ(after.Font.Width, 8);
    EXPECT_EQ(after.Font.Start, 32);
    EXPECT_EQ(after.Font.Data, small.Data);
    // The text screen keeps the size it was made for.
    EXPECT_EQ(after.TextWidth, before.TextWidth);
    EXPECT_EQ(after.TextHeight, before.TextHeight);
    EXPECT_EQ(after.TextMemoryStart, before.TextMemoryStart);
    EXPECT_EQ(after.MemoryStart, before.MemoryStart);
}
