#include "solver/consistency.h"

#include <cstring>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"
#include "solver/step_components.h"

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

// The number of lines on the board, eight positions of a row at a time.
int countLines(const Board& board, int w, int h) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kEdgeBytes = 0x0080008000800080ULL;  // bytes 0, 2, 4, 6
    const int maxX = 2 * w + 1;
    int lines = 0;
    for (int y = 1; y <= 2 * h + 1; ++y) {
        const int row = latticeIndex(0, y);
        int x = 1 + (y % 2);
        for (; x + 7 <= maxX; x += 8) {
            uint64_t lattice = 0;
            std::memcpy(&lattice, &board.lattice[static_cast<size_t>(row + x)], 8);
            // High bit of each byte whose key is a line; then only the edge bytes.
            const uint64_t t = (lattice & (kOnes * 7)) ^ (kOnes * kLine);
            const uint64_t zero = ~(((t & kLow7) + kLow7) | t) & kEdgeBytes;
            lines += static_cast<int>(((zero >> 7) * 0x0001000100010001ULL) >> 48);
        }
        for (; x <= maxX; x += 2) lines += (board.at(row + x) & kKeyMask) == kLine ? 1 : 0;
    }
    return lines;
}

// The most dots a board has: one more than the cells along each side.
constexpr int kMaxDots = (kMaxCells + 1) * (kMaxCells + 1);
static_assert(2 * kMaxDots <= kWalkStackSlots);

// Writes the lattice index of every path end into `ends` and returns their number, or -1
// as soon as more than maxLines lines are met. A path end has exactly one line, so it is
// found once, from that line.
int collectPathEnds(const Board& board, int w, int h, int maxLines, int32_t* ends) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kEdgeBytes = 0x0080008000800080ULL;  // bytes 0, 2, 4, 6
    const int maxX = 2 * w + 1;
    int count = 0;
    int lines = 0;
    const auto lineAt = [&](int at, int across) {
        ++lines;
        if (isPathEnd(board, at - across)) ends[count++] = at - across;
        if (isPathEnd(board, at + across)) ends[count++] = at + across;
    };
    for (int y = 1; y <= 2 * h + 1; ++y) {
        const int row = latticeIndex(0, y);
        // A horizontal edge (odd row) joins the dots left and right of it, a vertical one
        // those above and below.
        const int across = (y % 2 != 0) ? 1 : kLatticeSide;
        int x = 1 + (y % 2);
        for (; x + 7 <= maxX; x += 8) {
            uint64_t lattice = 0;
            std::memcpy(&lattice, &board.lattice[static_cast<size_t>(row + x)], 8);
            const uint64_t t = (lattice & (kOnes * 7)) ^ (kOnes * kLine);
            if ((~(((t & kLow7) + kLow7) | t) & kEdgeBytes) == 0) continue;
            for (int i = 0; i < 8; i += 2) {
                if ((board.at(row + x + i) & 7) == kLine) lineAt(row + x + i, across);
            }
            if (lines > maxLines) return -1;
        }
        for (; x <= maxX; x += 2) {
            if ((board.at(row + x) & 7) == kLine) lineAt(row + x, across);
        }
        if (lines > maxLines) return -1;
    }
    return count;
}

// Marks for the walks: the bytes of scratchMarks, or within a solve the stamps of
// SolveScratch, which need no clearing before a walk.
struct ByteMarks {
    uint8_t* marks;
    bool visit(int i) const {
        if (marks[i] != 0) return false;
        marks[i] = 1;
        return true;
    }
};
struct StampMarks {
    SolveScratch::Stamps<kLatticeBytes>& stamps;
    bool visit(int i) const { return stamps.visit(i); }
};

// Floods from `start` (a dot) through edges that are not crosses, marking the edges and
// dots it reaches, and calls onLine() at each line: true as soon as that returns true.
// Dots are marked too, so that each is looked at once however many ways lead to it.
template <class Marks, class OnLine>
bool flood(const Board& wb, Marks marks, int32_t* stack, int start, OnLine onLine) {
    int top = 0;
    stack[0] = start;
    marks.visit(start);
    while (top >= 0) {
        const int dot = stack[top--];
        for (int step : kSideStep) {
            const int edge = dot + step;
            const int key = wb.at(edge) & kKeyMask;
            if (key == kCross || !marks.visit(edge)) continue;
            if (key == kLine && onLine()) return true;
            const int beyond = edge + step;
            if (marks.visit(beyond)) stack[++top] = beyond;
        }
    }
    return false;
}

// Walks the region of undecided edges around dot `start`, which the caller has marked,
// marking the edges and dots it reaches, and calls onDot(dot) for each of its dots: true
// as soon as that returns true. Breadth first, so that a path end near the start is met
// early.
template <class Marks, class OnDot>
bool walkRegion(const Board& wb, Marks marks, int32_t* queue, int start, OnDot onDot) {
    int head = 0;
    int tail = 0;
    queue[tail++] = start;
    while (head < tail) {
        const int dot = queue[head++];
        if (onDot(dot)) return true;
        for (int step : kSideStep) {
            const int edge = dot + step;
            if ((wb.at(edge) & kKeyMask) != kUndecided || !marks.visit(edge)) continue;
            const int beyond = edge + step;
            if (marks.visit(beyond)) queue[tail++] = beyond;
        }
    }
    return false;
}

// The regions of the given path ends, one after the other: true if each holds an even
// number of path ends. A walk that has met every end not yet counted stops there.
template <class Marks>
bool endsPaired(const Board& wb, Marks marks, const int32_t* ends, int endCount, int32_t* stack) {
    int remaining = endCount;
    for (int i = 0; i < endCount; ++i) {
        if (!marks.visit(ends[i])) continue;
        int n = 0;
        const bool metAll = walkRegion(wb, marks, stack, ends[i], [&](int dot) {
            return isPathEnd(wb, dot) && ++n == remaining;
        });
        if (metAll || n % 2 != 0) return n % 2 == 0;
        remaining -= n;
    }
    return true;
}

}  // namespace

void clearScratchMarks(PuzzleState& state) {
    auto& marks = *state.scratchMarks;
    const size_t width = static_cast<size_t>(2 * state.W() + 3);
    for (int y = 0; y <= 2 * state.H() + 2; ++y) std::memset(&marks[latticeIndex(0, y)], 0, width);
}

void floodNonCrossed(PuzzleState& state, int x, int y) {
    flood(*state.workBoard, ByteMarks{state.scratchMarks->data()}, state.walkStack->data(),
          latticeIndex(x, y), [] { return false; });
}

bool linesConnected(PuzzleState& state, int x, int y) {
    const int lines = countLines(*state.workBoard, state.W(), state.H());
    if (lines == 0) return true;
    clearScratchMarks(state);
    int met = 0;
    return flood(*state.workBoard, ByteMarks{state.scratchMarks->data()}, state.walkStack->data(),
                 startDot(x, y), [&] { return ++met == lines; });
}

int countPathEnds(PuzzleState& state, int x, int y, int n) {
    const Board& wb = *state.workBoard;
    const ByteMarks marks{state.scratchMarks->data()};
    const int start = latticeIndex(x, y);
    if (!marks.visit(start)) return n;
    walkRegion(wb, marks, state.walkStack->data(), start, [&](int dot) {
        if (isPathEnd(wb, dot)) ++n;
        return false;
    });
    return n;
}

namespace {

// Walks every region of undecided edges in turn.
bool pathEndsPairedByRegions(PuzzleState& state) {
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

}  // namespace

bool pathEndsPaired(PuzzleState& state) {
    const Board& wb = *state.workBoard;
    // Only regions that hold a path end can be odd, and every path end lies beside a line:
    // the path ends are found from the few lines, and only their regions are walked.
    int32_t* ends = state.walkStack->data();
    // With many lines nearly every region holds path ends: then all are walked in turn.
    const int endCount = collectPathEnds(wb, state.W(), state.H(), state.W() + state.H(), ends);
    if (endCount < 0) return pathEndsPairedByRegions(state);
    if (endCount == 0) return true;
    clearScratchMarks(state);
    return endsPaired(wb, ByteMarks{state.scratchMarks->data()}, ends, endCount, ends + kMaxDots);
}

void learnRestPosition(PuzzleState& state) {
    learnRestComponents(state);
    state.solveScratch->restKnown = true;
}

bool stepConsistent(PuzzleState& state, int x, int y) {
    using enum StepVerdict;
    const Board& wb = *state.workBoard;
    SolveScratch& scratch = *state.solveScratch;
    int32_t* stack = state.walkStack->data();
    // The step's entries, down to its marker.
    const MarkedStep step = markStep(state);
    const int first = step.first;
    const int lines = scratch.restLines + step.lines;
    StepVerdict connected = stepLinesConnected(state, lines, startDot(x, y));
    if (connected == kUnknown) {
        scratch.visited.next();
        int met = 0;
        connected = flood(wb, StampMarks{scratch.visited}, stack, startDot(x, y),
                          [&] { return ++met == lines; })
                        ? kHolds
                        : kFails;
    }
    if (connected == kFails) return false;
    const StepVerdict paired = stepEndsPaired(state);
    if (paired != kUnknown) return paired == kHolds;
    // A path end now was one before the step, or lies at an end of an edge it decided.
    scratch.visited.next();
    int32_t* ends = stack;
    int endCount = 0;
    const auto consider = [&](int dot) {
        if (scratch.visited.visit(dot) && isPathEnd(wb, dot)) ends[endCount++] = dot;
    };
    for (int i = 0; i < scratch.restEndCount; ++i)
        consider(scratch.restEnds[static_cast<size_t>(i)]);
    for (int slot = first; slot < wb.writePos; ++slot) {
        const int edge = latticeIndex(entryX(wb.moveLog[slot]), entryY(wb.moveLog[slot]));
        const int across = (edge % 2 != 0) ? kLatticeSide : 1;
        consider(edge - across);
        consider(edge + across);
    }
    if (endCount == 0) return true;
    scratch.visited.next();
    return endsPaired(wb, StampMarks{scratch.visited}, ends, endCount, ends + kMaxDots);
}

}  // namespace vexilo
