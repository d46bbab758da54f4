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
#include <optional>
#include <string>
#include <vector>

#include "model/difficulty.h"

namespace vexilo {

struct PuzzleState;

inline constexpr const char* kNativeHeaderWord = "[Vexilo data]";
inline constexpr const char* kStartMarker = "[Start]";
inline constexpr const char* kEndMarker = "[End]";

// A number of the header line: `count` characters from 1-based `column`, as `name` in
// messages.
struct HeaderField {
    int column;
    int count;
    const char* name;
};

// The header is the header word, a blank and the fields width, height and rating, written
// as "%3d x %3d %d"; the rating field is read as four characters.
inline constexpr HeaderField kWidthField{15, 3, "width"};
inline constexpr HeaderField kHeightField{21, 3, "height"};
inline constexpr HeaderField kRatingField{25, 4, "rating"};
static_assert(kWidthField.column == std::char_traits<char>::length(kNativeHeaderWord) + 2);

// The header line of a puzzle: "[Vexilo data] %3d x %3d %d".
std::string formatNativeHeader(int width, int height, int rating);

// The cell code of a row character, and the row character of a cell code (codes outside
// the alphabet give '-').
uint8_t cellCodeOf(char c);
char cellCharacterOf(uint8_t code);

// Cuts the field's characters from `line` (fewer when the line is shorter), trims blanks
// and converts them as a decimal integer with an optional sign. A blank field gives
// `blankValue`. Throws std::invalid_argument naming the field when the text is not a
// number.
int headerField(const std::string& line, const HeaderField& field, int blankValue);

// The same for a field that must hold a number, at `count` characters from 1-based
// `column`: a blank field throws too.
int requiredHeaderField(const std::string& line, int column, int count, const char* field);

// A puzzle as native text gives it.
struct NativePuzzle {
    int width = 0;
    int height = 0;
    Difficulty difficulty;
    std::vector<uint8_t> cells;  // width x height cell codes, row by row

    uint8_t cell(int row, int column) const {
        return cells[static_cast<size_t>(row) * static_cast<size_t>(width) +
                     static_cast<size_t>(column)];
    }
};

// Whether the lines are native text: the first line starts with "[Vexilo data]" and the
// second is "[Start]". Throws std::out_of_range when there is no line at all, or only a
// header line.
bool isNativeText(const std::vector<std::string>& lines);

// Reads native text, changing nothing else: nothing when !isNativeText(lines) (which throws
// as it does). The header's width is a minimum, the rows up to "[End]" give the height (the
// header's height is only checked to be a number) and a longer row widens the puzzle; rows
// and row characters past 500 are ignored. A blank rating reads as
// Difficulty::kUnsolvable, one outside -1..6 as not rated.
//
// Throws std::out_of_range when the lines end without "[End]", std::invalid_argument when a
// header number is not a number, FormatError when the header's width is outside 0..500 or
// the puzzle has no cells (no rows, or a width of 0 with empty rows). Every error is
// Explained (files/error_text.h).
std::optional<NativePuzzle> parseNativeText(const std::vector<std::string>& lines);

// The native text of a puzzle: the header with its size and rating (Difficulty::stored),
// "[Start]", one row of cell characters per row, "[End]".
std::vector<std::string> formatNativeText(const NativePuzzle& puzzle);

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
