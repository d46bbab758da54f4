#include "commands/check_commands.h"

#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "model/puzzle_state.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"

namespace vexilo {

void checkCommand(PuzzleState& state) {
    if (state.W() == 0) return;
    const AnswerResult result = checkPosition(state, *state.mainBoard);
    if (result == AnswerResult::kWrong) state.frontend.showMessage("違います。");
    if (result == AnswerResult::kCorrect) {
        state.frontend.puzzleSolved();
        state.frontend.showMessage("正解です!!");
    }
    if (state.errorX == 0 && state.errorY == 0) return;
    state.frontend.pointAt(state.errorX, state.errorY);
}

void uniqueCheckCommand(PuzzleState& state) {
    if (state.W() == 0) return;
    const complete::LoopPuzzle puzzle = complete::loopPuzzleOf(state);
    complete::CompleteResult result;
    const bool completed = runWithWaitCursor(
        state,
        [&] {
            complete::CompleteSolver solver;
            solver.setCancelFlag(&state.cancelRequest);
            solver.solve(puzzle, result);
            return !result.stopped;
        },
        "調べています…");
    if (!completed) return;
    if (result.solutions == 0) state.frontend.showMessage("解はありません。");
    if (result.solutions == 1) state.frontend.showMessage("解は一つです。");
    if (result.solutions < 2) return;
    state.frontend.showMessage("解が複数あります。");
    const complete::LatticePoint d = complete::firstDifference(result.first, result.second);
    state.frontend.pointAt((d.x + 1) / 2, (d.y + 1) / 2);
}

}  // namespace vexilo
