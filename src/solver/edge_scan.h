#pragma once

#include <algorithm>
#include <cstdint>

#include "model/board.h"
#include "model/lattice.h"

namespace vexilo {

// The first edge of a w x h board, row by row from lattice index `from` on, whose byte
// `wanted` accepts: `from` moves on to it (true), or past the last edge (false). The rows of
// dots hold the horizontal edges at even x, the rows of cells the vertical ones at odd x.
template <typename Wanted>
bool findEdgeFrom(const Board& board, int w, int h, int& from, Wanted wanted) {
    const int maxX = 2 * w + 1;
    const int maxY = 2 * h + 1;
    const int y0 = std::max(from / kLatticeSide, 1);
    const int x0 = from % kLatticeSide;
    for (int y = y0; y <= maxY; ++y) {
        const uint8_t* row = &board.lattice[static_cast<size_t>(latticeIndex(0, y))];
        int x = 1 + (y % 2);
        if (y == y0 && x0 > x) x = x0 + ((x0 - x) % 2);
        const int last = y % 2 == 0 ? maxX : maxX - 1;
        for (; x <= last; x += 2) {
            if (wanted(row[x])) {
                from = latticeIndex(x, y);
                return true;
            }
        }
    }
    from = latticeIndex(0, maxY + 1);
    return false;
}

}  // namespace vexilo
