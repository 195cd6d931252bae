// The coding stages of a picture record and the graphic files that hold it.
#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_file.h"

// Each stage has its own undoing operation, which gives back exactly the stage before it. A shared
// alpha stays in front of the run-length code: 4 x 3 pixels of alpha 0x80 and grey 7.
TEST(GraphicCoding, EachStageIsUndoneByItsOwnOperation) {
    Bytes agrey;
    for (int i = 0; i < 12; ++i) agrey.insert(agrey.end(), {0x80, 7});
    const t_Graphic pictures[] = {
        graphicof(0, {15, 0, 0, 15, 15, 0, 15, 15, 15}, 3, 3), graphicof(1, {1, 2, 3, 4, 5, 6}, 3, 2),
        graphicof(4, agrey, 4, 3), graphicof(5, {0x80, 1, 2, 3, 0x80, 4, 5, 6}, 2, 1)};
    for (const t_Graphic& picture : pictures) {
        logof([&] {
            const t_Graphic packed = g_Pack(picture), runs = g_CompressRLE(packed), lzw = g_CompressLZW(runs);
            EXPECT_EQ(std::vector<int64_t>({packed.Format, runs.Format, lzw.Format}),
                      std::vector<int64_t>({picture.Format + 10, picture.Format + 30, picture.Format + 130}));
            EXPECT_EQ(g_CompressLZW(lzw), lzw);  // coded already: unchanged
            EXPECT_EQ(g_DecompressLZW(lzw), runs);
            EXPECT_EQ(g_DecompressRLE(runs), packed);
            EXPECT_EQ(g_Unpack(packed), picture) << picture.Format;
        });
    }
    logof([&] { EXPECT_EQ(g_CompressRLE(g_Pack(pictures[2])).Data, (Bytes{0x80, 0, 0, 0x55, 0, 0, 0x55, 4, 7, 7, 7})); });
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
        {[](t_Graphic& g) { g.Width = 41, g.Size = 41 * 30; },  // more pixels than coded
         "rle24tobinary: Coded data does not give the picture's length.\n"},
        {[](t_Graphic& g) { g = graphicof(10, Bytes(7), 40, 2); },  // 5 bytes a row
         "g_Decompress: Data does not match the picture size.\n"},
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
        {[](Bytes& b) { b[5] = 7; }, "readgraphicfile: Unknown graphic format 7.\n"},  // the record's own checks, as above
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
    const std::string path = dir.file("old.gr");
    ASSERT_EQ(writegraphicfile(path, graphicof(2, Bytes(4, 1), 2, 2)), 0);
    const Bytes before = getbinaryfromfile(path);
    EXPECT_EQ(logof([&] { EXPECT_EQ(writegraphicfile(path, graphicof(2, Bytes(70000, 1), 70000, 1)), EFBIG); }),
              "writegraphicfile: Picture too large for a graphic file.\n");
    EXPECT_EQ(getbinaryfromfile(path), before);
}
