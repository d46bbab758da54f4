// The native puzzle text (.ALC): a header with size and rating, "[Start]", one row of cell
// characters per puzzle row, "[End]".
//
//     [Vexilo data]   4 x   3 2
//     [Start]
//     3-2-
//     -0-B
//     1#2a
//     [End]
//
// A cell character gives the clue and an optional inside/outside mark: '-' '0' '1' '2' '3'
// plain, '+' 'A' 'B' 'C' 'D' inside, '#' 'a' 'b' 'c' 'd' outside (the letters are 'A' plus
// the clue, clue 0 included). Any other character reads as an empty cell.
#pragma once

#include <cstdint>
#include <string>

namespace vexilo {

struct PuzzleState;

inline constexpr const char* kNativeHeaderWord = "[Vexilo data]";
inline constexpr const char* kStartMarker = "[Start]";
inline constexpr const char* kEndMarker = "[End]";

// "[Vexilo data] %3d x %3d %d".
std::string formatNativeHeader(int width, int height, int rating);

// The cell code of a row character, and the row character of a cell code (codes outside
// the alphabet give '-').
uint8_t cellCodeOf(char c);
char cellCharacterOf(uint8_t code);

// Cuts `count` characters from 1-based `column` of `line` (fewer when the line is shorter),
// trims blanks and converts them as a decimal integer with an optional sign. A blank field
// gives `blankValue`. Throws std::invalid_argument naming `field` when the text is not a
// number.
int headerField(const std::string& line, int column, int count, int blankValue, const char* field);

// The same for a field that must hold a number: a blank field throws too.
int requiredHeaderField(const std::string& line, int column, int count, const char* field);

// Parses state.fileLines as native text. Returns false, changing nothing, when the first
// line does not start with "[Vexilo data]" or the second is not "[Start]". Otherwise resets
// the puzzle, reads size, rating and cells, sizes the pictures, fits the zoom, rebuilds
// mainBoard, takes `path` as fileName, sets the caption and returns true.
//
// Throws std::out_of_range when the lines run out (no lines at all, a lone header, no
// "[End]" line), std::invalid_argument when a header number is not a number, FormatError
// when the header's width is outside 0..500 or the puzzle has no cells (no rows, or a width
// of 0 with empty rows). An error after the text was recognised leaves
// the state reset, without a puzzle.
bool readNativeText(PuzzleState& state, const std::string& path);

// What writeNativeFile does with a native file already at fileName: replace it with the
// puzzle (a save), or change only the rating in its header and keep every other byte (the
// write-back of a rating into the file the puzzle came from).
enum class ExistingFile { kReplace, kKeepOtherBytes };

// Writes the puzzle into fileName when W is not 0, fileName ends in ".ALC" (in any case)
// and the rating is pending (Difficulty::isPending); the rating then counts as written.
// Returns whether it wrote. Throws FileError when the file cannot be
// read (kKeepOtherBytes) or written (see writeFileCarefully).
bool writeNativeFile(PuzzleState& state, ExistingFile existing = ExistingFile::kReplace);

}  // namespace vexilo
