// A puzzle as the sharing formats see it: a width, a height and one clue (or none) per
// cell, row by row. The readers of links, game ids and text grids produce it, the writers
// take it; nativeLinesOf turns it into the native text that the open command reads.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexilo {

struct PuzzleState;

constexpr int8_t kNoClue = -1;

struct PuzzleClues {
    int width = 0;
    int height = 0;
    std::vector<int8_t> clues;  // width * height entries, row by row: kNoClue or 0..3

    PuzzleClues() = default;
    PuzzleClues(int w, int h) : width(w), height(h), clues(static_cast<size_t>(w) * h, kNoClue) {}

    int8_t& at(int row, int column) { return clues[static_cast<size_t>(row) * width + column]; }
    int8_t at(int row, int column) const {
        return clues[static_cast<size_t>(row) * width + column];
    }
    bool operator==(const PuzzleClues&) const = default;
};

// What is wrong with a text that was to be read as a puzzle. The window shows each kind in
// its own words; the message (what()) says in detail what was found, for the command line.
enum class ExchangeProblem {
    kNotRecognised,  // neither a link, a game id, a text grid nor native text
    kOtherGenre,     // a link to another kind of puzzle
    kOtherGridType,  // a game id of a grid that is not made of squares
    kSize,           // a width or height outside 1..500
    kTruncated,      // the data ends before the last cell
    kTooLong,        // data left over after the last cell
    kBadCharacter,   // a character the format does not have
    kClueFour,       // a clue 4, which a loop cannot take around one cell of a larger grid
};

class ExchangeError : public std::runtime_error {
  public:
    ExchangeError(ExchangeProblem problem, const std::string& message)
        : std::runtime_error(message), problem_(problem) {}
    ExchangeProblem problem() const { return problem_; }

  private:
    ExchangeProblem problem_;
};

// Throws kSize unless both sides lie in 1..500.
void checkPuzzleSize(int width, int height);

// The clues of the puzzle loaded in the state (its inside/outside marks are not clues).
PuzzleClues cluesOf(const PuzzleState& state);

// Native text for the clues: the header with the size and the rating -1 (not rated),
// "[Start]", one row of '-' and '0'..'3' per puzzle row, "[End]".
std::vector<std::string> nativeLinesOf(const PuzzleClues& puzzle);

}  // namespace vexilo
