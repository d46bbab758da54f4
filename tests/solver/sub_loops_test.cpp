#include "solver/sub_loops.h"

#include <gtest/gtest.h>

#include "solver/engine/edge_setting.h"
#include "support/test_support.h"
#include "work_board.h"

namespace vexilo {
namespace {

using enum RuleResult;

using testing::loadWorkPicture;
using testing::loggedEntries;
using testing::TestState;
using testing::trimmed;
using testing::workPicture;

// Three sides of a cell drawn: the two path ends are neighbours.
const std::vector<std::string> kOpenSquare = {
    "+-+ +",  //
    "| |",    //
    "+ + +",  //
    "",       //
    "+ + +",
};

TEST(SubLoops, AnEdgeJoiningTheTwoEndsOfAPathIsCrossed) {
    TestState t;
    loadWorkPicture(*t, kOpenSquare);
    EXPECT_EQ(preventSubLoops(*t), kProgress);
    EXPECT_EQ(workPicture(*t), trimmed({"+-+ +", "| |", "+x+ +", "", "+ + +"}));
    EXPECT_EQ(t->workBoard->queue.positions().passEnd, t->workBoard->queue.positions().head);
    EXPECT_EQ(loggedEntries(*t), std::vector<int32_t>{moveEntry(2, 3, kCross)});
}

TEST(SubLoops, NothingToCrossReturnsTwo) {
    TestState t;
    loadWorkPicture(*t, {"+-+ +", "|", "+ + +", "", "+ + +"});
    EXPECT_EQ(preventSubLoops(*t), kUnchanged);
    EXPECT_TRUE(loggedEntries(*t).empty());
}

TEST(SubLoops, SettledPathEndsAreSkipped) {
    TestState t;
    loadWorkPicture(*t, kOpenSquare);
    t->workBoard->at(1, 3) |= kSettled;
    t->workBoard->at(3, 3) |= kSettled;
    EXPECT_EQ(preventSubLoops(*t), kUnchanged);
    EXPECT_EQ(workPicture(*t), trimmed(kOpenSquare));
}

TEST(SubLoops, ACorridorBackToThePathsOtherEndIsClosed) {
    // The path is the single line at the top; from its left end a corridor runs down,
    // along the bottom and up into its right end. Crossing the corridor's first edge at the
    // left end breaks the corridor, so the right end finds nothing more to do.
    TestState t;
    loadWorkPicture(*t, {"+x+-+x+",  //
                         "",         //
                         "+x+ +x+"});
    EXPECT_EQ(preventSubLoops(*t), kProgress);
    EXPECT_EQ(workPicture(*t), trimmed({"+x+-+x+",  //
                                        "  x",      //
                                        "+x+ +x+"}));
}

TEST(SubLoops, ACorridorThatEndsElsewhereIsLeftAlone) {
    // The corridor's last dot has three undecided edges.
    TestState t;
    const std::vector<std::string> open = {"+x+-+x+", "", "+x+ + +"};
    loadWorkPicture(*t, open);
    EXPECT_EQ(preventSubLoops(*t), kUnchanged);
    EXPECT_EQ(workPicture(*t), trimmed(open));
    // The corridor's last dot meets a line.
    const std::vector<std::string> lined = {"+x+-+x+", "", "+x+ +-+"};
    loadWorkPicture(*t, lined);
    EXPECT_EQ(preventSubLoops(*t), kUnchanged);
    EXPECT_EQ(workPicture(*t), trimmed(lined));
}

TEST(SubLoops, ItCrossesEvenWhenTheLoopWouldSatisfyEveryClue) {
    TestState t;
    loadWorkPicture(*t, {"+-+ +", "|3|", "+ + +", "", "+ + +"});
    EXPECT_EQ(preventSubLoops(*t), kProgress);
    EXPECT_EQ(t->workBoard->at(2, 3) & 7, kCross);
}

TEST(SubLoopWalks, FindPathEndFollowsTheLineAndStopsAtTheFirstOtherDot) {
    TestState t;
    loadWorkPicture(*t, {"+-+-+ +",  //
                         "    |",    //
                         "+ + +-+",  //
                         "      |",  //
                         "+ + + +"});
    // Along the path from (1, 1): (3, 1), (5, 1), down to (5, 3), right to (7, 3), down to
    // the end (7, 5).
    EXPECT_EQ(findPathEnd(*t, 3, 1, Direction::kRight), 7 + 4096 * 5);
    // Started on a dot that does not have two lines, the walk ends at once.
    EXPECT_EQ(findPathEnd(*t, 7, 5, Direction::kDown), 7 + 4096 * 5);
    // Travelling left, the line to the right is the way back and is not tried.
    EXPECT_EQ(findPathEnd(*t, 3, 1, Direction::kLeft), 1 + 4096 * 1);
}

TEST(SubLoopWalks, FindPathEndGivesUpOnAClosedLoop) {
    TestState t;
    loadWorkPicture(*t, {"+-+ +", "| |", "+-+ +", "", "+ + +"});
    EXPECT_EQ(findPathEnd(*t, 3, 1, Direction::kRight), 0);
}

TEST(SubLoopWalks, CorridorReachesChecksTheTargetBeforeTheCorridor) {
    TestState t;
    loadWorkPicture(*t, {"+-+ +", "| |", "+ + +", "", "+ + +"});
    EXPECT_TRUE(corridorReaches(*t, 3, 3, Direction::kRight, 3 + 4096 * 3));  // a dot with a line
    EXPECT_FALSE(corridorReaches(*t, 3, 3, Direction::kRight, 5 + 4096 * 3));
}

// A path through 250,500 of the 251,001 dots of a 500 x 500 board: a cycle over the dot
// columns 0 to 499 with one edge left out, so that its two ends are neighbours. The walks
// must follow it without running out of stack.
TEST(SubLoops, APathThroughAQuarterMillionDotsIsWalkedWithoutRecursion) {
    const int n = 500;
    std::vector<std::string> picture(2 * n + 1, std::string(2 * n + 1, ' '));
    for (int j = 0; j <= n; ++j) {
        for (int i = 0; i <= n; ++i) picture[2 * j][2 * i] = '+';
    }
    const auto across = [&](int i, int j) { picture[2 * j][2 * i + 1] = '-'; };  // (i,j)-(i+1,j)
    const auto down = [&](int i, int j) { picture[2 * j + 1][2 * i] = '|'; };    // (i,j)-(i,j+1)
    for (int i = 0; i + 1 < n; ++i) across(i, 0);
    down(n - 1, 0);
    for (int c = n - 1; c >= 0; --c) {
        for (int j = 1; j < n; ++j) down(c, j);
        if (c == 0) break;
        across(c - 1, (n - 1 - c) % 2 == 0 ? n : 1);
    }
    TestState t;
    loadWorkPicture(*t, picture);
    EXPECT_EQ(findPathEnd(*t, 3, 1, Direction::kRight), 1 + 4096 * 3);
    EXPECT_EQ(preventSubLoops(*t), kProgress);
    EXPECT_EQ(loggedEntries(*t), std::vector<int32_t>{moveEntry(1, 2, kCross)});
}

}  // namespace
}  // namespace vexilo
