// Operations on a Board's move log, and the replay rule by which a log defines a position.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/board.h"
#include "model/frontend.h"

namespace vexilo {

struct PuzzleState;

inline constexpr const char* kLogFullMessage = "記憶領域がいっぱいです。";

// Empties the log: slot 0 holds the first marker, the write position is slot 1.
void resetMoveLog(Board& board);

// What appendEntry does when the log is full: shows the log-full message, once per command
// (Frontend::showOncePerCommand).
[[gnu::cold, gnu::noinline]] void noteLogFull(Frontend& frontend);

// Appends one entry; on a full log returns false and shows the log-full message.
inline bool appendEntry(Board& board, int32_t entry, Frontend& frontend) {
    if (board.moveLog[board.writePos] == kEndSentinel) [[unlikely]] {
        noteLogFull(frontend);
        return false;
    }
    board.moveLog[board.writePos++] = entry;
    return true;
}

// Writes a new step marker; a marker that does not fit gives the step count back.
void openStep(Board& board, Frontend& frontend);

// Takes back the last entry if it is a move; true if it was.
bool removeLastMove(Board& board);

// Throws away everything from the last step marker on; returns the new step count.
int dropLastStep(Board& board);

// dropLastStep for a caller that already knows the slot of the last step's marker.
int dropLastStepAt(Board& board, int marker);

// Makes `to`'s log a copy of `from`'s, every slot, the write position and the step count.
void copyMoveLog(Board& to, const Board& from);

// Replaces the log with `count` entries (slot 0 the first marker, as a log always begins);
// the step count becomes the number of step markers among them. Fewer entries than the log
// holds, with room for the end sentinel.
void loadMoveLog(Board& board, const int32_t* entries, size_t count);

// Writes `entry` into every free slot up to the end sentinel, without a message: the log
// is then full (how tests reach a full log).
void fillMoveLog(Board& board, int32_t entry);

// Fills state.replayList with the entries of board's log that still count: scanning from
// the newest entry back, an entry becomes live when its edge has no live entry, cancels
// the live entry when it equals it, and is ignored otherwise. Returns the index of the
// list's last slot (slot 0 holds the first marker; cancelled slots hold the tombstone).
int computeNetEntries(PuzzleState& state, const Board& board);

}  // namespace vexilo
