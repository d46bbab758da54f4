#include <gtest/gtest.h>

#include <random>

#include "solver/engine/advanced_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_observer.h"
#include "solver/solve_levels.h"
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

struct PatternCase {
    const char* name;
    std::vector<std::string> before;
    std::vector<std::string> after;
};

TEST(StartPatterns, PairsOfThreesAndThreesJoinedByTwos) {
    const std::vector<PatternCase> cases = {
        {"side by side",
         {"+ + + + +",  //
          "",           //
          "+ + + + +",  //
          "   3 3",     //
          "+ + + + +",  //
          "",           //
          "+ + + + +"},
         {"+ + + + +",  //
          "    x",      //
          "+ + + + +",  //
          "  |3|3|",    //
          "+ + + + +",  //
          "    x",      //
          "+ + + + +"}},
        {"one above the other",
         {"+ + + +",  //
          "",         //
          "+ + + +",  //
          "   3",     //
          "+ + + +",  //
          "   3",     //
          "+ + + +",  //
          "",         //
          "+ + + +"},
         {"+ + + +",  //
          "",         //
          "+ +-+ +",  //
          "   3",     //
          "+x+-+x+",  //
          "   3",     //
          "+ +-+ +",  //
          "",         //
          "+ + + +"}},
        {"diagonal, down-right",
         {"+ + + +",  //
          "   3",     //
          "+ + + +",  //
          "     3",   //
          "+ + + +"},
         {"+ +-+ +",  //
          "  |3",     //
          "+ + + +",  //
          "     3|",  //
          "+ + +-+"}},
        {"diagonal, up-right",
         {"+ + + +",  //
          "     3",   //
          "+ + + +",  //
          "   3",     //
          "+ + + +"},
         {"+ + +-+",  //
          "     3|",  //
          "+ + + +",  //
          "  |3",     //
          "+ +-+ +"}},
        {"3, 2, 2, 3 down-right",
         {"+ + + + +",  //
          " 3",         //
          "+ + + + +",  //
          "   2",       //
          "+ + + + +",  //
          "     2",     //
          "+ + + + +",  //
          "       3",   //
          "+ + + + +"},
         {"+-+ + + +",  //
          "|3",         //
          "+ + + + +",  //
          "   2",       //
          "+ + + + +",  //
          "     2",     //
          "+ + + + +",  //
          "       3|",  //
          "+ + + +-+"}},
        {"3, 2, 2, 3 up-right",
         {"+ + + + +",  //
          "       3",   //
          "+ + + + +",  //
          "     2",     //
          "+ + + + +",  //
          "   2",       //
          "+ + + + +",  //
          " 3",         //
          "+ + + + +"},
         {"+ + + +-+",  //
          "       3|",  //
          "+ + + + +",  //
          "     2",     //
          "+ + + + +",  //
          "   2",       //
          "+ + + + +",  //
          "|3",         //
          "+-+ + + +"}},
    };
    for (const PatternCase& c : cases) {
        TestState t;
        SCOPED_TRACE(c.name);
        loadWorkPicture(*t, c.before);
        EXPECT_TRUE(startPatterns(*t));
        EXPECT_EQ(workPicture(*t), trimmed(c.after));
    }
}

TEST(StartPatterns, LinesFirstThenCrossesForThreesSideBySide) {
    TestState t;
    loadWorkPicture(*t, {"+ + + + +", "", "+ + + + +", "   3 3", "+ + + + +", "", "+ + + + +"});
    EXPECT_TRUE(startPatterns(*t));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(3, 4, kLine), moveEntry(5, 4, kLine),
                                    moveEntry(7, 4, kLine), moveEntry(5, 2, kCross),
                                    moveEntry(5, 6, kCross)}));
}

TEST(StartPatterns, ADiagonalOfTwosThatDoesNotEndInAThreeGivesNothing) {
    for (const auto& picture : std::vector<std::vector<std::string>>{
             {"+ + + +", " 3", "+ + + +", "   2", "+ + + +", "     1", "+ + + +"},
             {"+ + + +", " 3", "+ + + +", "   2", "+ + + +", "     2", "+ + + +"},
             {"+ + + +", "     3", "+ + + +", "   2", "+ + + +", "     3", "+ + + +"}}) {
        TestState t;
        loadWorkPicture(*t, picture);
        EXPECT_FALSE(startPatterns(*t));
        EXPECT_EQ(workPicture(*t), trimmed(picture));
    }
}

const std::vector<std::string> kThreesSideBySide = {
    "+ + + + +", "", "+ + + + +", "   3 3", "+ + + + +", "", "+ + + + +",
};

TEST(AdvancedPass, StartPatternsRunOncePerSolve) {
    TestState t;
    loadWorkPicture(*t, kThreesSideBySide);
    EXPECT_EQ(runAdvancedRules(*t), kProgress);
    EXPECT_EQ(t->startPatternsDone, 1);
    EXPECT_EQ(t->workBoard->at(5, 4) & 7, kLine);
    // Take a line back by hand: a second call does not redraw it.
    t->workBoard->at(5, 4) = kUndecided;
    EXPECT_EQ(runAdvancedRules(*t), kUnchanged);
    EXPECT_EQ(t->workBoard->at(5, 4) & 7, kUndecided);
    // A new solve clears the flag; its first advanced pass applies the patterns again.
    prepareSolve(*t);
    EXPECT_EQ(t->startPatternsDone, 0);
    const int passEnd = t->workBoard->queue.positions().passEnd;
    EXPECT_EQ(runAdvancedRules(*t), kProgress);
    EXPECT_EQ(t->workBoard->at(5, 4) & 7, kLine);
    EXPECT_EQ(t->workBoard->queue.positions().readB, passEnd);
}

TEST(AdvancedPass, CountsAProductivePassWithTwoWhileBelowTenThousand) {
    TestState t;
    loadWorkPicture(*t, kThreesSideBySide);
    t->ruleUsage = 5;
    t->effortScore = 9999;
    EXPECT_EQ(runAdvancedRules(*t), kProgress);
    EXPECT_EQ(t->ruleUsage, 7);
    EXPECT_EQ(t->effortScore, 10001);

    loadWorkPicture(*t, kThreesSideBySide);
    t->startPatternsDone = 0;
    EXPECT_EQ(runAdvancedRules(*t), kProgress);
    EXPECT_EQ(t->effortScore, 10001);
}

// A cell without clue below a 3, its two side edges lines: the advanced rule crosses its
// bottom side when an entry next to it is read.
const std::vector<std::string> kBlankBelowThree = {
    "+ + + +", "", "+ + + +", "   3", "+ + + +", "  | |", "+ + + +",
};

TEST(AdvancedPass, ReadsUpToThePassEndAndQueuesItsDecisionsBehindIt) {
    TestState t;
    loadWorkPicture(*t, kBlankBelowThree);
    t->startPatternsDone = 1;
    Board& wb = *t->workBoard;
    pushWorkQueue(*t, moveEntry(3, 6, 0));  // the left side of the cell without clue
    wb.queue.closePass();
    pushWorkQueue(*t, moveEntry(2, 1, 0));  // after the pass end: not read
    EXPECT_EQ(runAdvancedRules(*t), kProgress);
    EXPECT_EQ(wb.queue.positions().readB, 1);
    EXPECT_EQ(wb.queue.positions().passEnd, 1);
    EXPECT_EQ(wb.queue.positions().head, 3);
    EXPECT_EQ(wb.queue.at(3), moveEntry(4, 7, kCross));
    EXPECT_EQ(wb.queue.positions().readA, 0);
    EXPECT_EQ(t->ruleUsage, 2);
    EXPECT_EQ(t->effortScore, 2);
}

TEST(AdvancedPass, APassThatDecidesNothingReturnsTwoAndCountsNothing) {
    TestState t;
    loadWorkPicture(*t, kBlankBelowThree);
    t->startPatternsDone = 1;
    Board& wb = *t->workBoard;
    pushWorkQueue(*t, moveEntry(2, 1, 0));
    pushWorkQueue(*t, moveEntry(7, 2, 0));
    wb.queue.closePass();
    EXPECT_EQ(runAdvancedRules(*t), kUnchanged);
    EXPECT_EQ(wb.queue.positions().readB, 2);
    EXPECT_EQ(t->ruleUsage, 0);
    EXPECT_EQ(t->effortScore, 0);
}

TEST(AdvancedPass, AnEntryThatIsNoEdgeIsAContradiction) {
    TestState t;
    loadWorkPicture(*t, kBlankBelowThree);
    t->startPatternsDone = 1;
    pushWorkQueue(*t, moveEntry(3, 3, 0));  // a dot
    pushWorkQueue(*t, moveEntry(3, 6, 0));
    t->workBoard->queue.closePass();
    EXPECT_EQ(runAdvancedRules(*t), kContradiction);
    EXPECT_EQ(t->workBoard->queue.positions().readB, 1);
    EXPECT_EQ(t->workBoard->at(4, 7) & 7, kUndecided);
}

TEST(AdvancedPass, TheReaderWrapsAtTheEndOfTheRing) {
    TestState t;
    loadWorkPicture(*t, kBlankBelowThree);
    t->startPatternsDone = 1;
    Board& wb = *t->workBoard;
    wb.queue.resetAt(kLogSlots - 1);
    pushWorkQueue(*t, moveEntry(3, 6, 0));
    EXPECT_EQ(wb.queue.positions().head, 0);
    wb.queue.closePass();
    EXPECT_EQ(runAdvancedRules(*t), kProgress);
    EXPECT_EQ(wb.queue.positions().readB, 0);
    EXPECT_EQ(wb.at(4, 7) & 7, kCross);
}

TEST(DiagonalChains, OneInRunsThroughTwosIntoAOne) {
    // The 1 at (8, 8) has its bottom and right sides crossed and its top side a line: one
    // line at its top-left corner. Up-left run a 2, a 2 and a 1.
    TestState t;
    loadWorkPicture(*t, {"+ + + + + +",  //
                         " 1x",          //
                         "+ + + + + +",  //
                         "   2",         //
                         "+ +-+x+ + +",  //
                         "     2|",      //
                         "+ + + +-+ +",  //
                         "       1x",    //
                         "+ + + +x+ +",  //
                         "",             //
                         "+ + + + + +"});
    EXPECT_TRUE(chainOneIn(*t, 8, 8, 1));
    // Each 2 gets differ on outer(3), outer(1), pair 1 and pair 3 in that order (the first
    // 2's outer(1) is the second 2's pair 3); the last 1 crosses its top-left sides.
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(7, 8, kCross), moveEntry(5, 4, kCross),
                                    moveEntry(5, 6, kLine), moveEntry(6, 7, kCross),
                                    moveEntry(2, 3, kLine), moveEntry(2, 1, kCross),
                                    moveEntry(1, 2, kCross)}));
}

TEST(DiagonalChains, SamePairRunsThroughATwoIntoAThree) {
    TestState t;
    loadWorkPicture(*t, {"+ + + +",  //
                         "  x",      //
                         "+x+-+ +",  //
                         "   2x",    //
                         "+ + + +",  //
                         "     3",   //
                         "+ + + +"});
    // The cell at (2, 2) has both sides at its bottom-right corner crossed.
    EXPECT_TRUE(chainSamePair(*t, 2, 2, 3));
    EXPECT_EQ(workPicture(*t), trimmed({"+ + + +",  //
                                        "  x",      //
                                        "+x+-+ +",  //
                                        "  |2x",    //
                                        "+ +x+-+",  //
                                        "    |3",   //
                                        "+ + + +"}));
}

TEST(DiagonalChains, SamePairMakesTheTwosFarPairEqualBeforeChainingFromItsOtherCorners) {
    // The 2's top-left pair is open; its bottom side is crossed, so its right side must be
    // crossed too, and only then do the chains from its other corners find its top and left
    // sides.
    TestState t;
    loadWorkPicture(*t, {"+ + + +",  //
                         "  x",      //
                         "+x+ + +",  //
                         "   2",     //
                         "+ +x+ +",  //
                         "     3",   //
                         "+ + + +"});
    EXPECT_TRUE(chainSamePair(*t, 2, 2, 3));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(5, 4, kCross), moveEntry(4, 3, kLine),
                                    moveEntry(3, 4, kLine), moveEntry(6, 5, kLine),
                                    moveEntry(5, 6, kLine)}));
}

TEST(DiagonalChains, LinedScanCrossesTheOpenOuterEdgeAndChainsFromTheOppositeCorner) {
    TestState t;
    loadWorkPicture(*t, {"+ + + +",  //
                         "  |",      //
                         "+ + + +",  //
                         "   2",     //
                         "+ + + +",  //
                         "     3",   //
                         "+ + + +"});
    EXPECT_TRUE(scanDiagonalLined(*t, 4, 4, 1));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(2, 3, kCross), moveEntry(6, 7, kLine),
                                    moveEntry(7, 6, kLine)}));
}

TEST(DiagonalChains, LinedScanWalksToAThree) {
    TestState t;
    loadWorkPicture(*t, {"+ + + +",  //
                         "",         //
                         "+ + + +",  //
                         "   3",     //
                         "+ + + +",  //
                         "     2",   //
                         "+ + + +"});
    EXPECT_TRUE(scanDiagonalLined(*t, 6, 6, 1));
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(4, 3, kLine), moveEntry(3, 4, kLine)}));
    // scanDiagonal has no such step.
    TestState u;
    loadWorkPicture(*u, {"+ + + +", "", "+ + + +", "   3", "+ + + +", "     2", "+ + + +"});
    EXPECT_FALSE(scanDiagonal(*u, 6, 6, 1));
}

TEST(DiagonalChains, EndsInThreeFollowsTwosOnly) {
    TestState t;
    loadWorkPicture(*t, {"+ + + + +",  //
                         " 3     3",   //
                         "+ + + + +",  //
                         "   2 1",     //
                         "+ + + + +",  //
                         "   2 2",     //
                         "+ + + + +",  //
                         "       2",   //
                         "+ + + + +"});
    EXPECT_TRUE(diagonalEndsInThree(*t, 8, 8, 1));
    EXPECT_TRUE(diagonalEndsInThree(*t, 2, 2, 3));
    EXPECT_FALSE(diagonalEndsInThree(*t, 4, 6, 4));  // a 1 stops it before the 3
    EXPECT_FALSE(diagonalEndsInThree(*t, 8, 8, 4));  // the ring stops it
    EXPECT_TRUE(loggedEntries(*t).empty());
}

// Hears every rule and changes nothing: with it, every chain is walked to its end.
struct SilentObserver : RuleObserver {
    void edgeDecided(int, int, int) override {}
};

// A chain that ends at the next cell is known without the walk within a solve: on random
// boards with many 2s, each chain decides as the walk decides on a copy an observer listens
// to.
TEST(DiagonalChains, ChainsThatEndAtOnceDecideAsTheWalk) {
    std::mt19937 random(3);
    TestState quick;
    TestState walked;
    SilentObserver observer;
    walked->ruleObserver = &observer;
    int decided = 0;
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + static_cast<int>(random() % 6);
        const int h = 1 + static_cast<int>(random() % 6);
        std::vector<std::string> picture;
        for (int py = 0; py <= 2 * h; ++py) {
            std::string line;
            for (int px = 0; px <= 2 * w; ++px) {
                const bool cell = px % 2 == 1 && py % 2 == 1;
                const bool dot = px % 2 == 0 && py % 2 == 0;
                const char edge = random() % 3 == 0   ? ' '
                                  : random() % 2 == 0 ? 'x'
                                  : px % 2            ? '-'
                                                      : '|';
                line += dot ? '+' : cell ? " 0123222"[random() % 8] : edge;
            }
            picture.push_back(line);
        }
        loadWorkPicture(*quick, picture);
        loadWorkPicture(*walked, picture);
        const int x = 2 + 2 * static_cast<int>(random() % static_cast<unsigned>(w));
        const int y = 2 + 2 * static_cast<int>(random() % static_cast<unsigned>(h));
        const int d = 1 + static_cast<int>(random() % 4);
        const bool samePair = random() % 2 == 0;
        const auto chain = [&](PuzzleState& s) {
            return samePair ? chainSamePair(s, x, y, d) : chainOneIn(s, x, y, d);
        };
        bool quickResult = false;
        {
            const IncrementalSolve incremental(*quick);
            quickResult = chain(*quick);
        }
        SCOPED_TRACE(round);
        EXPECT_EQ(quickResult, chain(*walked));
        EXPECT_EQ(loggedEntries(*quick), loggedEntries(*walked));
        decided += quickResult ? 1 : 0;
    }
    EXPECT_GT(decided, 40);
}

}  // namespace
}  // namespace vexilo
