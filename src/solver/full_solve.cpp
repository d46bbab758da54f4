#include "solver/full_solve.h"

#include "model/puzzle_state.h"
#include "solver/answer_check.h"
#include "solver/engine/colour_rules.h"
#include "solver/solve_levels.h"
#include "solver/trial_search.h"

namespace vexilo {

SolveOutcome solveFull(PuzzleState& state) {
    prepareSolve(state);
    const IncrementalSolve incremental(state);
    return solveFullPrepared(state);
}

SolveOutcome solveFullPrepared(PuzzleState& state) {
    // workBoard only gains decisions from one answer check to the next, so each check takes
    // up the search for an undecided edge where the last one found it.
    int firstOpen = 0;
    int firstUnset = 0;
    for (;;) {
        if (!propagateAll(state, &firstUnset)) return SolveOutcome::kContradiction;
        // With every edge set the colour rules can decide nothing, and they change only
        // mainBoard's lattice, their scratch space, which the caller rebuilds: they are
        // passed over then, unless an observer hears them name themselves.
        const bool anyUnset = findUnsetEdge(state, firstUnset);
        if ((anyUnset || state.ruleObserver != nullptr) && runColourRules(state)) continue;
        // No edge left unset, none is undecided: the check's search has nothing to find.
        if (!anyUnset) firstOpen = firstUnset;
        if (state.trialPasses == 0) state.effortBeforeTrials = state.effortScore;
        const AnswerResult answer = checkAnswer(state, *state.workBoard, firstOpen);
        if (answer == AnswerResult::kWrong) return SolveOutcome::kContradiction;
        if (answer == AnswerResult::kCorrect) return SolveOutcome::kSolved;
        ++state.trialPasses;
        const int savedScore = state.effortScore;
        const RuleResult deduced = trialSearch(state);
        state.effortScore = savedScore;
        if (deduced != RuleResult::kProgress) return SolveOutcome::kStuck;
    }
}

}  // namespace vexilo
