// Deciding edges of workBoard: every decision is written into the lattice, logged in the
// move log (so it can be retracted or transferred) and queued on the work queue (so the
// rule passes examine its neighbourhood again).
//
// Edge groups address two or four edges around a cell or dot at (x, y). Corners are
// numbered 1 top-left, 2 bottom-left, 3 bottom-right, 4 top-right. Group 0 is all four
// sides; group c (1..4) the cell's two sides at corner c; group c + 4 the two edges of
// that corner dot that are not sides of the cell (its outer pair). A group count is
// crosses + 16 * lines over the group.
#pragma once

#include <array>
#include <cstdint>

#include "model/board.h"
#include "model/puzzle_state.h"

namespace vexilo {

// What a rule or a rule pass found: an impossible position, new decisions, or nothing new.
// The numbers are those of the solver's counters and tests; never compare against them.
enum class [[nodiscard]] RuleResult : int{kContradiction = 0, kProgress = 1, kUnchanged = 2};

inline constexpr const char* kQueueFullMessage = "next 記憶領域がいっぱいです。";

// Offsets (dx, dy) of the positions of each edge group, in the order they are visited.
struct GroupOffsets {
    int count;
    int dx[4];
    int dy[4];
};
inline constexpr GroupOffsets kEdgeGroups[9] = {
    {4, {0, 0, -1, 1}, {-1, 1, 0, 0}},  // all four sides: top, bottom, left, right
    {2, {0, -1}, {-1, 0}},              // top-left pair
    {2, {0, -1}, {1, 0}},               // bottom-left pair
    {2, {0, 1}, {1, 0}},                // bottom-right pair
    {2, {0, 1}, {-1, 0}},               // top-right pair
    {2, {-1, -2}, {-2, -1}},            // outer pair of the top-left dot
    {2, {-1, -2}, {2, 1}},              // outer pair of the bottom-left dot
    {2, {1, 2}, {2, 1}},                // outer pair of the bottom-right dot
    {2, {1, 2}, {-2, -1}},              // outer pair of the top-right dot
};

// The same positions as lattice index offsets, for a board addressed by index.
inline constexpr auto kEdgeGroupIndex = [] {
    std::array<std::array<int, 4>, 9> index{};
    for (int g = 0; g < 9; ++g) {
        for (int i = 0; i < kEdgeGroups[g].count; ++i) {
            index[g][i] = latticeIndex(kEdgeGroups[g].dx[i], kEdgeGroups[g].dy[i]);
        }
    }
    return index;
}();

// Corner helpers: opposite, next and previous corner (1..4), and the step to the
// diagonal neighbour cell in the direction of a corner.
constexpr int oppositeCorner(int c) {
    return ((c + 1) % 4) + 1;
}
constexpr int nextCorner(int c) {
    return c % 4 + 1;
}
constexpr int prevCorner(int c) {
    return (c + 2) % 4 + 1;
}
extern const int kDiagonalDx[5];
extern const int kDiagonalDy[5];

// What an edge adds to a tally, by its whole lattice byte.
inline constexpr auto kEdgeTallyByByte = [] {
    std::array<uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = static_cast<uint8_t>(edgeTally(b & kKeyMask));
    return table;
}();

// sum plus what the edge at `index` adds to a tally.
inline int tallyPosition(const Board& board, int sum, int index) {
    return sum + kEdgeTallyByByte[board.at(index)];
}

// The group count of `group` around (x, y).
inline int countGroup(const Board& board, int x, int y, int group) {
    const int base = latticeIndex(x, y);
    const int* off = kEdgeGroupIndex[group].data();
    int sum = tallyPosition(board, 0, base + off[0]);
    sum = tallyPosition(board, sum, base + off[1]);
    if (group == 0) {
        sum = tallyPosition(board, sum, base + off[2]);
        sum = tallyPosition(board, sum, base + off[3]);
    }
    return sum;
}

// Pushes an entry on workBoard's queue; shows the queue-full message when the ring is full.
void pushWorkQueue(PuzzleState& state, int32_t entry);

// setEdge on an edge not yet decided: writeLine for a line, writeOther for any other value.
// A caller that knows the value calls the one it needs; the others share writeAnyEdge's
// choice, which follows the pattern of all their values.
void writeLine(PuzzleState& state, int x, int y);
void writeOther(PuzzleState& state, int x, int y, int value);
void writeAnyEdge(PuzzleState& state, int x, int y, int value);
inline void writeEdge(PuzzleState& state, int x, int y, int value) {
#if defined(__GNUC__)
    if (__builtin_constant_p(value)) {
        if (value == kLine) {
            writeLine(state, x, y);
        } else {
            writeOther(state, x, y, value);
        }
        return;
    }
#endif
    writeAnyEdge(state, x, y, value);
}
// What setEdgeGroup tells a rule observer.
[[gnu::cold, gnu::noinline]] void observeGroup(PuzzleState& state, int x, int y, int group);

// Decides edge (x, y) of workBoard as `value` (2 cross, 3 line): true if it was written,
// false if it was already decided. Callers that only want the edge decided ignore it.
inline bool setEdge(PuzzleState& state, int x, int y, int value) {
    if (state.workBoard->at(x, y) & 2) return false;
    writeEdge(state, x, y, value);
    return true;
}

// setEdge on every position of the group around (x, y), in order; true if any was written.
// kMayObserve false: the caller knows that no observer is set.
template <bool kMayObserve = true>
inline bool setEdgeGroup(PuzzleState& state, int x, int y, int group, int value) {
    if constexpr (kMayObserve) {
        if (state.ruleObserver) [[unlikely]] {
            observeGroup(state, x, y, group);
        }
    }
    const GroupOffsets& g = kEdgeGroups[group];
    bool any = false;
    for (int i = 0; i < g.count; ++i) any |= setEdge(state, x + g.dx[i], y + g.dy[i], value);
    return any;
}

// Queues every edge of the puzzle once and decides the edges that colour marks fix.
void seedWorkQueue(PuzzleState& state);

// Crosses the four sides of every 0-clue cell.
void crossZeroCells(PuzzleState& state);

}  // namespace vexilo
