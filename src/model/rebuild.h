// Building a lattice from the clues, and rebuilding a Board from the clues and a log.
//
// The rebuild replays the log's live entries and, as it applies them, works out which
// cells lie inside and which outside the loop: a cross joins the two cells it separates
// into one side, a line puts them on opposite sides, and every new mark spreads by a
// depth-first fill through crosses and lines, starting from the outside ring. Where the
// drawn lines are inconsistent, the order of the fill decides which mark a cell gets.
#pragma once

#include <cstdint>
#include <vector>

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

// Carries a rebuild on: target holds what rebuildBoard(target, source) would have made of
// source's log up to slot `from` (initLatticeFromClues for from = 1), and gets the entries of
// the slots from `from` up to source.writePos applied in order, drawing nothing and leaving
// the dots as they are. Appends every cell it marks inside or outside to `marked`. When
// every entry is a first decision of an edge, target's edges and cells are then what
// rebuildBoard would make of the whole log; otherwise the result is false and target is
// half done.
[[nodiscard]] bool carryOnRebuild(PuzzleState& state, Board& target, const Board& source, int from,
                                  std::vector<int32_t>& marked);

// What initLatticeFromClues and then carryOnRebuild from slot 1 make of target, and the
// same result, without noting the marked cells; faster where the marks agree everywhere.
[[nodiscard]] bool rebuildColours(PuzzleState& state, Board& target, const Board& source);

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
