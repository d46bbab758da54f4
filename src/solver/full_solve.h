// The full solve: the rules to a standstill, the answer check, and, while the answer is
// still open, one deduction from the trial search at a time followed by the rules again.
#pragma once

namespace vexilo {

struct PuzzleState;

// How a full solve ended: an impossible position (or a complete one that is wrong), the
// answer check judging workBoard correct, or an open position no hypothesis advanced.
enum class [[nodiscard]] SolveOutcome { kContradiction, kStuck, kSolved };

// Keeps the rating counters: trialPasses, effortBeforeTrials (the score when the rules
// first came to rest), and effortScore without the rule work done inside hypotheses.
SolveOutcome solveFull(PuzzleState& state);

// solveFull on a workBoard that prepareSolve has already made ready.
SolveOutcome solveFullPrepared(PuzzleState& state);

}  // namespace vexilo
