// Keeps the player's progress: mainBoard's move log of the loaded puzzle, with its memorised
// steps, in the puzzle's progress file, and brings it back when the puzzle is loaded again.
// Called on the thread that plays; the disk is written by a ProgressWriter of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "progress/progress_store.h"
#include "progress/progress_writer.h"

namespace vexilo {

struct PuzzleState;

class ProgressKeeper {
  public:
    explicit ProgressKeeper(std::string folder, ProgressNote note = noteOnConsole);
    // Leaves the puzzle: its file is written whole before the writer stops.
    ~ProgressKeeper();

    const ProgressStore& store() const { return store_; }

    // After a command. loads counts the puzzle loads so far (each reset of the puzzle
    // state); when it has moved on, the newly loaded puzzle gets its kept progress back
    // (returns true then). Otherwise what changed in mainBoard's log is written.
    bool afterCommand(PuzzleState& state, uint64_t loads);

    // The check called the player's answer correct.
    void markSolved();

    // Blocks until everything so far is on disk (closing the window, tests).
    void flush() { writer_.flush(); }

  private:
    bool puzzleLoaded(PuzzleState& state);
    void logChanged(const PuzzleState& state);

    ProgressStore store_;
    std::optional<uint64_t> loadsSeen_;
    bool attached_ = false;
    KeptLog written_;        // the log as last handed to the writer
    ProgressWriter writer_;  // last: its thread stops before the rest goes
};

// Puts a kept log into mainBoard as the player's history and rebuilds the position.
void restoreKeptLog(PuzzleState& state, const KeptLog& log);

}  // namespace vexilo
