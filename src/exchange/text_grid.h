// Text grids as puzzle sites and data sets publish them: an optional size line "ROWS COLS",
// then one line per row, '0'-'3' for a clue and '-', '.' or a space for a blank cell,
// with or without blanks between the cells:
//
//     3 4          3 4
//     3-2.         3 - 2 .
//     .0 1         . 0 . 1
//     1.2-         1 . 2 -
//
// Without a size line the widest row gives the width; shorter rows end in blank cells.
#pragma once

#include <string_view>

#include "exchange/puzzle_clues.h"

namespace vexilo {

// Throws ExchangeError: kNotRecognised for a text without rows, kSize, kTruncated (fewer
// rows or cells than the size line says), kTooLong, kBadCharacter or kClueFour.
PuzzleClues readTextGrid(std::string_view text);

}  // namespace vexilo
