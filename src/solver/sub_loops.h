// The sub-loop rule. The answer is one closed loop, so an edge that would join the two
// ends of one open path of lines, directly or through dots that leave a line no choice,
// closes a loop. Such an edge can still be a line in one case: when the loop it closes is
// the whole answer (every line on that path, every clue satisfied). The rule does not test
// for that case and crosses the edge all the same.
#pragma once

#include "model/lattice.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

struct PuzzleState;

// Crosses every undecided edge at a path end that leads, through corridor dots (two crosses,
// two undecided edges), to the other end of the same path. kProgress when new entries wait
// on the work queue, kUnchanged when nothing was queued; never kContradiction. Leaves
// the queue's pass closed (passEnd at head).
RuleResult preventSubLoops(PuzzleState& state);

// From dot (x, y), reached along a line travelling in direction dir, follows the path
// through dots with exactly two lines; the number x + 4096 * y of the first dot of another
// kind, or 0 when the path cannot be followed.
[[nodiscard]] int findPathEnd(PuzzleState& state, int x, int y, Direction dir);

// From dot (x, y), reached in direction dir over an undecided edge: true if walking on
// through corridor dots arrives at the dot numbered target.
[[nodiscard]] bool corridorReaches(PuzzleState& state, int x, int y, Direction dir, int target);

}  // namespace vexilo
