#include "solver/answer_check.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "solver/edge_scan.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

AnswerResult fault(PuzzleState& state, int x, int y, AnswerResult result) {
    state.errorX = (x + 1) / 2;
    state.errorY = (y + 1) / 2;
    return result;
}

// With every dot at no line or two: true when the loop through the first line in row order
// holds all `lines` lines, or there is none.
bool loopHoldsEveryLine(const Board& board, int maxX, int maxY, int lines) {
    if (lines == 0) return true;
    int start = -1;
    for (int y = 1; y <= maxY && start < 0; ++y) {
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {
            if ((board.at(x, y) & kKeyMask) == kLine) {
                start = latticeIndex(x, y);
                break;
            }
        }
    }
    // Along the loop: up from a vertical edge (odd x), right from a horizontal one, and at
    // each dot on through its other line.
    constexpr int kSteps[4] = {-kLatticeSide, kLatticeSide, -1, 1};
    int edge = start;
    int step = (start & 1) != 0 ? -kLatticeSide : 1;
    int length = 0;
    do {
        ++length;
        const int dot = edge + step;
        for (const int s : kSteps) {
            if (s != -step && (board.at(dot + s) & kKeyMask) == kLine) {
                step = s;
                break;
            }
        }
        edge = dot + step;
    } while (edge != start);
    return length == lines;
}

}  // namespace

AnswerResult checkAnswer(PuzzleState& state, const Board& board) {
    int firstOpen = 0;
    return checkAnswer(state, board, firstOpen);
}

AnswerResult checkAnswer(PuzzleState& state, const Board& board, int& firstOpen) {
    using enum AnswerResult;
    if (findEdgeFrom(board, state.W(), state.H(), firstOpen,
                     [](uint8_t b) { return (b & 7) == kUndecided; })) {
        return fault(state, firstOpen % kLatticeSide, firstOpen / kLatticeSide, kOpen);
    }
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    // The tally a clue cell's four sides must have, by key (a 0 clue is key 4).
    static constexpr int kRequired[5] = {-1, tally(3, 1), tally(2, 2), tally(1, 3), tally(4, 0)};
    int lineEnds = 0;
    for (int y = 1; y <= maxY; y += 2) {
        for (int x = 1; x <= maxX; x += 2) {
            // A dot with one, three or four lines.
            const int n = countGroup(board, x, y, 0);
            if (n == tally(3, 1) || n == tally(1, 3) || n == tally(0, 4)) {
                return fault(state, x, y, kWrong);
            }
            lineEnds += tallyLines(n);
        }
        if (y + 1 > maxY) continue;
        for (int x = 2; x < maxX; x += 2) {
            const int key = board.at(x, y + 1) & 7;
            if (key > 4) continue;
            const int n = countGroup(board, x, y + 1, 0);
            if (key == 0) {
                if (n == tally(0, 4)) return fault(state, x, y + 1, kOpen);
            } else if (n != kRequired[key]) {
                return fault(state, x, y + 1, kWrong);
            }
        }
    }
    state.errorX = 0;
    state.errorY = 0;
    return loopHoldsEveryLine(board, maxX, maxY, lineEnds / 2) ? kCorrect : kWrong;
}

AnswerResult checkPosition(PuzzleState& state, Board& board) {
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
    const AnswerResult result = checkAnswer(state, board);
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
