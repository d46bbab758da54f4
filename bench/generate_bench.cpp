// Speed of the generator: one puzzle per iteration, each from the next seed, at the sizes a
// player asks for most; any rating, and the hardest rating on a small board. Besides the
// mean, each run reports the median processor time per puzzle, the figure that matters on a
// machine shared with other work. The threaded run shows how a batch scales with the cores.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "generate/puzzle_generator.h"

namespace vexilo::generate {
namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Arguments: side, rating (-1 for any).
void BM_Generate(benchmark::State& bench) {
    const int side = static_cast<int>(bench.range(0));
    const int rating = static_cast<int>(bench.range(1));
    PuzzleGenerator generator;
    GeneratedPuzzle made;
    std::vector<double> times;
    uint64_t seed = 1000 * static_cast<uint64_t>(bench.thread_index());
    int asked = 0;
    int clues = 0;
    for (auto _ : bench) {
        const double t0 = threadCpuMs();
        const GenerateOutcome outcome =
            generator.generate({side, side, rating, false, ++seed}, made);
        times.push_back(threadCpuMs() - t0);
        if (outcome != GenerateOutcome::kMade) {
            bench.SkipWithError("no puzzle made");
            break;
        }
        asked += made.ratingAsked;
        clues += made.clues;
    }
    const auto n = static_cast<double>(times.size());
    bench.counters["median_cpu_ms"] = median(times);
    bench.counters["rated_as_asked"] = n > 0 ? asked / n : 0;
    bench.counters["clues"] = n > 0 ? clues / n : 0;
}
BENCHMARK(BM_Generate)
    ->Args({10, kAnyRating})
    ->Args({20, kAnyRating})
    ->Unit(benchmark::kMillisecond);
// Slower: a fixed number of puzzles, enough for a median (and for rating 6, how often a
// 10 x 10 reaches it).
BENCHMARK(BM_Generate)->Args({30, kAnyRating})->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate)->Args({10, 6})->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate)->Args({100, kAnyRating})->Iterations(3)->Unit(benchmark::kMillisecond);

// A batch on one thread and on two, each thread making its own series: with the real time
// per puzzle, two threads on two free cores take half as long.
void BM_GenerateBatch(benchmark::State& bench) {
    PuzzleGenerator generator;
    GeneratedPuzzle made;
    uint64_t seed = 1000 * static_cast<uint64_t>(bench.thread_index());
    for (auto _ : bench) {
        if (generator.generate({20, 20, kAnyRating, false, ++seed}, made) !=
            GenerateOutcome::kMade) {
            bench.SkipWithError("no puzzle made");
            break;
        }
    }
}
BENCHMARK(BM_GenerateBatch)->Threads(1)->Threads(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexilo::generate
