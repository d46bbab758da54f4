// A random loop for a new puzzle: the outline of a random region of cells that is
// connected, has no holes and never touches itself at a corner only, so its border is one
// closed loop. The region grows cell by cell from a random start; how compact or branching
// it grows and how much of the board it covers vary from loop to loop, so that puzzles do
// not all look alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "generate/random_source.h"

namespace vexilo::generate {

struct LoopRegion {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> inside;  // row by row, 1 for a cell inside the loop

    bool isInside(int column, int row) const {
        return column >= 0 && row >= 0 && column < width && row < height &&
               inside[static_cast<std::size_t>(row) * width + column] != 0;
    }
    // How many of the cell's four sides the loop runs along (0..4).
    int loopSides(int column, int row) const;
};

LoopRegion drawLoopRegion(int width, int height, RandomSource& random);

}  // namespace vexilo::generate
