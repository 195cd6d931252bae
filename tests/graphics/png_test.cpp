#include <gmock/gmock.h>

#include <cstdlib>

#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"
#include "host/host.h"
#include "host/images.h"

using testing::HasSubstr;

namespace {

uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void put32(Bytes& b, uint32_t v) {
    for (int k = 3; k >= 0; --k) b.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

void putchunk(Bytes& png, const Bytes& typeanddata) {
    put32(png, static_cast<uint32_t>(typeanddata.size() - 4));
    png.insert(png.end(), typeanddata.begin(), typeanddata.end());
    put32(png, crc32(typeanddata.data(), typeanddata.size()));
}

// A PNG whose header announces width x height pixels, with hardly any pixel data behind it.
Bytes pngheaderonly(uint32_t width, uint32_t height) {
    Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header{'I', 'H', 'D', 'R'};
    put32(header, width);
    put32(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    putchunk(png, header);
    putchunk(png, {'I', 'D', 'A', 'T', 0x78, 0x9C, 0x03, 0x00});
    putchunk(png, {'I', 'E', 'N', 'D'});
    return png;
}

std::string converter() {
    const std::string tests = host::applicationpath();
    return tests.substr(0, tests.rfind('/')) + "/../stangenspiel-grconvert";
}

}  // namespace

TEST_F(CaptureTest, PNGShowsWhatTheWindowShows) {
    makewindow(0, 4, 32, 8);
    makewindow(1, 32, 32, 8);
    makewindow(2, 16, 32, 8);
    TempDir dir;
    setpixelbytes(0, {0x1F});                        // palette red, white
    setpixelbytes(1, {0x00, 0x11, 0x22, 0x33});      // alpha 0 never reaches the screen
    setpixelbytes(2, {0x80, 0x40});
    ASSERT_EQ(g_SavePNG(0, dir.file("four.png")), 0);
    ASSERT_EQ(g_SavePNG(1, dir.file("argb.png")), 0);
    ASSERT_EQ(g_SavePNG(2, dir.file("agrey.png")), 0);
    const t_Graphic four = g_ReadPNGFile(dir.file("four.png"));
    EXPECT_EQ(four.Format, g_FormatRGBColor);
    EXPECT_EQ(four.Width, 32);
    EXPECT_EQ(Bytes(four.Data.begin(), four.Data.begin() + 9), (Bytes{0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0}));
    const t_Graphic argb = g_ReadPNGFile(dir.file("argb.png"));
    EXPECT_EQ(Bytes(argb.Data.begin(), argb.Data.begin() + 3), (Bytes{0x11, 0x22, 0x33}));
    const t_Graphic agrey = g_ReadPNGFile(dir.file("agrey.png"));
    EXPECT_EQ(Bytes(agrey.Data.begin(), agrey.Data.begin() + 3), (Bytes{0x40, 0x40, 0x40}));

    // Back into a window of the depth it came from: the same pixels.
    makewindow(3, 4, 32, 8);
    g_LoadPNG(3, dir.file("four.png"), 0, 0);
    EXPECT_EQ(pixelbytes(3), pixelbytes(0));
}

TEST(PNG, TransparencyIsKeptAndBadPNGsAreRefused) {
    const uint32_t pixels[2] = {0x80102030, 0xFF405060};
    const t_Graphic argb = g_PNGToGraphic(host::encodepng(pixels, 2, 1, true));
    EXPECT_EQ(argb.Format, g_FormatARGBColor);
    EXPECT_EQ(argb.Data, (Bytes{0x80, 0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60}));

    const Bytes good = host::encodepng(pixels, 2, 1, false);
    std::string log = logof([&] {
        EXPECT_EQ(g_PNGToGraphic({1, 2, 3}), emptygraphic());
        EXPECT_EQ(g_PNGToGraphic(Bytes(good.begin(), good.begin() + 40)), emptygraphic());
        EXPECT_EQ(g_PNGToGraphic(pngheaderonly(60000, 60000)), emptygraphic());  // refused before decoding
        EXPECT_TRUE(g_GraphicToPNG(emptygraphic()).empty());
    });
    EXPECT_THAT(log, HasSubstr("g_PNGToGraphic: PNG could not be read (not a PNG picture).\n"));
    EXPECT_THAT(log, HasSubstr("g_PNGToGraphic: PNG could not be read (picture too large).\n"));
    EXPECT_THAT(log, HasSubstr("g_GraphicToPNG: Picture has no pixels.\n"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}

TEST_F(CaptureTest, ConverterTurnsASavedScreenIntoAPNGAndBack) {
    makewindow(0, 24, 96, 40);
    std::mt19937 rng(11);
    paintrandom(0, rng);
    TempDir dir;
    t_Graphic screen;
    logof([&] {
        screen = g_GetScreen(0);
        writegraphicfile(dir.file("screen.gr"), g_CompressLZW(g_CompressRLE(g_Pack(screen))));
    });
    const std::string tool = converter();
    ASSERT_TRUE(std::filesystem::exists(tool)) << tool;
    const std::string quiet = " > " + dir.file("log.txt");
    ASSERT_EQ(std::system((tool + " " + dir.file("screen.gr") + " " + dir.file("screen.png") + quiet).c_str()), 0);
    EXPECT_EQ(g_ReadPNGFile(dir.file("screen.png")), screen);  // opaque RGB: the very record captured
    ASSERT_EQ(std::system((tool + " " + dir.file("screen.png") + " " + dir.file("again.gr") + quiet).c_str()), 0);
    EXPECT_EQ(getbinaryfromfile(dir.file("again.gr")), getbinaryfromfile(dir.file("screen.gr")));
    // A file that is not a picture: a failing status and the reason on standard output.
    setbinarytofile(dir.file("bad.gr"), {1, 2, 3});
    EXPECT_NE(std::system((tool + " " + dir.file("bad.gr") + " " + dir.file("bad.png") + quiet).c_str()), 0);
    EXPECT_THAT(getbinaryfromfile(dir.file("log.txt")), testing::Not(testing::IsEmpty()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("bad.png")));
}
