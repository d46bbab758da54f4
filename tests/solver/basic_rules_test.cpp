#include "solver/engine/basic_rules.h"

#include <gtest/gtest.h>

#include <random>

#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_helpers.h"
#include "solver/engine/rule_observer.h"
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

// The four edges around (x, y) in group-0 order (top, bottom, left, right) written as
// '.' undecided, 'x' cross, '-' line.
std::string sidesOf(const PuzzleState& s, int x, int y) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        const int k = s.workBoard->at(x + kEdgeGroups[0].dx[i], y + kEdgeGroups[0].dy[i]) & 7;
        out += k == kLine ? '-' : k == kCross ? 'x' : '.';
    }
    return out;
}

void setSides(PuzzleState& s, int x, int y, const std::string& sides) {
    for (int i = 0; i < 4; ++i) {
        const char c = sides[static_cast<size_t>(i)];
        s.workBoard->at(x + kEdgeGroups[0].dx[i], y + kEdgeGroups[0].dy[i]) = c == '-' ? kLine
                                                                              : c == 'x'
                                                                                  ? kCross
                                                                                  : kUndecided;
    }
}

// One row of a rule's table: the sides before, the result, the sides after and whether
// the cell or dot ends up settled.
struct TableRow {
    std::string before;
    RuleResult result;
    std::string after;
    bool settled;
};

// Runs the cell rule for `clue` on the middle cell of a 3 x 3 board whose other edges are
// all undecided, so the corner steps have nothing to work with.
void checkCellTable(char clue, const std::vector<TableRow>& rows) {
    for (const TableRow& row : rows) {
        TestState t;
        loadWorkPicture(
            *t, {"+ + + +", "", "+ + + +", std::string("   ") + clue, "+ + + +", "", "+ + + +"});
        setSides(*t, 4, 4, row.before);
        SCOPED_TRACE(std::string("clue ") + clue + ", sides " + row.before);
        EXPECT_EQ(basicCellRule(*t, 4, 4), row.result);
        if (row.result == kContradiction) continue;
        EXPECT_EQ(sidesOf(*t, 4, 4), row.after);
        EXPECT_EQ((t->workBoard->at(4, 4) & kSettled) != 0, row.settled);
    }
}

TEST(BasicCellTables, One) {
    checkCellTable('1', {
                            {"....", kUnchanged, "....", false},
                            {"xx..", kUnchanged, "xx..", false},
                            {"xxx.", kProgress, "xxx-", false},
                            {"xxxx", kContradiction, "", false},
                            {"-...", kProgress, "-xxx", false},
                            {".x-.", kProgress, "xx-x", false},
                            {"x.x-", kProgress, "xxx-", false},
                            {"-xxx", kUnchanged, "-xxx", true},
                            {"--..", kContradiction, "", false},
                            {"-.-x", kContradiction, "", false},
                            {"x--x", kContradiction, "", false},
                            {"---.", kContradiction, "", false},
                            {"x---", kContradiction, "", false},
                            {"----", kContradiction, "", false},
                        });
}

TEST(BasicCellTables, Two) {
    checkCellTable('2', {
                            {"....", kUnchanged, "....", false},
                            {"x...", kUnchanged, "x...", false},
                            {"-x..", kUnchanged, "-x..", false},
                            {"xx..", kProgress, "xx--", false},
                            {".x.x", kProgress, "-x-x", false},
                            {"xxx.", kContradiction, "", false},
                            {"xxxx", kContradiction, "", false},
                            {"-xx.", kProgress, "-xx-", false},
                            {"-xxx", kContradiction, "", false},
                            {"--..", kProgress, "--xx", false},
                            {".-x-", kProgress, "x-x-", false},
                            {"--xx", kUnchanged, "--xx", true},
                            {"---.", kContradiction, "", false},
                            {"-x--", kContradiction, "", false},
                            {"----", kContradiction, "", false},
                        });
}

TEST(BasicCellTables, Three) {
    checkCellTable('3', {
                            {"....", kUnchanged, "....", false},
                            {"-...", kUnchanged, "-...", false},
                            {"--..", kUnchanged, "--..", false},
                            {"x...", kProgress, "x---", false},
                            {"xx..", kContradiction, "", false},
                            {".xxx", kContradiction, "", false},
                            {"xxxx", kContradiction, "", false},
                            {"-x..", kProgress, "-x--", false},
                            {"-xx.", kContradiction, "", false},
                            {"-xxx", kContradiction, "", false},
                            {"--x.", kProgress, "--x-", false},
                            {"--xx", kContradiction, "", false},
                            {"---.", kProgress, "---x", false},
                            {"-x--", kUnchanged, "-x--", true},
                            {"----", kContradiction, "", false},
                        });
}

TEST(BasicCellTables, ZeroOnlySettles) {
    checkCellTable('0', {
                            {"....", kUnchanged, "....", true},
                            {"-...", kUnchanged, "-...", true},
                        });
}

TEST(BasicCellTables, Blank) {
    checkCellTable(' ', {
                            {"....", kUnchanged, "....", false},
                            {"xx..", kUnchanged, "xx..", false},
                            {"xxxx", kUnchanged, "xxxx", true},
                            {"-...", kUnchanged, "-...", false},
                            {"-xxx", kUnchanged, "-xxx", true},
                            {"--..", kUnchanged, "--..", false},
                            {"--xx", kUnchanged, "--xx", true},
                            {"---.", kProgress, "---x", false},
                            {"x---", kUnchanged, "x---", true},
                            {"----", kContradiction, "", false},
                        });
}

TEST(BasicCellTables, CellsOutsideTheGridAndSettledCellsAreNotExamined) {
    TestState t;
    loadWorkPicture(*t, {"+x+", "x1x", "+ +"});
    EXPECT_EQ(basicCellRule(*t, 0, 2), kUnchanged);
    EXPECT_EQ(basicCellRule(*t, 2, 4), kUnchanged);
    t->workBoard->at(2, 2) |= kSettled;
    EXPECT_EQ(basicCellRule(*t, 2, 2), kUnchanged);
    EXPECT_EQ(sidesOf(*t, 2, 2), "x.xx");
    t->workBoard->at(2, 2) &= static_cast<uint8_t>(~kSettled);
    EXPECT_EQ(basicCellRule(*t, 2, 2), kProgress);
    EXPECT_EQ(sidesOf(*t, 2, 2), "x-xx");
}

TEST(DotTable, EveryRow) {
    // The middle dot (3, 3) of a 2 x 2 board; its four edges in the order up, down, left,
    // right.
    const std::vector<TableRow> rows = {
        {"....", kUnchanged, "....", false}, {"x...", kUnchanged, "x...", false},
        {"xx..", kUnchanged, "xx..", false}, {"xxx.", kProgress, "xxxx", false},
        {"xxxx", kUnchanged, "xxxx", true},  {"-...", kUnchanged, "-...", false},
        {"-x..", kUnchanged, "-x..", false}, {"-xx.", kProgress, "-xx-", false},
        {"x.-x", kProgress, "x--x", false},  {"-xxx", kContradiction, "", false},
        {"--..", kProgress, "--xx", false},  {"-.x-", kProgress, "-xx-", false},
        {"--xx", kUnchanged, "--xx", true},  {"---.", kContradiction, "", false},
        {"-x--", kContradiction, "", false}, {"----", kContradiction, "", false},
    };
    for (const TableRow& row : rows) {
        TestState t;
        loadWorkPicture(*t, {"+ + +", "", "+ + +", "", "+ + +"});
        setSides(*t, 3, 3, row.before);
        SCOPED_TRACE("dot edges " + row.before);
        EXPECT_EQ(dotRule(*t, 3, 3), row.result);
        if (row.result == kContradiction) continue;
        EXPECT_EQ(sidesOf(*t, 3, 3), row.after);
        EXPECT_EQ((t->workBoard->at(3, 3) & kSettled) != 0, row.settled);
    }
}

TEST(DotTable, ASettledDotIsSkipped) {
    TestState t;
    loadWorkPicture(*t, {"+ + +", "", "+ + +", "", "+ + +"});
    setSides(*t, 3, 3, "-xx.");
    t->workBoard->at(3, 3) |= kSettled;
    EXPECT_EQ(dotRule(*t, 3, 3), kUnchanged);
    EXPECT_EQ(sidesOf(*t, 3, 3), "-xx.");
}

TEST(DotTable, ABorderDotSeesTheRingAsCrosses) {
    TestState t;
    loadWorkPicture(*t, {"+ + +", "|", "+ + +"});
    // Dot (1, 1): up and left lie on the ring, down is a line: the last edge is a line.
    EXPECT_EQ(dotRule(*t, 1, 1), kProgress);
    EXPECT_EQ(workPicture(*t), trimmed({"+-+ +", "|", "+ + +"}));
}

// The corner steps, each on a picture of the board before and after the rule.
struct CornerCase {
    const char* name;
    std::vector<std::string> before;
    int x, y;
    RuleResult result;
    std::vector<std::string> after;
};

void checkCorner(const CornerCase& c) {
    TestState t;
    SCOPED_TRACE(c.name);
    loadWorkPicture(*t, c.before);
    EXPECT_EQ(basicCellRule(*t, c.x, c.y), c.result);
    EXPECT_EQ(workPicture(*t), trimmed(c.after));
}

// In the pictures below the cell examined is the middle one of a 3 x 3 board, (4, 4).

TEST(BasicCornerSteps, One) {
    checkCorner({"outer pair crossed: the cell's own pair there is crossed",
                 {"+ + + +",  //
                  "  x",      //
                  "+x+ + +",  //
                  "   1",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  x",      //
                  "+x+x+ +",  //
                  "  x1",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"}});
    checkCorner({"one outer line and one outer cross: the opposite pair is crossed",
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   1",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   1x",    //
                  "+ +x+ +",  //
                  "",         //
                  "+ + + +"}});
    checkCorner({"a crossed pair: differ on the outer pair of the opposite dot",
                 {"+ + + +",  //
                  "",         //
                  "+ +x+ +",  //
                  "  x1",     //
                  "+ + + +",  //
                  "    x",    //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "",         //
                  "+ +x+ +",  //
                  "  x1",     //
                  "+ + +-+",  //
                  "    x",    //
                  "+ + + +"}});
}

TEST(BasicCornerSteps, Three) {
    checkCorner({"top-left outer pair crossed: top and left sides are lines",
                 {"+ + + +",  //
                  "  x",      //
                  "+x+ + +",  //
                  "   3",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  x",      //
                  "+x+-+ +",  //
                  "  |3",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"}});
    // The two new lines at the bottom-right corner then turn the line entering the
    // top-left corner into the only one there.
    checkCorner({"a line entering the top-left corner: bottom and right sides are lines",
                 {"+ + + +",  //
                  "  |",      //
                  "+ + + +",  //
                  "   3",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   3|",    //
                  "+ +-+ +",  //
                  "",         //
                  "+ + + +"}});
    checkCorner({"two lines at a corner: differ on the opposite outer pair",
                 {"+ + + +",  //
                  "",         //
                  "+x+ + +",  //
                  "   3|",    //
                  "+ +-+ +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   3|",    //
                  "+ +-+ +",  //
                  "",         //
                  "+ + + +"}});
}

TEST(BasicCornerSteps, TwoWithCrossedOuterPair) {
    // Outer(1) crossed: same on pair 3 and outer(3), differ on outer(2) and outer(4); the
    // later corners then find outer pairs with a line and a cross and finish the cell.
    checkCorner({"outer(1) = 2",
                 {"+ + + +",  //
                  "  x |",    //
                  "+x+ + +",  //
                  "   2",     //
                  "+x+-+ +",  //
                  "    x",    //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  x |",    //
                  "+x+x+x+",  //
                  "  x2|",    //
                  "+x+-+x+",  //
                  "  | x",    //
                  "+ + + +"}});
    // The order: same on pair 3 and outer pair 3, differ on outer pairs 2 and 4; then
    // corner 2 (now one line, one cross outside) settles the cell's open sides.
    TestState t;
    loadWorkPicture(*t, {"+ + + +", "  x |", "+x+ + +", "   2", "+x+-+ +", "    x", "+ + + +"});
    EXPECT_EQ(basicCellRule(*t, 4, 4), kProgress);
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(5, 4, kLine), moveEntry(6, 5, kCross),
                                    moveEntry(3, 6, kLine), moveEntry(6, 3, kCross),
                                    moveEntry(3, 4, kCross), moveEntry(4, 3, kCross)}));
}

TEST(BasicCornerSteps, TwoWithOneOuterLineAndOneOpenEdge) {
    checkCorner({"outer(1) = 16, pair(3) = 1: a line on pair 3, a cross on outer pair 1",
                 {"+ + + +",  //
                  "  |",      //
                  "+ + + +",  //
                  "   2x",    //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   2x",    //
                  "+ +-+ +",  //
                  "",         //
                  "+ + + +"}});
    checkCorner({"outer(1) = 16, outer(3) = 16: both open outer edges are crosses",
                 {"+ + + +",  //
                  "  |",      //
                  "+ + + +",  //
                  "   2",     //
                  "+ + + +",  //
                  "    |",    //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   2",     //
                  "+ + +x+",  //
                  "    |",    //
                  "+ + + +"}});
}

TEST(BasicCornerSteps, TwoWithOneOuterLineAndOneOuterCross) {
    // Each pair that becomes known on one edge settles the other: pairs 1 and 3 differ,
    // and so does outer pair 3.
    checkCorner({"outer(1) = 17, pairs open: nothing yet",
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   2",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"},
                 4,
                 4,
                 kUnchanged,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+ + +",  //
                  "   2",     //
                  "+ + + +",  //
                  "",         //
                  "+ + + +"}});
    checkCorner({"outer(1) = 17, one edge of each pair known",
                 {"+ + + +",  //
                  "  |",      //
                  "+x+x+ +",  //
                  "   2",     //
                  "+ +-+ +",  //
                  "    x",    //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  |",      //
                  "+x+x+ +",  //
                  "  |2x",    //
                  "+ +-+-+",  //
                  "    x",    //
                  "+ + + +"}});
}

TEST(BasicCornerSteps, Blank) {
    checkCorner({"two lines at the top-left, bottom-right outer pair crossed",
                 {"+ + + +",  //
                  "",         //
                  "+ +-+ +",  //
                  "  |",      //
                  "+ + +x+",  //
                  "    x",    //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "",         //
                  "+ +-+ +",  //
                  "  | x",    //
                  "+ +x+x+",  //
                  "    x",    //
                  "+ + + +"}});
    checkCorner({"three corners closed from outside: four crosses",
                 {"+ + + +",  //
                  "  x",      //
                  "+x+ + +",  //
                  "",         //
                  "+x+ +x+",  //
                  "  x x",    //
                  "+ + + +"},
                 4,
                 4,
                 kProgress,
                 {"+ + + +",  //
                  "  x",      //
                  "+x+x+ +",  //
                  "  x x",    //
                  "+x+x+x+",  //
                  "  x x",    //
                  "+ + + +"}});
    checkCorner({"two corners closed from outside: nothing",
                 {"+ + + +",  //
                  "  x",      //
                  "+x+ + +",  //
                  "",         //
                  "+x+ + +",  //
                  "  x",      //
                  "+ + + +"},
                 4,
                 4,
                 kUnchanged,
                 {"+ + + +",  //
                  "  x",      //
                  "+x+ + +",  //
                  "",         //
                  "+x+ + +",  //
                  "  x",      //
                  "+ + + +"}});
}

TEST(BasicCornerSteps, BlankWithOneLineAndTheFarCornersClosed) {
    // The top side is the line and both bottom corner dots are closed from outside: the
    // line cannot come round the cell, so bottom, left and right are crosses, in the order
    // of pair 2 then pair 3.
    TestState t;
    loadWorkPicture(*t, {"+ + + +",  //
                         "",         //
                         "+ +-+ +",  //
                         "",         //
                         "+x+ +x+",  //
                         "  x x",    //
                         "+ + + +"});
    EXPECT_EQ(basicCellRule(*t, 4, 4), kProgress);
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(4, 5, kCross), moveEntry(3, 4, kCross),
                                    moveEntry(5, 4, kCross)}));
}

// Hears every edge and changes nothing.
struct SilentObserver : RuleObserver {
    void edgeDecided(int, int, int) override {}
};

// Without an observer the rules pass over groups with nothing left to decide; on random
// edges they decide the same edges in the same order, with the same result and settled
// flags, as with one: the middle cell of a 3 x 3 board for each clue, two of its dots.
TEST(BasicRules, DecideAsWhenObserved) {
    TestState states[2];
    SilentObserver observer;
    for (int round = 0; round < 3000; ++round) {
        const char clue = "-0123"[round % 5];
        const bool cell = round % 3 != 0;
        const int dotX = 3 + 2 * (round % 2);
        const int dotY = 3 + 2 * (round / 2 % 2);
        std::vector<int32_t> logs[2];
        std::string lattices[2];
        RuleResult results[2];
        for (const bool observed : {false, true}) {
            PuzzleState& s = *states[observed];
            loadWorkPicture(
                s, {"+ + + +", "", "+ + + +", std::string("   ") + clue, "+ + + +", "", "+ + + +"});
            std::mt19937 random(static_cast<unsigned>(round));
            for (int y = 1; y <= 7; ++y) {
                for (int x = 1; x <= 7; ++x) {
                    if (isEdge(x, y)) s.workBoard->at(x, y) = "\0\2\3"[random() % 3];
                }
            }
            s.ruleObserver = observed ? &observer : nullptr;
            results[observed] = cell ? basicCellRule(s, 4, 4) : dotRule(s, dotX, dotY);
            s.ruleObserver = nullptr;
            logs[observed] = loggedEntries(s);
            lattices[observed].assign(reinterpret_cast<const char*>(s.workBoard->lattice.data()),
                                      static_cast<size_t>(latticeIndex(0, 9)));
        }
        SCOPED_TRACE(round);
        EXPECT_EQ(results[0], results[1]);
        EXPECT_EQ(logs[0], logs[1]);
        EXPECT_EQ(lattices[0], lattices[1]);
    }
}

// The counts a rule reads once agree with countGroup on random edges, after a noted decision
// too; a result of false keeps what was read.
TEST(CellCounts, AgreeWithCountGroup) {
    std::mt19937 random(10);
    for (int round = 0; round < 200; ++round) {
        TestState t;
        loadWorkPicture(*t, {"+ + + +", "", "+ + + +", "   2", "+ + + +", "", "+ + + +"});
        Board& wb = *t->workBoard;
        const auto randomise = [&] {
            for (int y = 1; y <= 7; ++y) {
                for (int x = 1; x <= 7; ++x) {
                    if (((x ^ y) & 1) == 1) wb.at(x, y) = static_cast<uint8_t>(random() % 4);
                }
            }
        };
        const auto expectAgree = [&](CellCounts& counts) {
            for (int g = 0; g <= 8; ++g) EXPECT_EQ(counts[g], countGroup(wb, 4, 4, g)) << g;
            for (int c = 1; c <= 4; ++c) {
                EXPECT_EQ(counts.pair(c), countGroup(wb, 4, 4, c));
                EXPECT_EQ(counts.outer(c), countGroup(wb, 4, 4, c + 4));
            }
        };
        randomise();
        CellCounts counts(wb, 4, 4);
        expectAgree(counts);
        const int before = counts[0];
        wb.at(4, 3) = static_cast<uint8_t>(wb.at(4, 3) == kLine ? kCross : kLine);
        EXPECT_FALSE(counts.note(false));
        EXPECT_EQ(counts[0], before);
        randomise();
        EXPECT_TRUE(counts.note(true));
        expectAgree(counts);
        EXPECT_EQ(counts.anyOf(5, tally(2, 0)),
                  counts.outer(1) == tally(2, 0) || counts.outer(2) == tally(2, 0) ||
                      counts.outer(3) == tally(2, 0) || counts.outer(4) == tally(2, 0));
    }
}

}  // namespace
}  // namespace vexilo
