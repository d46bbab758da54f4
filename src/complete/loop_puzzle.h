// The complete solver's view of a puzzle and of an answer, independent of the window's
// state: a W x H grid of clues, and an answer as the line edges of the doubled lattice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexilo::complete {

constexpr int8_t kNoClue = -1;

struct LoopPuzzle {
    int width = 0;
    int height = 0;
    std::vector<int8_t> clues;  // row by row; kNoClue or 0..3

    LoopPuzzle() = default;
    LoopPuzzle(int w, int h)
        : width(w), height(h), clues(static_cast<std::size_t>(w) * h, kNoClue) {}
    int8_t clue(int column, int row) const {
        return clues[static_cast<std::size_t>(row) * width + column];
    }
    void setClue(int column, int row, int8_t value) {
        clues[static_cast<std::size_t>(row) * width + column] = value;
    }
};

// An answer: every edge decided. Positions are the lattice's doubled coordinates, edges
// from x = 1 .. 2W + 1 and y = 1 .. 2H + 1 ((even, odd) horizontal, (odd, even) vertical).
struct LoopSolution {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> line;  // (2W + 3) x (2H + 3), 1 on a line edge

    bool isLine(int x, int y) const {
        return line[static_cast<std::size_t>(y) * (2 * width + 3) + x] != 0;
    }
    int lineCount() const;
};

}  // namespace vexilo::complete
