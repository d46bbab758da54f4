// The solve commands of the main window as core operations: the three Level commands of
// the auto-solve button's menu and the auto-solve button itself. The window only wires
// them; what they show goes through the Frontend (messages, step label, undo button,
// cursor).
#pragma once

#include <cstdint>

namespace vexilo {

struct PuzzleState;

// The steady millisecond tick: milliseconds since the first call in this process.
int64_t tickCount();
using TickSource = int64_t (*)();

// The solve levels by number; kLevelFull is the full solve of the auto-solve command.
enum SolveLevel : int { kLevel0 = 0, kLevel1 = 1, kLevel2 = 2, kLevelFull = 3 };

// What the solves below return when the user cancelled (Frontend::runSolve).
constexpr int kSolveCancelled = -1;

// Runs a level's entry point the way the commands do: drawing off and the wait cursor on
// for the solve (run through Frontend::runSolve), then mainBoard rebuilt from its own log
// (the colour rules used its lattice as scratch space) and drawing back on. Returns the
// entry point's result: 0 for a contradiction, 1 otherwise, or kSolveCancelled; a
// cancelled solve leaves workBoard and the rating counters half done.
int solveAtLevel(PuzzleState& state, SolveLevel level);

// The full solve of the auto-solve command: solves as solveAtLevel does and keeps the
// outcome in `difficulty`: 10000 + the rating, or 9999 after a contradiction. Returns the
// full solve's result, or kSolveCancelled (then `difficulty` is unchanged).
int solveAndRate(PuzzleState& state);

// Level01Click, Level11Click, Level21Click (kLevel0 to kLevel2): solves at the level from
// the clues, hands the result to mainBoard as one step and shows "LevelN\n %d ms". A
// rating held in `difficulty` (10000 + r) becomes r: workBoard no longer holds the full
// solve. A cancelled solve leaves everything as it was before the command, silently.
void levelCommand(PuzzleState& state, SolveLevel level, TickSource tick = tickCount);

// SpeedButton5Click: solves completely and rates, unless `difficulty` already holds a
// rating; hands the result to mainBoard and shows the rating (with the time when the
// solve took any), or "エラーがあります。" after a contradiction. A cancelled solve leaves
// everything as it was before the command, silently.
void autoSolveCommand(PuzzleState& state, TickSource tick = tickCount);

}  // namespace vexilo
