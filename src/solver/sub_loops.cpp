// Both walks take one step per dot and never branch, so they run as plain loops: a path or
// a corridor can pass through every dot of a 500 x 500 board. They cannot run in circles
// when started beside a path end (the start dot has a single line, so no path of two-line
// dots and no corridor of two-undecided dots leads back into it), but a bound on the number
// of steps keeps a call from elsewhere, say on a closed loop, from walking for ever.
#include "solver/sub_loops.h"

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

constexpr int kStepX[5] = {0, -1, 1, 0, 0};
constexpr int kStepY[5] = {0, 0, 0, -1, 1};

// The sides a walk may leave a dot by, in the order they are tried, by the direction it
// arrived in (the way back is never tried).
constexpr int kOnward[5][3] = {
    {0, 0, 0},
    {kLeft, kUp, kDown},
    {kRight, kUp, kDown},
    {kLeft, kRight, kUp},
    {kLeft, kRight, kDown},
};

constexpr int dotNumber(int x, int y) {
    return x + 4096 * y;
}

int edgeKey(const Board& board, int x, int y, int dir) {
    return board.at(x + kStepX[dir], y + kStepY[dir]) & 7;
}

// The first onward side from (x, y) whose edge has `key`, or 0.
int onwardSide(const Board& board, int x, int y, int dir, int key) {
    for (int side : kOnward[dir]) {
        if (edgeKey(board, x, y, side) == key) return side;
    }
    return 0;
}

int maxWalk(const PuzzleState& s) {
    return (s.W() + 1) * (s.H() + 1);
}

}  // namespace

int findPathEnd(PuzzleState& s, int x, int y, int dir) {
    const Board& wb = *s.workBoard;
    for (int steps = maxWalk(s); steps >= 0; --steps) {
        if ((countGroup(wb, x, y, 0) & ~0xF) != 0x20) return dotNumber(x, y);
        dir = onwardSide(wb, x, y, dir, kLine);
        if (dir == 0) return 0;
        x += 2 * kStepX[dir];
        y += 2 * kStepY[dir];
    }
    return 0;
}

int corridorReaches(PuzzleState& s, int x, int y, int dir, int target) {
    const Board& wb = *s.workBoard;
    for (int steps = maxWalk(s); steps >= 0; --steps) {
        if (dotNumber(x, y) == target) return 1;
        if (countGroup(wb, x, y, 0) != 2) return 0;
        dir = onwardSide(wb, x, y, dir, kUndecided);
        if (dir == 0) return 0;
        x += 2 * kStepX[dir];
        y += 2 * kStepY[dir];
    }
    return 0;
}

int preventSubLoops(PuzzleState& s) {
    Board& wb = *s.workBoard;
    static constexpr int kSides[4] = {kLeft, kRight, kUp, kDown};
    for (int y = 1; y <= 2 * s.H() + 1; y += 2) {
        for (int x = 1; x <= 2 * s.W() + 1; x += 2) {
            if (wb.at(x, y) & kSettled) continue;
            const int c = countGroup(wb, x, y, 0);
            if (c == 0x13 || (c & ~0xF) != 0x10) continue;
            int end = 0;
            for (int dir : kSides) {
                if (edgeKey(wb, x, y, dir) == kLine) {
                    end = findPathEnd(s, x + 2 * kStepX[dir], y + 2 * kStepY[dir], dir);
                    break;
                }
            }
            for (int dir : kSides) {
                if (edgeKey(wb, x, y, dir) != kUndecided) continue;
                if (corridorReaches(s, x + 2 * kStepX[dir], y + 2 * kStepY[dir], dir, end)) {
                    setEdge(s, x + kStepX[dir], y + kStepY[dir], kCross);
                }
            }
        }
    }
    wb.queuePassEnd = wb.queueHead;
    return wb.queueHead == wb.queueReadA ? kUnchanged : kProgress;
}

}  // namespace vexilo
