// The complete solver from the command line: solve --complete and bench --complete.
#pragma once

#include <string>
#include <vector>

#include "cli/batch.h"

namespace vexilo::cli {

// What the complete solver found for one loaded puzzle.
struct CompleteReport {
    int width = 0;
    int height = 0;
    int solutions = 0;  // 0, 1 or 2 (two or more)
    long long nodes = 0;
    double ms = 0;         // the search alone
    std::string picture;   // the first answer as a lattice picture, when asked for
    std::string picture2;  // a second, different one
};

// "no solution", "unique" or "several": how the summary counts a puzzle.
const char* completeCategory(int solutions);

// Runs the complete solver (one per thread, kept between puzzles) on the loaded puzzle.
CompleteReport solveComplete(const PuzzleState& state, bool withPictures);

// solve --complete over the files: per puzzle solutions, nodes and time (and the pictures);
// 0 when every puzzle has exactly one answer, 1 otherwise, kExitFileError when a file
// could not be read.
int runCompleteSolve(const std::vector<std::string>& files, int threads, bool json, bool pictures);

}  // namespace vexilo::cli
