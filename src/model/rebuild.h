// Building a lattice from the clues, and rebuilding a Board from the clues and a log.
//
// The rebuild replays the log's live entries and, as it applies them, works out which
// cells lie inside and which outside the loop: a cross joins the two cells it separates
// into one side, a line puts them on opposite sides, and every new mark spreads by a
// depth-first fill through crosses and lines, starting from the outside ring. Where the
// drawn lines are inconsistent, the order of the fill decides which mark a cell gets.
#pragma once

#include <cstdint>

namespace vexilo {

struct Board;
struct PuzzleState;

// Builds board's lattice from state.clueGrid, W and H: the outside ring, undecided edges
// and dots, and the clue byte of every cell. Draws the non-empty cells of mainBoard when
// drawing is on and `draw` is set.
void initLatticeFromClues(PuzzleState& state, Board& board, bool draw = false);

// Rebuilds target's lattice from the clues and source's log, colouring inside and outside
// and setting the dot keys; draws and repaints while state.drawEnabled is above 0.
void rebuildBoard(PuzzleState& state, Board& target, const Board& source);

// Colours of the pictures (0x00BBGGRR).
namespace colour {
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kFrameGreen = 0x99FF99;
constexpr uint32_t kGrey = 0xC0C0C0;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kNearWhite = 0xF8F8F8;
constexpr uint32_t kOrange = 0x66BBFF;
constexpr uint32_t kGreen = 0x33FF33;
constexpr uint32_t kLightOrange = 0x99CCFF;
}  // namespace colour

}  // namespace vexilo
