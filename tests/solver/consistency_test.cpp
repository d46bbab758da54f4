#include "solver/consistency.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/move_entry.h"
#include "model/move_log.h"
#include "solve_fixtures.h"
#include "solver/step_components.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::startFromPicture;
using testing::TestState;

TEST(LinesConnected, GroupsWalledOffByCrossesFail) {
    TestState t;
    startFromPicture(*t, R"(
+-+x+-+
| x x |
+-+x+-+)");
    EXPECT_FALSE(linesConnected(*t, 2, 1));
    EXPECT_FALSE(linesConnected(*t, 7, 2));  // from a vertical edge: its upper dot
}

TEST(LinesConnected, AnUndecidedEdgeIsAWayThrough) {
    TestState t;
    startFromPicture(*t, R"(
+-+ +-+
| x x |
+-+x+-+)");
    EXPECT_TRUE(linesConnected(*t, 2, 1));
    EXPECT_TRUE(linesConnected(*t, 7, 2));
    // Every edge reached is marked, crosses are not.
    EXPECT_EQ(t->mark(4, 1), 1);
    EXPECT_EQ(t->mark(3, 2), 0);
    EXPECT_EQ(t->mark(4, 3), 0);
}

TEST(LinesConnected, WalksAcrossTheLargestBoardWithoutRecursion) {
    TestState t;
    testing::setClues(*t, std::vector<std::string>(500, std::string(500, '-')));
    testing::startWorkBoard(*t);
    setEdge(*t, 2, 1, kLine);
    setEdge(*t, 1000, 1001, kLine);
    EXPECT_TRUE(linesConnected(*t, 2, 1));
    // Wall the far corner off: its line is no longer reachable.
    setEdge(*t, 998, 1001, kCross);
    setEdge(*t, 999, 1000, kCross);
    setEdge(*t, 1000, 999, kCross);
    setEdge(*t, 1001, 1000, kCross);
    EXPECT_FALSE(linesConnected(*t, 2, 1));
    // Across the whole board the one counted path end is (3,1), beside the top-left corner.
    EXPECT_FALSE(pathEndsPaired(*t));
}

TEST(LinesConnected, FindsAStrayLineInTheLastColumnOfAnyWidth) {
    // The sweeps go eight positions at a time with a rest at the end of each row: a line at
    // the right border must be seen whatever the width.
    for (int w = 1; w <= 20; ++w) {
        SCOPED_TRACE(w);
        TestState t;
        testing::setClues(*t, {std::string(static_cast<size_t>(w), '-'),
                               std::string(static_cast<size_t>(w), '-')});
        testing::startWorkBoard(*t);
        const int right = 2 * w + 1;
        setEdge(*t, 1, 4, kLine);      // the start, on the left border of row 2
        setEdge(*t, right, 2, kLine);  // on the right border of row 1
        setEdge(*t, right - 1, 1, kCross);
        setEdge(*t, right, 4, kCross);
        EXPECT_TRUE(linesConnected(*t, 1, 4));  // along the middle row of dots
        setEdge(*t, right - 1, 3, kCross);
        EXPECT_FALSE(linesConnected(*t, 1, 4));  // walled off
    }
}

TEST(PathEndsPaired, TwoEndsOfOnePathPair) {
    TestState t;
    startFromPicture(*t, R"(
+ + + +

+ +-+ +

+ + + +

+ + + +)");
    EXPECT_TRUE(pathEndsPaired(*t));
}

TEST(PathEndsPaired, ThreeEndsAroundOneRegionFail) {
    // (3,3) and (5,3) end the middle path; on the bottom border (1,7) is boxed in by two
    // ring crosses and is not counted, (3,7) is: three in all.
    TestState t;
    startFromPicture(*t, R"(
+ + + +

+ +-+ +

+ + + +

+-+ + +)");
    EXPECT_FALSE(pathEndsPaired(*t));
}

TEST(PathEndsPaired, AnEndWithTwoCrossesIsNotCounted) {
    TestState t;
    startFromPicture(*t, R"(
+ + + +
    x
+ +-+ +
    x
+ + + +

+ + + +)");
    EXPECT_FALSE(pathEndsPaired(*t));  // only (3,3) counts: one end
}

TEST(PathEndsPaired, EachRegionIsCountedOnItsOwn) {
    // One end in the left region (dot (3,1)) and one in the right (dot (5,1)): two in all,
    // but neither region pairs.
    TestState t;
    startFromPicture(*t, R"(
+ +-+ +

+ +x+ +)");
    EXPECT_FALSE(pathEndsPaired(*t));
    EXPECT_EQ(countPathEnds(*t, 1, 1, 5), 5);  // all marked by now: nothing new
    clearScratchMarks(*t);
    EXPECT_EQ(countPathEnds(*t, 1, 1, 5), 6);
    EXPECT_EQ(t->mark(3, 3), 1);
    EXPECT_EQ(t->mark(5, 1), 0);  // beyond the line and the cross
}

// The plain forms of both tests: the whole flood, then every line looked up; every region
// of undecided edges walked in turn.
bool naiveLinesConnected(PuzzleState& s, int x, int y) {
    clearScratchMarks(s);
    const int startX = isVerticalEdge(x, y) ? x : x - 1;
    const int startY = isVerticalEdge(x, y) ? y - 1 : y;
    floodNonCrossed(s, startX, startY);
    for (int ey = 1; ey <= 2 * s.H() + 1; ++ey) {
        for (int ex = 1 + ey % 2; ex <= 2 * s.W() + 1; ex += 2) {
            if ((s.workBoard->at(ex, ey) & kKeyMask) == kLine && s.mark(ex, ey) == 0) return false;
        }
    }
    return true;
}

bool naivePathEndsPaired(PuzzleState& s) {
    clearScratchMarks(s);
    for (int ey = 1; ey <= 2 * s.H() + 1; ++ey) {
        for (int ex = 1 + ey % 2; ex <= 2 * s.W() + 1; ex += 2) {
            if ((s.workBoard->at(ex, ey) & kKeyMask) != kUndecided || s.mark(ex, ey) != 0) continue;
            const int dotX = isVerticalEdge(ex, ey) ? ex : ex - 1;
            const int dotY = isVerticalEdge(ex, ey) ? ey - 1 : ey;
            if (countPathEnds(s, dotX, dotY, 0) % 2 != 0) return false;
        }
    }
    return true;
}

// A random position on a blank w x h board: from a few lines (the path-end walks) to many
// (the region walks).
std::vector<std::pair<int, int>> randomPosition(PuzzleState& s, std::mt19937& random, int w,
                                                int h) {
    testing::setClues(s, std::vector<std::string>(static_cast<size_t>(h),
                                                  std::string(static_cast<size_t>(w), '-')));
    testing::startWorkBoard(s);
    const unsigned lineShare = random() % 8;
    const unsigned crossShare = random() % 8;
    std::vector<std::pair<int, int>> edges;
    for (int y = 1; y <= 2 * h + 1; ++y) {
        for (int x = 1 + y % 2; x <= 2 * w + 1; x += 2) {
            edges.emplace_back(x, y);
            const unsigned r = random() % 32;
            uint8_t key = kUndecided;
            if (r < lineShare) {
                key = kLine;
            } else if (r < lineShare + crossShare) {
                key = kCross;
            }
            s.workBoard->at(x, y) = key;
        }
    }
    return edges;
}

TEST(ConsistencyTests, AgreeWithThePlainWalksOnRandomBoards) {
    std::mt19937 random(10);
    TestState t;  // one board for all: what a larger board left beyond a smaller one stays
    for (int round = 0; round < 3000; ++round) {
        const int w = 1 + static_cast<int>(random() % 14);
        const int h = 1 + static_cast<int>(random() % 14);
        const auto edges = randomPosition(*t, random, w, h);
        const auto [x, y] = edges[random() % edges.size()];
        SCOPED_TRACE(round);
        const bool connected = naiveLinesConnected(*t, x, y);
        EXPECT_EQ(linesConnected(*t, x, y) != 0, connected);
        const bool paired = naivePathEndsPaired(*t);
        EXPECT_EQ(pathEndsPaired(*t) != 0, paired);
    }
}

// Within a solve a hypothesis is judged from the components of the position at rest and
// what its step changed: a few random steps from each random position, each judged as the
// plain walks judge the position after it.
TEST(ConsistencyTests, StepJudgementAgreesWithThePlainWalks) {
    std::mt19937 random(11);
    TestState t;
    Board& wb = *t->workBoard;
    // Decides a random share (below `most` percent) of the undecided edges, lines one time
    // in `lineOdds`, through setEdge (logged) or straight in the lattice; returns the lines.
    const auto decide = [&](const std::vector<std::pair<int, int>>& edges, bool logged,
                            unsigned most) {
        const unsigned share = random() % most;
        const unsigned lineOdds = 1 + random() % 6;
        std::vector<std::pair<int, int>> lines;
        for (const auto& [ex, ey] : edges) {
            if ((wb.at(ex, ey) & kKeyMask) != kUndecided || random() % 100 >= share) continue;
            const uint8_t value = random() % lineOdds == 0 ? kLine : kCross;
            if (logged) {
                setEdge(*t, ex, ey, value);
            } else {
                wb.at(ex, ey) = value;
            }
            if (value == kLine) lines.emplace_back(ex, ey);
        }
        return lines;
    };
    for (int round = 0; round < 700; ++round) {
        const int w = 1 + static_cast<int>(random() % 14);
        const int h = 1 + static_cast<int>(random() % 14);
        const auto edges = randomPosition(*t, random, w, h);
        // A few passes, the position at rest deciding more edges from one to the next: as a
        // solve's next pass (logged) or straight in the lattice (then not the next pass, so
        // that the whole board is compared).
        t->trialPasses = 1;
        for (int pass = 0; pass < 3; ++pass) {
            learnRestPosition(*t);
            for (int hypothesis = 0; hypothesis < 4; ++hypothesis) {
                SCOPED_TRACE(::testing::Message() << round << "/" << pass << "/" << hypothesis);
                openStep(wb, t->frontend);
                const auto lines = decide(edges, true, 100);
                const auto [x, y] =
                    lines.empty() ? edges[random() % edges.size()] : lines[random() % lines.size()];
                const bool connected = naiveLinesConnected(*t, x, y);
                const bool paired = naivePathEndsPaired(*t);
                EXPECT_EQ(stepConsistent(*t, x, y), connected && paired);
                // Each test on its own, where it tells.
                const int lineCount = t->solveScratch->restLines + markStep(*t).lines;
                const int dot =
                    isVerticalEdge(x, y) ? latticeIndex(x, y - 1) : latticeIndex(x - 1, y);
                const StepVerdict byStep = stepLinesConnected(*t, lineCount, dot);
                if (byStep != StepVerdict::kUnknown) {
                    EXPECT_EQ(byStep == StepVerdict::kHolds, connected);
                }
                const StepVerdict endsByStep = stepEndsPaired(*t);
                if (endsByStep != StepVerdict::kUnknown) {
                    EXPECT_EQ(endsByStep == StepVerdict::kHolds, paired);
                }
                while (isMove(wb.moveLog[wb.writePos - 1])) {
                    const int32_t e = wb.moveLog[wb.writePos - 1];
                    wb.at(entryX(e), entryY(e)) = 0;
                    removeLastMove(wb);
                }
                dropLastStep(wb);
            }
            const bool logged = random() % 2 == 0;
            t->trialPasses += logged ? 1 : 2;
            decide(edges, logged, 20);
        }
    }
}

}  // namespace
}  // namespace vexilo
