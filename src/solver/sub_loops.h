// The sub-loop rule. The answer is one closed loop, so an edge that would join the two
// ends of one open path of lines, directly or through dots that leave a line no choice,
// can never be a line: it is crossed.
#pragma once

namespace vexilo {

struct PuzzleState;

// Directions of travel from a dot to the next one.
enum Direction : int { kLeft = 1, kRight = 2, kUp = 3, kDown = 4 };

// Crosses every undecided edge at a path end that leads, through corridor dots (two crosses,
// two undecided edges), to the other end of the same path. 1 when new entries wait on the
// work queue, 2 when nothing was queued; never 0. Leaves queuePassEnd at queueHead.
int preventSubLoops(PuzzleState& state);

// From dot (x, y), reached along a line travelling in direction dir, follows the path
// through dots with exactly two lines; the number x + 4096 * y of the first dot of another
// kind, or 0 when the path cannot be followed.
int findPathEnd(PuzzleState& state, int x, int y, int dir);

// From dot (x, y), reached in direction dir over an undecided edge: 1 if walking on
// through corridor dots arrives at the dot numbered target, else 0.
int corridorReaches(PuzzleState& state, int x, int y, int dir, int target);

}  // namespace vexilo
