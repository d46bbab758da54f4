// A puzzle of up to 4 x 4 cells solved at every level, against every answer the brute force
// of small_answers finds. The first two bytes give width and height (1..4), each further
// byte a cell (0-3 a clue, 4 none).
//
// What the solver promises, and so what is checked: where the puzzle has exactly one answer
// and that loop goes around more than three cells, no level that stays consistent decides an
// edge against it. Its rules assume the loop is unique, and some of them are knowingly
// unsound for loops around one to three cells. A level is not held to "no contradiction":
// the rules call some such boards contradictory (the seeds full-contradiction and
// level2-contradiction are two), and a position is not judged after one. Everywhere else
// only the sanitizers watch the solver.
#include <cstdint>
#include <string>
#include <vector>

#include "files/native_file.h"
#include "fuzz_support.h"
#include "loading/puzzle_loading.h"
#include "model/lattice.h"
#include "model/puzzle_state.h"
#include "small_answers.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"

using namespace vexilo;

namespace {

void checkAgainst(PuzzleState& state, const fuzz::SmallAnswer& answer, SolveLevel level,
                  bool consistent) {
    const std::string where = "level " + std::to_string(level) + ": ";
    if (!consistent) return;
    const Board& board = *state.workBoard;
    for (int y = 1; y <= 2 * state.H() + 1; ++y) {
        for (int x = 1 + y % 2; x <= 2 * state.W() + 1; x += 2) {
            const int key = board.at(x, y) & kKeyMask;
            if (key == kUndecided) continue;
            if ((key == kLine) != fuzz::isLoopEdge(answer, state.W(), state.H(), x, y)) {
                fuzz::fail(where + "a wrong decision at " + std::to_string(x) + "," +
                           std::to_string(y));
            }
        }
    }
    if (level == kLevelFull && checkAnswer(state, *state.workBoard) == AnswerResult::kWrong) {
        fuzz::fail(where + "the full solve's position is wrong");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int width = 1 + data[0] % fuzz::kSmallSide;
    const int height = 1 + data[1] % fuzz::kSmallSide;
    std::vector<uint8_t> clues(static_cast<size_t>(width * height), 4);
    for (size_t i = 2; i < size && i - 2 < clues.size(); ++i) clues[i - 2] = data[i] % 5;

    PuzzleState& state = fuzz::sharedState();
    state.fileLines = {formatNativeHeader(width, height, -1), kStartMarker};
    for (int r = 0; r < height; ++r) {
        std::string row;
        for (int c = 0; c < width; ++c) row += "0123-"[clues[r * width + c]];
        state.fileLines.push_back(row);
    }
    state.fileLines.emplace_back(kEndMarker);
    if (!readNativeText(state, "fuzz.ALC")) fuzz::fail("the puzzle text does not read");

    const fuzz::SmallAnswer* answer = fuzz::uniqueAnswer(width, height, clues.data());
    const bool promised = answer != nullptr && answer->cells > 3;
    for (SolveLevel level : {kLevel0, kLevel1, kLevel2, kLevelFull}) {
        const bool consistent =
            level == kLevelFull
                ? solveAndRate(state) != SolveOutcome::kContradiction
                : solveAtLevel(state, level) == LevelResult::kAtRest;
        if (promised) checkAgainst(state, *answer, level, consistent);
    }
    return 0;
}
