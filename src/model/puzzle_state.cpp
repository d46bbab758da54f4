#include "model/puzzle_state.h"

#include "model/move_log.h"

namespace vexilo {

PuzzleState::PuzzleState(Frontend& fe)
    : frontend(fe),
      clueGrid(std::make_unique<ClueGrid>()),
      mainBoard(std::make_unique<Board>()),
      workBoard(std::make_unique<Board>()),
      scratchMarks(std::make_unique<std::array<uint8_t, kLatticeBytes>>()),
      replayList(std::make_unique<std::array<int32_t, kLogSlots>>()),
      floodStack(std::make_unique<std::array<FloodFrame, kFloodDepth>>()),
      walkStack(std::make_unique<std::array<int32_t, kWalkStackSlots>>()),
      solveScratch(std::make_unique<SolveScratch>()) {
    colourBitmap.resize(1, 1);
    resetMoveLog(*mainBoard);
    resetMoveLog(*workBoard);
}

}  // namespace vexilo
