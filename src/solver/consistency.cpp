#include "solver/consistency.h"

#include <cstring>

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

// The walks leave a dot down, right, up, left: the edge is one step away, the next dot two.
constexpr int kSideStep[4] = {latticeStep(Direction::kDown), latticeStep(Direction::kRight),
                              latticeStep(Direction::kUp), latticeStep(Direction::kLeft)};

// The dot from which a walk over edge (x, y) starts: the upper end of a vertical edge,
// the left end of a horizontal one.
int startDot(int x, int y) {
    return isVerticalEdge(x, y) ? latticeIndex(x, y - 1) : latticeIndex(x - 1, y);
}

// The first unmarked edge of row y, from edge x on, whose key (byte & 7) is `key`, or -1.
// Eight positions at a time: a word is skipped when none of its edge bytes (every second
// byte from an edge on) has that key without a mark.
int nextUnmarkedEdge(const Board& board, const uint8_t* marks, int x, int y, int maxX,
                     uint8_t key) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr uint64_t kBetweenEdges = 0xFF00FF00FF00FF00ULL;  // bytes 1, 3, 5, 7
    const uint64_t keyBytes = kOnes * key;
    const int row = latticeIndex(0, y);
    for (; x + 7 <= maxX; x += 8) {
        uint64_t lattice = 0;
        uint64_t marked = 0;
        std::memcpy(&lattice, &board.lattice[static_cast<size_t>(row + x)], 8);
        std::memcpy(&marked, marks + row + x, 8);
        // A zero byte where the key matches, the mark is 0 and the byte is an edge.
        const uint64_t w = ((lattice & (kOnes * 7)) ^ keyBytes) | marked | kBetweenEdges;
        if (((w - kOnes) & ~w & kHighBits) == 0) continue;
        for (int i = 0; i < 8; i += 2) {
            if ((board.at(row + x + i) & 7) == key && marks[row + x + i] == 0) return x + i;
        }
    }
    for (; x <= maxX; x += 2) {
        if ((board.at(row + x) & 7) == key && marks[row + x] == 0) return x;
    }
    return -1;
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
    // Dots are marked too, so that each is looked at once however many ways lead to it.
    int top = 0;
    stack[0] = latticeIndex(x, y);
    marks[stack[0]] = 1;
    while (top >= 0) {
        const int dot = stack[top--];
        for (int step : kSideStep) {
            const int edge = dot + step;
            if (marks[edge] != 0 || (wb.at(edge) & 7) == kCross) continue;
            marks[edge] = 1;
            const int beyond = edge + step;
            if (marks[beyond] != 0) continue;
            marks[beyond] = 1;
            stack[++top] = beyond;
        }
    }
}

bool linesConnected(PuzzleState& state, int x, int y) {
    clearScratchMarks(state);
    const int start = startDot(x, y);
    floodNonCrossed(state, start % kLatticeSide, start / kLatticeSide);
    const uint8_t* marks = state.scratchMarks->data();
    const int maxX = 2 * state.W() + 1;
    for (int yy = 1; yy <= 2 * state.H() + 1; ++yy) {
        if (nextUnmarkedEdge(*state.workBoard, marks, 1 + (yy % 2), yy, maxX, kLine) >= 0) {
            return false;
        }
    }
    return true;
}

int countPathEnds(PuzzleState& state, int x, int y, int n) {
    const Board& wb = *state.workBoard;
    auto& marks = *state.scratchMarks;
    auto& stack = *state.walkStack;
    const int start = latticeIndex(x, y);
    if (marks[start] != 0) return n;
    marks[start] = 1;
    int top = 0;
    stack[0] = start;
    while (top >= 0) {
        const int dot = stack[top--];
        int count = 0;  // the dot's group count: crosses + 16 lines
        for (int step : kSideStep) count = tallyPosition(wb, count, dot + step);
        if (count == tally(0, 1) || count == tally(1, 1)) ++n;
        for (int step : kSideStep) {
            const int edge = dot + step;
            if (marks[edge] != 0 || (wb.at(edge) & 7) != kUndecided) continue;
            marks[edge] = 1;
            const int beyond = edge + step;
            if (marks[beyond] != 0) continue;
            marks[beyond] = 1;
            stack[++top] = beyond;
        }
    }
    return n;
}

bool pathEndsPaired(PuzzleState& state) {
    clearScratchMarks(state);
    const uint8_t* marks = state.scratchMarks->data();
    const int maxX = 2 * state.W() + 1;
    for (int y = 1; y <= 2 * state.H() + 1; ++y) {
        for (int x = nextUnmarkedEdge(*state.workBoard, marks, 1 + (y % 2), y, maxX, kUndecided);
             x >= 0; x = nextUnmarkedEdge(*state.workBoard, marks, x + 2, y, maxX, kUndecided)) {
            const int start = startDot(x, y);
            if (countPathEnds(state, start % kLatticeSide, start / kLatticeSide, 0) % 2 != 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace vexilo
