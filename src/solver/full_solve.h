// The full solve: the rules to a standstill, the answer check, and, while the answer is
// still open, one deduction from the trial search at a time followed by the rules again.
#pragma once

namespace vexilo {

struct PuzzleState;

// 0 when the solver met a contradiction, 1 when it stopped (solved, or could go no
// further). Keeps the rating counters: trialPasses, effortBeforeTrials (the score when the
// rules first came to rest), and effortScore without the rule work done inside hypotheses.
int solveFull(PuzzleState& state);

}  // namespace vexilo
