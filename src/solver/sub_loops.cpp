// Both walks take one step per dot and never branch, so they run as plain loops: a path or
// a corridor can pass through every dot of a 500 x 500 board. They cannot run in circles
// when started beside a path end (the start dot has a single line, so no path of two-line
// dots and no corridor of two-undecided dots leads back into it), but a bound on the number
// of steps keeps a call from elsewhere, say on a closed loop, from walking for ever.
#include "solver/sub_loops.h"

#include <optional>

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

// The order in which the rule and its walks try the sides of a dot.
constexpr Direction kSideOrder[4] = {Direction::kLeft, Direction::kRight, Direction::kUp,
                                     Direction::kDown};

constexpr int dotNumber(int x, int y) {
    return x + 4096 * y;
}

int edgeKey(const Board& board, int x, int y, Direction dir) {
    return board.at(x + stepX(dir), y + stepY(dir)) & kKeyMask;
}

// The first side of dot (x, y), arrived at in direction dir, whose edge has `key`; the way
// back is never taken.
std::optional<Direction> onwardSide(const Board& board, int x, int y, Direction dir, int key) {
    for (Direction side : kSideOrder) {
        if (side != opposite(dir) && edgeKey(board, x, y, side) == key) return side;
    }
    return std::nullopt;
}

int maxWalk(const PuzzleState& s) {
    return (s.W() + 1) * (s.H() + 1);
}

}  // namespace

int findPathEnd(PuzzleState& s, int x, int y, Direction dir) {
    const Board& wb = *s.workBoard;
    for (int steps = maxWalk(s); steps >= 0; --steps) {
        if (tallyLines(countGroup(wb, x, y, 0)) != 2) return dotNumber(x, y);
        const std::optional<Direction> next = onwardSide(wb, x, y, dir, kLine);
        if (!next) return 0;
        dir = *next;
        x += 2 * stepX(dir);
        y += 2 * stepY(dir);
    }
    return 0;
}

bool corridorReaches(PuzzleState& s, int x, int y, Direction dir, int target) {
    const Board& wb = *s.workBoard;
    for (int steps = maxWalk(s); steps >= 0; --steps) {
        if (dotNumber(x, y) == target) return true;
        if (countGroup(wb, x, y, 0) != tally(2, 0)) return false;
        const std::optional<Direction> next = onwardSide(wb, x, y, dir, kUndecided);
        if (!next) return false;
        dir = *next;
        x += 2 * stepX(dir);
        y += 2 * stepY(dir);
    }
    return false;
}

RuleResult preventSubLoops(PuzzleState& s) {
    Board& wb = *s.workBoard;
    for (int y = 1; y <= 2 * s.H() + 1; y += 2) {
        for (int x = 1; x <= 2 * s.W() + 1; x += 2) {
            if (wb.at(x, y) & kSettled) continue;
            const int c = countGroup(wb, x, y, 0);
            // A path end: one line, and not yet three crosses beside it.
            if (c == tally(3, 1) || tallyLines(c) != 1) continue;
            int end = 0;
            for (Direction dir : kSideOrder) {
                if (edgeKey(wb, x, y, dir) == kLine) {
                    end = findPathEnd(s, x + 2 * stepX(dir), y + 2 * stepY(dir), dir);
                    break;
                }
            }
            for (Direction dir : kSideOrder) {
                if (edgeKey(wb, x, y, dir) != kUndecided) continue;
                if (corridorReaches(s, x + 2 * stepX(dir), y + 2 * stepY(dir), dir, end)) {
                    setEdge(s, x + stepX(dir), y + stepY(dir), kCross);
                }
            }
        }
    }
    wb.queue.closePass();
    return wb.queue.basicCaughtUp() ? RuleResult::kUnchanged : RuleResult::kProgress;
}

}  // namespace vexilo
