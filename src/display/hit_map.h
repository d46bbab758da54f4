// The hit map: which edge a click on the board view selects. The square between four dots
// is split by its two diagonals into four triangles, one for each side; the diagonals
// themselves and the central 3 x 3 block select nothing.
#pragma once

#include <optional>

namespace vexilo {

struct LatticePoint {
    int x;
    int y;
    bool operator==(const LatticePoint&) const = default;
};

// The side of the square that offset (sx, sy) from the square's top-left dot selects, as
// the offset from that dot: (1, 0) top, (0, 1) left, (2, 1) right, (1, 2) bottom; none on
// a dead spot. sx and sy are 0..7.
std::optional<LatticePoint> hitMapSide(int sx, int sy);

// The edge of a width x height board under pixel (viewX, viewY) of a view scrolled to
// (scrollX, scrollY) at `zoom`; none on a dead spot or outside the grid.
std::optional<LatticePoint> edgeAtViewPixel(int viewX, int viewY, int scrollX, int scrollY,
                                            int zoom, int width, int height);

}  // namespace vexilo
