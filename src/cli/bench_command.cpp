// vexilo-cli bench: solves every puzzle several times and reports the solve times per
// board size, and over all puzzles when there are several sizes: median, 95th percentile
// and maximum over the puzzles, each puzzle counted with the median of its runs.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/complete_solve.h"
#include "cli/options.h"
#include "cli/puzzle_solve.h"
#include "cli/solver_commands.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kBenchUsage =
    "bench [--level 0|1|2|full | --complete] [--repeat N] [--cpu] PATH...\n"
    "                       solve every puzzle N times (default 5) and print the median,\n"
    "                       95th percentile and maximum solve time per board size\n"
    "                       (--complete: the complete solver's count of the answers;\n"
    "                       --cpu: processor time of the solving thread, not elapsed time)";

namespace {

struct BenchOptions {
    SolveLevel level = kLevelFull;
    bool complete = false;
    bool levelGiven = false;
    bool cpu = false;
    int repeat = 5;
    Args paths;
};

bool parseBenchOptions(const Args& args, BenchOptions& o) {
    OptionParser parser(kBenchUsage, "bench");
    parser.level("--level", o.level, &o.levelGiven);
    parser.flag("--complete", o.complete);
    parser.flag("--cpu", o.cpu);
    parser.count("--repeat", nullptr, 1, 1000, o.repeat, "--repeat takes a number from 1 to 1000");
    if (!parser.parse(args, o.paths)) return false;
    if (o.complete && o.levelGiven) {
        usageError(kBenchUsage, "--complete and --level exclude each other");
        return false;
    }
    return true;
}

// The value at rank ceil(q * n) of sorted values (nearest rank).
double quantile(const std::vector<double>& sorted, double q) {
    size_t rank = static_cast<size_t>(q * static_cast<double>(sorted.size()) + 0.999999);
    rank = std::clamp<size_t>(rank, 1, sorted.size());
    return sorted[rank - 1];
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int runBenchCommand(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kBenchUsage << "\n";
        return 0;
    }
    BenchOptions o;
    if (!parseBenchOptions(args, o)) return kExitUsage;
    if (o.cpu) useCpuClock();
    std::vector<std::string> files;
    std::string error;
    if (!collectPuzzlePaths(o.paths, files, error)) {
        printError(error);
        return kExitFileError;
    }
    // Sizes ordered by cell count, then width.
    using SizeKey = std::pair<int, int>;  // (cells, width)
    std::map<SizeKey, std::pair<std::string, std::vector<double>>> bySize;
    std::mutex mutex;
    // One thread: timings must not compete for the cores.
    const BatchTotals totals =
        runBatch(files, 1, [&](const std::string& path, PuzzleState& state, BatchFrontend& fe) {
            openPuzzleForCommand(state, path);
            std::vector<double> runs;
            Outcome out;
            for (int r = 0; r < o.repeat; ++r) {
                if (o.complete) {
                    const CompleteReport rep = solveComplete(state, false);
                    runs.push_back(rep.ms);
                    if (r == 0) out.categories.push_back(completeCategory(rep.solutions));
                    continue;
                }
                const SolveReport rep = solveLoadedPuzzle(state, o.level);
                runs.push_back(rep.ms);
                if (r == 0) out.categories.push_back(rep.result);
            }
            out.ms = median(runs);
            out.notes = notesOf(path, fe);
            std::lock_guard<std::mutex> lock(mutex);
            auto& entry = bySize[{state.W() * state.H(), state.W()}];
            entry.first = std::to_string(state.W()) + "x" + std::to_string(state.H());
            entry.second.push_back(out.ms);
            return out;
        });
    std::printf("%s%s, %d runs per puzzle, %s in ms (each puzzle: the median of its runs)\n",
                o.complete ? "" : "level ", o.complete ? "complete" : levelName(o.level), o.repeat,
                o.cpu ? "processor times" : "times");
    std::printf("%-9s %7s %10s %10s %10s\n", "size", "puzzles", "median", "p95", "max");
    std::vector<double> all;
    auto printRow = [](const char* name, std::vector<double>& times) {
        std::sort(times.begin(), times.end());
        std::printf("%-9s %7zu %10.3f %10.3f %10.3f\n", name, times.size(), median(times),
                    quantile(times, 0.95), times.back());
    };
    for (auto& [key, entry] : bySize) {
        all.insert(all.end(), entry.second.begin(), entry.second.end());
        printRow(entry.first.c_str(), entry.second);
    }
    if (bySize.size() > 1) printRow("all", all);
    std::fflush(stdout);
    std::cerr << summaryLine(files.size(), totals) << "\n";
    return totals.failures == 0 ? 0 : kExitFileError;
}

}  // namespace vexilo::cli
