#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "graphics/lzw.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Codes = std::vector<t_LZWCode>;

Bytes randombytes(size_t n, uint32_t seed, int alphabet = 256) {
    std::mt19937 random(seed);
    Bytes data(n);
    for (auto& b : data) b = static_cast<uint8_t>(random() % alphabet);
    return data;
}

Bytes decoded(const Bytes& coded, uint64_t limit = 1 << 26) {
    Bytes out{0xEE};
    EXPECT_TRUE(lzwunpack(coded, limit, out));
    return out;
}
}  // namespace

TEST(Lzw, KnownCodesAndStreams) {
    const std::tuple<Bytes, Codes, int64_t, Bytes> cases[] = {  // input, codes, width, packed
        {{}, {}, 8, {0x08}},
        {{0x41}, {65}, 8, {0x08, 0x41}},
        {{0x41, 0x42, 0x41, 0x42}, {65, 66, 256}, 9, {0x09, 0x20, 0x90, 0xA0, 0x00}},
        {{0x41, 0x42, 0x41, 0x42, 0x41, 0x42, 0x41}, {65, 66, 256, 258}, 9, {0x09, 0x20, 0x90, 0xA0, 0x10, 0x20}},
    };
    for (const auto& [input, codes, width, packed] : cases) {
        const auto coded = texttolzwunpacked(input);
        EXPECT_EQ(coded.Codes, codes);
        EXPECT_EQ(coded.Width, width);
        EXPECT_EQ(lzwpack(input), packed);
    }
}

TEST(Lzw, WidthFollowsTheLargestCode) {
    EXPECT_EQ(lzwpackcodes({511}, 9), (Bytes{0xFF, 0x80}));
    EXPECT_EQ(lzwpackcodes({1, 2, 3}, 0), Bytes{});
    EXPECT_EQ(lzwpackcodes({}, 9), Bytes{});
    // A long run makes codes up to at least 512, so the width grows to 10.
    const auto coded = texttolzwunpacked(Bytes(200000, 7));
    t_LZWCode largest = 0;
    for (auto c : coded.Codes) largest = std::max(largest, c);
    EXPECT_GE(largest, 512u);
    EXPECT_LT(largest, 1u << coded.Width);
    EXPECT_GE(largest, 1u << (coded.Width - 1));
}

TEST(Lzw, CodeUnpackingDropsLeftoverBits) {
    EXPECT_EQ(lzwunpackcodes({0x20, 0x90, 0xA0}, 9, 100), (Codes{65, 66}));
    EXPECT_EQ(lzwunpackcodes({0xFF}, 0, 100), Codes{});
    EXPECT_EQ(lzwunpackcodes({0xFF}, 32, 100), Codes{});
    EXPECT_EQ(lzwunpackcodes({0xFF, 0xFF}, 1, 15), Codes{});  // more codes than allowed
}

TEST(Lzw, DecodingFollowsTheDictionaryAndRefusesBadCodes) {
    Bytes out;
    EXPECT_TRUE(lzwdecodecodes({65, 256}, 100, out));
    EXPECT_EQ(out, (Bytes{65, 65, 65}));
    EXPECT_TRUE(lzwdecodecodes({65, 66, 256, 258}, 100, out));
    EXPECT_EQ(out, (Bytes{65, 66, 65, 66, 65, 66, 65}));
    EXPECT_TRUE(lzwdecodecodes({0x141}, 100, out));  // the first code counts by its low byte
    EXPECT_EQ(out, Bytes{0x41});
    EXPECT_TRUE(lzwdecodecodes({}, 100, out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(lzwdecodecodes({65, 257}, 100, out));  // above the next free code
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(lzwdecodecodes({65, 256, 257}, 5, out));  // 6 bytes would pass the limit
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(lzwdecodecodes({65, 256, 257}, 6, out));
    EXPECT_EQ(out, Bytes(6, 65));

    EXPECT_EQ(decoded({}), Bytes{});
    EXPECT_EQ(decoded({9}), Bytes{});
    EXPECT_EQ(decoded({0x09, 0x20, 0x90, 0xA0, 0x10, 0x20}), (Bytes{65, 66, 65, 66, 65, 66, 65}));
    for (const Bytes& bad : {Bytes{0, 1, 2}, Bytes{32, 1, 2, 3, 4}, Bytes{9, 0x20, 0xC0, 0x40}}) {
        out = {1};
        EXPECT_FALSE(lzwunpack(bad, 100, out));
        EXPECT_TRUE(out.empty());
    }
}

TEST(Lzw, HostileStreamsStopAtTheOutputLimit) {
    // 65, 256, 257, 258, ...: every code one byte longer, gigabytes from a few megabytes.
    Codes codes{65};
    for (t_LZWCode c = 256; c < 256 + 200000; ++c) codes.push_back(c);
    const Bytes bomb = [&] {
        Bytes b{18};
        const Bytes packed = lzwpackcodes(codes, 18);
        b.insert(b.end(), packed.begin(), packed.end());
        return b;
    }();
    Bytes out;
    EXPECT_FALSE(lzwunpack(bomb, 1 << 24, out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(lzwdecodecodes(codes, 1 << 24, out));
    // Small widths can name only the single bytes and are decoded as such.
    EXPECT_TRUE(lzwunpack({1, 0xA5}, 100, out));
    EXPECT_EQ(out, (Bytes{1, 0, 1, 0, 0, 1, 0, 1}));
}

TEST(Lzw, RoundTripsOfManySizes) {
    uint32_t seed = 1;
    for (size_t n : {1, 2, 3, 255, 256, 257, 4095, 65536, 100001, 1 << 20}) {
        for (int alphabet : {2, 17, 256}) {
            const Bytes data = randombytes(n, seed++, alphabet);
            const Bytes coded = lzwpack(data);
            ASSERT_EQ(decoded(coded), data) << n << " bytes of " << alphabet << " values";
            const auto codes = texttolzwunpacked(data);
            Bytes viacodes;
            ASSERT_TRUE(lzwdecodecodes(codes.Codes, n, viacodes));
            ASSERT_EQ(viacodes, data);
            EXPECT_EQ(lzwunpackcodes(Bytes(coded.begin() + 1, coded.end()), coded[0], n), codes.Codes);
        }
    }
    const Bytes runs(3'000'000, 0);
    EXPECT_EQ(decoded(lzwpack(runs)), runs);
}
