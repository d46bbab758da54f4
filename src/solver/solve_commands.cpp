#include "solver/solve_commands.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "model/log_commands.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/full_solve.h"
#include "solver/rating.h"
#include "solver/solve_backup.h"
#include "solver/solve_cancel.h"
#include "solver/solve_level2.h"
#include "solver/solve_levels.h"
#include "solver/transfer_result.h"

namespace vexilo {

namespace {

// Starts a measurement on a tick boundary, so that a solve under a millisecond reads 0.
int64_t waitForNextTick(TickSource tick) {
    const int64_t t0 = tick() + 1;
    while (tick() < t0) {
    }
    return t0;
}

// After a solve: the result as a new step of mainBoard, shown.
void showResult(PuzzleState& state) {
    transferResult(state);
    state.frontend.setStepCount(state.mainBoard->stepCount);
    rebuildBoard(state, *state.mainBoard, *state.mainBoard);
    refreshUndoButton(state);
}

// A level's entry point: false when it met a contradiction.
bool runEntryPoint(PuzzleState& state, SolveLevel level) {
    switch (level) {
        case kLevel0:
            return solveLevel0(state);
        case kLevel1:
            return solveLevel1(state);
        case kLevel2:
            return solveLevel2(state);
        case kLevelFull:
            return solveFull(state) != SolveOutcome::kContradiction;
    }
    return false;
}

// A solve with drawing off and the wait cursor on, then mainBoard rebuilt from its own log
// (the colour rules used its lattice as scratch space) and drawing back on; false when the
// user cancelled it.
bool solveWithDrawingOff(PuzzleState& state, const std::function<void()>& solve) {
    state.drawEnabled = 0;
    const bool completed = runWithWaitCursor(state, [&] {
        solve();
        return true;
    });
    rebuildBoard(state, *state.mainBoard, *state.mainBoard);
    state.drawEnabled = 1;
    return completed;
}

std::string format(const char* pattern, int a) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a);
    return text;
}

std::string format(const char* pattern, int a, int b) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

}  // namespace

int64_t tickCount() {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

bool runWithWaitCursor(PuzzleState& state, const std::function<bool()>& work,
                       const std::string& text) {
    bool completed = false;
    state.cancelRequest = false;
    state.frontend.setWaitCursor(true);
    state.frontend.runSolve(
        [&] {
            try {
                completed = work();
            } catch (const SolveCancelled&) {
                completed = false;
            }
            return completed;
        },
        state.cancelRequest, text);
    state.frontend.setWaitCursor(false);
    state.cancelRequest = false;
    return completed;
}

LevelResult solveAtLevel(PuzzleState& state, SolveLevel level) {
    bool consistent = false;
    const bool completed =
        solveWithDrawingOff(state, [&] { consistent = runEntryPoint(state, level); });
    if (!completed) return LevelResult::kCancelled;
    return consistent ? LevelResult::kAtRest : LevelResult::kContradiction;
}

std::optional<SolveOutcome> solveAndRate(PuzzleState& state) {
    SolveOutcome outcome = SolveOutcome::kContradiction;
    const bool completed = solveWithDrawingOff(state, [&] {
        outcome = solveFull(state);
        state.difficulty = outcome == SolveOutcome::kContradiction
                               ? Difficulty::unsolvable()
                               : Difficulty::fullSolveRated(rateDifficulty(state));
    });
    if (!completed) return std::nullopt;
    return outcome;
}

void levelCommand(PuzzleState& state, SolveLevel level, TickSource tick) {
    if (state.W() == 0 || level > kLevel2) return;
    SolveBackup backup;
    backup.keep(state);
    state.difficulty.forgetFullSolve();
    const int64_t t0 = waitForNextTick(tick);
    // What the level reached shows on the board; a contradiction has no message of its own.
    if (solveAtLevel(state, level) == LevelResult::kCancelled) {
        backup.restore(state);
        return;
    }
    const int elapsed = static_cast<int>(tick() - t0);
    showResult(state);
    static constexpr const char* kMessages[3] = {"Level0\n %d ms", "Level1\n %d ms",
                                                 "Level2\n %d ms"};
    state.frontend.showMessage(format(kMessages[level], elapsed));
}

void autoSolveCommand(PuzzleState& state, TickSource tick) {
    if (state.W() == 0) return;
    int elapsed = 0;
    if (!state.difficulty.holdsFullSolve()) {
        SolveBackup backup;
        backup.keep(state);
        const int64_t t0 = waitForNextTick(tick);
        if (!solveAndRate(state)) {  // the outcome itself is kept in `difficulty`
            backup.restore(state);
            return;
        }
        elapsed = static_cast<int>(tick() - t0);
    }
    if (state.difficulty.isUnsolvable()) {
        state.frontend.showMessage("エラーがあります。");
        return;
    }
    showResult(state);
    const int rating = state.difficulty.fileValue();
    state.frontend.showMessage(elapsed != 0 ? format("難易度は%dです。\n %d ms", rating, elapsed)
                                            : format("難易度は%dです。", rating));
}

}  // namespace vexilo
