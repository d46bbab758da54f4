#include "model/move_log.h"

#include <cstring>

#include "model/puzzle_state.h"

namespace vexilo {

void resetMoveLog(Board& board) {
    // Only slots below the write position are ever read, and the end sentinel is the only
    // way a full log is recognised, so the old contents above slot 0 need no clearing.
    board.stepCount = 0;
    board.moveLog[kLogSlots - 1] = kEndSentinel;
    board.moveLog[0] = kFirstMarker;
    board.writePos = 1;
}

bool appendEntry(Board& board, int32_t entry, Frontend& frontend) {
    if (board.moveLog[board.writePos] == kEndSentinel) {
        frontend.showMessage(kLogFullMessage);
        return false;
    }
    board.moveLog[board.writePos++] = entry;
    return true;
}

void openStep(Board& board, Frontend& frontend) {
    ++board.stepCount;
    if (!appendEntry(board, kFirstMarker + board.stepCount, frontend)) --board.stepCount;
}

int dropLastStep(Board& board) {
    if (board.stepCount == 0) return 0;
    --board.stepCount;
    do {
        --board.writePos;
    } while (!isMarker(board.moveLog[board.writePos]));
    if (board.writePos == 0) board.writePos = 1;  // slot 0 is never removed
    return board.stepCount;
}

int computeNetEntries(PuzzleState& state, const Board& board) {
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    auto& marks = *state.scratchMarks;
    auto& list = *state.replayList;
    auto& liveSlot = *state.liveSlot;
    for (int y = 1; y <= maxY; ++y) {
        std::memset(&marks[latticeIndex(0, y)], 0, static_cast<size_t>(maxX) + 1);
    }
    list[0] = kFirstMarker;
    int end = 0;
    for (int slot = board.writePos - 1; slot >= 0; --slot) {
        const int32_t e = board.moveLog[slot];
        if (e == kFirstMarker) break;
        if (isMarker(e)) continue;
        const int x = entryX(e);
        const int y = entryY(e);
        if (x > maxX || y > maxY) continue;  // names no edge of this puzzle
        const int at = latticeIndex(x, y);
        if (marks[at] == 0) {
            marks[at] = 1;
            list[++end] = e;
            liveSlot[at] = end;
        } else if (list[liveSlot[at]] == e) {
            list[liveSlot[at]] = kTombstone;
            marks[at] = 0;
        }
    }
    return end;
}

}  // namespace vexilo
