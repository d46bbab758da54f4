// Speed of the core on the largest boards: the rebuild of mainBoard from a long log, reading
// a 500 x 500 puzzle, and judging a solved 500 x 500 position. Targets: 30 ms, 10 ms, 10 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "display/board_renderer.h"
#include "files/native_file.h"
#include "files/open_save.h"
#include "files/text_lines.h"
#include "loading/puzzle_loading.h"
#include "model/frontend.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/answer_check.h"

namespace vexilo {
namespace {

constexpr int kSide = 500;

struct BenchState {
    SilentFrontend frontend;
    std::unique_ptr<PuzzleState> state = std::make_unique<PuzzleState>(frontend);
    PuzzleState& operator*() { return *state; }
    PuzzleState* operator->() { return state.get(); }
};

// A 500 x 500 puzzle with random clues in about a third of the cells.
void randomClues(PuzzleState& s, uint32_t seed) {
    std::mt19937 random(seed);
    for (auto& row : *s.clueGrid) row.fill(0);
    for (int r = 0; r < kSide; ++r) {
        for (int c = 0; c < kSide; ++c) {
            if (random() % 3 == 0) (*s.clueGrid)[r][c] = static_cast<uint8_t>(1 + random() % 4);
        }
    }
    s.puzzleWidth = kSide;
    s.puzzleHeight = kSide;
}

// A log of 1,000,000 moves on random edges: most edges occur two or more times, so the
// replay cancels and ignores entries all the time.
void millionEntryLog(PuzzleState& s, Board& board, int edgePool) {
    std::mt19937 random(99);
    std::vector<std::pair<int, int>> edges;
    for (int y = 1; y <= 2 * kSide + 1; ++y) {
        for (int x = 1 + y % 2; x <= 2 * kSide + 1; x += 2) edges.emplace_back(x, y);
    }
    std::shuffle(edges.begin(), edges.end(), random);
    edges.resize(static_cast<size_t>(edgePool));
    resetMoveLog(board);
    if (edges.empty()) return;
    for (int i = 0; i < 1000000; ++i) {
        const auto [x, y] = edges[random() % edges.size()];
        if (i % 1000 == 999) openStep(board, s.frontend);
        appendEntry(board, moveEntry(x, y, random() % 2 == 0 ? kCross : kLine), s.frontend);
    }
}

void BM_RebuildBoard500MillionEntries(benchmark::State& bench) {
    BenchState s;
    randomClues(*s, 1);
    millionEntryLog(*s, *s->mainBoard, static_cast<int>(bench.range(0)));
    const bool draw = bench.range(1) != 0;
    BoardRenderer renderer(s->plainBitmap, s->colourBitmap);
    s->canvas = draw ? &renderer : nullptr;
    s->drawEnabled = 1;
    for (auto _ : bench) {
        rebuildBoard(*s, *s->mainBoard, *s->mainBoard);
        benchmark::DoNotOptimize(s->mainBoard->lattice[latticeIndex(2, 1)]);
    }
    bench.SetLabel(std::string(draw ? "drawing" : "no canvas") + ", edges " +
                   std::to_string(bench.range(0)));
}
// All 501,000 edges, and 1,000 edges revisited a thousand times each; without and with the
// renderer drawing both pictures.
BENCHMARK(BM_RebuildBoard500MillionEntries)
    ->Args({501000, 0})
    ->Args({1000, 0})
    ->Args({501000, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

// The replay alone: which entries of the log still count.
void BM_ComputeNetEntries500MillionEntries(benchmark::State& bench) {
    BenchState s;
    randomClues(*s, 1);
    millionEntryLog(*s, *s->mainBoard, static_cast<int>(bench.range(0)));
    for (auto _ : bench) benchmark::DoNotOptimize(computeNetEntries(*s, *s->mainBoard));
}
BENCHMARK(BM_ComputeNetEntries500MillionEntries)->Arg(501000)->Unit(benchmark::kMillisecond);

std::vector<std::string> nativeLines500() {
    std::mt19937 random(7);
    const std::string alphabet = "-----0123+#ABCDabcd";
    std::vector<std::string> lines = {formatNativeHeader(kSide, kSide, -1), kStartMarker};
    for (int r = 0; r < kSide; ++r) {
        std::string row(kSide, '-');
        for (char& c : row) c = alphabet[random() % alphabet.size()];
        lines.push_back(row);
    }
    lines.emplace_back(kEndMarker);
    return lines;
}

void BM_ReadNativeText500(benchmark::State& bench) {
    BenchState s;
    const auto lines = nativeLines500();
    for (auto _ : bench) {
        s->fileLines = lines;
        readNativeText(*s, "big.ALC");
    }
}
BENCHMARK(BM_ReadNativeText500)->Unit(benchmark::kMillisecond);

void BM_OpenNativeFile500(benchmark::State& bench) {
    BenchState s;
    const std::string path = "/tmp/vexilo-bench-500x500.ALC";
    saveTextLines(path, nativeLines500());
    for (auto _ : bench) openPuzzleFile(*s, path, WriteBack::kNone);
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenNativeFile500)->Unit(benchmark::kMillisecond);

// A comb: every even row of cells plus column 0. Its outline is one loop of about 250,000
// edges that runs back and forth across the board; every cell gets the clue it satisfies.
void solvedSerpentine(PuzzleState& s) {
    auto inside = [](int r, int c) {
        return r >= 0 && c >= 0 && r < kSide && c < kSide && (r % 2 == 0 || c == 0);
    };
    s.puzzleWidth = kSide;
    s.puzzleHeight = kSide;
    for (auto& row : *s.clueGrid) row.fill(0);
    for (int r = 0; r < kSide; ++r) {
        for (int c = 0; c < kSide; ++c) {
            const bool in = inside(r, c);
            const int lines = (inside(r - 1, c) != in) + (inside(r + 1, c) != in) +
                              (inside(r, c - 1) != in) + (inside(r, c + 1) != in);
            (*s.clueGrid)[r][c] = static_cast<uint8_t>(lines == 0 ? kClueZero : lines);
        }
    }
    Board& board = *s.mainBoard;
    initLatticeFromClues(s, board);
    for (int y = 1; y <= 2 * kSide + 1; ++y) {
        for (int x = 1 + y % 2; x <= 2 * kSide + 1; x += 2) {
            // The two cells the edge separates, in (row, column).
            const bool vertical = isVerticalEdge(x, y);
            const int r = y / 2 - 1 + (vertical ? 0 : 0);
            const int c = x / 2 - 1;
            const bool a = vertical ? inside(y / 2 - 1, (x - 1) / 2 - 1) : inside(r, c);
            const bool b = vertical ? inside(y / 2 - 1, (x + 1) / 2 - 1) : inside(r + 1, c);
            board.at(x, y) = a != b ? kLine : kCross;
        }
    }
}

void BM_CheckAnswerSolved500(benchmark::State& bench) {
    BenchState s;
    solvedSerpentine(*s);
    AnswerResult result = AnswerResult::kOpen;
    for (auto _ : bench) result = checkAnswer(*s, *s->mainBoard);
    if (result != AnswerResult::kCorrect)
        bench.SkipWithError("the serpentine is not judged correct");
}
BENCHMARK(BM_CheckAnswerSolved500)->Unit(benchmark::kMillisecond);

void BM_CheckPositionSolved500(benchmark::State& bench) {
    BenchState s;
    solvedSerpentine(*s);
    AnswerResult result = AnswerResult::kOpen;
    for (auto _ : bench) result = checkPosition(*s, *s->mainBoard);
    if (result != AnswerResult::kCorrect)
        bench.SkipWithError("the serpentine is not judged correct");
}
BENCHMARK(BM_CheckPositionSolved500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexilo
