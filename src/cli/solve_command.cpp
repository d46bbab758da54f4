// vexilo-cli solve: runs a solve level on puzzle files and reports what it reached.
#include <iostream>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/complete_solve.h"
#include "cli/options.h"
#include "cli/puzzle_solve.h"
#include "cli/solver_commands.h"
#include "model/lattice_picture.h"
#include "model/puzzle_state.h"
#include "solver/solve_commands.h"

namespace vexilo::cli {

const char* const kSolveUsage =
    "solve [--level 0|1|2|full | --complete] [--picture] [--json] [-j N] PATH...\n"
    "                       solve puzzle files (a folder: every puzzle in it) at a level\n"
    "                       (default full) and report result, counters, rating and time;\n"
    "                       --complete counts the answers (0, 1, 2 for two or more) and\n"
    "                       exits with 0 only when every puzzle has exactly one";

namespace {

struct SolveOptions {
    SolveLevel level = kLevelFull;
    bool picture = false;
    bool json = false;
    bool complete = false;
    bool levelGiven = false;
    int threads = 1;
    Args paths;
};

bool parseSolveOptions(const Args& args, SolveOptions& o) {
    OptionParser parser(kSolveUsage, "solve");
    parser.flag("--picture", o.picture);
    parser.flag("--json", o.json);
    parser.flag("--complete", o.complete);
    parser.level("--level", o.level, &o.levelGiven);
    parser.count("--jobs", "-j", 1, 256, o.threads, "-j takes a number of threads from 1 to 256");
    if (!parser.parse(args, o.paths)) return false;
    if (o.complete && o.levelGiven) {
        usageError(kSolveUsage, "--complete and --level exclude each other");
        return false;
    }
    return true;
}

}  // namespace

int runSolveCommand(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kSolveUsage << "\n";
        return 0;
    }
    SolveOptions o;
    if (!parseSolveOptions(args, o)) return kExitUsage;
    std::vector<std::string> files;
    std::string error;
    if (!collectPuzzlePaths(o.paths, files, error)) {
        printError(error);
        return kExitFileError;
    }
    if (o.complete) return runCompleteSolve(files, o.threads, o.json, o.picture);
    const BatchTotals totals = runBatch(
        files, o.threads,
        [&](const std::string& path, PuzzleState& state, BatchFrontend& frontend) {
            openPuzzleForCommand(state, path);
            const SolveReport rep = solveLoadedPuzzle(state, o.level);
            Outcome out;
            out.categories.push_back(rep.result);
            out.ms = rep.ms;
            out.notes = notesOf(path, frontend);
            const std::string rating = rep.rating >= 0 ? std::to_string(rep.rating) : "null";
            const std::string picture =
                o.picture ? latticePictureText(state, *state.workBoard) : "";
            if (o.json) {
                out.text = "{\"file\": " + jsonString(path) +
                           ", \"width\": " + std::to_string(rep.width) +
                           ", \"height\": " + std::to_string(rep.height) + ", \"level\": \"" +
                           levelName(o.level) + "\", \"result\": \"" + rep.result +
                           "\", \"rating\": " + rating +
                           ", \"trialPasses\": " + std::to_string(state.trialPasses) +
                           ", \"effortScore\": " + std::to_string(state.effortScore) +
                           ", \"ruleUsage\": " + std::to_string(state.ruleUsage) +
                           ", \"effortBeforeTrials\": " + std::to_string(state.effortBeforeTrials) +
                           ", \"ms\": " + formatMs(rep.ms) +
                           ", \"picture\": " + (o.picture ? jsonString(picture) : "null") + "}\n";
            } else {
                out.text = path + "  " + std::to_string(rep.width) + "x" +
                           std::to_string(rep.height) + "  level " + levelName(o.level) + "  " +
                           rep.result + "  rating " + (rep.rating >= 0 ? rating : "-") +
                           "  trialPasses " + std::to_string(state.trialPasses) + "  effortScore " +
                           std::to_string(state.effortScore) + "  effortBeforeTrials " +
                           std::to_string(state.effortBeforeTrials) + "  ruleUsage " +
                           std::to_string(state.ruleUsage) + "  " + formatMs(rep.ms) + " ms\n" +
                           picture;
            }
            return out;
        });
    if (files.size() > 1) std::cerr << summaryLine(files.size(), totals) << "\n";
    return totals.failures == 0 ? 0 : kExitFileError;
}

}  // namespace vexilo::cli
