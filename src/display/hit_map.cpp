#include "display/hit_map.h"

namespace vexilo {

namespace {

// Rows sy, columns sx. T top, L left, R right, B bottom, '.' dead.
constexpr const char* kHitMap[8] = {
    ".TTTTTTT",  //
    "L.TTTTT.",  //
    "LL.TTT.R",  //
    "LLL...RR",  //
    "LLL...RR",  //
    "LLL...RR",  //
    "LL.BBB.R",  //
    "L.BBBBB.",  //
};

}  // namespace

std::optional<LatticePoint> hitMapSide(int sx, int sy) {
    switch (kHitMap[sy][sx]) {
        case 'T':
            return LatticePoint{1, 0};
        case 'L':
            return LatticePoint{0, 1};
        case 'R':
            return LatticePoint{2, 1};
        case 'B':
            return LatticePoint{1, 2};
        default:
            return std::nullopt;
    }
}

std::optional<LatticePoint> edgeAtViewPixel(int viewX, int viewY, int scrollX, int scrollY,
                                            int zoom, int width, int height) {
    // The point at scale 1, shifted so that every dot lies on a multiple of 8. The division
    // truncates toward zero, the shift below is arithmetic.
    const int px = (viewX + scrollX) / zoom + 4;
    const int py = (viewY + scrollY) / zoom + 4;
    const auto side = hitMapSide(px & 7, py & 7);
    if (!side) return std::nullopt;
    const int x = 2 * (px >> 3) - 1 + side->x;
    const int y = 2 * (py >> 3) - 1 + side->y;
    if (x < 1 || y < 1 || x > 2 * width + 1 || y > 2 * height + 1) return std::nullopt;
    return LatticePoint{x, y};
}

}  // namespace vexilo
