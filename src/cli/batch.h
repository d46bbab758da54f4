// The batch side of the solver commands (solve, rate, bench): which files a command line
// names, running puzzles on several threads with one PuzzleState each, output in input
// order, a progress bar on a terminal and the tallies for a summary.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/frontend.h"

namespace vexilo {
struct PuzzleState;
}

namespace vexilo::cli {

// The puzzle files that PATHs name: a file as given, a folder as every puzzle file in it,
// sorted by name. Returns false with a message for a path that does not exist.
bool collectPuzzlePaths(const Args& paths, std::vector<std::string>& files, std::string& error);

// The frontend of a puzzle solved in a batch: what the core shows is kept, to be reported
// beside the puzzle's result.
class BatchFrontend : public Frontend {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// What the work on one puzzle produced: the text for stdout (printed in input order),
// the category it is counted under in the summary, and the solve time.
struct Outcome {
    std::string text;
    std::vector<std::string> categories;  // each counted once in the summary
    std::vector<std::string> notes;       // for stderr: what the core showed, as "path: text"
    double ms = 0;
    bool failed = false;  // the file could not be read or written; text says why
};

struct BatchTotals {
    std::map<std::string, int> counts;  // by category; failures under "errors"
    double solveMs = 0;                 // sum of the puzzles' solve times
    double wallMs = 0;                  // the whole batch
    int failures = 0;
};

// Runs work on every file with `threads` threads, each with its own PuzzleState and
// BatchFrontend, which the work may reuse from one file to the next. Prints each
// outcome's text to stdout in input order as soon as it and all before it are done, its
// notes and failures to stderr. An exception thrown by the work counts as a failure. On a
// terminal (stderr) with more than one file, a progress bar runs on stderr meanwhile.
using PuzzleWork =
    std::function<Outcome(const std::string& path, PuzzleState& state, BatchFrontend& frontend)>;
BatchTotals runBatch(const std::vector<std::string>& files, int threads, const PuzzleWork& work);

// Text for JSON: quoted, with quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

// A time in ms with three decimals.
std::string formatMs(double ms);

// "N puzzles: category n, ...; solve time T ms in all, wall W ms" for stderr.
std::string summaryLine(size_t puzzles, const BatchTotals& totals);

// The messages the core showed while working on `path`, as notes.
std::vector<std::string> notesOf(const std::string& path, const BatchFrontend& frontend);

}  // namespace vexilo::cli
