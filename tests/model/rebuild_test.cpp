#include "model/rebuild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/move_log.h"
#include "model/solve_scratch.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

void play(TestState& t, std::initializer_list<int32_t> entries) {
    for (int32_t e : entries) appendEntry(*t->mainBoard, e, t.frontend);
    rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
}

TEST(InitLattice, OneByOnePuzzleHasItsRingOnRowsAndColumnsZeroAndFour) {
    TestState t;
    testing::setClues(*t, {"2"});
    const Board& b = *t->mainBoard;
    EXPECT_EQ(b.at(2, 2), 2);
    for (auto [x, y] : {std::pair{2, 1}, {2, 3}, {1, 2}, {3, 2}, {1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
        EXPECT_EQ(b.at(x, y), 0) << x << "," << y;
    }
    for (int i = 0; i <= 4; ++i) {
        const uint8_t expected = (i % 2 == 0) ? 0x30 : 0x32;
        EXPECT_EQ(b.at(i, 0), expected);
        EXPECT_EQ(b.at(i, 4), expected);
        EXPECT_EQ(b.at(0, i), expected);
        EXPECT_EQ(b.at(4, i), expected);
    }
    // A ring edge reads as a cross through every test the rules use.
    EXPECT_EQ(b.at(0, 1) & 7, kCross);
    EXPECT_EQ(b.at(0, 1) & 3, kCross);
    EXPECT_NE(b.at(0, 1) & 2, 0);
}

TEST(InitLattice, LargestPuzzleKeepsItsRingInsideTheGrid) {
    TestState t;
    t->puzzleWidth = 500;
    t->puzzleHeight = 500;
    initLatticeFromClues(*t, *t->workBoard);
    EXPECT_EQ(t->workBoard->at(1002, 1002), 0x30);
    EXPECT_EQ(t->workBoard->at(1001, 1002), 0x32);
    EXPECT_EQ(t->workBoard->at(1000, 1000), 0);
}

TEST(InitLattice, ClearsStaleDotsAndEdgesAndCopiesMarkedClues) {
    TestState t;
    testing::setClues(*t, {"--", "--"});
    (*t->clueGrid)[1][0] = 0x34;  // clue 0, outside
    t->workBoard->lattice.fill(0x5B);
    initLatticeFromClues(*t, *t->workBoard);
    EXPECT_EQ(t->workBoard->at(2, 4), 0x34);
    for (int y = 1; y <= 5; y += 2) {
        for (int x = 1; x <= 5; ++x) EXPECT_EQ(t->workBoard->at(x, y), 0) << x << "," << y;
    }
}

TEST(InitLattice, MatchesAPlainFillOnRandomCluesOverAStaleLattice) {
    TestState t;
    std::mt19937 random(9);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 40);
        const int h = 1 + static_cast<int>(random() % 12);
        t->puzzleWidth = w;
        t->puzzleHeight = h;
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) (*t->clueGrid)[r][c] = static_cast<uint8_t>(random());
        }
        Board& b = *t->workBoard;
        for (int y = 0; y <= 2 * h + 3; ++y) {
            for (int x = 0; x <= 2 * w + 3; ++x) b.at(x, y) = static_cast<uint8_t>(random());
        }
        const uint8_t beyond = b.at(2 * w + 3, 2);
        initLatticeFromClues(*t, b);
        for (int y = 0; y <= 2 * h + 2; ++y) {
            for (int x = 0; x <= 2 * w + 2; ++x) {
                const bool ring = x == 0 || y == 0 || x == 2 * w + 2 || y == 2 * h + 2;
                uint8_t expected = 0;
                if (ring) expected = isEdge(x, y) ? 0x32 : 0x30;
                if (isCell(x, y) && !ring) expected = (*t->clueGrid)[y / 2 - 1][x / 2 - 1];
                ASSERT_EQ(b.at(x, y), expected) << round << ": " << x << "," << y;
            }
        }
        EXPECT_EQ(b.at(2 * w + 3, 2), beyond);
    }
}

TEST(Rebuild, LineOnATopSideMakesTheCellInsideAndSpreadsThroughCrossesAndLines) {
    TestState t;
    testing::setClues(*t, {"---", "---"});
    // Cross between cells (0,0) and (1,0); line between (1,0) and (2,0); then the top line.
    play(t, {moveEntry(3, 2, 2), moveEntry(5, 2, 3), moveEntry(2, 1, 3)});
    const Board& b = *t->mainBoard;
    EXPECT_EQ(b.at(2, 2) & 0x30, kInside);
    EXPECT_EQ(b.at(4, 2) & 0x30, kInside);   // across the cross
    EXPECT_EQ(b.at(6, 2) & 0x30, kOutside);  // across the line
    EXPECT_EQ(b.at(3, 2), 0x22);             // the cross takes the mark
    EXPECT_EQ(b.at(5, 2), kLine);            // a line never does
    EXPECT_EQ(b.at(2, 4) & 0x30, 0);         // beyond undecided edges nothing is known
    EXPECT_EQ(b.at(1, 1), kDotLined);
    EXPECT_EQ(b.at(3, 1), kDotLined);
}

TEST(Rebuild, CrossOnTheOuterTopSideMakesTheCellOutside) {
    TestState t;
    testing::setClues(*t, {"--"});
    play(t, {moveEntry(4, 1, 2)});
    EXPECT_EQ(t->mainBoard->at(4, 2) & 0x30, kOutside);
    EXPECT_EQ(t->mainBoard->at(4, 1), 0x32);
    EXPECT_EQ(t->mainBoard->at(2, 2) & 0x30, 0);
}

TEST(Rebuild, DotWithFourCrossesTakesTheMarkOfItsFourCornerCells) {
    TestState t;
    testing::setClues(*t, {"--", "--"});
    // The centre dot (3,3): its four edges crossed; the outer sides crossed too so that all
    // four cells are outside.
    play(t, {moveEntry(3, 2, 2), moveEntry(3, 4, 2), moveEntry(2, 3, 2), moveEntry(4, 3, 2),
             moveEntry(2, 1, 2)});
    EXPECT_EQ(t->mainBoard->at(3, 3), 0x32);

    TestState three;
    testing::setClues(*three, {"--", "--"});
    play(three, {moveEntry(3, 2, 2), moveEntry(3, 4, 2), moveEntry(2, 3, 2), moveEntry(2, 1, 2)});
    EXPECT_EQ(three->mainBoard->at(3, 3), 0);  // one edge undecided: nothing recorded
}

TEST(Rebuild, DotKeyIsFinalForTheRebuildOnceSet) {
    TestState t;
    testing::setClues(*t, {"--", "--"});
    // A line reaches the centre dot first; later crosses around it do not change its key.
    play(t, {moveEntry(3, 2, 3), moveEntry(3, 4, 2), moveEntry(2, 3, 2), moveEntry(4, 3, 2)});
    EXPECT_EQ(t->mainBoard->at(3, 3), kDotLined);
}

TEST(Rebuild, InconsistentLinesAreColouredInFillOrder) {
    TestState t;
    testing::setClues(*t, {"--"});
    // A line between the two cells, then both their top sides as lines: the left cell is
    // made inside by its top line; the fill runs through the middle line first and makes the
    // right cell outside before the right top line is applied; that line then finds both
    // cells marked and changes nothing.
    play(t, {moveEntry(3, 2, 3), moveEntry(2, 1, 3), moveEntry(4, 1, 3)});
    EXPECT_EQ(t->mainBoard->at(2, 2) & 0x30, kInside);
    EXPECT_EQ(t->mainBoard->at(4, 2) & 0x30, kOutside);
}

TEST(Rebuild, ReplayingAnotherBoardsLogLeavesThatBoardUntouched) {
    TestState t;
    testing::setClues(*t, {"---", "---"});
    initLatticeFromClues(*t, *t->workBoard);
    appendEntry(*t->workBoard, moveEntry(2, 1, 3), t.frontend);
    const int writePos = t->workBoard->writePos;
    t->drawEnabled = 0;
    rebuildBoard(*t, *t->mainBoard, *t->workBoard);
    EXPECT_EQ(t->mainBoard->at(2, 1), kLine);
    EXPECT_EQ(t->mainBoard->at(2, 2) & 0x30, kInside);
    EXPECT_EQ(t->workBoard->writePos, writePos);
    EXPECT_EQ(t->workBoard->at(2, 1), 0);
    EXPECT_EQ(t.frontend.repaints, 1);  // only setClues' own rebuild painted
}

TEST(Rebuild, FillOverTheWholeLargestBoardRunsWithoutDeepRecursion) {
    TestState t;
    t->puzzleWidth = 500;
    t->puzzleHeight = 500;
    for (auto& row : *t->clueGrid) row.fill(0);
    resetMoveLog(*t->mainBoard);
    Board& b = *t->mainBoard;
    // Every inner edge crossed first, then one outer side: the last cross starts a single
    // fill that reaches all 250,000 cells.
    for (int y = 2; y <= 1000; y += 2) {
        for (int x = 3; x <= 999; x += 2) appendEntry(b, moveEntry(x, y, 2), t.frontend);
    }
    for (int y = 3; y <= 999; y += 2) {
        for (int x = 2; x <= 1000; x += 2) appendEntry(b, moveEntry(x, y, 2), t.frontend);
    }
    appendEntry(b, moveEntry(2, 1, 2), t.frontend);
    rebuildBoard(*t, b, b);
    EXPECT_EQ(b.at(2, 2) & 0x30, kOutside);
    EXPECT_EQ(b.at(1000, 1000) & 0x30, kOutside);
    EXPECT_EQ(b.at(500, 500) & 0x30, kOutside);
    EXPECT_EQ(b.at(999, 1000), 0x32);
}

// rebuildColours against the replay of the log in order, on small random boards: logs drawn
// from a colouring of the cells (so the marks agree), with some edges turned (so they often
// do not), clues that mark cells, and now and then a second entry of an edge or a marker.
TEST(RebuildColours, MarksWhatTheReplayInLogOrderMarks) {
    TestState t;
    std::mt19937 random(11);
    std::vector<int32_t> marked;
    int agreeing = 0;
    int given = 0;
    for (int round = 0; round < 3000; ++round) {
        const int w = 1 + static_cast<int>(random() % 7);
        const int h = 1 + static_cast<int>(random() % 7);
        t->puzzleWidth = w;
        t->puzzleHeight = h;
        std::vector<uint8_t> side(static_cast<size_t>(latticeIndex(0, 2 * h + 3)), kOutside);
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) {
                side[latticeIndex(2 * c + 2, 2 * r + 2)] = random() % 2 ? kInside : kOutside;
                uint8_t clue = static_cast<uint8_t>(random() % 5);
                if (random() % 8 == 0) clue |= side[latticeIndex(2 * c + 2, 2 * r + 2)];
                if (random() % 40 == 0) clue |= kInside;
                (*t->clueGrid)[r][c] = clue;
            }
        }
        std::vector<int32_t> edges = testing::edgesOfSides(side, w, h, [] { return true; });
        std::shuffle(edges.begin(), edges.end(), random);
        edges.resize(random() % (edges.size() + 1));
        const unsigned turned = random() % 3 == 0 ? 0 : 1 + random() % 20;
        Board& log = *t->workBoard;
        resetMoveLog(log);
        for (int32_t e : edges) {
            if (turned != 0 && random() % turned == 0) e ^= 1 << 24;  // cross <-> line
            if (random() % 200 == 0) openStep(log, t.frontend);
            appendEntry(log, e, t.frontend);
            if (random() % 300 == 0) appendEntry(log, e, t.frontend);
        }
        Board& target = *t->mainBoard;
        const bool fast = rebuildColours(*t, target, log);
        const std::vector<uint8_t> fastLattice(target.lattice.begin(),
                                               target.lattice.begin() + side.size());
        initLatticeFromClues(*t, target);
        const bool replayed = carryOnRebuild(*t, target, log, 1, marked);
        ASSERT_EQ(fast, replayed) << "round " << round;
        if (!fast) continue;
        ++given;
        bool agree = true;
        for (size_t i = 0; i < side.size(); ++i) {
            if (i % kLatticeSide > static_cast<size_t>(2 * w + 2)) continue;
            ASSERT_EQ(fastLattice[i], target.lattice[i])
                << "round " << round << " at " << i % kLatticeSide << "," << i / kLatticeSide;
            if ((target.lattice[i] & kColourMask) != 0 && i % 2 == 0 &&
                (i / kLatticeSide) % 2 == 0 && (target.lattice[i] & kColourMask) != side[i]) {
                agree = false;
            }
        }
        agreeing += agree ? 1 : 0;
    }
    // Both kinds of log came up: marks as drawn, and marks that turned edges changed.
    EXPECT_GT(agreeing, 500);
    EXPECT_GT(given - agreeing, 500);
}

}  // namespace
}  // namespace vexilo
