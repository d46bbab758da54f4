#include "complete/loop_pictures.h"

#include "model/lattice.h"
#include "model/puzzle_state.h"

namespace vexilo::complete {

LoopPuzzle loopPuzzleOf(const PuzzleState& state) {
    LoopPuzzle puzzle(state.W(), state.H());
    for (int r = 0; r < state.H(); ++r) {
        for (int c = 0; c < state.W(); ++c) {
            const int code = (*state.clueGrid)[r][c];
            if (code >= 1 && code <= 3) puzzle.setClue(c, r, static_cast<int8_t>(code));
            if (code == kClueZero) puzzle.setClue(c, r, 0);
        }
    }
    return puzzle;
}

std::vector<std::string> solutionPicture(const LoopPuzzle& puzzle, const LoopSolution& solution) {
    std::vector<std::string> lines;
    for (int y = 1; y <= 2 * puzzle.height + 1; ++y) {
        std::string line;
        for (int x = 1; x <= 2 * puzzle.width + 1; ++x) {
            if (isDot(x, y)) {
                line += '+';
            } else if (isCell(x, y)) {
                const int clue = puzzle.clue(x / 2 - 1, y / 2 - 1);
                line += clue >= 0 ? static_cast<char>('0' + clue) : ' ';
            } else if (solution.isLine(x, y)) {
                line += isVerticalEdge(x, y) ? '|' : '-';
            } else {
                line += 'x';
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

LatticePoint firstDifference(const LoopSolution& a, const LoopSolution& b) {
    for (int y = 1; y <= 2 * a.height + 1; ++y) {
        for (int x = 1; x <= 2 * a.width + 1; ++x) {
            if (isEdge(x, y) && a.isLine(x, y) != b.isLine(x, y)) return {x, y};
        }
    }
    return {};
}

}  // namespace vexilo::complete
