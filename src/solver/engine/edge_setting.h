// Deciding edges of workBoard: every decision is written into the lattice, logged in the
// move log (so it can be retracted or transferred) and queued on the work queue (so the
// rule passes examine its neighbourhood again).
//
// Edge groups address two or four edges around a cell or dot at (x, y). Corners are
// numbered 1 top-left, 2 bottom-left, 3 bottom-right, 4 top-right. Group 0 is all four
// sides; group c (1..4) the cell's two sides at corner c; group c + 4 the two edges of
// that corner dot that are not sides of the cell (its outer pair). A group count is
// crosses + 16 * lines over the group.
#pragma once

#include <cstdint>

#include "model/board.h"

namespace vexilo {

struct PuzzleState;

// Result of rules, rule passes and strategies.
enum RuleResult : int { kContradiction = 0, kProgress = 1, kUnchanged = 2 };

inline constexpr const char* kQueueFullMessage = "next 記憶領域がいっぱいです。";

// Offsets (dx, dy) of the positions of each edge group, in the order they are visited.
struct GroupOffsets {
    int count;
    int dx[4];
    int dy[4];
};
extern const GroupOffsets kEdgeGroups[9];

// Lattice index offset of each group position, for a board addressed by index.
extern const int kEdgeGroupIndex[9][4];

// Corner helpers: opposite, next and previous corner (1..4), and the step to the
// diagonal neighbour cell in the direction of a corner.
constexpr int oppositeCorner(int c) { return ((c + 1) % 4) + 1; }
constexpr int nextCorner(int c) { return c % 4 + 1; }
constexpr int prevCorner(int c) { return (c + 2) % 4 + 1; }
extern const int kDiagonalDx[5];
extern const int kDiagonalDy[5];

// sum + 1 for a cross at (x, y), sum + 16 for a line, else sum.
inline int tallyPosition(const Board& board, int sum, int index) {
    const int k = board.at(index) & 7;
    return sum + (k == 2 ? 1 : 0) + (k == 3 ? 16 : 0);
}

// The group count of `group` around (x, y).
inline int countGroup(const Board& board, int x, int y, int group) {
    const int base = latticeIndex(x, y);
    const int* off = kEdgeGroupIndex[group];
    int sum = tallyPosition(board, 0, base + off[0]);
    sum = tallyPosition(board, sum, base + off[1]);
    if (group == 0) {
        sum = tallyPosition(board, sum, base + off[2]);
        sum = tallyPosition(board, sum, base + off[3]);
    }
    return sum;
}

// Pushes an entry on workBoard's queue; shows the queue-full message when the ring is full.
void pushWorkQueue(PuzzleState& state, int32_t entry);

// Decides edge (x, y) of workBoard as `value` (2 cross, 3 line): 1 if it was written,
// 0 if it was already decided.
int setEdge(PuzzleState& state, int x, int y, int value);

// setEdge on every position of the group around (x, y), in order; 1 if any was written.
int setEdgeGroup(PuzzleState& state, int x, int y, int group, int value);

// Queues every edge of the puzzle once and decides the edges that colour marks fix.
void seedWorkQueue(PuzzleState& state);

// Crosses the four sides of every 0-clue cell.
void crossZeroCells(PuzzleState& state);

}  // namespace vexilo
