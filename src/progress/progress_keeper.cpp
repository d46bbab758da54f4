#include "progress/progress_keeper.h"

#include <algorithm>
#include <cstring>

#include "model/log_commands.h"
#include "model/move_entry.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"

namespace vexilo {

namespace {

// How many leading slots two logs share; block compares keep a long shared history cheap.
size_t sharedSlots(const int32_t* a, const int32_t* b, size_t count) {
    constexpr size_t kBlock = 1024;
    size_t at = 0;
    while (at + kBlock <= count && std::memcmp(a + at, b + at, kBlock * sizeof(int32_t)) == 0) {
        at += kBlock;
    }
    while (at < count && a[at] == b[at]) ++at;
    return at;
}

}  // namespace

ProgressKeeper::ProgressKeeper(std::string folder, ProgressNote note)
    : store_(std::move(folder), std::move(note)), writer_(store_) {}

ProgressKeeper::~ProgressKeeper() {
    if (attached_) writer_.detach();
}

bool ProgressKeeper::afterCommand(PuzzleState& state, uint64_t loads) {
    if (loadsSeen_ != loads) {
        loadsSeen_ = loads;
        return puzzleLoaded(state);
    }
    if (attached_) logChanged(state);
    return false;
}

void ProgressKeeper::markSolved() {
    if (attached_) writer_.markSolved();
}

bool ProgressKeeper::puzzleLoaded(PuzzleState& state) {
    if (attached_) writer_.detach();
    attached_ = false;
    if (state.W() == 0) return false;
    const PuzzleKey key = puzzleKeyOf(state);
    writer_.flush();  // the file may still be being written for the puzzle just left
    const auto kept = store_.load(key);
    Board& board = *state.mainBoard;
    // A log that already holds moves is the player's and is never replaced.
    const bool restore = kept && kept->log.size() > 1 && board.writePos == 1;
    if (restore) restoreKeptLog(state, kept->log);
    written_.assign(board.moveLog.begin(), board.moveLog.begin() + board.writePos);
    writer_.attach(key, written_);
    attached_ = true;
    return restore;
}

void ProgressKeeper::logChanged(const PuzzleState& state) {
    const Board& board = *state.mainBoard;
    const size_t length = static_cast<size_t>(board.writePos);
    // Slot 0 always holds the first marker and is always kept.
    const size_t kept = std::max<size_t>(
        1, sharedSlots(written_.data(), board.moveLog.data(), std::min(written_.size(), length)));
    if (kept == written_.size() && kept == length) return;
    std::vector<int32_t> appended(board.moveLog.begin() + kept, board.moveLog.begin() + length);
    // The check's temporary journal (moves of value 0) is no position; it is gone by the
    // end of the check.
    if (std::any_of(appended.begin(), appended.end(),
                    [](int32_t e) { return isMove(e) && entryValue(e) < 2; })) {
        return;
    }
    written_.resize(kept);
    written_.insert(written_.end(), appended.begin(), appended.end());
    writer_.change(static_cast<uint32_t>(kept), std::move(appended));
}

void restoreKeptLog(PuzzleState& state, const KeptLog& log) {
    Board& board = *state.mainBoard;
    loadMoveLog(board, log.data(), log.size());
    state.frontend.setStepCount(board.stepCount);
    rebuildBoard(state, board, board);
    refreshUndoButton(state);
}

}  // namespace vexilo
