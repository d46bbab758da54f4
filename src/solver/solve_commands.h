// The solve commands of the main window as core operations: the three Level commands of
// the auto-solve button's menu and the auto-solve button itself. The window only wires
// them; what they show goes through the Frontend (messages, step label, undo button,
// cursor).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "solver/full_solve.h"

namespace vexilo {

struct PuzzleState;

// The steady millisecond tick: milliseconds since the first call in this process.
int64_t tickCount();
using TickSource = int64_t (*)();

// The solve levels by number; kLevelFull is the full solve of the auto-solve command.
enum SolveLevel : int { kLevel0 = 0, kLevel1 = 1, kLevel2 = 2, kLevelFull = 3 };

// How solveAtLevel's solve ended: a contradiction, at rest (solved, or could go no
// further: the levels do not judge the answer), or cancelled by the user.
enum class [[nodiscard]] LevelResult{kContradiction, kAtRest, kCancelled};

// Long work of a command: runs `work` through Frontend::runSolve (on a worker thread in the
// window, `text` telling what it does) with the wait cursor on. The work stops early,
// returning false or throwing SolveCancelled, once state.cancelRequest is set; false then.
// Nothing else touches the state meanwhile.
[[nodiscard]] bool runWithWaitCursor(PuzzleState& state, const std::function<bool()>& work,
                                     const std::string& text = "解いています…");

// Runs a level's entry point the way the commands do: drawing off and the wait cursor on
// for the solve (run through Frontend::runSolve), then mainBoard rebuilt from its own log
// (the colour rules used its lattice as scratch space) and drawing back on. A cancelled
// solve leaves workBoard and the rating counters half done.
LevelResult solveAtLevel(PuzzleState& state, SolveLevel level);

// The full solve of the auto-solve command: solves as solveAtLevel does and keeps the
// outcome in `difficulty` (Difficulty::fullSolveRated or Difficulty::unsolvable). Returns
// the full solve's outcome, or nothing when it was cancelled (then `difficulty` is
// unchanged).
[[nodiscard]] std::optional<SolveOutcome> solveAndRate(PuzzleState& state);

// Level01Click, Level11Click, Level21Click (kLevel0 to kLevel2): solves at the level from
// the clues, hands the result to mainBoard as one step and shows "LevelN\n %d ms". A full
// solve's rating held in `difficulty` stays, no longer pending: workBoard no longer holds
// that solve. A cancelled solve leaves everything as it was before the command, silently.
void levelCommand(PuzzleState& state, SolveLevel level, TickSource tick = tickCount);

// SpeedButton5Click: solves completely and rates, unless `difficulty` already holds a
// rating; hands the result to mainBoard and shows the rating (with the time when the
// solve took any), or "エラーがあります。" after a contradiction. A cancelled solve leaves
// everything as it was before the command, silently.
void autoSolveCommand(PuzzleState& state, TickSource tick = tickCount);

}  // namespace vexilo
