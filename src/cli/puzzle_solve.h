// Solving one puzzle file for the command-line tool, the way the window's commands solve.
#pragma once

#include <cstdint>
#include <string>

#include "solver/solve_commands.h"

namespace vexilo {
struct PuzzleState;
}

namespace vexilo::cli {

// "0", "1", "2" or "full", and back.
const char* levelName(SolveLevel level);
bool parseLevel(const std::string& text, SolveLevel& level);

// Nanoseconds of the steady clock, for timings finer than the commands' millisecond tick;
// after useCpuClock(), of the calling thread's processor time instead, which other
// programs on a busy machine do not inflate.
int64_t preciseTickNs();
void useCpuClock();
// Milliseconds from t0 (a preciseTickNs reading) to now, less what two readings of the clock
// with nothing between them take.
double msSince(int64_t t0);

// What one solve reached.
struct SolveReport {
    int width = 0;
    int height = 0;
    const char* result = "";  // "solved", "stuck" or "contradiction"
    int rating = -1;          // the full solve's rating; -1 for none
    double ms = 0;            // the solve alone, without reading the file
};

// Solves the loaded puzzle at `level` as the Level command does (the full level as the
// auto-solve command does, with its rating in `difficulty`), without the user's board, and
// judges workBoard: solved when the answer check finds it correct, stuck when it is still
// open, contradiction when the level met one (or the check finds the complete position
// wrong).
SolveReport solveLoadedPuzzle(PuzzleState& state, SolveLevel level);

}  // namespace vexilo::cli
