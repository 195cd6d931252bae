#include <gtest/gtest.h>

#include <limits>

#include "core/text_utilities.h"

namespace {
std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }
constexpr int64_t most = std::numeric_limits<int64_t>::max();
constexpr int64_t least = std::numeric_limits<int64_t>::min();
// "é" as e + combining acute, a flag (two regional indicators), CR LF, "ß": six characters.
const std::string clusters = "ae\xCC\x81" "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA" "\r\n" "\xC3\x9F" "z";
}  // namespace

// Characters are grapheme clusters; every bound, overflowing count and fill once.
TEST(TextUtilities, TextResults) {
    const std::pair<std::string, std::string> rows[] = {
        {stringmid(clusters, 3, 2), "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\r\n"}, {stringfrom(clusters, 5), "\xC3\x9F" "z"},
        {stringmid("ABCDEF", 5, 10), "EF"}, {stringmid("ABCDEF", 7, 1), ""}, {stringmid("ABCDEF", 6, most), "F"},
        {stringmid("ABCDEF", least, 1), "A"}, {stringfrom("ABC", 4), ""}, {stringrepeat("x", 32768), ""},
        {stringspaces(-1), ""}, {hex4(0x12345), "2345"}, {hex8(-1), "FFFFFFFF"},
        {intformat(-5, U'0', 4, false), "00-5"}, {intformat(least, U'*', 27, true), "*-9.223.372.036.854.775.808"},
        {intformat(7, U'\u00B7', 3, false), "\u00B7\u00B77"}, {intformat(7, U'\u20AC', 2, false), "\u20AC" "7"},
        // A fill that is no character (a surrogate, beyond Unicode) becomes the replacement character.
        {intformat(7, char32_t{0xDFFF}, 2, false), "\uFFFD" "7"},
        {intformat(7, char32_t{0x110000}, 2, false), "\uFFFD" "7"}};
    for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected) << &actual - &rows[0].first;
}

// A search from before the first character covers all of s and counts from the start given,
// except where that count would read as "not found". Numbers beyond 64 bits stick at the end of
// the range instead of wrapping; a power wraps like repeated multiplication, but returns at once.
TEST(TextUtilities, NumberResults) {
    const std::pair<int64_t, int64_t> rows[] = {
        {stringlength(clusters), 6}, {stringposition(clusters, "\xC3\x9F", 3), 5},
        {stringposition("ABC\xC3\x9F", "C", 0), 2}, {stringposition("ABC\xC3\x9F", "B", -3), -2},
        {stringposition("ABC\xC3\x9F", "A", 0), 1}, {stringposition("ABC\xC3\x9F", "\xC3\x9F", -2), 1},
        {stringposition("ABC\xC3\x9F", "C", 5), 0}, {stringposition("ABC\xC3\x9F", "\xC3\x9F", 2), 4},
        {stringposition("ABC", "", 1), 0},
        {static_cast<int64_t>(stringrepeat("x", 32767).size()), 32767},
        {static_cast<int64_t>(intformat(1, U' ', most, false).size()), 32767},
        {binarytoint(bytes(" -  42abc")), -42}, {binarytoint(bytes("--5")), 0},
        {binarytoint(bytes("99999999999999999999999")), most}, {binarytoint(bytes("-9223372036854775808")), least},
        {binarytoint(bytes("-99999999999999999999")), least}, {intpower(7, -3), 1}, {intpower(-2, 63), least},
        {intpower(1, most), 1}, {binarycompare({0x80}, {0x7F}), 1}, {binarycompare({1, 2}, {1, 2, 0}), -1},
        {binarycompare({}, {}), 0}};
    for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected) << &actual - &rows[0].first;
    using Pieces = std::vector<std::vector<uint8_t>>;
    EXPECT_EQ(binarysplit({0x0D, 0x61, 0x0D, 0x0D, 0x62, 0x0D}, 0x0D), (Pieces{{}, {0x61}, {}, {0x62}}));
    EXPECT_EQ(binaryjoin({{}, {0x61}, {}}, 0x0D), (std::vector<uint8_t>{0x0D, 0x61, 0x0D}));
}
