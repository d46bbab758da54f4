// puzz.link links (the pzprjs URL format) of slitherlink puzzles:
//
//     https://puzz.link/p?slither/W/H/BODY
//
// Any host and path may stand before the '?' (pzv.jp/p.html?, pzprxs.vercel.app/p?), and
// an optional variant field may stand before the width. The body runs over the cells row
// by row: '0'-'4' a clue; '5'-'9' a clue and one blank cell; 'a'-'e' a clue and two blank
// cells; 'g'-'z' 1 to 20 blank cells; '.' a cell whose clue is not given.
#pragma once

#include <string>
#include <string_view>

#include "exchange/puzzle_clues.h"

namespace vexilo {

// Reads a link. Cells marked '.' become cells without a clue; `unknownClues` counts them.
// Throws ExchangeError: kNotRecognised without a '?' or genre, kOtherGenre for a link to
// another kind of puzzle, kSize, kTruncated (size or cells missing), kTooLong, kBadCharacter
// or kClueFour.
PuzzleClues readPuzzLink(std::string_view link, int& unknownClues);

// The link pzprjs gives for the puzzle, on puzz.link.
std::string writePuzzLink(const PuzzleClues& puzzle);

}  // namespace vexilo
