#include "solver/engine/colour_rules.h"

#include <gtest/gtest.h>

#include "solve_fixtures.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::logEntries;
using testing::TestState;

// Pictures show the puzzle with the edges already decided on workBoard; the tests look at
// what one colour pass decides on top of them.
class ColourRules : public ::testing::Test {
  protected:
    void start(const char* picture) {
        testing::startFromPicture(*t, picture);
        before = t->workBoard->writePos;
    }
    // What the pass decided, in the order it decided it.
    std::vector<int32_t> decided() { return logEntries(*t->workBoard, before); }

    TestState t;
    int before = 1;
};

TEST_F(ColourRules, EdgesBetweenColouredCellsFollowTheColoursInRowOrder) {
    // Lines over the first two cells put them inside; the cross over the third keeps it out.
    start(R"(
+-+-+x+

+ + + +)");
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(decided(), (std::vector<int32_t>{moveEntry(1, 2, kLine),   // ring outside | inside
                                               moveEntry(3, 2, kCross),  // inside | inside
                                               moveEntry(5, 2, kLine),   // inside | outside
                                               moveEntry(7, 2, kCross),  // outside | ring
                                               moveEntry(2, 3, kLine), moveEntry(4, 3, kLine),
                                               moveEntry(6, 3, kCross)}));
    EXPECT_EQ(t->ruleUsage, 4);
    EXPECT_EQ(t->effortScore, 4);
    // Everything is decided now: a second pass finds nothing and counts nothing.
    EXPECT_FALSE(runColourRules(*t));
    EXPECT_EQ(t->effortScore, 4);
}

TEST_F(ColourRules, UncolouredNeighboursDecideNothing) {
    start(R"(
+ +-+ +

+ + + +

+ + + +

+ + + +)");
    t->ruleUsage = 1;
    EXPECT_FALSE(runColourRules(*t));
    EXPECT_TRUE(decided().empty());
    EXPECT_EQ(t->ruleUsage, 1);
    EXPECT_EQ(t->effortScore, 0);
}

TEST_F(ColourRules, OneGetsCrossesOnTheSidesTheColoursRuleOut) {
    // Above and below both inside: the loop cannot pass between them through the 1.
    start(R"(
+ +-+ +

+ + + +
   1
+ + + +

+ +-+ +)");
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(decided(), (std::vector<int32_t>{moveEntry(4, 3, kCross), moveEntry(4, 5, kCross)}));

    // Above inside, below outside: the 1's line separates them, so left and right are free.
    start(R"(
+ +-+ +

+ + + +
   1
+ + + +

+ +x+ +)");
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(decided(), (std::vector<int32_t>{moveEntry(3, 4, kCross), moveEntry(5, 4, kCross)}));
}

TEST_F(ColourRules, ThreeGetsLinesAndBothPairsAreTestedAboveBelowFirst) {
    // Left inside, right outside: the 3 uses its top and bottom.
    start(R"(
+ + + +

+ + + +
|  3  x
+ + + +

+ + + +)");
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(decided(), (std::vector<int32_t>{moveEntry(4, 3, kLine), moveEntry(4, 5, kLine)}));

    // All four neighbours inside: above and below alike asks for the top and bottom, then
    // left and right alike for the left and right (an impossible 3, which the pass does not
    // judge).
    start(R"(
+ +-+ +

+ + + +
|  3  |
+ + + +

+ +-+ +)");
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(decided(), (std::vector<int32_t>{moveEntry(4, 3, kLine), moveEntry(4, 5, kLine),
                                               moveEntry(3, 4, kLine), moveEntry(5, 4, kLine)}));
}

TEST_F(ColourRules, BlankCellAmongOneColourIsCrossedOnAllSides) {
    start(R"(
+ +-+ +

+ + + +
|     |
+ + + +

+ +-+ +)");
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(decided(), (std::vector<int32_t>{moveEntry(4, 3, kCross), moveEntry(4, 5, kCross),
                                               moveEntry(3, 4, kCross), moveEntry(5, 4, kCross)}));

    // The cell above uncoloured: nothing, although the other three agree.
    start(R"(
+ + + +

+ + + +
|     |
+ + + +

+ +-+ +)");
    EXPECT_FALSE(runColourRules(*t));
}

TEST_F(ColourRules, ScoreStopsAtItsCapButUsageIsStillRecorded) {
    const char* picture = R"(
+-+-+x+

+ + + +)";
    start(picture);
    t->effortScore = 10000;
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(t->effortScore, 10000);
    EXPECT_EQ(t->ruleUsage, 4);

    start(picture);
    t->effortScore = 9999;
    t->ruleUsage = 0;
    EXPECT_TRUE(runColourRules(*t));
    EXPECT_EQ(t->effortScore, 10003);
}

TEST_F(ColourRules, ColoursComeFromTheLogNotFromWorkBoardsLattice) {
    start(R"(
+ + + +

+ + + +

+ + + +

+ + + +)");
    // An edge written into workBoard's lattice without a log entry colours nothing.
    t->workBoard->at(2, 1) = kLine;
    EXPECT_FALSE(runColourRules(*t));
    // mainBoard's lattice now shows workBoard's logged position; its log is untouched.
    setEdge(*t, 4, 1, kLine);
    EXPECT_FALSE(runColourRules(*t));
    EXPECT_EQ(t->mainBoard->at(4, 2) & kColourMask, kInside);
    EXPECT_EQ(t->mainBoard->at(2, 2) & kColourMask, 0);
    EXPECT_EQ(t->mainBoard->writePos, 1);
}

}  // namespace
}  // namespace vexilo
