// The LZW coder: known codes and streams, the bounded decoder. Pictures go through it in the
// capture round trip; the fuzz target checks round trips and the decoders on any input.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "graphics/lzw.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Codes = std::vector<t_LZWCode>;

// A coded stream of the given codes: the width, then the codes' bits.
Bytes stream(const Codes& codes, uint8_t width = 9) {
    Bytes coded = lzwpackcodes(codes, width);
    coded.insert(coded.begin(), width);
    return coded;
}

// Strings with one continuation, strings with many, and a dictionary that outgrows its tables:
// random text over a small alphabet, then the same text again and again.
Bytes mixedinput() {
    std::mt19937 random(11);
    Bytes data;
    for (int i = 0; i < 400'000; ++i) data.push_back(static_cast<uint8_t>('a' + random() % 5));
    const Bytes text(data.begin(), data.begin() + 5000);
    for (int i = 0; i < 60; ++i) data.insert(data.end(), text.begin(), text.end());
    for (int i = 0; i < 100'000; ++i) data.push_back(static_cast<uint8_t>(random()));
    return data;
}
}  // namespace

// Known streams, decoded back; the third uses code 258 as soon as it is made.
TEST(Lzw, KnownCodesAndStreams) {
    const std::pair<Bytes, Bytes> cases[] = {  // input; width and codes packed
        {{}, {0x08}},
        {{0x41, 0x42, 0x41, 0x42, 0x41, 0x42, 0x41}, {0x09, 0x20, 0x90, 0xA0, 0x10, 0x20}},
        {Bytes(3'000'000, 0), {}},  // long runs make long codes
    };
    for (const auto& [input, packed] : cases) {
        const Bytes coded = lzwpack(input);
        if (!packed.empty()) {
            EXPECT_EQ(coded, packed);
        }
        Bytes out{0xEE};
        EXPECT_TRUE(lzwunpack(coded, 1 << 26, out));
        EXPECT_EQ(out, input);
    }
    // A string the coder made but then fails to find is made again under a new code: the
    // stream still decodes, only longer. So the size is held to the one this input always had.
    const Bytes mixed = mixedinput();
    const Bytes coded = lzwpack(mixed);
    EXPECT_EQ(coded.size(), 387'782u);
    Bytes out;
    EXPECT_TRUE(lzwunpack(coded, 1 << 26, out));
    EXPECT_EQ(out, mixed);
}

// The decoder follows the dictionary and refuses bad codes, bad widths and outputs past its
// limit, with nothing in the output.
TEST(Lzw, DecodingFollowsTheDictionaryAndRefusesBadCodes) {
    // 65, 256, 257, 258, ...: every code one byte longer, gigabytes from a few megabytes.
    Codes bomb{65};
    for (t_LZWCode c = 256; c < 256 + 200000; ++c) bomb.push_back(c);
    const std::tuple<Bytes, uint64_t, bool, Bytes> cases[] = {  // coded, limit, accepted, output
        {stream({0x141}), 100, true, {0x41}},  // the first code counts by its low byte
        {stream({65, 257}), 100, false, {}},     // above the next free code
        {stream({65, 256, 257}), 5, false, {}},  // 6 bytes would pass the limit
        {stream({65, 256, 257}), 6, true, Bytes(6, 65)},
        {{9}, 100, true, {}},
        {{0, 1, 2}, 100, false, {}},
        {{32, 1, 2, 3, 4}, 100, false, {}},
        {{1, 0xA5}, 100, true, {1, 0, 1, 0, 0, 1, 0, 1}},  // small widths name only single bytes
        {stream(bomb, 18), 1 << 24, false, {}},
    };
    for (const auto& [coded, limit, accepted, output] : cases) {
        Bytes out{1};
        EXPECT_EQ(lzwunpack(coded, limit, out), accepted) << coded.size() << " bytes, limit " << limit;
        EXPECT_EQ(out, output);
    }
}
