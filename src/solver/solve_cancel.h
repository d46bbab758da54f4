// Cancelling a running solve. The solve polls the state's cancel request at safe points
// (each pass of the level loops, each hypothesis of the trial search) and unwinds with
// SolveCancelled; workBoard, mainBoard's lattice and the rating state are then half
// done, and the command that started the solve puts them back (solve_backup.h).
#pragma once

#include <atomic>

#include "model/puzzle_state.h"

namespace vexilo {

struct SolveCancelled {};

inline void stopIfCancelled(const PuzzleState& state) {
    if (state.cancelRequest.load(std::memory_order_relaxed)) throw SolveCancelled{};
}

}  // namespace vexilo
