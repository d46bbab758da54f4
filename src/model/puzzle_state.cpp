#include "model/puzzle_state.h"

#include "model/move_log.h"

namespace vexilo {

PuzzleState::PuzzleState(Frontend& fe)
    : frontend(fe),
      clueGrid(allocateZeroed<ClueGrid>()),
      mainBoard(allocateZeroed<Board>()),
      workBoard(allocateZeroed<Board>()),
      scratchMarks(allocateZeroed<std::array<uint8_t, kLatticeBytes>>()),
      replayList(allocateZeroed<std::array<int32_t, kLogSlots>>()),
      floodStack(allocateZeroed<std::array<FloodFrame, kFloodDepth>>()),
      walkStack(allocateZeroed<std::array<int32_t, kWalkStackSlots>>()),
      solveScratch(new SolveScratch) {
    colourBitmap.resize(1, 1);
    resetMoveLog(*mainBoard);
    resetMoveLog(*workBoard);
}

}  // namespace vexilo
