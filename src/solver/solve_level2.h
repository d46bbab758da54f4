// Level 2: the standard propagation and the colour rules, taking turns until the colour
// rules find nothing more.
#pragma once

namespace vexilo {

struct PuzzleState;

// False when the solver met a contradiction, true when it came to rest (solved, or could
// go no further). Uses mainBoard's lattice as scratch space for the colours; the caller
// rebuilds mainBoard from its own log afterwards.
[[nodiscard]] bool solveLevel2(PuzzleState& state);

}  // namespace vexilo
