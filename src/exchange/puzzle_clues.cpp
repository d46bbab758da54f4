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
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(puzzle.height) + 3);
    lines.push_back(formatNativeHeader(puzzle.width, puzzle.height, -1));
    lines.emplace_back(kStartMarker);
    for (int r = 0; r < puzzle.height; ++r) {
        std::string row(static_cast<size_t>(puzzle.width), '-');
        for (int c = 0; c < puzzle.width; ++c) {
            const int clue = puzzle.at(r, c);
            if (clue != kNoClue) row[c] = static_cast<char>('0' + clue);
        }
        lines.push_back(std::move(row));
    }
    lines.emplace_back(kEndMarker);
    return lines;
}

}  // namespace vexilo
