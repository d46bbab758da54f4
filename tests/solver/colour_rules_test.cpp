#include "solver/engine/colour_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "solve_fixtures.h"
#include "solver/engine/rule_observer.h"
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

// A listener that only hears: with it set the pass walks every position of the board, so it
// shows what the pass decides when it passes nothing by.
class Listener : public RuleObserver {
  public:
    void edgeDecided(int, int, int) override {}
};

TEST(ColourRulesWalk, PassingByDecidedPlacesDecidesAsWalkingThemAll) {
    std::mt19937 random(17);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 24);
        const int h = 1 + static_cast<int>(random() % 12);
        std::vector<std::string> clues(h, std::string(w, '-'));
        for (auto& row : clues) {
            for (char& c : row) c = "-0123"[random() % 5];
        }
        // Edges drawn from a random side for every cell, most of them decided.
        std::vector<uint8_t> side(static_cast<size_t>(latticeIndex(0, 2 * h + 3)), kOutside);
        for (int y = 2; y <= 2 * h; y += 2) {
            for (int x = 2; x <= 2 * w; x += 2) {
                side[latticeIndex(x, y)] = random() % 3 == 0 ? kInside : kOutside;
            }
        }
        const unsigned open = 2 + random() % 30;
        std::vector<int32_t> edges =
            testing::edgesOfSides(side, w, h, [&] { return random() % open != 0; });
        std::shuffle(edges.begin(), edges.end(), random);
        std::vector<int32_t> decided[2];
        for (int listened = 0; listened < 2; ++listened) {
            TestState t;
            testing::setClues(*t, clues);
            testing::startWorkBoard(*t);
            for (int32_t e : edges) setEdge(*t, entryX(e), entryY(e), entryValue(e));
            Listener listener;
            if (listened) t->ruleObserver = &listener;
            const int before = t->workBoard->writePos;
            t->drawEnabled = 0;
            static_cast<void>(runColourRules(*t));
            decided[listened] = testing::logEntries(*t->workBoard, before);
        }
        ASSERT_EQ(decided[0], decided[1]) << "round " << round;
    }
}

}  // namespace
}  // namespace vexilo
