// The reset to the state without a puzzle (W = 0), run when the window is created and by
// the native reader once it has recognised a puzzle text.
#pragma once

namespace vexilo {

struct PuzzleState;

inline constexpr const char* kProgramCaption = "Vexilo";

// W = H = 0, no rating (-1), drawing on, no file name, a 1 x 1 colour picture, zoom 1 and
// an empty log on mainBoard; the window hides the board, shows the caption "Vexilo" and the
// step count 0, and the undo button is disabled.
void resetPuzzle(PuzzleState& state);

}  // namespace vexilo
