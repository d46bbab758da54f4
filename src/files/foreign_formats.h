// Converters from the four foreign puzzle formats to native text in state.fileLines. They
// take only the clues; the open command hands the lines to readNativeText afterwards.
//
// A file that is not of its format (too short, no ':' anchor, no leading 100) is rejected
// silently: nothing is added to fileLines, and the reader then reports the empty text. A
// file of the format whose size lies outside 1..500 is refused with a FormatError. Cells
// that would lie past the end of the file read as cells without a clue.
#pragma once

#include <string>

namespace vexilo {

struct PuzzleState;

// .SLZ: fileLines holds the loaded text. Width at characters 2-4 and height at 16-18 of
// line 1; lines 3 to H + 2 are body rows in the native alphabet. Rewrites line 1 into the
// native header and line 2 into "[Start]", and puts "[End]" after the body. Fewer than
// H + 2 lines leave the text as it is. Throws std::out_of_range without any line and
// std::invalid_argument when a size field is not a number (blank included).
void convertSlzLines(PuzzleState& state);

// .LPM: width and height as signed bytes at 2 and 3, the ':' anchor 5 bytes after the
// height, cells column by column from 88 bytes after the anchor (86 bytes a column, 2 a
// row), 'D' to 'G' for the clues 0 to 3. At least 2,467 bytes.
void loadLpmFile(PuzzleState& state, const std::string& path);

// .SLT: width and height at 4 and 5, the anchor 3 bytes after the height, cells from
// S + 2 bytes after the anchor with the column stride S = 4H + 6. At least 2,036 bytes.
//
// In both, a size byte 13 followed by 10 (CR LF) stands for 10 and moves everything after
// it one byte further.
void loadSltFile(PuzzleState& state, const std::string& path);

// .RING: little-endian 32-bit words; 100 at 0, H at 8, W at 12, a counted list at 24,
// three words, three counted lists, then the clue lattice of 2H + 1 rows of 2W + 1 words
// (a cell at odd row and column; its lowest byte 0 to 3 is the clue) and a second lattice
// of the same size that the file must hold too.
void loadRingFile(PuzzleState& state, const std::string& path);

}  // namespace vexilo
