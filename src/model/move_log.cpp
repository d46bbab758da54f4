#include "model/move_log.h"

#include <algorithm>
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

void noteLogFull(Frontend& frontend) {
    frontend.showOncePerCommand(kLogFullMessage);
}

void openStep(Board& board, Frontend& frontend) {
    ++board.stepCount;
    if (!appendEntry(board, kFirstMarker + board.stepCount, frontend)) --board.stepCount;
}

bool removeLastMove(Board& board) {
    if (!isMove(board.lastEntry())) return false;
    --board.writePos;
    return true;
}

int dropLastStep(Board& board) {
    if (board.stepCount == 0) return 0;
    int marker = board.writePos;
    do {
        --marker;
    } while (!isMarker(board.moveLog[marker]));
    return dropLastStepAt(board, marker);
}

int dropLastStepAt(Board& board, int marker) {
    --board.stepCount;
    board.writePos = marker > 0 ? marker : 1;  // slot 0 is never removed
    return board.stepCount;
}

void copyMoveLog(Board& to, const Board& from) {
    to.moveLog = from.moveLog;
    to.writePos = from.writePos;
    to.stepCount = from.stepCount;
}

void loadMoveLog(Board& board, const int32_t* entries, size_t count) {
    std::copy(entries, entries + count, board.moveLog.begin());
    board.writePos = static_cast<int32_t>(count);
    board.stepCount =
        static_cast<int32_t>(std::count_if(entries + std::min<size_t>(count, 1), entries + count,
                                           [](int32_t e) { return isMarker(e); }));
}

void fillMoveLog(Board& board, int32_t entry) {
    while (board.moveLog[board.writePos] != kEndSentinel) board.moveLog[board.writePos++] = entry;
}

namespace {

// How far ahead the replay asks for the mark it will need: the entries of a long log name
// edges all over the board, and waiting for each mark in turn dominates the scan.
constexpr int kLookAhead = 16;

inline void prefetchMark(const std::array<uint8_t, kLatticeBytes>& marks, int32_t entry) {
#if defined(__GNUC__)
    // Masked to the lattice: a marker or a stray entry may name any position.
    __builtin_prefetch(marks.data() + latticeIndex(entryX(entry) & 1023, entryY(entry) & 1023), 1);
#else
    (void)marks;
    (void)entry;
#endif
}

}  // namespace

int computeNetEntries(PuzzleState& state, const Board& board) {
    // While scanning, the mark of an edge is 0 when it has no live entry, else 1 + the value
    // field of its live entry. Entries of one edge differ only in that field, so "equal to the
    // live entry" is a compare of the mark, and the list is only appended to. A cancelled
    // entry is turned into a tombstone afterwards: an edge's live entry is the last one
    // appended for it, if its mark is still set at the end.
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    auto& marks = *state.scratchMarks;
    auto& list = *state.replayList;
    for (int y = 1; y <= maxY; ++y) {
        std::memset(&marks[latticeIndex(0, y)], 0, static_cast<size_t>(maxX) + 1);
    }
    list[0] = kFirstMarker;
    int end = 0;
    for (int slot = board.writePos - 1; slot >= 0; --slot) {
        prefetchMark(marks, board.moveLog[std::max(slot - kLookAhead, 0)]);
        const int32_t e = board.moveLog[slot];
        if (e == kFirstMarker) break;
        if (e < 0 || isMarker(e)) continue;  // markers; no move entry is negative
        const int x = entryX(e);
        const int y = entryY(e);
        if (x < 1 || y < 1 || x > maxX || y > maxY) continue;  // names no edge of this puzzle
        uint8_t& mark = marks[latticeIndex(x, y)];
        const uint8_t live = static_cast<uint8_t>(1 + entryValue(e));
        // Without branches: which way an entry goes is as random as the log.
        const bool none = mark == 0;
        list[end + 1] = e;  // kept only when the edge had no live entry
        end += none ? 1 : 0;
        mark = none ? live : (mark == live ? 0 : mark);
    }
    for (int i = end; i >= 1; --i) {
        prefetchMark(marks, list[std::max(i - kLookAhead, 1)]);
        // The last entry appended for an edge is live if the edge's mark is still set;
        // clearing the mark makes every older entry of the edge in the list a tombstone.
        uint8_t& mark = marks[latticeIndex(entryX(list[i]), entryY(list[i]))];
        if (mark == 0) list[i] = kTombstone;
        mark = 0;
    }
    return end;
}

}  // namespace vexilo
