#include "generate/puzzle_rating.h"

#include <algorithm>

#include "files/native_file.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"

namespace vexilo::generate {

std::vector<std::string> nativeLinesOf(const complete::LoopPuzzle& puzzle, int rating) {
    std::vector<std::string> lines;
    lines.push_back(formatNativeHeader(puzzle.width, puzzle.height, rating));
    lines.emplace_back(kStartMarker);
    for (int row = 0; row < puzzle.height; ++row) {
        std::string text(static_cast<size_t>(puzzle.width), '-');
        for (int column = 0; column < puzzle.width; ++column) {
            const int clue = puzzle.clue(column, row);
            if (clue >= 0) text[column] = static_cast<char>('0' + clue);
        }
        lines.push_back(std::move(text));
    }
    lines.emplace_back(kEndMarker);
    return lines;
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
