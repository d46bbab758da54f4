#include "generate/loop_drawing.h"

#include <algorithm>

namespace vexilo::generate {

namespace {

// The eight neighbours in order around a cell, each next to the one before it.
constexpr int kRingX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kRingY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// Whether an outside cell can join the region with the loop staying one simple loop: it
// touches the region by a side, its neighbours inside form one unbroken run around it (so
// the region gains no hole and the outside stays in one piece), and no corner gets two
// inside cells that meet only there.
bool canJoin(const LoopRegion& region, int column, int row) {
    bool ring[8];
    for (int k = 0; k < 8; ++k) ring[k] = region.isInside(column + kRingX[k], row + kRingY[k]);
    if (!ring[0] && !ring[2] && !ring[4] && !ring[6]) return false;
    for (int k = 1; k < 8; k += 2) {
        if (ring[k] && !ring[k - 1] && !ring[(k + 1) % 8]) return false;
    }
    int runs = 0;
    for (int k = 0; k < 8; ++k) runs += ring[k] && !ring[(k + 7) % 8];
    return runs == 1;
}

int sidesInside(const LoopRegion& region, int column, int row) {
    return region.isInside(column, row - 1) + region.isInside(column, row + 1) +
           region.isInside(column - 1, row) + region.isInside(column + 1, row);
}

}  // namespace

int LoopRegion::loopSides(int column, int row) const {
    const bool in = isInside(column, row);
    return (in != isInside(column, row - 1)) + (in != isInside(column, row + 1)) +
           (in != isInside(column - 1, row)) + (in != isInside(column + 1, row));
}

LoopRegion drawLoopRegion(int width, int height, RandomSource& random) {
    LoopRegion region;
    region.width = width;
    region.height = height;
    const int cells = width * height;
    region.inside.assign(static_cast<size_t>(cells), 0);

    // The style of this loop: the share of the board it covers, and how many candidates
    // compete for each step, the one with the fewest (branching) or, now and then, the most
    // (compact) inside neighbours winning. Branching regions wind through the whole board
    // and leave few cells far from the loop (a 0 clue); compact ones make broad shapes.
    const double share = 0.45 + 0.25 * random.unit();
    const int target = std::max(std::min(cells, 4), static_cast<int>(share * cells));
    const int contestants = 2 + static_cast<int>(random.below(3));
    const bool compact = random.below(4) == 0;

    std::vector<int> frontier;
    std::vector<uint8_t> onFrontier(static_cast<size_t>(cells), 0);
    auto offer = [&](int column, int row) {
        if (column < 0 || row < 0 || column >= width || row >= height) return;
        const int cell = row * width + column;
        if (region.inside[cell] || onFrontier[cell]) return;
        if (sidesInside(region, column, row) == 0) return;
        onFrontier[cell] = 1;
        frontier.push_back(cell);
    };
    auto join = [&](int cell) {
        region.inside[cell] = 1;
        const int column = cell % width;
        const int row = cell / width;
        for (int k = 0; k < 8; ++k) offer(column + kRingX[k], row + kRingY[k]);
    };

    join(static_cast<int>(random.below(static_cast<uint64_t>(cells))));
    for (int size = 1; size < target && !frontier.empty();) {
        int best = -1;
        int bestScore = 0;
        for (int t = 0; t < contestants && !frontier.empty(); ++t) {
            const size_t index = random.below(frontier.size());
            const int cell = frontier[index];
            if (!canJoin(region, cell % width, cell / width)) {
                // Dropped until a neighbour joins and offers it again.
                onFrontier[cell] = 0;
                frontier[index] = frontier.back();
                frontier.pop_back();
                continue;
            }
            const int inside = sidesInside(region, cell % width, cell / width);
            const int score = compact ? inside : -inside;
            if (best < 0 || score > bestScore) {
                best = cell;
                bestScore = score;
            }
        }
        if (best < 0) continue;
        const auto at = std::find(frontier.begin(), frontier.end(), best);
        *at = frontier.back();
        frontier.pop_back();
        onFrontier[best] = 0;
        join(best);
        ++size;
    }
    return region;
}

}  // namespace vexilo::generate
