// Both walks take one step per dot and never branch, so they run as plain loops: a path or
// a corridor can pass through every dot of a 500 x 500 board. They cannot run in circles
// when started beside a path end (the start dot has a single line, so no path of two-line
// dots and no corridor of two-undecided dots leads back into it), but a bound on the number
// of steps keeps a call from elsewhere, say on a closed loop, from walking for ever.
#include "solver/sub_loops.h"

#include <cstring>
#include <optional>

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

// The order in which the rule and its walks try the sides of a dot.
constexpr Direction kSideOrder[4] = {Direction::kLeft, Direction::kRight, Direction::kUp,
                                     Direction::kDown};

// The walks run over lattice indices; a dot's number x + 4096 * y is made only where it is
// compared or returned.
constexpr int dotNumberAt(int at) {
    static_assert(kLatticeSide == 1024);
    return (at & 1023) + 4096 * (at >> 10);
}

[[gnu::always_inline]] inline int keyAt(const uint8_t* lattice, int at) {
    return lattice[at] & kKeyMask;
}

// The tally of the four edges around the dot at index `at`.
[[gnu::always_inline]] inline int dotTally(const uint8_t* lattice, int at) {
    static constexpr int kEdgeTally[8] = {edgeTally(0), edgeTally(1), edgeTally(2), edgeTally(3),
                                          edgeTally(4), edgeTally(5), edgeTally(6), edgeTally(7)};
    return kEdgeTally[keyAt(lattice, at - 1)] + kEdgeTally[keyAt(lattice, at + 1)] +
           kEdgeTally[keyAt(lattice, at - kLatticeSide)] +
           kEdgeTally[keyAt(lattice, at + kLatticeSide)];
}

// The first side of the dot at `at`, arrived at in direction dir, whose edge has `key`; the
// way back is never taken.
[[gnu::always_inline]] inline std::optional<Direction> onwardSide(const uint8_t* lattice, int at,
                                                                  Direction dir, int key) {
    for (Direction side : kSideOrder) {
        if (side != opposite(dir) && keyAt(lattice, at + latticeStep(side)) == key) return side;
    }
    return std::nullopt;
}

// Whether any edge of the four dots at index `at`, at + 2, at + 4 and at + 6 may be a line
// (bytes beyond the board may answer yes, never no).
bool lineNearDots(const uint8_t* lattice, int at) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kEvenBytes = 0x0080008000800080ULL;  // high bits of bytes 0, 2, 4, 6
    const auto lineIn = [&](int from) {
        uint64_t word = 0;
        std::memcpy(&word, lattice + from, 8);
        const uint64_t t = (word & (kOnes * kKeyMask)) ^ (kOnes * kLine);
        return (~(((t & kLow7) + kLow7) | t) & kEvenBytes) != 0;
    };
    // The edges left and right of the dots, then those above and below them.
    return lineIn(at - 1) || lineIn(at + 1) || lineIn(at - kLatticeSide) ||
           lineIn(at + kLatticeSide);
}

int maxWalk(const PuzzleState& s) {
    return (s.W() + 1) * (s.H() + 1);
}

int pathEndFrom(const uint8_t* lattice, int at, Direction dir, int maxSteps) {
    for (int steps = maxSteps; steps >= 0; --steps) {
        if (tallyLines(dotTally(lattice, at)) != 2) return dotNumberAt(at);
        const std::optional<Direction> next = onwardSide(lattice, at, dir, kLine);
        if (!next) return 0;
        dir = *next;
        at += 2 * latticeStep(dir);
    }
    return 0;
}

bool corridorFrom(const uint8_t* lattice, int at, Direction dir, int target, int maxSteps) {
    for (int steps = maxSteps; steps >= 0; --steps) {
        if (dotNumberAt(at) == target) return true;
        if (dotTally(lattice, at) != tally(2, 0)) return false;
        const std::optional<Direction> next = onwardSide(lattice, at, dir, kUndecided);
        if (!next) return false;
        dir = *next;
        at += 2 * latticeStep(dir);
    }
    return false;
}

}  // namespace

int findPathEnd(PuzzleState& s, int x, int y, Direction dir) {
    return pathEndFrom(s.workBoard->lattice.data(), latticeIndex(x, y), dir, maxWalk(s));
}

bool corridorReaches(PuzzleState& s, int x, int y, Direction dir, int target) {
    return corridorFrom(s.workBoard->lattice.data(), latticeIndex(x, y), dir, target, maxWalk(s));
}

RuleResult preventSubLoops(PuzzleState& s) {
    Board& wb = *s.workBoard;
    const uint8_t* lattice = wb.lattice.data();
    const int walk = maxWalk(s);
    for (int y = 1; y <= 2 * s.H() + 1; y += 2) {
        for (int x = 1; x <= 2 * s.W() + 1; x += 2) {
            const int at = latticeIndex(x, y);
            // Four dots at a time are passed over when no line touches any of them.
            if ((x & 7) == 1 && !lineNearDots(lattice, at)) {
                x += 6;
                continue;
            }
            if (lattice[at] & kSettled) continue;
            const int c = dotTally(lattice, at);
            // A path end: one line, and not yet three crosses beside it.
            if (c == tally(3, 1) || tallyLines(c) != 1) continue;
            int end = 0;
            for (Direction dir : kSideOrder) {
                if (keyAt(lattice, at + latticeStep(dir)) == kLine) {
                    end = pathEndFrom(lattice, at + 2 * latticeStep(dir), dir, walk);
                    break;
                }
            }
            for (Direction dir : kSideOrder) {
                if (keyAt(lattice, at + latticeStep(dir)) != kUndecided) continue;
                if (corridorFrom(lattice, at + 2 * latticeStep(dir), dir, end, walk)) {
                    setEdge(s, x + stepX(dir), y + stepY(dir), kCross);
                }
            }
        }
    }
    wb.queue.closePass();
    return wb.queue.basicCaughtUp() ? RuleResult::kUnchanged : RuleResult::kProgress;
}

}  // namespace vexilo
