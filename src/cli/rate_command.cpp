// vexilo-cli rate: the auto-solve command's full solve and rating for puzzle files, and,
// with --write, the rating written into each native file as leaving the puzzle would.
#include <iostream>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/options.h"
#include "cli/puzzle_solve.h"
#include "cli/solver_commands.h"
#include "files/open_save.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kRateUsage =
    "rate [--write] [-j N] PATH...\n"
    "                       rate puzzle files as the auto-solve command does; --write puts\n"
    "                       each rating into its .ALC file as leaving the puzzle would";

namespace {

struct RateOptions {
    bool write = false;
    int threads = 1;
    Args paths;
};

bool parseRateOptions(const Args& args, RateOptions& o) {
    OptionParser parser(kRateUsage, "rate");
    parser.flag("--write", o.write);
    parser.count("--jobs", "-j", 1, 256, o.threads, "-j takes a number of threads from 1 to 256");
    return parser.parse(args, o.paths);
}

Outcome ratePuzzle(const std::string& path, PuzzleState& state, BatchFrontend& frontend,
                   bool write) {
    openPuzzleForCommand(state, path);
    const SolveReport rep = solveLoadedPuzzle(state, kLevelFull);
    Outcome out;
    out.ms = rep.ms;
    std::string text = path + "  " + std::to_string(rep.width) + "x" + std::to_string(rep.height);
    if (rep.rating < 0) {
        text += "  エラーがあります。";
        out.categories.push_back("contradiction");
    } else {
        text += "  rating " + std::to_string(rep.rating);
        out.categories.push_back("rating " + std::to_string(rep.rating));
        if (rep.result == std::string("stuck")) {
            text += " (stuck)";
            out.categories.push_back("stuck");
        }
    }
    text += "  trialPasses " + std::to_string(state.trialPasses) + "  " + formatMs(rep.ms) + " ms";
    if (write) {
        // Leaving the puzzle writes a pending rating (and -1 after a contradiction) into its
        // own native file; a foreign file is never written.
        const Difficulty pending = state.difficulty;
        writeBackPendingRating(state);
        if (state.difficulty != pending) {
            text += "  written";
            out.categories.push_back("written");
        }
    }
    out.text = text + "\n";
    out.notes = notesOf(path, frontend);
    return out;
}

}  // namespace

int runRateCommand(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kRateUsage << "\n";
        return 0;
    }
    RateOptions o;
    if (!parseRateOptions(args, o)) return kExitUsage;
    std::vector<std::string> files;
    std::string error;
    if (!collectPuzzlePaths(o.paths, files, error)) {
        printError(error);
        return kExitFileError;
    }
    const BatchTotals totals =
        runBatch(files, o.threads,
                 [&](const std::string& path, PuzzleState& state, BatchFrontend& frontend) {
                     return ratePuzzle(path, state, frontend, o.write);
                 });
    if (files.size() > 1) std::cerr << summaryLine(files.size(), totals) << "\n";
    return totals.failures == 0 ? 0 : kExitFileError;
}

}  // namespace vexilo::cli
