#include "solver/solve_levels.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "model/move_log.h"
#include "model/rebuild.h"
#include "solver/engine/advanced_rules.h"
#include "solver/engine/basic_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_observer.h"
#include "support/test_support.h"
#include "work_board.h"

namespace vexilo {
namespace {

using testing::loggedEntries;
using testing::setClues;
using testing::TestState;
using testing::trimmed;
using testing::workPicture;

TEST(PrepareSolve, StartsFromTheCluesWithFreshCountersLogAndQueue) {
    TestState t;
    setClues(*t, {"0-", "-3"});
    Board& wb = *t->workBoard;
    // Leftovers of an earlier solve.
    t->effortScore = 12;
    t->effortBeforeTrials = 3;
    t->trialPasses = 4;
    t->ruleUsage = 7;
    t->startPatternsDone = 1;
    appendEntry(wb, moveEntry(4, 1, kLine), t.frontend);
    wb.at(4, 1) = kLine;
    wb.at(4, 4) |= kSettled;
    wb.queue.resetAt(500);

    prepareSolve(*t);
    EXPECT_EQ(t->effortScore, 0);
    EXPECT_EQ(t->effortBeforeTrials, 0);
    EXPECT_EQ(t->trialPasses, 0);
    EXPECT_EQ(t->ruleUsage, 0);
    EXPECT_EQ(t->startPatternsDone, 0);
    EXPECT_EQ(workPicture(*t), trimmed({"+x+ +",  //
                                        "x0x",    //
                                        "+x+ +",  //
                                        "   3",   //
                                        "+ + +"}));
    EXPECT_EQ(wb.at(4, 4), 3);
    // The zero cell's sides are the only entries, top, bottom, left, right.
    EXPECT_EQ(loggedEntries(*t),
              (std::vector<int32_t>{moveEntry(2, 1, kCross), moveEntry(2, 3, kCross),
                                    moveEntry(1, 2, kCross), moveEntry(3, 2, kCross)}));
    // Twelve edges seeded from slot 1 on, then the four crosses; nothing read yet.
    EXPECT_EQ(wb.queue.positions().head, 16);
    EXPECT_EQ(wb.queue.at(1), moveEntry(2, 1, 0));
    EXPECT_EQ(wb.queue.at(12), moveEntry(4, 5, 0));
    EXPECT_EQ(wb.queue.at(13), moveEntry(2, 1, kCross));
    EXPECT_EQ(wb.queue.positions().readA, 0);
    EXPECT_EQ(wb.queue.positions().readB, 0);
    EXPECT_EQ(wb.queue.positions().passEnd, 0);
}

// Hears every edge and changes nothing: with it, the sides of the 0s are crossed one by one
// through setEdgeGroup instead of in runs.
struct SilentObserver : RuleObserver {
    void edgeDecided(int, int, int) override {}
};

// What prepareSolve from a log leaves: the puzzle's lattice rows, the log, the queue and the
// messages.
std::string startOf(TestState& t, bool observed) {
    SilentObserver observer;
    t->ruleObserver = observed ? &observer : nullptr;
    prepareSolve(*t, LatticeStart::kFromLog);
    t->ruleObserver = nullptr;
    const Board& wb = *t->workBoard;
    std::string bytes(reinterpret_cast<const char*>(wb.lattice.data()),
                      static_cast<size_t>(latticeIndex(0, 2 * t->H() + 3)));
    bytes.append(reinterpret_cast<const char*>(wb.moveLog.data()), 4 * size_t(wb.writePos + 1));
    const int32_t head = wb.queue.positions().head;
    for (int32_t slot = 0; slot <= head; ++slot) bytes += std::to_string(wb.queue.at(slot)) + ",";
    for (const std::string& m : t.frontend.messages) bytes += m;
    return bytes;
}

// The seeding and the 0s' crosses write in runs without an observer: the same start as entry
// by entry, also when the log fills up part way.
TEST(PrepareSolve, RunsOfEntriesStartAsEntryByEntry) {
    std::mt19937 random(9);
    int markedEdges = 0;
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(random() % 9);
        const int h = 1 + static_cast<int>(random() % 9);
        std::vector<std::string> rows(static_cast<size_t>(h),
                                      std::string(static_cast<size_t>(w), '-'));
        for (std::string& row : rows) {
            for (char& c : row) c = "00-123"[random() % 6];
        }
        const int freeSlots = std::array{0, 1, 2, 5, 30, 100000}[random() % 6];
        const int moves = static_cast<int>(random() % 12);
        std::string starts[2];
        for (bool observed : {false, true}) {
            TestState t;
            setClues(*t, rows);
            Board& wb = *t->workBoard;
            std::mt19937 moveRandom(static_cast<unsigned>(round));
            if (freeSlots < 100000) {
                fillMoveLog(wb, kFirstMarker + 1);
                wb.writePos = kLogSlots - 1 - freeSlots - moves;
            }
            for (int i = 0; i < moves; ++i) {
                const int x = 1 + static_cast<int>(moveRandom() % static_cast<unsigned>(2 * w + 1));
                const int y = 1 + static_cast<int>(moveRandom() % static_cast<unsigned>(2 * h + 1));
                if ((x + y) % 2 == 1)
                    wb.moveLog[wb.writePos++] = moveEntry(x, y, 2 + moveRandom() % 2);
            }
            starts[observed] = startOf(t, observed);
            // An edge between two marked cells is decided by their marks.
            for (int y = 1; y <= 2 * h + 1; ++y) {
                for (int x = 1 + y % 2; x <= 2 * w + 1; x += 2) {
                    const int across = y % 2 == 1 ? kLatticeSide : 1;
                    const int markA = wb.at(latticeIndex(x, y) - across) & kColourMask;
                    const int markB = wb.at(latticeIndex(x, y) + across) & kColourMask;
                    if (markA < kInside || markB < kInside) continue;
                    ++markedEdges;
                    EXPECT_EQ(wb.at(x, y) & kKeyMask, markA == markB ? kCross : kLine);
                }
            }
        }
        EXPECT_EQ(starts[0], starts[1]) << "round " << round;
    }
    EXPECT_GT(markedEdges, 0);
}

TEST(PrepareSolve, TheLevelZeroRebuildDrawsNothing) {
    TestState t;
    setClues(*t, {"3-", "--"});
    t->drawEnabled = 1;
    const int repaints = t.frontend.repaints;
    prepareSolve(*t, LatticeStart::kRebuild);
    EXPECT_EQ(t.frontend.repaints, repaints);
    EXPECT_EQ(t->drawEnabled, 1);
    EXPECT_EQ(t->workBoard->at(2, 2), 3);
    EXPECT_EQ(t->workBoard->queue.positions().head, 12);
}

TEST(SolveLevels, AnImpossiblePuzzleEndsInAContradiction) {
    TestState t;
    setClues(*t, {"1"});  // a single 1: its four corner dots close it from outside
    EXPECT_FALSE(solveLevel0(*t));
    EXPECT_FALSE(solveLevel1(*t));
}

TEST(SolveLevels, LevelZeroStopsWhereTheAdvancedRulesAreNeeded) {
    // Two 3s side by side: only the start patterns find their three parallel lines.
    TestState t;
    setClues(*t, {"---", "-33", "---"});
    EXPECT_TRUE(solveLevel0(*t));
    EXPECT_EQ(t->ruleUsage, 0);
    EXPECT_EQ(t->workBoard->at(5, 4) & 7, kUndecided);
    EXPECT_TRUE(solveLevel1(*t));
    EXPECT_EQ(t->ruleUsage & 2, 2);
    EXPECT_EQ(t->workBoard->at(5, 4) & 7, kLine);
    EXPECT_EQ(t->workBoard->at(3, 4) & 7, kLine);
    EXPECT_EQ(t->workBoard->at(7, 4) & 7, kLine);
}

TEST(SolveLevels, PropagateAllLeavesTheQueueDrainedByBothPasses) {
    TestState t;
    setClues(*t, {"---", "-33", "---"});
    prepareSolve(*t);
    EXPECT_TRUE(propagateAll(*t));
    const Board& wb = *t->workBoard;
    EXPECT_EQ(wb.queue.positions().readA, wb.queue.positions().head);
    EXPECT_EQ(wb.queue.positions().readB, wb.queue.positions().head);
    EXPECT_EQ(wb.queue.positions().passEnd, wb.queue.positions().head);
}

}  // namespace
}  // namespace vexilo
