// The auto-solve command's full solve and rating for a generated puzzle: the puzzle is
// read as native text, exactly as a file holding it would be, and solved by the same code.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "complete/loop_puzzle.h"
#include "model/frontend.h"

namespace vexilo {
struct PuzzleState;
}

namespace vexilo::generate {

// The native text of a puzzle with `rating` in its header (-1: not rated).
std::vector<std::string> nativeLinesOf(const complete::LoopPuzzle& puzzle, int rating);

struct PuzzleRating {
    bool solved = false;  // the full solve reached the answer
    int rating = -1;      // 0..6 when solved
    // Finer than the rating, growing with it: the trial work (trial passes times the rule
    // work after the first trial) when the solve needed trials, else the rule work alone
    // (below any trial work).
    double hardness = 0;
};

// Keeps one PuzzleState, whose fixed capacities are allocated once, for many ratings.
class PuzzleRater {
  public:
    PuzzleRater();
    ~PuzzleRater();
    PuzzleRating rate(const complete::LoopPuzzle& puzzle);

  private:
    SilentFrontend frontend_;
    std::unique_ptr<PuzzleState> state_;
};

}  // namespace vexilo::generate
