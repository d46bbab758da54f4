#include "commands/hint_in_play.h"

#include <optional>

#include "model/log_commands.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/solve_commands.h"

namespace vexilo {

void HintInPlay::give(const PuzzleState& state, const Hint& hint) {
    const Board& b = *state.mainBoard;
    hint_ = hint;
    fileName_ = state.fileName;
    width_ = state.W();
    height_ = state.H();
    writePos_ = b.writePos;
    stepCount_ = b.stepCount;
    lastEntry_ = b.lastEntry();
    pending_ = true;
}

bool HintInPlay::givenFor(const PuzzleState& s) const {
    const Board& b = *s.mainBoard;
    return s.fileName == fileName_ && s.W() == width_ && s.H() == height_ &&
           b.writePos == writePos_ && b.stepCount == stepCount_ && b.lastEntry() == lastEntry_;
}

HintStep hintCommand(PuzzleState& state, HintInPlay& hints) {
    if (state.W() == 0) return HintStep::kNone;
    if (hints.waiting(state)) {
        hints.drop();
        const Hint& h = hints.hint();
        if (h.kind != HintKind::kDeduction) return HintStep::kAccepted;
        state.frontend.beginCommand();
        appendEntry(*state.mainBoard, moveEntry(h.x, h.y, h.value), state.frontend);
        rebuildBoard(state, *state.mainBoard, *state.mainBoard);
        refreshUndoButton(state);
        return HintStep::kAccepted;
    }
    std::optional<Hint> found;
    const bool completed = runWithWaitCursor(
        state,
        [&] {
            found = findHint(state, state.cancelRequest);
            return found.has_value();
        },
        "調べています…");
    if (!completed) return HintStep::kNone;
    hints.give(state, *found);
    return HintStep::kGiven;
}

}  // namespace vexilo
