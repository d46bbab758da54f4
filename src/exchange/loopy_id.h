// Game ids of Simon Tatham's Loopy on its square grid:
//
//     10x10t0:a2a3b2a332...    10x10t0dh:...    10x10:...    7:...
//
// The parameters give the width, the height (the width again when missing), the grid type
// (0, the square grid, when missing) and the difficulty the puzzle was made at, which does
// not matter here. The description runs over the cells row by row: a digit is a clue,
// 'a'-'z' are 1 to 26 blank cells.
#pragma once

#include <string>
#include <string_view>

#include "exchange/puzzle_clues.h"

namespace vexilo {

// Reads a game id. Throws ExchangeError: kNotRecognised for a random seed ("...#12345") or
// text without parameters and ':', kOtherGridType, kSize, kTruncated, kTooLong,
// kBadCharacter or kClueFour.
PuzzleClues readLoopyId(std::string_view id);

// The game id Loopy shows for the puzzle: "WxHt0:DESC".
std::string writeLoopyId(const PuzzleClues& puzzle);

}  // namespace vexilo
