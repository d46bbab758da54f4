// Within a solve the basic and advanced rule passes, the sub-loop rule, the colour rules and
// the trial search's tests look only at what changed; the same solve working from the whole
// board at every call must decide exactly the same edges in the same order, with the same
// counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "solve_fixtures.h"
#include "solver/full_solve.h"
#include "solver/solve_level2.h"
#include "solver/solve_levels.h"
#include "solver/trial_search.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

// Clues of the outline of a random connected region of cells (a loop), a random share of
// them blanked; or, every third time, clues drawn at random.
std::vector<std::string> randomClues(std::mt19937& random, int w, int h) {
    std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '-'));
    if (random() % 3 == 0) {
        const unsigned share = random() % 100;
        for (auto& row : rows) {
            for (char& c : row) {
                if (random() % 100 < share) c = static_cast<char>('0' + random() % 4);
            }
        }
        return rows;
    }
    std::vector<std::vector<bool>> inside(static_cast<size_t>(h),
                                          std::vector<bool>(static_cast<size_t>(w)));
    int x = static_cast<int>(random() % static_cast<unsigned>(w));
    int y = static_cast<int>(random() % static_cast<unsigned>(h));
    inside[static_cast<size_t>(y)][static_cast<size_t>(x)] = true;
    for (int grow = static_cast<int>(random() % static_cast<unsigned>(w * h * 2)); grow > 0;
         --grow) {
        const int d = static_cast<int>(random() % 4);
        const int nx = x + (d == 0) - (d == 1);
        const int ny = y + (d == 2) - (d == 3);
        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
        x = nx;
        y = ny;
        inside[static_cast<size_t>(y)][static_cast<size_t>(x)] = true;
    }
    const auto in = [&](int cx, int cy) {
        return cx >= 0 && cy >= 0 && cx < w && cy < h &&
               inside[static_cast<size_t>(cy)][static_cast<size_t>(cx)];
    };
    const unsigned keep = random() % 100;
    for (int cy = 0; cy < h; ++cy) {
        for (int cx = 0; cx < w; ++cx) {
            const int n = (in(cx, cy) != in(cx - 1, cy)) + (in(cx, cy) != in(cx + 1, cy)) +
                          (in(cx, cy) != in(cx, cy - 1)) + (in(cx, cy) != in(cx, cy + 1));
            if (n < 4 && random() % 100 < keep)
                rows[static_cast<size_t>(cy)][static_cast<size_t>(cx)] = static_cast<char>('0' + n);
        }
    }
    return rows;
}

// What a solve leaves: its result, its log and its counters.
std::vector<int32_t> solveRecord(PuzzleState& s, int level) {
    int result = 0;
    switch (level) {
        case 0:
            result = solveLevel0(s);
            break;
        case 1:
            result = solveLevel1(s);
            break;
        case 2:
            result = solveLevel2(s);
            break;
        default:
            result = static_cast<int>(solveFull(s));
            break;
    }
    std::vector<int32_t> record = testing::logEntries(*s.workBoard);
    record.insert(record.end(),
                  {result, s.effortScore, s.effortBeforeTrials, s.trialPasses, s.ruleUsage});
    return record;
}

TEST(IncrementalSolve, DecidesWhatTheWholeBoardWalksDecide) {
    std::mt19937 random(42);
    TestState t;
    t->drawEnabled = 0;
    for (int round = 0; round < 600; ++round) {
        const int w = 1 + static_cast<int>(random() % 16);
        const int h = 1 + static_cast<int>(random() % 16);
        testing::setClues(*t, randomClues(random, w, h));
        SCOPED_TRACE(round);
        for (int level = 0; level <= 3; ++level) {
            t->solveScratch->allowIncremental = false;
            const std::vector<int32_t> whole = solveRecord(*t, level);
            t->solveScratch->allowIncremental = true;
            ASSERT_EQ(solveRecord(*t, level), whole) << "level " << level;
        }
    }
}

// A state's areas keep what earlier puzzles left in them beyond the current one's size (they
// are cleared only where a solve reads them): a state that solved puzzles of other sizes
// before, or one of the same size without clues, must decide what a fresh state decides.
TEST(IncrementalSolve, AStateThatSolvedOtherPuzzlesDecidesWhatAFreshOneDecides) {
    std::mt19937 random(7);
    TestState reused;
    reused->drawEnabled = 0;
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 24);
        const int h = 1 + static_cast<int>(random() % 24);
        const std::vector<std::string> clues = randomClues(random, w, h);
        TestState fresh;
        fresh->drawEnabled = 0;
        testing::setClues(*fresh, clues);
        if (random() % 2 == 0) {
            testing::setClues(
                *reused, std::vector<std::string>(static_cast<size_t>(h), std::string(w, '-')));
            static_cast<void>(solveFull(*reused));
        }
        testing::setClues(*reused, clues);
        const int level = static_cast<int>(random() % 4);
        SCOPED_TRACE(round);
        ASSERT_EQ(solveRecord(*reused, level), solveRecord(*fresh, level)) << "level " << level;
    }
}

// A full solve passes the sub-loop and advanced rules over once every edge is set: its
// propagation must leave the board, its queue and the counters as the one that runs them.
TEST(IncrementalSolve, PassingTheRulesOverLeavesWhatRunningThemLeaves) {
    std::mt19937 random(9);
    TestState plain;
    TestState passing;
    int passedOver = 0;
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + static_cast<int>(random() % 12);
        const int h = 1 + static_cast<int>(random() % 12);
        const std::vector<std::string> clues = randomClues(random, w, h);
        const auto propagate = [&](PuzzleState& s, int* firstUnset) {
            testing::setClues(s, clues);
            prepareSolve(s);
            const IncrementalSolve incremental(s);
            const bool consistent = firstUnset ? propagateAll(s, firstUnset) : propagateAll(s);
            const Board& wb = *s.workBoard;
            const WorkQueue::Positions& q = wb.queue.positions();
            std::vector<int32_t> record = testing::logEntries(wb);
            record.insert(record.end(), {consistent, s.effortScore, s.ruleUsage,
                                         s.startPatternsDone, q.head, q.passEnd, q.readA, q.readB});
            for (int y = 0; y <= 2 * h + 2; ++y) {
                for (int x = 0; x <= 2 * w + 2; ++x) record.push_back(wb.at(x, y));
            }
            return record;
        };
        int firstUnset = 0;
        SCOPED_TRACE(round);
        ASSERT_EQ(propagate(*passing, &firstUnset), propagate(*plain, nullptr));
        passedOver += findUnsetEdge(*passing, firstUnset) ? 0 : 1;
    }
    EXPECT_GT(passedOver, 50);
}

// A hypothesis retracted leaves every lattice byte as it was before it, but for the settled
// flags of the end dots of each edge it set and of the cells with a corner at one of them;
// whether its propagation ran through (the work queue drained) or stopped at a contradiction.
TEST(IncrementalSolve, ARetractionRestoresTheLatticeButTheFlagsAroundItsEdges) {
    std::mt19937 random(5);
    TestState t;
    t->drawEnabled = 0;
    int consistent = 0;
    int failed = 0;
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 12);
        const int h = 1 + static_cast<int>(random() % 12);
        testing::setClues(*t, randomClues(random, w, h));
        prepareSolve(*t);
        t->solveScratch->allowIncremental = random() % 4 != 0;
        const IncrementalSolve incremental(*t);
        if (!propagateAll(*t)) continue;
        Board& wb = *t->workBoard;
        for (int trial = 0; trial < 12; ++trial) {
            const int x = 1 + static_cast<int>(random() % static_cast<unsigned>(2 * w + 1));
            const int y = 1 + static_cast<int>(random() % static_cast<unsigned>(2 * h + 1));
            if (!isEdge(x, y) || wb.at(x, y) != 0) continue;
            // What a contradiction left queued is looked at first: the rules settle there.
            if (!propagateAll(*t)) break;
            std::vector<uint8_t> expected(wb.lattice.begin(),
                                          wb.lattice.begin() + latticeIndex(0, 2 * h + 3));
            openStep(wb, t->frontend);
            const int first = wb.writePos;
            setEdge(*t, x, y, random() % 2 == 0 ? kLine : kCross);
            (tryAndRetract(*t, x, y) ? consistent : failed) += 1;
            for (int slot = first; slot < wb.writePos; ++slot) {
                const int32_t e = wb.moveLog[static_cast<size_t>(slot)];
                const int ex = entryX(e);
                const int ey = entryY(e);
                const int ends[2][2] = {{ex - (ey & 1), ey - (ex & 1)},
                                        {ex + (ey & 1), ey + (ex & 1)}};
                for (const auto& end : ends) {
                    expected[static_cast<size_t>(latticeIndex(end[0], end[1]))] &= ~kSettled;
                    for (int cy = end[1] - 1; cy <= end[1] + 1; cy += 2) {
                        for (int cx = end[0] - 1; cx <= end[0] + 1; cx += 2) {
                            expected[static_cast<size_t>(latticeIndex(cx, cy))] &= ~kSettled;
                        }
                    }
                }
            }
            dropLastStep(wb);
            SCOPED_TRACE(round);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), wb.lattice.begin()));
        }
    }
    EXPECT_GT(consistent, 300);
    EXPECT_GT(failed, 30);
}

}  // namespace
}  // namespace vexilo
