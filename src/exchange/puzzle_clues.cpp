#include "exchange/puzzle_clues.h"

#include "files/native_file.h"
#include "model/puzzle_state.h"

namespace vexilo {

void checkPuzzleSize(int width, int height) {
    if (width < 1 || width > kMaxCells || height < 1 || height > kMaxCells) {
        throw ExchangeError(ExchangeProblem::kSize, "the size " + std::to_string(width) + " x " +
                                                        std::to_string(height) + " is outside 1.." +
                                                        std::to_string(kMaxCells));
    }
}

PuzzleClues cluesOf(const PuzzleState& state) {
    PuzzleClues puzzle(state.W(), state.H());
    for (int r = 0; r < state.H(); ++r) {
        for (int c = 0; c < state.W(); ++c) {
            const int key = (*state.clueGrid)[r][c] & kKeyMask;
            if (key == kClueZero) puzzle.at(r, c) = 0;
            if (key >= 1 && key <= 3) puzzle.at(r, c) = static_cast<int8_t>(key);
        }
    }
    return puzzle;
}

std::vector<std::string> nativeLinesOf(const PuzzleClues& puzzle) {
    NativePuzzle native;
    native.width = puzzle.width;
    native.height = puzzle.height;
    native.difficulty = Difficulty{Difficulty::kUnrated};
    native.cells.reserve(puzzle.clues.size());
    for (const int8_t clue : puzzle.clues) {
        native.cells.push_back(clue == kNoClue ? 0
                               : clue == 0     ? kClueZero
                                               : static_cast<uint8_t>(clue));
    }
    return formatNativeText(native);
}

}  // namespace vexilo
