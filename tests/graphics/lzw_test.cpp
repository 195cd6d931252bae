// The LZW coder: known codes and streams, the bounded decoders, round trips of many sizes. The
// fuzz target checks the code-level decoders against the streaming one.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "graphics/lzw.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Codes = std::vector<t_LZWCode>;

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
        EXPECT_EQ(decoded(packed), input);
    }
    EXPECT_EQ(lzwpackcodes({511}, 9), (Bytes{0xFF, 0x80}));
    EXPECT_EQ(lzwpackcodes({1, 2, 3}, 0), Bytes{});
    EXPECT_EQ(lzwpackcodes({}, 9), Bytes{});
}

// Leftover bits are dropped; widths outside 1-31 or too many codes give none.
TEST(Lzw, CodeUnpackingDropsLeftoverBits) {
    const std::tuple<Bytes, int64_t, uint64_t, Codes> cases[] = {  // bits, width, most codes, codes
        {{0x20, 0x90, 0xA0}, 9, 100, {65, 66}},
        {{0xFF}, 0, 100, {}},
        {{0xFF}, 32, 100, {}},
        {{0xFF, 0xFF}, 1, 15, {}},
    };
    for (const auto& [bits, width, most, codes] : cases) EXPECT_EQ(lzwunpackcodes(bits, width, most), codes) << width;
}

// The dictionary decoder and the streaming one refuse bad codes and outputs past their limit
// with nothing in the output.
TEST(Lzw, DecodingFollowsTheDictionaryAndRefusesBadCodes) {
    const std::tuple<Codes, uint64_t, bool, Bytes> codecases[] = {  // codes, limit, accepted, output
        {{65, 256}, 100, true, {65, 65, 65}},
        {{0x141}, 100, true, {0x41}},  // the first code counts by its low byte
        {{}, 100, true, {}},
        {{65, 257}, 100, false, {}},       // above the next free code
        {{65, 256, 257}, 5, false, {}},    // 6 bytes would pass the limit
        {{65, 256, 257}, 6, true, Bytes(6, 65)},
    };
    for (const auto& [codes, limit, accepted, output] : codecases) {
        Bytes out{1};
        EXPECT_EQ(lzwdecodecodes(codes, limit, out), accepted) << codes.size() << " codes, limit " << limit;
        EXPECT_EQ(out, output);
    }
    struct t_Stream {
        Bytes Coded;
        bool Accepted;
        Bytes Output;
    };
    const t_Stream streamcases[] = {
        {{}, true, {}},
        {{9}, true, {}},
        {{0, 1, 2}, false, {}},
        {{32, 1, 2, 3, 4}, false, {}},
        {{9, 0x20, 0xC0, 0x40}, false, {}},
        {{1, 0xA5}, true, {1, 0, 1, 0, 0, 1, 0, 1}},  // small widths name only single bytes
    };
    for (const t_Stream& stream : streamcases) {
        Bytes out{1};
        EXPECT_EQ(lzwunpack(stream.Coded, 100, out), stream.Accepted) << stream.Coded.size() << " bytes";
        EXPECT_EQ(out, stream.Output);
    }
}

TEST(Lzw, HostileStreamsStopAtTheOutputLimit) {
    // 65, 256, 257, 258, ...: every code one byte longer, gigabytes from a few megabytes.
    Codes codes{65};
    for (t_LZWCode c = 256; c < 256 + 200000; ++c) codes.push_back(c);
    Bytes bomb = lzwpackcodes(codes, 18);
    bomb.insert(bomb.begin(), 18);
    Bytes out;
    EXPECT_FALSE(lzwunpack(bomb, 1 << 24, out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(lzwdecodecodes(codes, 1 << 24, out));
}

TEST(Lzw, RoundTripsOfManySizes) {
    uint32_t seed = 1;
    for (size_t n : {1, 2, 3, 255, 256, 257, 4095, 65536, 100001, 1 << 20}) {
        for (int alphabet : {2, 17, 256}) {
            std::mt19937 random(seed++);
            Bytes data(n);
            for (auto& b : data) b = static_cast<uint8_t>(random() % alphabet);
            ASSERT_EQ(decoded(lzwpack(data)), data) << n << " bytes of " << alphabet << " values";
        }
    }
    const Bytes runs(3'000'000, 0);
    EXPECT_EQ(decoded(lzwpack(runs)), runs);
    // Its codes reach past 512: the width is the smallest that holds the largest.
    const auto coded = texttolzwunpacked(runs);
    const t_LZWCode largest = *std::max_element(coded.Codes.begin(), coded.Codes.end());
    EXPECT_GE(largest, 512u);
    EXPECT_LT(largest, 1u << coded.Width);
    EXPECT_GE(largest, 1u << (coded.Width - 1));
}
