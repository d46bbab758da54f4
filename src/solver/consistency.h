// The two global tests that judge a hypothesis of the trial search after propagation.
//
// The answer is one closed loop. So every line must be reachable from every other along
// edges that are not crossed (linesConnected), and inside each region of undecided edges
// the open path ends must pair up, since each path that enters the region must leave it
// again (pathEndsPaired). Both walk the board with an explicit stack, because a region
// can hold most of the board's edges, and mark what they visited in scratchMarks.
#pragma once

#include "model/board.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

struct PuzzleState;

// A path end: a dot with one line and at most one cross.
[[nodiscard]] inline bool isPathEnd(const Board& board, int dot) {
    constexpr int kSides[4] = {latticeStep(Direction::kDown), latticeStep(Direction::kRight),
                               latticeStep(Direction::kUp), latticeStep(Direction::kLeft)};
    int count = 0;
    for (int step : kSides) count = tallyPosition(board, count, dot + step);
    return count == tally(0, 1) || count == tally(1, 1);
}

// True if every line of workBoard can be reached from edge (x, y) through edges that are
// not crosses.
[[nodiscard]] bool linesConnected(PuzzleState& state, int x, int y);

// Marks every edge reachable from dot (x, y) through edges that are not crosses, and the
// dots it reaches.
void floodNonCrossed(PuzzleState& state, int x, int y);

// True if every connected region of undecided edges holds an even number of path ends
// (dots with one line and at most one cross).
[[nodiscard]] bool pathEndsPaired(PuzzleState& state);

// n plus the number of path ends among the unvisited dots of the region of undecided
// edges around dot (x, y); marks the dots and edges it visits.
[[nodiscard]] int countPathEnds(PuzzleState& state, int x, int y, int n);

// Within a solve, the trial search counts once per pass the lines and path ends of the
// position its hypotheses start from (SolveScratch::restLines, restEnds)...
void learnRestPosition(PuzzleState& state);

// ... and then judges a hypothesis, its step still open in workBoard's log, by both tests
// at once (connectivity from edge (x, y)): from the components of that position and what
// the step changed (step_components.h), or with the walks where those cannot tell.
[[nodiscard]] bool stepConsistent(PuzzleState& state, int x, int y);

// Clears scratchMarks over the rows and columns the puzzle uses, ring included.
void clearScratchMarks(PuzzleState& state);

}  // namespace vexilo
