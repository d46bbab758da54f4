#include "cli/complete_solve.h"

#include <iostream>

#include "cli/cli_puzzle.h"
#include "cli/puzzle_solve.h"
#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

namespace {

std::string pictureText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

}  // namespace

const char* completeCategory(int solutions) {
    return solutions == 0 ? "no solution" : solutions == 1 ? "unique" : "several";
}

CompleteReport solveComplete(const PuzzleState& state, bool withPictures) {
    thread_local complete::CompleteSolver solver;
    thread_local complete::CompleteResult result;
    CompleteReport report;
    report.width = state.W();
    report.height = state.H();
    const complete::LoopPuzzle puzzle = complete::loopPuzzleOf(state);
    const int64_t t0 = preciseTickNs();
    solver.solve(puzzle, result);
    report.ms = msSince(t0);
    report.solutions = result.solutions;
    report.nodes = result.nodes;
    if (withPictures && result.solutions >= 1) {
        report.picture = pictureText(complete::solutionPicture(puzzle, result.first));
    }
    if (withPictures && result.solutions >= 2) {
        report.picture2 = pictureText(complete::solutionPicture(puzzle, result.second));
    }
    return report;
}

int runCompleteSolve(const std::vector<std::string>& files, int threads, bool json, bool pictures) {
    const BatchTotals totals = runBatch(
        files, threads, [&](const std::string& path, PuzzleState& state, BatchFrontend& frontend) {
            openPuzzleForCommand(state, path);
            const CompleteReport rep = solveComplete(state, pictures);
            Outcome out;
            out.categories.push_back(completeCategory(rep.solutions));
            out.ms = rep.ms;
            out.notes = notesOf(path, frontend);
            auto jsonPicture = [&](const std::string& p) {
                return pictures && !p.empty() ? jsonString(p) : std::string("null");
            };
            if (json) {
                out.text =
                    "{\"file\": " + jsonString(path) + ", \"width\": " + std::to_string(rep.width) +
                    ", \"height\": " + std::to_string(rep.height) +
                    ", \"solutions\": " + std::to_string(rep.solutions) +
                    ", \"nodes\": " + std::to_string(rep.nodes) + ", \"ms\": " + formatMs(rep.ms) +
                    ", \"picture\": " + jsonPicture(rep.picture) +
                    ", \"picture2\": " + jsonPicture(rep.picture2) + "}\n";
            } else {
                out.text = path + "  " + std::to_string(rep.width) + "x" +
                           std::to_string(rep.height) + "  complete  solutions " +
                           std::to_string(rep.solutions) + " (" + completeCategory(rep.solutions) +
                           ")  nodes " + std::to_string(rep.nodes) + "  " + formatMs(rep.ms) +
                           " ms\n" + rep.picture + (rep.picture2.empty() ? "" : "\n") +
                           rep.picture2;
            }
            return out;
        });
    if (files.size() > 1) std::cerr << summaryLine(files.size(), totals) << "\n";
    if (totals.failures != 0) return kExitFileError;
    const auto unique = totals.counts.find("unique");
    const int uniqueCount = unique == totals.counts.end() ? 0 : unique->second;
    return uniqueCount == static_cast<int>(files.size()) ? 0 : 1;
}

}  // namespace vexilo::cli
