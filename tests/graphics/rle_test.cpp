#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "graphics/run_length.h"
#include "support/helpers.h"

using testing::HasSubstr;

namespace {

// Data made of runs of a few unit values, with the occasional lone unit, so that every kind of
// token (long runs, short runs, escape units) appears.
Bytes runnydata(std::mt19937& rng, size_t units, int unit, int values) {
    std::vector<Bytes> palette(static_cast<size_t>(values));
    for (Bytes& v : palette)
        for (int k = 0; k < unit; ++k) v.push_back(static_cast<uint8_t>(rng()));
    Bytes data;
    while (data.size() < units * static_cast<size_t>(unit)) {
        const Bytes& v = palette[rng() % palette.size()];
        size_t run = rng() % 4 == 0 ? rng() % 700 : 1 + rng() % 3;
        for (size_t k = 0; k < run && data.size() < units * static_cast<size_t>(unit); ++k)
            data.insert(data.end(), v.begin(), v.end());
    }
    return data;
}

using Coder = Bytes (*)(const Bytes&);
using Decoder = Bytes (*)(const Bytes&, int64_t);
struct t_Pair {
    int Unit;
    Coder Code;
    Decoder Decode;
};
const t_Pair pairs[] = {{1, binarytorle, rletobinary},
                        {2, binary16torle, rle16tobinary},
                        {3, binary24torle, rle24tobinary},
                        {4, binary32torle, rle32tobinary}};

}  // namespace

TEST(RunLength, ByteCoderExamplesAndTheCountFieldGrowingAt240AndAbove65535) {
    const std::pair<Bytes, Bytes> cases[] = {
        {{7, 7, 7, 7, 7, 1}, {0, 0, 5, 7, 1}},
        {{0, 0, 1, 2}, {3, 0, 0, 1, 2}},  // no run reaches 4
        {{9, 9, 9}, {9, 9, 9}},           // too short: no escape byte
        {{}, {}},
        {Bytes(239, 5), {0, 0, 239, 5}},
        {Bytes(240, 5), {0, 0, 240, 0, 240, 5}},
        {Bytes(70000, 5), {0, 0, 241, 0, 1, 0x11, 0x70, 5}},
    };
    for (const auto& [data, coded] : cases) EXPECT_EQ(binarytorle(data), coded) << data.size() << " bytes";
    // The same count in 3-byte units.
    Bytes units240;
    for (int i = 0; i < 240; ++i) units240.insert(units240.end(), {1, 2, 3});
    const std::string log = logof([&] { EXPECT_EQ(binary24torle(units240), (Bytes{0, 0, 0x55, 0, 0, 0x55, 240, 0, 240, 1, 2, 3})); });
    EXPECT_EQ(log, "binary24torle: Size 720 bytes.\nbinary24torle: 0 elements found: $0000.\n");
}

TEST(RunLength, EscapeIsTheRarestUnitAndIsItselfCoded) {
    // Every byte value occurs; 200 is the rarest (once), so it becomes the escape and its own
    // occurrences are written as escape + count.
    Bytes data;
    for (int v = 0; v < 256; ++v)
        if (v != 200) data.insert(data.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v)});
    data.push_back(200);
    const Bytes coded = binarytorle(data);
    ASSERT_GE(coded.size(), 3u);
    EXPECT_EQ(coded[0], 200);
    EXPECT_EQ(Bytes(coded.end() - 2, coded.end()), (Bytes{200, 1}));
    EXPECT_EQ(rletobinary(coded, static_cast<int64_t>(data.size())), data);
    // Ties go to the smallest value.
    EXPECT_EQ(binarytorle({1, 1, 2, 2, 0, 0})[0], 3);
}

TEST(RunLength, WideCodersReportTheirEscapeAndShortEscapeRuns) {
    // Every 16-bit unit occurs twice, except 0x0000 once: 0x0000 is the escape, and its one
    // occurrence is written as escape + count 1.
    Bytes data;
    for (int pass = 0; pass < 2; ++pass)
        for (uint32_t k = pass; k < 65536; ++k) data.insert(data.end(), {static_cast<uint8_t>(k >> 8), static_cast<uint8_t>(k)});
    Bytes coded;
    const std::string log = logof([&] { coded = binary16torle(data); });
    EXPECT_THAT(log, HasSubstr("binary16torle: 1 elements found: 0.\n"));
    EXPECT_THAT(log, HasSubstr("binary16torle: 1 elements appended.\n"));
    EXPECT_EQ(Bytes(coded.begin(), coded.begin() + 5), (Bytes{0, 0, 0, 0, 1}));
    EXPECT_EQ(rle16tobinary(coded, static_cast<int64_t>(data.size())), data);

    // The 4-byte coder keys on the middle two bytes and prints its key in decimal after "$".
    const std::string log32 = logof([] { EXPECT_EQ(binary32torle(Bytes(16, 0)), (Bytes{0x55, 0, 1, 0x55, 0x55, 0, 1, 0x55, 4, 0, 0, 0, 0})); });
    EXPECT_EQ(log32, "binary32torle: 0 elements found: $1.\n");
}

TEST(RunLength, LengthsTheCodersDoNotTakeComeBackUnchanged) {
    const std::string log = logof([] {
        EXPECT_EQ(binary24torle(Bytes(9, 1)), Bytes(9, 1));   // below 12 bytes
        EXPECT_EQ(binary24torle(Bytes(13, 1)), Bytes(13, 1));  // not a multiple of 3
        EXPECT_EQ(binary16torle(Bytes(7, 1)), Bytes(7, 1));
        EXPECT_EQ(binary32torle(Bytes(18, 1)), Bytes(18, 1));
    });
    EXPECT_EQ(log, "binary24torle: Size 9 bytes.\nbinary24torle: Size 13 bytes.\n");
    EXPECT_EQ(rle24tobinary(Bytes(9, 1), 9), Bytes(9, 1));
}

TEST(RunLength, RandomDataRoundTripsThroughEveryCoder) {
    std::mt19937 rng(1234);
    logof([&] {  // the wide coders talk
    for (const t_Pair& pair : pairs) {
        for (int trial = 0; trial < 40; ++trial) {
            const size_t units = trial < 10 ? static_cast<size_t>(trial) : 1 + rng() % 3000;
            // Few values give long runs; many give lone units and escapes that occur.
            const int values = trial % 3 == 0 ? 300 : 1 + static_cast<int>(rng() % 6);
            const Bytes data = runnydata(rng, units, pair.Unit, values);
            const Bytes coded = pair.Code(data);
            ASSERT_EQ(pair.Decode(coded, static_cast<int64_t>(data.size())), data)
                << "unit " << pair.Unit << " trial " << trial;
        }
    }
    });
}

TEST(RunLength, DamagedCodedDataIsRefusedNotOverrun) {
    Bytes data(1000, 7);
    data[500] = 1;
    const Bytes coded = binarytorle(data);
    const std::string log = logof([&] {
        EXPECT_TRUE(rletobinary(Bytes(coded.begin(), coded.end() - 1), 1000).empty());  // cut short
        EXPECT_TRUE(rletobinary(coded, 999).empty());                                     // too much
        EXPECT_TRUE(rletobinary(coded, 1001).empty());                                    // too little
        EXPECT_TRUE(rletobinary({0, 0, 242, 7}, 1000).empty());                           // bad count byte
        EXPECT_TRUE(rletobinary({0, 0, 241, 0xFF, 0xFF, 0xFF, 0xFF, 7}, 1000).empty());  // count past end
        EXPECT_TRUE(rle32tobinary({1, 2, 3}, 16).empty());                                // no escape unit
        EXPECT_TRUE(rletobinary({1, 2}, 3).empty());  // uncoded data of the wrong length
    });
    EXPECT_THAT(log, HasSubstr("rletobinary: Coded data does not give the picture's length.\n"));
    EXPECT_THAT(log, HasSubstr("rletobinary: Data does not match its length.\n"));
}
