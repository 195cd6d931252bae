// The coding stages of a picture record and the graphic and PNG files that hold it. What a
// window's PNG shows is checked with each depth's capture.
#include <gmock/gmock.h>

#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"
#include "host/images.h"

using testing::HasSubstr;

// A shared alpha stays in front of the run-length code: 4 x 3 pixels of alpha 0x80 and grey 7.
// Each stage's own undoing operation is walked with every depth in the capture round trip.
TEST(GraphicCoding, SharedAlphaStaysInFrontOfTheRunLengthCode) {
    Bytes agrey;
    for (int i = 0; i < 12; ++i) agrey.insert(agrey.end(), {0x80, 7});
    const t_Graphic picture = graphicof(4, agrey, 4, 3);
    logof([&] {
        const t_Graphic runs = g_CompressRLE(g_Pack(picture));
        EXPECT_EQ(runs.Data, (Bytes{0x80, 0, 0, 0x55, 0, 0, 0x55, 4, 7, 7, 7}));
        EXPECT_EQ(g_Unpack(g_DecompressRLE(runs)), picture);
        EXPECT_EQ(g_CompressLZW(coded(picture)), coded(picture));  // coded already: unchanged
    });
}

TEST(GraphicCoding, DamagedRecordsAreRefusedWithOneLine) {
    t_Graphic good;
    logof([&] { good = coded(graphicof(3, Bytes(3 * 40 * 30, 9), 40, 30)); });
    const std::pair<void (*)(t_Graphic&), std::string> cases[] = {  // a good record damaged, the line
        {[](t_Graphic& g) { g.Identifier = {1, 2, 3, 4}; }, "g_Decompress: Not a graphic record.\n"},
        {[](t_Graphic& g) { g.Format = 36; }, "g_Decompress: Unknown graphic format 36.\n"},
        {[](t_Graphic& g) { g.Size = 1199; }, "g_Decompress: Size does not match width and height.\n"},
        {[](t_Graphic& g) { g.Width = g.Height = 60000, g.Size = 60000 * 60000ll; },
         "g_Decompress: Picture of 60000 x 60000 pixels is too large.\n"},
        {[](t_Graphic& g) { g = graphicof(105, {9, 0xFF, 0xFF, 0xFF}, 2, 2); },  // code too high
         "g_Decompress: LZW data does not decode.\n"},
    };
    for (const auto& [damage, line] : cases) {
        t_Graphic damaged = good;
        damage(damaged);
        t_Graphic result;
        EXPECT_EQ(logof([&] { result = g_Decompress(damaged); }), line);
        EXPECT_EQ(result, emptygraphic());
    }
}

TEST_F(CaptureTest, TwoByTwoPipelineWritesTheKnownFile) {
    created(0, 24, 640, 480);
    TempDir dir;
    logof([&] { EXPECT_EQ(writegraphicfile(dir.file("two.gr"), coded(g_GetScreenRect(0, 0, 0, 1, 1))), 0); });
    EXPECT_EQ(getbinaryfromfile(dir.file("two.gr")),
              (Bytes{0x10, 0x6D, 0x78, 0x67, 0x72, 0x7B, 0x00, 0x00, 0x00, 0x04, 0x00, 0x02, 0x00,
                     0x02, 0x11, 0x00, 0x09, 0x00, 0x00, 0x4A, 0xB0, 0x02, 0xA8, 0x10, 0x01, 0x06}));
}

// A file's header is checked, then its record as a decoded record is (one row here for those).
TEST(GraphicFile, BadFilesGiveOneLineAndTheEmptyRecord) {
    TempDir dir;
    const Bytes good = graphictobytes(coded(graphicof(2, Bytes(100, 3), 10, 10)));
    const std::pair<void (*)(Bytes&), std::string> cases[] = {  // a good file damaged, the line
        {[](Bytes& b) { b.resize(15); }, "readgraphicfile: File is too short for a graphic file.\n"},
        {[](Bytes& b) { b[2] = 'y'; }, "readgraphicfile: Not a graphic file.\n"},
        {[](Bytes& b) { b[0] = 17; }, "readgraphicfile: Unsupported header size 17.\n"},
        {[](Bytes& b) { b[5] = 7; }, "readgraphicfile: Unknown graphic format 7.\n"},  // the record checks, as above
        {[](Bytes& b) { b = graphictobytes(graphicof(2, Bytes(99, 3), 10, 10)); },  // uncoded, a byte short
         "readgraphicfile: Data does not match the picture size.\n"},
    };
    for (const auto& [damage, line] : cases) {
        Bytes file = good;
        damage(file);
        setbinarytofile(dir.file("bad.gr"), file);
        t_Graphic result;
        EXPECT_EQ(logof([&] { result = readgraphicfile(dir.file("bad.gr")); }), line);
        EXPECT_EQ(result, emptygraphic());
    }
}

TEST(GraphicFile, APictureTooWideForTheFileIsRefusedNotTruncated) {
    TempDir dir;
    EXPECT_EQ(logof([&] { EXPECT_EQ(writegraphicfile(dir.file("w.gr"), graphicof(2, Bytes(70000), 70000, 1)), EFBIG); }),
              "writegraphicfile: Picture too large for a graphic file.\n");
    EXPECT_EQ(dir.count(), 0);
}

// A PNG file's transparency is kept; bad PNG files are refused like bad graphic files.
TEST(PNG, TransparencyIsKeptAndBadPNGsAreRefused) {
    const uint32_t pixels[2] = {0x80102030, 0xFF405060};
    const t_Graphic argb = g_PNGToGraphic(host::encodepng(pixels, 2, 1, true));
    EXPECT_EQ(argb.Format, g_FormatARGBColor);
    EXPECT_EQ(argb.Data, (Bytes{0x80, 0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60}));

    const Bytes good = host::encodepng(pixels, 2, 1, false);
    // A header announcing 60000 x 60000 pixels, with hardly any data behind it.
    const Bytes huge{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
                     0x00, 0x00, 0xEA, 0x60, 0x00, 0x00, 0xEA, 0x60, 0x08, 0x06, 0x00, 0x00, 0x00, 0x80, 0xD2, 0x75,
                     0x42, 0x00, 0x00, 0x00, 0x04, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x03, 0x00, 0x9B, 0x8C, 0x7D,
                     0x23, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    std::string log = logof([&] {
        EXPECT_EQ(g_PNGToGraphic({1, 2, 3}), emptygraphic());
        EXPECT_EQ(g_PNGToGraphic(Bytes(good.begin(), good.begin() + 40)), emptygraphic());
        EXPECT_EQ(g_PNGToGraphic(huge), emptygraphic());  // refused before decoding
        EXPECT_TRUE(g_GraphicToPNG(emptygraphic()).empty());
    });
    EXPECT_THAT(log, HasSubstr("g_PNGToGraphic: PNG could not be read (not a PNG picture).\n"));
    EXPECT_THAT(log, HasSubstr("g_PNGToGraphic: PNG could not be read (picture too large).\n"));
    EXPECT_THAT(log, HasSubstr("g_GraphicToPNG: Picture has no pixels.\n"));
}
