// Level 2: the standard propagation and the colour rules, taking turns until the colour
// rules find nothing more.
#pragma once

namespace vexilo {

struct PuzzleState;

// 0 when the solver met a contradiction, 1 when it stopped (solved, or could go no
// further). Uses mainBoard's lattice as scratch space for the colours; the caller
// rebuilds mainBoard from its own log afterwards.
int solveLevel2(PuzzleState& state);

}  // namespace vexilo
