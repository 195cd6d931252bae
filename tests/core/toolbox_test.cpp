// The strict number parse, the program's random numbers and its time.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <thread>

#include "core/application_end.h"
#include "support/helpers.h"

TEST(StringToNumber, AcceptsDecimalNumbersOnly) {
    const std::pair<std::string, double> numbers[] = {
        {"42", 42},   {" -12.5e3 ", -12500}, {"+.5", 0.5},  {"1.", 1},           {"1E-2", 0.01},
        {"-0", -0.0}, {"007", 7},            {"2e+2", 200}, {"1.7976931348623157e308", 1.7976931348623157e308}};
    for (const auto& [text, expected] : numbers) {
        double value = 99;
        EXPECT_TRUE(stringtonumber(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    // Each a different way of not being a number; the value is left alone.
    const std::string others[] = {"", " ", ".", "-", "+-1", "1e+", "e5", "42abc", "1,5", "0x10", "inf", "1e999", "\t1"};
    for (const std::string& text : others) {
        double value = 99;
        EXPECT_FALSE(stringtonumber(text, value)) << text;
        EXPECT_EQ(value, 99) << text;
    }
}

// The generator is the standard one, so a seed means the same numbers with any compiler; a range
// below 1 is refused and draws nothing, so the sequence goes on as if it was not asked.
TEST(RandomNumbers, SeedsRepeatAndEmptyRangesAreRefused) {
    t_Randomize(5489);  // the standard's default seed; its first output is fixed by the standard
    EXPECT_EQ(t_Random(), static_cast<double>(14514284786278117030ull >> 11) * 0x1.0p-53);
    const auto draws = [](int64_t seed) {
        t_Randomize(seed);
        std::vector<int64_t> values;
        for (int i = 0; i < 20; ++i) values.push_back(i % 2 ? t_RandomInt(1000) : static_cast<int64_t>(t_Random() * 1e9));
        return values;
    };
    EXPECT_EQ(draws(7), draws(7));
    EXPECT_NE(draws(-1), draws(1));
    t_Randomize(3);
    const double first = t_Random();
    t_Randomize(3);
    EXPECT_EQ(logof([] { EXPECT_EQ(t_RandomInt(0) + t_RandomInt(-5), 0); }),
              "t_RandomInt: Range 0 is not positive.\nt_RandomInt: Range -5 is not positive.\n");
    EXPECT_EQ(t_Random(), first);
}

// Every value of a small range comes up and none outside any range. With n = 3 x 2^61,
// 2^64 mod n = 2^62: plain modulo would give the values below 2^62 three quarters of the time
// instead of two thirds.
TEST(RandomNumbers, RangesHoldWithoutModuloBias) {
    t_Randomize(11);
    for (const int64_t n : {int64_t{1}, int64_t{2}, int64_t{3}, int64_t{1000000007}, std::numeric_limits<int64_t>::max()}) {
        std::set<int64_t> seen;
        for (int i = 0; i < 2000; ++i) seen.insert(t_RandomInt(n));
        EXPECT_TRUE(*seen.begin() >= 0 && *seen.rbegin() < n) << n;
        EXPECT_TRUE(n > 3 || seen.size() == static_cast<size_t>(n)) << "every value of a small range comes up";
    }
    constexpr int64_t n = 3 * (int64_t{1} << 61);
    int below = 0;
    for (int i = 0; i < 20000; ++i) below += t_RandomInt(n) < (int64_t{1} << 62);
    EXPECT_NEAR(below / 20000.0, 2.0 / 3.0, 0.025);
}

TEST(ProgramTime, WaitsAndTheApplicationsEnd) {
    const int64_t start = t_Ticks();
    t_Wait(30);
    const int64_t waited = t_Ticks() - start;
    EXPECT_GE(waited, 30);
    t_Wait(0);
    t_Wait(-100);

    // A quit cuts a long wait short, and every wait after it.
    struct Resume {
        ~Resume() { resetquitfortests(); }
    } resume;
    std::thread quitter([] { sleepms(20), noteapplicationquit(); });
    const int64_t before = t_Ticks();
    t_Wait(60000);
    quitter.join();
    t_Wait(60000);
    EXPECT_LT(t_Ticks() - before, 10000);
}
