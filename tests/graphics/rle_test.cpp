// The run-length coders in units of 1 to 4 bytes: known codes, escapes, damaged data. Random
// pictures go through every coder in the capture round trip.
#include <gmock/gmock.h>

#include "graphics/run_length.h"
#include "support/helpers.h"

using testing::HasSubstr;

namespace {

Bytes units(int count, Bytes unit) {
    Bytes data;
    for (int i = 0; i < count; ++i) data.insert(data.end(), unit.begin(), unit.end());
    return data;
}

}  // namespace

// Each coder's known output, decoded back. The count field grows at 240 and above 65535; data
// too short or of a length that is no multiple of the unit comes back unchanged.
TEST(RunLength, KnownCodesDecodeBack) {
    const std::tuple<Bytes (*)(const Bytes&), Bytes (*)(const Bytes&, int64_t), Bytes, Bytes> cases[] = {
        {binarytorle, rletobinary, {7, 7, 7, 7, 7, 1}, {0, 0, 5, 7, 1}},
        {binarytorle, rletobinary, {0, 0, 1, 2}, {3, 0, 0, 1, 2}},  // no run reaches 4
        {binarytorle, rletobinary, {1, 1, 2, 2, 0, 0}, {3, 1, 1, 2, 2, 0, 0}},  // ties go to the smallest
        {binarytorle, rletobinary, {9, 9, 9}, {9, 9, 9}},  // too short: no escape byte
        {binarytorle, rletobinary, Bytes(240, 5), {0, 0, 240, 0, 240, 5}},
        {binarytorle, rletobinary, Bytes(70000, 5), {0, 0, 241, 0, 1, 0x11, 0x70, 5}},
        {binary24torle, rle24tobinary, units(240, {1, 2, 3}), {0, 0, 0x55, 0, 0, 0x55, 240, 0, 240, 1, 2, 3}},
        // the 4-byte coder keys on the middle two bytes
        {binary32torle, rle32tobinary, Bytes(16, 0), {0x55, 0, 1, 0x55, 0x55, 0, 1, 0x55, 4, 0, 0, 0, 0}},
        {binary16torle, rle16tobinary, units(300, {0, 7}), {0, 0, 0, 0, 240, 1, 44, 0, 7}},
        {binary24torle, rle24tobinary, Bytes(9, 1), Bytes(9, 1)},  // below 12 bytes
        {binary24torle, rle24tobinary, Bytes(13, 1), Bytes(13, 1)},
    };
    const std::string log = logof([&] {
        for (const auto& [code, decode, data, coded] : cases) {
            EXPECT_EQ(code(data), coded) << data.size() << " bytes";
            EXPECT_EQ(decode(coded, static_cast<int64_t>(data.size())), data) << data.size() << " bytes";
        }
    });
    // The wide coders report their course; the 4-byte coder prints its key in decimal after "$".
    EXPECT_EQ(log,
              "binary24torle: Size 720 bytes.\nbinary24torle: 0 elements found: $0000.\n"
              "binary32torle: 0 elements found: $1.\n"
              "binary16torle: 0 elements found: 0.\n"
              "binary24torle: Size 9 bytes.\nbinary24torle: Size 13 bytes.\n");
}

TEST(RunLength, TheRarestValueIsTheEscapeAndIsItselfCoded) {
    Bytes data;  // 0 once, every other value twice: 0 is the escape, its one occurrence escape + count
    for (int v = 1; v < 512; ++v) data.push_back(static_cast<uint8_t>(v / 2));
    const Bytes coded = binarytorle(data);
    EXPECT_EQ(Bytes(coded.begin(), coded.begin() + 5), (Bytes{0, 0, 1, 1, 1}));
    EXPECT_EQ(rletobinary(coded, static_cast<int64_t>(data.size())), data);
}

TEST(RunLength, DamagedCodedDataIsRefusedNotOverrun) {
    Bytes data(1000, 7);
    data[500] = 1;
    const Bytes coded = binarytorle(data);
    const std::string log = logof([&] {
        EXPECT_TRUE(rletobinary(Bytes(coded.begin(), coded.end() - 1), 1000).empty());  // cut short
        EXPECT_TRUE(rletobinary(coded, 999).empty());                                     // too much
        EXPECT_TRUE(rletobinary({0, 0, 242, 7}, 1000).empty());                           // bad count byte
        EXPECT_TRUE(rletobinary({0, 0, 241, 0xFF, 0xFF, 0xFF, 0xFF, 7}, 1000).empty());  // count past end
        EXPECT_TRUE(rle32tobinary({1, 2, 3}, 16).empty());                                // no escape unit
        EXPECT_TRUE(rletobinary({1, 2}, 3).empty());  // uncoded data of the wrong length
    });
    EXPECT_THAT(log, HasSubstr("rletobinary: Coded data does not give the picture's length.\n"));
    EXPECT_THAT(log, HasSubstr("rletobinary: Data does not match its length.\n"));
}
