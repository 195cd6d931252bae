#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "puzzle/puzzle.h"

namespace {

using t_Position = std::array<std::vector<int>, 4>;  // disks per rod, top first

// Reads a rod string on its own terms, so the table is checked independently of the code.
std::vector<int> disksof(const std::string& rod) {
    std::vector<int> disks;
    if (rod.empty()) return {-1};
    if (rod[0] == '1') disks.push_back(1);
    else if (rod[0] != '0') return {-1};
    for (size_t i = 1; i < rod.size(); ++i) disks.push_back(rod[i] - '0');
    return disks;
}

t_Position positionof(const std::array<std::string, 4>& row) {
    t_Position position;
    for (int r = 1; r <= 3; ++r) position[r] = disksof(row[r]);
    return position;
}

bool wellordered(const std::vector<int>& disks) {
    for (size_t i = 1; i < disks.size(); ++i)
        if (disks[i] <= disks[i - 1]) return false;
    return true;
}

// The one legal move that leads from a to b: a top disk taken from one rod onto a larger one.
bool legalmove(const t_Position& a, const t_Position& b, int& from, int& to) {
    for (from = 1; from <= 3; ++from)
        for (to = 1; to <= 3; ++to) {
            if (from == to || a[from].empty()) continue;
            const int disk = a[from].front();
            if (!a[to].empty() && a[to].front() < disk) continue;
            t_Position moved = a;
            moved[from].erase(moved[from].begin());
            moved[to].insert(moved[to].begin(), disk);
            if (moved == b) return true;
        }
    return false;
}

std::string alldisks(int n) {
    std::string digits = "1";
    for (int d = 2; d <= n; ++d) digits += static_cast<char>('0' + d);
    return digits;
}

}  // namespace

TEST(Solution, ThreeDisksGiveTheEightPositions) {
    initgame(3);
    buildstates();
    const std::vector<std::array<std::string, 4>> expected{
        {"", "123", "0", "0"}, {"", "023", "0", "1"}, {"", "03", "02", "1"}, {"", "03", "12", "0"},
        {"", "0", "12", "03"}, {"", "1", "02", "03"}, {"", "1", "0", "023"}, {"", "0", "0", "123"}};
    ASSERT_EQ(game.states.size(), 9u);
    for (size_t row = 1; row <= 8; ++row) EXPECT_EQ(game.states[row], expected[row - 1]) << "row " << row;
    EXPECT_EQ(game.rodcount[1][0], 3);
    EXPECT_EQ(rodvalue("023"), 23);
    EXPECT_EQ(rodvalue("0"), 0);
}

TEST(Solution, EveryCountIsSolvedByShortestLegalMoves) {
    for (int n = 2; n <= 9; ++n) {
        SCOPED_TRACE("n = " + std::to_string(n));
        initgame(n);
        buildstates();
        const size_t rows = size_t{1} << n;
        ASSERT_EQ(game.states.size(), rows + 1);
        EXPECT_EQ(game.states[1], (std::array<std::string, 4>{"", alldisks(n), "0", "0"}));
        EXPECT_EQ(game.states[rows], (std::array<std::string, 4>{"", "0", "0", alldisks(n)}));
        std::set<std::array<std::string, 4>> seen;
        for (size_t k = 1; k < rows; ++k) {
            const t_Position a = positionof(game.states[k]);
            const t_Position b = positionof(game.states[k + 1]);
            for (int r = 1; r <= 3; ++r) ASSERT_TRUE(wellordered(b[r])) << "row " << k + 1;
            int from = 0, to = 0;
            ASSERT_TRUE(legalmove(a, b, from, to)) << "rows " << k << " and " << k + 1;
            const t_Move move = findmove(static_cast<int64_t>(k));
            ASSERT_EQ(move.From, from) << "move " << k;
            ASSERT_EQ(move.To, to) << "move " << k;
            seen.insert(game.states[k]);
        }
        EXPECT_EQ(seen.size(), rows - 1);  // no position comes twice
        EXPECT_EQ(findmove(1).To, n % 2 == 1 ? 3 : 2);  // the smallest disk starts toward its goal
    }
}
