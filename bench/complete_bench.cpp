// Speed of the complete solver's proof of uniqueness on large generated puzzles that need
// search: a 100 x 100 made by the generator, and a 500 x 500 whose clues were taken away in
// patches as long as the puzzle kept its one answer (bench/data/README.md). Targets: 50 ms
// and 2 s.
#include <benchmark/benchmark.h>

#include <exception>
#include <string>

#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "loading/puzzle_loading.h"
#include "model/frontend.h"
#include "model/puzzle_state.h"

namespace vexilo::complete {
namespace {

// Empty (width 0) when the file cannot be read.
LoopPuzzle benchPuzzle(const std::string& name) {
    SilentFrontend frontend;
    PuzzleState state(frontend);
    try {
        openPuzzleFile(state, std::string(VEXILO_BENCH_DATA) + "/" + name, WriteBack::kNone);
    } catch (const std::exception&) {
        return {};
    }
    return loopPuzzleOf(state);
}

void completeSolve(benchmark::State& bench, const std::string& name) {
    const LoopPuzzle puzzle = benchPuzzle(name);
    if (puzzle.width == 0) {
        bench.SkipWithError(("cannot read " + name).c_str());
        return;
    }
    CompleteSolver solver;
    CompleteResult result;
    for (auto _ : bench) solver.solve(puzzle, result);
    if (result.solutions != 1) bench.SkipWithError("not one answer");
    bench.counters["nodes"] = static_cast<double>(result.nodes);
}

void BM_CompleteSolveGenerated100(benchmark::State& bench) {
    completeSolve(bench, "generated-100x100.ALC");
}
BENCHMARK(BM_CompleteSolveGenerated100)->Unit(benchmark::kMillisecond);

void BM_CompleteSolvePatched500(benchmark::State& bench) {
    completeSolve(bench, "patched-500x500.ALC");
}
BENCHMARK(BM_CompleteSolvePatched500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexilo::complete
