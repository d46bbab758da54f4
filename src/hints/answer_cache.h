// The answer of the puzzle hints were last asked about, kept: the complete search runs once
// per puzzle, not once per hint. Keyed on the puzzle's size and clues; any thread may ask.
#pragma once

#include <atomic>

#include "complete/complete_solver.h"
#include "complete/loop_puzzle.h"

namespace vexilo {

// The complete solver's result for `puzzle`, searched for only when the kept one is for
// another puzzle. A search that `cancel` stopped, or a call with `cancel` set already, gives
// a result with stopped set, which is not kept.
complete::CompleteResult answerOf(const complete::LoopPuzzle& puzzle,
                                  const std::atomic<bool>& cancel);

}  // namespace vexilo
