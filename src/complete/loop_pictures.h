// The complete solver's puzzles from the window's state, and its answers as lattice
// pictures and as positions to point at.
#pragma once

#include <string>
#include <vector>

#include "complete/loop_puzzle.h"

namespace vexilo {
struct PuzzleState;
}

namespace vexilo::complete {

// The loaded puzzle's clues.
LoopPuzzle loopPuzzleOf(const PuzzleState& state);

// The answer as a lattice picture with every edge decided: 2H + 1 lines of 2W + 1
// characters, '+' dots, '-' and '|' lines, 'x' crosses, clue digits.
std::vector<std::string> solutionPicture(const LoopPuzzle& puzzle, const LoopSolution& solution);

struct LatticePoint {
    int x = 0;
    int y = 0;
};

// The first edge, row by row from the top and left to right, that is a line in one answer
// and not in the other; {0, 0} when they agree.
LatticePoint firstDifference(const LoopSolution& a, const LoopSolution& b);

}  // namespace vexilo::complete
