#include "solver/consistency.h"

#include <cstring>

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

// Down, right, up, left: the edge is one step away, the next dot two.
constexpr int kSideStep[4] = {kLatticeSide, 1, -kLatticeSide, -1};

// The dot from which a walk over edge (x, y) starts: the upper end of a vertical edge,
// the left end of a horizontal one.
int startDot(int x, int y) {
    return isVerticalEdge(x, y) ? latticeIndex(x, y - 1) : latticeIndex(x - 1, y);
}

}  // namespace

void clearScratchMarks(PuzzleState& state) {
    auto& marks = *state.scratchMarks;
    const size_t width = static_cast<size_t>(2 * state.W() + 3);
    for (int y = 0; y <= 2 * state.H() + 2; ++y) std::memset(&marks[latticeIndex(0, y)], 0, width);
}

void floodNonCrossed(PuzzleState& state, int x, int y) {
    const Board& wb = *state.workBoard;
    auto& marks = *state.scratchMarks;
    auto& stack = *state.walkStack;
    int top = 0;
    stack[0] = latticeIndex(x, y);
    while (top >= 0) {
        const int dot = stack[top--];
        for (int step : kSideStep) {
            const int edge = dot + step;
            if (marks[edge] != 0 || (wb.at(edge) & 7) == kCross) continue;
            marks[edge] = 1;
            stack[++top] = edge + step;
        }
    }
}

int linesConnected(PuzzleState& state, int x, int y) {
    clearScratchMarks(state);
    const int start = startDot(x, y);
    floodNonCrossed(state, start % kLatticeSide, start / kLatticeSide);
    const Board& wb = *state.workBoard;
    const auto& marks = *state.scratchMarks;
    const int maxX = 2 * state.W() + 1;
    for (int yy = 1; yy <= 2 * state.H() + 1; ++yy) {
        const int row = latticeIndex(0, yy);
        for (int xx = 1 + (yy % 2); xx <= maxX; xx += 2) {
            if ((wb.at(row + xx) & 7) == kLine && marks[row + xx] == 0) return 0;
        }
    }
    return 1;
}

int countPathEnds(PuzzleState& state, int x, int y, int n) {
    const Board& wb = *state.workBoard;
    auto& marks = *state.scratchMarks;
    auto& stack = *state.walkStack;
    int top = 0;
    stack[0] = latticeIndex(x, y);
    while (top >= 0) {
        const int dot = stack[top--];
        if (marks[dot] != 0) continue;
        marks[dot] = 1;
        const int count = countGroup(wb, dot % kLatticeSide, dot / kLatticeSide, 0);
        if (count == 16 || count == 17) ++n;
        for (int step : kSideStep) {
            const int edge = dot + step;
            if (marks[edge] != 0 || (wb.at(edge) & 7) != kUndecided) continue;
            marks[edge] = 1;
            stack[++top] = edge + step;
        }
    }
    return n;
}

int pathEndsPaired(PuzzleState& state) {
    clearScratchMarks(state);
    const Board& wb = *state.workBoard;
    const auto& marks = *state.scratchMarks;
    const int maxX = 2 * state.W() + 1;
    for (int y = 1; y <= 2 * state.H() + 1; ++y) {
        const int row = latticeIndex(0, y);
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {
            if ((wb.at(row + x) & 7) != kUndecided || marks[row + x] != 0) continue;
            const int start = startDot(x, y);
            if (countPathEnds(state, start % kLatticeSide, start / kLatticeSide, 0) % 2 != 0) {
                return 0;
            }
        }
    }
    return 1;
}

}  // namespace vexilo
