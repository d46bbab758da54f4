#include "solver/answer_check.h"

#include <cstring>

#include "model/move_log.h"
#include "model/puzzle_state.h"

namespace vexilo {

int countAround(const Board& board, int x, int y) {
    int sum = 0;
    for (int at : {latticeIndex(x, y - 1), latticeIndex(x - 1, y), latticeIndex(x, y + 1),
                   latticeIndex(x + 1, y)}) {
        const int k = board.at(at) & 7;
        if (k == kCross) sum += 1;
        if (k == kLine) sum += 16;
    }
    return sum;
}

namespace {

int fault(PuzzleState& state, int x, int y, int result) {
    state.errorX = (x + 1) / 2;
    state.errorY = (y + 1) / 2;
    return result;
}

}  // namespace

int checkAnswer(PuzzleState& state, const Board& board) {
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    for (int y = 1; y <= maxY; y += 2) {
        for (int x = 2; x < maxX; x += 2) {
            if ((board.at(x, y) & 7) == kUndecided) return fault(state, x, y, kAnswerOpen);
        }
        if (y + 1 <= maxY) {
            for (int x = 1; x <= maxX; x += 2) {
                if ((board.at(x, y + 1) & 7) == kUndecided) {
                    return fault(state, x, y + 1, kAnswerOpen);
                }
            }
        }
    }
    static constexpr int kRequired[5] = {-1, 19, 34, 49, 4};
    for (int y = 1; y <= maxY; y += 2) {
        for (int x = 1; x <= maxX; x += 2) {
            const int n = countAround(board, x, y);
            if (n == 19 || n == 49 || n == 64) return fault(state, x, y, kAnswerWrong);
        }
        if (y + 1 > maxY) continue;
        for (int x = 2; x < maxX; x += 2) {
            const int key = board.at(x, y + 1) & 7;
            if (key > 4) continue;
            const int n = countAround(board, x, y + 1);
            if (key == 0) {
                if (n == 64) return fault(state, x, y + 1, kAnswerOpen);
            } else if (n != kRequired[key]) {
                return fault(state, x, y + 1, kAnswerWrong);
            }
        }
    }
    state.errorX = 0;
    state.errorY = 0;
    return isSingleLoop(state, board) ? kAnswerCorrect : kAnswerWrong;
}

bool isSingleLoop(PuzzleState& state, const Board& board) {
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    auto& marks = *state.scratchMarks;
    for (int y = 0; y <= maxY + 1; ++y) {
        std::memset(&marks[latticeIndex(0, y)], 0, static_cast<size_t>(maxX) + 1);
    }
    bool found = false;
    for (int y = 1; y <= maxY; ++y) {
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {  // the edges of row y
            if ((board.at(x, y) & 7) != kLine || marks[latticeIndex(x, y)] != 0) continue;
            if (found) return false;
            if (!traceLoop(state, board, x, y)) return false;
            found = true;
        }
    }
    return true;
}

bool traceLoop(PuzzleState& state, const Board& board, int x0, int y0) {
    // Directions: 1 down, 2 right, 3 up, 4 left. From an edge heading d, the dot ahead
    // offers two side edges (tried first) and the straight one.
    struct Turn {
        int dx, dy, d;
    };
    struct Ahead {
        Turn first, second, straight;
    };
    static constexpr Ahead kAhead[5] = {
        {},
        {{-1, 1, 4}, {1, 1, 2}, {0, 2, 1}},
        {{1, -1, 3}, {1, 1, 1}, {2, 0, 2}},
        {{-1, -1, 4}, {1, -1, 2}, {0, -2, 3}},
        {{-1, -1, 3}, {-1, 1, 1}, {-2, 0, 4}},
    };
    auto& marks = *state.scratchMarks;
    int x = x0;
    int y = y0;
    int d = (x0 % 2 == 1) ? 3 : 2;
    do {
        marks[latticeIndex(x, y)] = 1;
        const Ahead& a = kAhead[d];
        const Turn* next = nullptr;
        for (const Turn* t : {&a.first, &a.second, &a.straight}) {
            if ((board.at(x + t->dx, y + t->dy) & 7) == kLine) {
                next = t;
                break;
            }
        }
        if (next == nullptr) return false;
        x += next->dx;
        y += next->dy;
        d = next->d;
    } while (x != x0 || y != y0);
    return true;
}

int checkPosition(PuzzleState& state, Board& board) {
    // Filled edges carry bit 6, which no lattice byte uses otherwise and which the judge
    // does not look at (it reads keys only), so every one of them is found again on the
    // way back, also those that found the log full and have no entry.
    constexpr uint8_t kFilledCross = kCross | 0x40;
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    const int stepsBefore = board.stepCount;
    openStep(board, state.frontend);
    const bool stepOpened = board.stepCount != stepsBefore;
    for (int y = 1; y <= maxY; ++y) {
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {
            uint8_t& b = board.at(x, y);
            if ((b & 7) != kUndecided) continue;
            b = kFilledCross;
            appendEntry(board, moveEntry(x, y, 0), state.frontend);
        }
    }
    const int result = checkAnswer(state, board);
    for (int y = 1; y <= maxY; ++y) {
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {
            uint8_t& b = board.at(x, y);
            if (b == kFilledCross) b = kUndecided;
        }
    }
    if (stepOpened) dropLastStep(board);
    return result;
}

}  // namespace vexilo
