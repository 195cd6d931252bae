#include <gtest/gtest.h>

#include "puzzle/puzzle.h"

namespace {

// A rod as the table writes it, from its disks top first: "1" or "0" for whether the smallest
// disk lies on top, then the other disks' numbers.
std::string rodtext(const std::vector<int>& disks) {
    std::string text = !disks.empty() && disks.front() == 1 ? "1" : "0";
    for (const int disk : disks)
        if (disk != 1) text += static_cast<char>('0' + disk);
    return text;
}

}  // namespace

// Playing the moves the program finds on rods of our own: each is legal, each position is the
// table's next row, and 2^n - 1 of them end on rod 3, which only the shortest solution does.
TEST(Solution, EveryCountIsSolvedByShortestLegalMoves) {
    for (int n = 2; n <= 9; ++n) {
        SCOPED_TRACE("n = " + std::to_string(n));
        initgame(n);
        buildstates();
        const size_t rows = size_t{1} << n;
        ASSERT_EQ(game.states.size(), rows + 1);
        std::array<std::vector<int>, 4> rods;
        for (int disk = 1; disk <= n; ++disk) rods[1].push_back(disk);
        for (size_t k = 1; k <= rows; ++k) {
            const std::array<std::string, 4> row{"", rodtext(rods[1]), rodtext(rods[2]), rodtext(rods[3])};
            ASSERT_EQ(game.states[k], row) << "row " << k;
            if (k == rows) break;
            const t_Move move = findmove(static_cast<int64_t>(k));
            ASSERT_TRUE(move.From >= 1 && move.From <= 3 && move.To >= 1 && move.To <= 3) << "move " << k;
            std::vector<int>&from = rods[static_cast<size_t>(move.From)], &to = rods[static_cast<size_t>(move.To)];
            ASSERT_FALSE(from.empty()) << "move " << k;
            ASSERT_TRUE(to.empty() || to.front() > from.front()) << "move " << k;
            to.insert(to.begin(), from.front());
            from.erase(from.begin());
        }
        EXPECT_EQ(rods[3].size(), static_cast<size_t>(n));
    }
}
