// Every answer of a puzzle of up to 4 x 4 cells, by brute force: a single loop is the
// border of a set of cells that is connected, has no hole and no two cells that meet only
// at a corner (the loop would pass that corner twice). Enumerating the 2^(W*H) cell sets
// is the naive solver the fuzz target checks the real one against.
#pragma once

#include <cstdint>
#include <vector>

namespace vexilo::fuzz {

inline constexpr int kSmallSide = 4;

struct SmallAnswer {
    uint32_t inside = 0;                           // bit r * W + c: the cell lies inside the loop
    int cells = 0;                                 // how many cells the loop goes around
    uint8_t around[kSmallSide * kSmallSide] = {};  // loop edges around each cell
};

// The loops of a W x H board (1..4 each), whatever the clues.
const std::vector<SmallAnswer>& loopsOf(int width, int height);

// The one answer of a puzzle whose cell i holds clues[i] (0-3, anything else no clue),
// or nothing when it has none or several.
const SmallAnswer* uniqueAnswer(int width, int height, const uint8_t* clues);

// Whether the lattice edge (x, y) is a loop edge.
bool isLoopEdge(const SmallAnswer& answer, int width, int height, int x, int y);

}  // namespace vexilo::fuzz
