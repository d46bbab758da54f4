#include "solver/full_solve.h"

#include "model/puzzle_state.h"
#include "solver/answer_check.h"
#include "solver/engine/colour_rules.h"
#include "solver/solve_levels.h"
#include "solver/trial_search.h"

namespace vexilo {

int solveFull(PuzzleState& state) {
    prepareSolve(state);
    for (;;) {
        if (propagateAll(state) == 0) return 0;
        if (runColourRules(state) == 1) continue;
        if (state.trialPasses == 0) state.effortBeforeTrials = state.effortScore;
        const int answer = checkAnswer(state, *state.workBoard);
        if (answer == kAnswerWrong) return 0;
        if (answer == kAnswerCorrect) return 1;
        ++state.trialPasses;
        const int savedScore = state.effortScore;
        const int t = trialSearch(state);
        state.effortScore = savedScore;
        if (t != 1) return 1;
    }
}

}  // namespace vexilo
