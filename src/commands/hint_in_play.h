// The hint command "ヒント" (key H) as a core operation: a hint for the player's position
// waits until the same command (or Enter) accepts it, which draws a hinted deduction as an
// ordinary move, so undo takes it back. Until then position and history stay as they are,
// and a hint is dropped as soon as the position changes.
#pragma once

#include <string>

#include "hints/hint.h"

namespace vexilo {

struct PuzzleState;

// The hint shown, and the position it was given for.
class HintInPlay {
  public:
    // A hint waits, for the position as it stands.
    bool waiting(const PuzzleState& state) const { return pending_ && givenFor(state); }
    // A hint was given and not yet accepted or dropped (the position may have changed).
    bool pending() const { return pending_; }
    const Hint& hint() const { return hint_; }

    void give(const PuzzleState& state, const Hint& hint);
    void drop() { pending_ = false; }

  private:
    bool givenFor(const PuzzleState& state) const;

    Hint hint_;
    bool pending_ = false;
    std::string fileName_;
    int width_ = 0;
    int height_ = 0;
    int writePos_ = 0;
    int stepCount_ = 0;
    int lastEntry_ = 0;
};

enum class HintStep {
    kNone,      // no puzzle, or the search was cancelled: nothing changed
    kGiven,     // a new hint waits in `hints`
    kAccepted,  // the waiting hint was taken (drawn, if it was a deduction) and dropped
};

// A waiting hint is accepted; otherwise a new one is found for mainBoard's position, as long
// work (runWithWaitCursor).
HintStep hintCommand(PuzzleState& state, HintInPlay& hints);

}  // namespace vexilo
