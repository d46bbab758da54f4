// Handing a solve's result to the user's board.
#pragma once

namespace vexilo {

struct PuzzleState;

// Makes mainBoard show workBoard's edges, as one new step of mainBoard's log: for every
// edge where the two differ, the user's mark is cancelled (an equal entry cancels it on
// replay) and the solver's value appended. A step that would hold no move is dropped
// again. mainBoard's lattice is not rebuilt here.
void transferResult(PuzzleState& state);

}  // namespace vexilo
