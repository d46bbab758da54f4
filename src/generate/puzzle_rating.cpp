#include "generate/puzzle_rating.h"

#include <algorithm>

#include "files/native_file.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"

namespace vexilo::generate {

std::vector<std::string> nativeLinesOf(const complete::LoopPuzzle& puzzle, int rating) {
    NativePuzzle native;
    native.width = puzzle.width;
    native.height = puzzle.height;
    native.difficulty = Difficulty{rating};
    native.cells.reserve(puzzle.clues.size());
    for (const int8_t clue : puzzle.clues) {
        native.cells.push_back(clue < 0 ? 0 : clue == 0 ? kClueZero : static_cast<uint8_t>(clue));
    }
    return formatNativeText(native);
}

PuzzleRater::PuzzleRater() : state_(std::make_unique<PuzzleState>(frontend_)) {}

PuzzleRater::~PuzzleRater() = default;

PuzzleRating PuzzleRater::rate(const complete::LoopPuzzle& puzzle) {
    PuzzleState& state = *state_;
    state.fileLines = nativeLinesOf(puzzle, -1);
    readNativeText(state, "new.ALC");
    PuzzleRating result;
    if (solveAndRate(state) == SolveOutcome::kContradiction) return result;
    if (checkAnswer(state, *state.workBoard) != AnswerResult::kCorrect) return result;
    result.solved = true;
    result.rating = state.difficulty.stored - Difficulty::kPendingOffset;
    if (state.trialPasses > 0) {
        const int afterTrials = std::max(0, (state.effortScore - state.effortBeforeTrials) / 2 + 1);
        result.hardness = 1e9 + static_cast<double>(state.trialPasses) * afterTrials;
    } else {
        result.hardness = state.effortScore;
    }
    return result;
}

}  // namespace vexilo::generate
