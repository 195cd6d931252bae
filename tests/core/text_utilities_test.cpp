#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "core/text_utilities.h"

namespace {
std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }
constexpr int64_t most = std::numeric_limits<int64_t>::max();
constexpr int64_t least = std::numeric_limits<int64_t>::min();
}  // namespace

TEST(TextUtilities, CharactersAreGraphemeClusters) {
    // "é" as e + combining acute, a flag (two regional indicators), CR LF, "ß".
    const std::string s = "ae\xCC\x81" "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA" "\r\n" "\xC3\x9F" "z";
    EXPECT_EQ(stringlength(s), 6);
    EXPECT_EQ(stringmid(s, 2, 1), "e\xCC\x81");
    EXPECT_EQ(stringmid(s, 3, 2), "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\r\n");
    EXPECT_EQ(stringfrom(s, 5), "\xC3\x9F" "z");
    EXPECT_EQ(stringposition(s, "\xC3\x9F", 3), 5);
    EXPECT_EQ(stringlength("a\rb"), 3);
}

TEST(TextUtilities, StringFunctionsStopAtTheirBounds) {
    EXPECT_EQ(stringmid("ABCDEF", 2, 3), "BCD");
    EXPECT_EQ(stringmid("ABCDEF", 5, 10), "EF");
    EXPECT_EQ(stringmid("ABCDEF", 7, 1), "");
    EXPECT_EQ(stringmid("ABCDEF", 6, most), "F");
    EXPECT_EQ(stringmid("ABCDEF", least, 1), "A");
    EXPECT_EQ(stringfrom("ABC", 3), "C");
    EXPECT_EQ(stringfrom("ABC", 4), "");
    EXPECT_EQ(stringrepeat("ab", 3), "ababab");
    EXPECT_EQ(stringrepeat("x", 32768), "");
    EXPECT_EQ(stringrepeat("x", 32767).size(), 32767u);
    EXPECT_EQ(stringspaces(-1), "");
    EXPECT_EQ(stringspaces(32768), "");
    EXPECT_EQ(stringposition("ABCABC", "C", 4), 6);
    EXPECT_EQ(stringposition("ABCABC", "C", 7), 0);
    EXPECT_EQ(stringposition("ABCABC", "", 1), 0);
    // A start before the first character searches all of s and counts from the start given,
    // except where that count would read as "not found".
    const std::tuple<const char*, int64_t, int64_t> starts[] = {
        {"B", 0, 1}, {"C", 0, 2}, {"C", -1, 1}, {"B", -3, -2}, {"X", -1, 0}, {"A", 0, 1}, {"B", -1, 2}, {"\xC3\x9F", -2, 1}};
    for (const auto& [needle, p, expected] : starts)
        EXPECT_EQ(stringposition("ABC\xC3\x9F", needle, p), expected) << needle << " from " << p;
}

TEST(TextUtilities, ByteArraysSplitJoinAndCompare) {
    using Pieces = std::vector<std::vector<uint8_t>>;
    EXPECT_EQ(binarysplit({0x61, 0x0D, 0x0D, 0x62, 0x0D}, 0x0D), (Pieces{{0x61}, {}, {0x62}}));
    EXPECT_EQ(binarysplit({0x0D, 0x61}, 0x0D), (Pieces{{}, {0x61}}));
    EXPECT_EQ(binaryjoin({{0x61}, {}, {0x62}}, 0x0D), (std::vector<uint8_t>{0x61, 0x0D, 0x0D, 0x62}));
    EXPECT_EQ(binarycompare({0x80}, {0x7F}), 1);
    EXPECT_EQ(binarycompare({1, 2}, {1, 2, 0}), -1);
    EXPECT_EQ(binarycompare({1, 2, 0}, {1, 2}), 1);
    EXPECT_EQ(binarycompare({}, {}), 0);
}

TEST(TextUtilities, NumbersFromAndToText) {
    EXPECT_EQ(binarytoint(bytes(" -  42abc")), -42);
    EXPECT_EQ(binarytoint(bytes("--5")), 0);
    EXPECT_EQ(binarytoint(bytes("+5")), 0);
    // Beyond 64 bits the value sticks at the end of the range instead of wrapping.
    EXPECT_EQ(binarytoint(bytes("99999999999999999999999")), most);
    EXPECT_EQ(binarytoint(bytes("-9223372036854775808")), least);
    EXPECT_EQ(binarytoint(bytes("-99999999999999999999")), least);
    EXPECT_EQ(inttobinary(-120), bytes("-120"));
    EXPECT_EQ(inttobinary(least), bytes("-9223372036854775808"));
    EXPECT_EQ(intpower(7, -3), 1);
    EXPECT_EQ(intpower(3, 4), 81);
    EXPECT_EQ(intpower(-2, 63), least);
    EXPECT_EQ(intpower(2, 64), 0);  // wraps like repeated multiplication
    EXPECT_EQ(intpower(1, most), 1);  // and returns at once
    EXPECT_EQ(hex4(0x12345), "2345");
    EXPECT_EQ(hex8(-1), "FFFFFFFF");
    EXPECT_EQ(hex8binary(0xBEEF), bytes("0000BEEF"));
}

TEST(TextUtilities, IntFormatGroupsAndFillsBeforeTheSign) {
    EXPECT_EQ(intformat(1048576, U' ', 1, true), "1.048.576");
    EXPECT_EQ(intformat(-5, U'0', 4, false), "00-5");
    EXPECT_EQ(intformat(1000, U'*', 6, true), "*1.000");
    EXPECT_EQ(intformat(least, U' ', 0, true), "-9.223.372.036.854.775.808");
    EXPECT_EQ(intformat(7, U'\u00B7', 3, false), "\u00B7\u00B77");
    // A fill that is no character (a surrogate, beyond Unicode) becomes the replacement character.
    EXPECT_EQ(intformat(7, char32_t{0xDFFF}, 2, false), "\uFFFD" "7");
    EXPECT_EQ(intformat(7, char32_t{0x110000}, 2, false), "\uFFFD" "7");
    EXPECT_EQ(intformat(1, U' ', most, false).size(), 32767u);
}
