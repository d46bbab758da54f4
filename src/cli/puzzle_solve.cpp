#include "cli/puzzle_solve.h"

#include <chrono>

#include "model/puzzle_state.h"
#include "solver/answer_check.h"

namespace vexilo::cli {

const char* levelName(SolveLevel level) {
    switch (level) {
        case kLevel0:
            return "0";
        case kLevel1:
            return "1";
        case kLevel2:
            return "2";
        case kLevelFull:
            break;
    }
    return "full";
}

bool parseLevel(const std::string& text, SolveLevel& level) {
    for (SolveLevel l : {kLevel0, kLevel1, kLevel2, kLevelFull}) {
        if (text == levelName(l)) {
            level = l;
            return true;
        }
    }
    return false;
}

int64_t preciseTickNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SolveReport solveLoadedPuzzle(PuzzleState& state, SolveLevel level) {
    SolveReport report;
    report.width = state.W();
    report.height = state.H();
    const int64_t t0 = preciseTickNs();
    const int r = level == kLevelFull ? solveAndRate(state) : solveAtLevel(state, level);
    report.ms = static_cast<double>(preciseTickNs() - t0) / 1e6;
    if (r == 0) {
        report.result = "contradiction";
        return report;
    }
    switch (checkAnswer(state, *state.workBoard)) {
        case kAnswerCorrect:
            report.result = "solved";
            break;
        case kAnswerOpen:
            report.result = "stuck";
            break;
        default:
            report.result = "contradiction";
            break;
    }
    if (level == kLevelFull) report.rating = state.difficulty - 10000;
    return report;
}

}  // namespace vexilo::cli
