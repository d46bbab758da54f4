#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "solver/engine/advanced_rules.h"
#include "solver/engine/edge_setting.h"
#include "support/test_support.h"
#include "work_board.h"

namespace vexilo {
namespace {

using testing::loadWorkPicture;
using testing::loggedEntries;
using testing::TestState;
using testing::trimmed;
using testing::workPicture;

// The table tests work on the middle cell (6, 6) of an empty 5 x 5 board, so that every
// edge a rule reads around it or its neighbours is an edge of the puzzle.
constexpr int kX = 6;
constexpr int kY = 6;

struct Mark {
    int dx, dy;  // from the middle cell
    char what;   // '0'..'3' a clue, 'x' a cross, '-' a line
};

void setUp(PuzzleState& s, const std::vector<Mark>& marks) {
    const std::string dots = "+ + + + + +";
    loadWorkPicture(s, {dots, "", dots, "", dots, "", dots, "", dots, "", dots});
    for (const Mark& m : marks) {
        uint8_t& b = s.workBoard->at(kX + m.dx, kY + m.dy);
        if (m.what == 'x') b = kCross;
        if (m.what == '-') b = kLine;
        if (m.what == '0') b = kClueZero;
        if (m.what >= '1' && m.what <= '3') b = static_cast<uint8_t>(m.what - '0');
    }
}

// The middle cell's sides, top, bottom, left, right, as '.', 'x' or '-'.
std::string sides(const PuzzleState& s) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        const int k = s.workBoard->at(kX + kEdgeGroups[0].dx[i], kY + kEdgeGroups[0].dy[i]) & 7;
        out += k == kLine ? '-' : k == kCross ? 'x' : '.';
    }
    return out;
}

int32_t entry(int dx, int dy, int value) {
    return moveEntry(kX + dx, kY + dy, value);
}

// Both edges of a group of the middle cell crossed: the marks for it.
std::vector<Mark> crossedGroup(int group) {
    const GroupOffsets& g = kEdgeGroups[group];
    return {{g.dx[0], g.dy[0], 'x'}, {g.dx[1], g.dy[1], 'x'}};
}

std::vector<Mark> operator+(std::vector<Mark> a, const std::vector<Mark>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(OneRuleAdvanced, TwoOnesWhoseSharedSideRunsIntoACross) {
    for (const auto& marks :
         std::vector<std::vector<Mark>>{{{2, 0, '1'}, {1, -2, 'x'}}, {{2, 0, '1'}, {1, 2, 'x'}}}) {
        TestState t;
        setUp(*t, marks + std::vector<Mark>{{0, 0, '1'}});
        EXPECT_TRUE(oneRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t), std::vector<int32_t>{entry(1, 0, kCross)});
    }
    for (const auto& marks :
         std::vector<std::vector<Mark>>{{{0, 2, '1'}, {-2, 1, 'x'}}, {{0, 2, '1'}, {2, 1, 'x'}}}) {
        TestState t;
        setUp(*t, marks + std::vector<Mark>{{0, 0, '1'}});
        EXPECT_TRUE(oneRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t), std::vector<int32_t>{entry(0, 1, kCross)});
    }
    // The 1 to the left or above is the other cell's business.
    TestState t;
    setUp(*t, {{0, 0, '1'}, {-2, 0, '1'}, {-1, -2, 'x'}});
    EXPECT_FALSE(oneRuleAdvanced(*t, kX, kY));
}

TEST(OneRuleAdvanced, ATwoBesideItWithTheSharedSideFlankedByCrosses) {
    struct Row {
        int nx, ny;              // the 2
        int ax, ay, bx, by;      // the two crosses
        int lx, ly;              // the line
        int c1x, c1y, c2x, c2y;  // the crosses set, in order
    };
    const Row rows[] = {
        {0, -2, -2, -1, 2, -1, 0, -3, 0, -1, 0, 1},
        {0, 2, -2, 1, 2, 1, 0, 3, 0, 1, 0, -1},
        {-2, 0, -1, -2, -1, 2, -3, 0, -1, 0, 1, 0},
        {2, 0, 1, -2, 1, 2, 3, 0, 1, 0, -1, 0},
    };
    for (const Row& r : rows) {
        TestState t;
        setUp(*t, {{0, 0, '1'}, {r.nx, r.ny, '2'}, {r.ax, r.ay, 'x'}, {r.bx, r.by, 'x'}});
        SCOPED_TRACE("2 at " + std::to_string(r.nx) + "," + std::to_string(r.ny));
        EXPECT_TRUE(oneRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t),
                  (std::vector<int32_t>{entry(r.lx, r.ly, kLine), entry(r.c1x, r.c1y, kCross),
                                        entry(r.c2x, r.c2y, kCross)}));
    }
}

TEST(OneRuleAdvanced, AThreeBesideItAndOneCrossOnTheSharedSidesLine) {
    struct Row {
        int nx, ny;  // the 3
        int cx, cy;  // the cross
        const char* after;
    };
    const Row rows[] = {
        {0, -2, -2, -1, ".x.x"}, {0, -2, 2, -1, ".xx."},  {0, 2, -2, 1, "x..x"},
        {0, 2, 2, 1, "x.x."},    {-2, 0, -1, -2, ".x.x"}, {-2, 0, -1, 2, "x..x"},
        {2, 0, 1, -2, ".xx."},   {2, 0, 1, 2, "x.x."},
    };
    for (const Row& r : rows) {
        TestState t;
        setUp(*t, {{0, 0, '1'}, {r.nx, r.ny, '3'}, {r.cx, r.cy, 'x'}});
        SCOPED_TRACE("3 at " + std::to_string(r.nx) + "," + std::to_string(r.ny) + ", cross at " +
                     std::to_string(r.cx) + "," + std::to_string(r.cy));
        EXPECT_TRUE(oneRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(sides(*t), r.after);
    }
}

TEST(OneRuleAdvanced, ACrossedPairSendsItsLineAlongTheDiagonal) {
    // Bottom and right crossed: the 1's line is at its top-left corner, so the 3 up-left
    // gets lines on its far (top-left) corner.
    TestState t;
    setUp(*t, {{0, 0, '1'}, {0, 1, 'x'}, {1, 0, 'x'}, {-2, -2, '3'}});
    EXPECT_TRUE(oneRuleAdvanced(*t, kX, kY));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{entry(-2, -3, kLine), entry(-3, -2, kLine)}));
    // With a line into the far corner's neighbour, the crossed pair also makes that
    // neighbour's pair equal: after the chain towards the line, not before.
    TestState u;
    setUp(*u, {{0, 0, '1'}, {0, 1, 'x'}, {1, 0, 'x'}, {-2, -2, '3'}, {2, 1, '-'}});
    EXPECT_TRUE(oneRuleAdvanced(*u, kX, kY));
    EXPECT_EQ(loggedEntries(*u), (std::vector<int32_t>{entry(-2, -3, kLine), entry(-3, -2, kLine),
                                                       entry(1, 2, kLine)}));
}

TEST(ThreeRuleAdvanced, RunsTheOneRuleOfItsNeighbouringOnes) {
    // The 1 below with a cross left of the shared side's left end.
    TestState t;
    setUp(*t, {{0, 0, '3'}, {0, 2, '1'}, {-2, 1, 'x'}});
    EXPECT_TRUE(threeRuleAdvanced(*t, kX, kY));
    EXPECT_EQ(loggedEntries(*t), (std::vector<int32_t>{entry(0, 3, kCross), entry(1, 2, kCross)}));
}

TEST(ThreeRuleAdvanced, TwoLinesAtACornerSendTheThirdAlongTheDiagonal) {
    TestState t;
    setUp(*t, {{0, 0, '3'}, {0, 1, '-'}, {1, 0, '-'}, {-2, -2, '1'}});
    EXPECT_TRUE(threeRuleAdvanced(*t, kX, kY));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{entry(-2, -3, kCross), entry(-3, -2, kCross)}));
}

TEST(TwoRuleAdvanced, AThreeBesideItWithTheOppositeSideCrossed) {
    struct Row {
        int nx, ny;  // the 3
        int cx, cy;  // the 2's crossed side
        int lx, ly;  // the line
    };
    const Row rows[] = {
        {0, -2, 0, 1, 0, -3}, {0, 2, 0, -1, 0, 3}, {-2, 0, 1, 0, -3, 0}, {2, 0, -1, 0, 3, 0}};
    for (const Row& r : rows) {
        TestState t;
        setUp(*t, {{0, 0, '2'}, {r.nx, r.ny, '3'}, {r.cx, r.cy, 'x'}});
        SCOPED_TRACE("3 at " + std::to_string(r.nx) + "," + std::to_string(r.ny));
        EXPECT_TRUE(twoRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t), std::vector<int32_t>{entry(r.lx, r.ly, kLine)});
    }
}

TEST(TwoRuleAdvanced, ALineOnAnEdgeAlreadyCrossedChangesNothing) {
    TestState t;
    setUp(*t, {{0, 0, '2'}, {2, 0, '3'}, {-1, 0, 'x'}, {3, 0, 'x'}});
    EXPECT_FALSE(twoRuleAdvanced(*t, kX, kY));
    EXPECT_EQ(t->workBoard->at(kX + 3, kY) & 7, kCross);
    EXPECT_TRUE(loggedEntries(*t).empty());
}

struct OuterRow {
    int corner;
    int nx, ny;
    int pair;      // the 3's pair that becomes lines
    int cx, cy;    // and the cross
    int twoOuter;  // a 2 there with this outer pair crossed
};
const OuterRow kOuterRows[] = {
    {3, 0, -2, 4, 2, -1, 4},  {3, -2, 0, 2, -1, 2, 2}, {4, 0, 2, 3, 2, 1, 3},
    {4, -2, 0, 1, -1, -2, 1}, {1, 0, 2, 2, -2, 1, 2},  {1, 2, 0, 4, 1, -2, 4},
    {2, 0, -2, 1, -2, -1, 1}, {2, 2, 0, 3, 1, 2, 3},
};

TEST(TwoRuleAdvanced, ACrossedOuterPairAndAThreeAcrossTheOppositeSides) {
    for (const OuterRow& r : kOuterRows) {
        TestState t;
        setUp(*t, std::vector<Mark>{{0, 0, '2'}, {r.nx, r.ny, '3'}} + crossedGroup(r.corner + 4));
        SCOPED_TRACE("corner " + std::to_string(r.corner) + ", 3 at " + std::to_string(r.nx) + "," +
                     std::to_string(r.ny));
        EXPECT_TRUE(twoRuleAdvanced(*t, kX, kY));
        const GroupOffsets& g = kEdgeGroups[r.pair];
        const auto log = loggedEntries(*t);
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(std::vector<int32_t>(log.begin(), log.begin() + 3),
                  (std::vector<int32_t>{entry(r.nx + g.dx[0], r.ny + g.dy[0], kLine),
                                        entry(r.nx + g.dx[1], r.ny + g.dy[1], kLine),
                                        entry(r.cx, r.cy, kCross)}));
    }
}

TEST(TwoRuleAdvanced, ACrossedOuterPairAndATwoWithItsOwnOuterPairCrossed) {
    for (const OuterRow& r : kOuterRows) {
        TestState t;
        std::vector<Mark> marks = {{0, 0, '2'}, {r.nx, r.ny, '2'}};
        marks = marks + crossedGroup(r.corner + 4);
        const GroupOffsets& o = kEdgeGroups[r.twoOuter + 4];
        marks = marks + std::vector<Mark>{{r.nx + o.dx[0], r.ny + o.dy[0], 'x'},
                                          {r.nx + o.dx[1], r.ny + o.dy[1], 'x'}};
        setUp(*t, marks);
        SCOPED_TRACE("corner " + std::to_string(r.corner) + ", 2 at " + std::to_string(r.nx) + "," +
                     std::to_string(r.ny));
        EXPECT_TRUE(twoRuleAdvanced(*t, kX, kY));
        const GroupOffsets& g = kEdgeGroups[r.corner];
        const auto log = loggedEntries(*t);
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(
            std::vector<int32_t>(log.begin(), log.begin() + 2),
            (std::vector<int32_t>{entry(g.dx[0], g.dy[0], kLine), entry(g.dx[1], g.dy[1], kLine)}));
    }
}

TEST(TwoRuleAdvanced, AHalfCrossedPairFacingADiagonalOfTwosThatEndsInAThree) {
    // The 2 at (8, 8): right side crossed, bottom open; up-left the diagonal runs 2, 2 and
    // then a cell without clue.
    TestState t;
    loadWorkPicture(*t, {"+ + + + + +",  //
                         "",             //
                         "+ + + + + +",  //
                         "   2",         //
                         "+ + + + + +",  //
                         "     2",       //
                         "+ + + + + +",  //
                         "       2x",    //
                         "+ + + + + +",  //
                         "",             //
                         "+ + + + + +"});
    EXPECT_FALSE(twoRuleAdvanced(*t, 8, 8));
    // With a 3 at its end, the bottom side becomes a line first; the chains then carry the
    // news up the diagonal to the 3.
    t->workBoard->at(2, 2) = 3;
    EXPECT_TRUE(twoRuleAdvanced(*t, 8, 8));
    const auto log = loggedEntries(*t);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], moveEntry(8, 9, kLine));
}

TEST(TwoRuleAdvanced, HalfCrossedPairsAreTriedInTheOrderThreeTwoOneFour) {
    // Pairs 2 and 4 each hold one cross, and the diagonals from their opposite corners
    // end in 3s: pair 2 gets its line first.
    TestState t;
    setUp(*t, {{0, 0, '2'}, {0, 1, 'x'}, {1, 0, 'x'}, {2, -2, '3'}, {-2, 2, '3'}});
    EXPECT_TRUE(twoRuleAdvanced(*t, kX, kY));
    const auto log = loggedEntries(*t);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], entry(-1, 0, kLine));
    EXPECT_EQ(log[1], entry(0, -1, kLine));
}

TEST(TwoRuleAdvanced, TheDiagonalThroughCornersOneAndThreeComesFirst) {
    // Pairs 1 and 2 each hold a line and a cross: one line reaches each of the two left
    // corners, and the 3s up-left and down-left take it on.
    TestState t;
    setUp(*t, {{0, 0, '2'}, {-2, -2, '3'}, {-2, 2, '3'}, {0, -1, '-'}, {-1, 0, 'x'}, {0, 1, '-'}});
    EXPECT_TRUE(twoRuleAdvanced(*t, kX, kY));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{entry(1, 0, kCross), entry(-2, -3, kLine), entry(-3, -2, kLine),
                                    entry(-2, 3, kLine), entry(-3, 2, kLine)}));
}

// The rule for a cell without clue: each row alone, with the 3s and the edges it needs.
struct BlankCase {
    const char* name;
    std::vector<Mark> marks;  // besides the middle cell's sides
    const char* before;       // the middle cell's sides
    const char* after;
};

void setSides(PuzzleState& s, const char* sidesText) {
    for (int i = 0; i < 4; ++i) {
        const char c = sidesText[i];
        s.workBoard->at(kX + kEdgeGroups[0].dx[i], kY + kEdgeGroups[0].dy[i]) = c == '-' ? kLine
                                                                                : c == 'x'
                                                                                    ? kCross
                                                                                    : kUndecided;
    }
}

TEST(BlankRuleAdvanced, EveryRowOfEveryBlock) {
    const Mark above = {0, -2, '3'};
    const Mark below = {0, 2, '3'};
    const Mark left = {-2, 0, '3'};
    const Mark right = {2, 0, '3'};
    const auto outers = [](std::initializer_list<int> corners) {
        std::vector<Mark> m;
        for (int c : corners) m = m + crossedGroup(c + 4);
        return m;
    };
    const std::vector<BlankCase> cases = {
        {"above: both side edges lines", {above}, "..--", ".x--"},
        {"above: outer 2 and 3 crossed", std::vector<Mark>{above} + outers({2, 3}), "....", ".xxx"},
        {"above: left line, outer 3 crossed", std::vector<Mark>{above} + outers({3}), "..-.",
         ".x-x"},
        {"above: right line, outer 2 crossed", std::vector<Mark>{above} + outers({2}), "...-",
         ".xx-"},
        {"above: pair 2 lined", {above}, ".--.", ".--x"},
        {"above: pair 3 lined", {above}, ".-.-", ".-x-"},
        {"above: a 3 left too, outer 3 crossed", std::vector<Mark>{above, left} + outers({3}),
         "....", ".x.x"},
        {"above: a 3 left too, pair 3 half lined", {above, left}, ".-..", ".-.x"},
        {"above: a 3 right too, outer 2 crossed", std::vector<Mark>{above, right} + outers({2}),
         "....", ".xx."},
        {"below: both side edges lines", {below}, "..--", "x.--"},
        {"below: outer 1 and 4 crossed", std::vector<Mark>{below} + outers({1, 4}), "....", "x.xx"},
        {"below: left line, outer 4 crossed", std::vector<Mark>{below} + outers({4}), "..-.",
         "x.-x"},
        {"below: right line, outer 1 crossed", std::vector<Mark>{below} + outers({1}), "...-",
         "x.x-"},
        {"below: pair 1 lined", {below}, "-.-.", "-.-x"},
        {"below: pair 4 lined", {below}, "-..-", "-.x-"},
        {"below: a 3 left too, outer 4 crossed", std::vector<Mark>{below, left} + outers({4}),
         "....", "x..x"},
        {"below: a 3 right too, pair 1 half lined", {below, right}, "-...", "-.x."},
        {"left: top and bottom lines", {left}, "--..", "--.x"},
        {"left: outer 3 and 4 crossed", std::vector<Mark>{left} + outers({3, 4}), "....", "xx.x"},
        {"left: top line, outer 3 crossed", std::vector<Mark>{left} + outers({3}), "-...", "-x.x"},
        {"left: bottom line, outer 4 crossed", std::vector<Mark>{left} + outers({4}), ".-..",
         "x-.x"},
        {"left: pair 4 lined", {left}, "-..-", "-x.-"},
        {"left: pair 3 lined", {left}, ".-.-", "x-.-"},
        {"right: top and bottom lines", {right}, "--..", "--x."},
        {"right: outer 1 and 2 crossed", std::vector<Mark>{right} + outers({1, 2}), "....", "xxx."},
        {"right: top line, outer 2 crossed", std::vector<Mark>{right} + outers({2}), "-...",
         "-xx."},
        {"right: bottom line, outer 1 crossed", std::vector<Mark>{right} + outers({1}), ".-..",
         "x-x."},
        {"right: pair 1 lined", {right}, "-.-.", "-x-."},
        {"right: pair 2 lined", {right}, ".--.", "x--."},
    };
    for (const BlankCase& c : cases) {
        TestState t;
        setUp(*t, c.marks);
        setSides(*t, c.before);
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(blankRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(sides(*t), c.after);
    }
}

TEST(BlankRuleAdvanced, RowsAndBlocksApplyInTheirOrder) {
    {
        // Rows 7 and 8 of the block above: pair 3, then pair 2.
        TestState t;
        setUp(*t, {{0, -2, '3'}, {-2, 0, '3'}, {2, 0, '3'}});
        setSides(*t, ".-..");
        EXPECT_TRUE(blankRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t),
                  (std::vector<int32_t>{entry(1, 0, kCross), entry(-1, 0, kCross)}));
    }
    {
        // The block above before the block below.
        TestState t;
        setUp(*t, {{0, -2, '3'}, {0, 2, '3'}});
        setSides(*t, "..--");
        EXPECT_TRUE(blankRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t),
                  (std::vector<int32_t>{entry(0, 1, kCross), entry(0, -1, kCross)}));
    }
    {
        // The block left before the block right.
        TestState t;
        setUp(*t, {{-2, 0, '3'}, {2, 0, '3'}});
        setSides(*t, "--..");
        EXPECT_TRUE(blankRuleAdvanced(*t, kX, kY));
        EXPECT_EQ(loggedEntries(*t),
                  (std::vector<int32_t>{entry(1, 0, kCross), entry(-1, 0, kCross)}));
    }
}

TEST(BlankRuleAdvanced, NothingWithoutAThreeBesideIt) {
    TestState t;
    setUp(*t, std::vector<Mark>{{-2, -2, '3'}, {0, -2, '2'}} + crossedGroup(6) + crossedGroup(7));
    setSides(*t, "..--");
    EXPECT_FALSE(blankRuleAdvanced(*t, kX, kY));
    EXPECT_EQ(sides(*t), "..--");
}

// The pass asks the rule only where blankRuleMayDecide says it may decide: on random edges
// around the middle cell and random clues beside it, the rule must then decide nothing.
TEST(BlankRuleAdvanced, DecidesNothingWhereTheQuickTestSaysSo) {
    std::mt19937 random(3);
    const uint8_t kEdges[] = {0, kCross, kLine};
    const uint8_t kClues[] = {3, 3 | kSettled, 2, 0};
    TestState t;
    setUp(*t, {});
    const auto at = [&](int dx, int dy) -> uint8_t& { return t->workBoard->at(kX + dx, kY + dy); };
    int asked = 0;
    for (int round = 0; round < 20000; ++round) {
        for (int group = 0; group < 9; ++group) {
            const GroupOffsets& g = kEdgeGroups[group];
            for (int i = 0; i < (group == 0 ? 4 : 2); ++i)
                at(g.dx[i], g.dy[i]) = kEdges[random() % 3];
        }
        for (const auto& [dx, dy] : {std::pair{0, -2}, {0, 2}, {-2, 0}, {2, 0}}) {
            at(dx, dy) = kClues[random() % 4];
        }
        if (blankRuleMayDecide(&at(0, 0))) {
            ++asked;
            continue;
        }
        SCOPED_TRACE(round);
        ASSERT_FALSE(blankRuleAdvanced(*t, kX, kY));
        ASSERT_TRUE(loggedEntries(*t).empty());
    }
    // Both answers come up often.
    EXPECT_GT(asked, 2000);
    EXPECT_LT(asked, 18000);
}

TEST(AdvancedCellRule, ExaminesEveryCellOfATallBoardButNoneOfTheRing) {
    // Two columns, five rows: a cell without clue in the last row, below a 3, with both
    // side edges lines.
    TestState t;
    loadWorkPicture(*t, {"+ + +",  //
                         "",       //
                         "+ + +",  //
                         "",       //
                         "+ + +",  //
                         "",       //
                         "+ + +",  //
                         " 3",     //
                         "+ + +",  //
                         "| |",    //
                         "+ + +"});
    EXPECT_FALSE(advancedCellRule(*t, 2, 12));
    EXPECT_FALSE(advancedCellRule(*t, 0, 10));
    EXPECT_TRUE(advancedCellRule(*t, 2, 10));
    EXPECT_EQ(t->workBoard->at(2, 11) & 7, kCross);
    EXPECT_FALSE(advancedCellRule(*t, 2, 10));
}

TEST(AdvancedCellRule, ZeroCellsAndSettledCellsAreNotExamined) {
    TestState t;
    setUp(*t, {{0, 0, '0'}, {0, -2, '3'}, {-1, 0, '-'}, {1, 0, '-'}});
    EXPECT_FALSE(advancedCellRule(*t, kX, kY));
    t->workBoard->at(kX, kY) = kSettled;  // a settled cell without clue
    EXPECT_FALSE(advancedCellRule(*t, kX, kY));
    EXPECT_TRUE(loggedEntries(*t).empty());
}

}  // namespace
}  // namespace vexilo
