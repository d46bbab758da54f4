// Speed of what the user waits for on the board: a click (its move, the rebuild and the
// redraw of both pictures) with a long log, and the paint of the view at the smallest and
// the largest zoom. Targets: a click within 16 ms on 100 x 100 and 150 ms on 500 x 500; a
// paint within 16 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "display/board_renderer.h"
#include "display/mouse_play.h"
#include "display/paint_board.h"
#include "long_game.h"
#include "model/frontend.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"

namespace vexilo {
namespace {

// Left clicks on one edge in the middle of the board: a line, then its removal, and so on;
// each click appends its entry, rebuilds mainBoard and redraws both pictures.
void BM_ClickRebuildAndRedraw(benchmark::State& bench) {
    DrawnState d;
    PuzzleState& s = *d.state;
    const int side = static_cast<int>(bench.range(0));
    longGame(s, side, static_cast<int>(bench.range(1)));
    // The edge that the log leaves alone, in the middle of the board; its middle pixel at
    // zoom 1 is (4x, 4y).
    const auto [x, y] = clickedEdge(side);
    const int viewX = 4 * x;
    const int viewY = 4 * y;
    for (auto _ : bench) {
        if (playClick(s, MouseButton::kLeft, viewX, viewY, 0, 0) != ClickResult::kRecorded) {
            bench.SkipWithError("the click was refused");
            break;
        }
    }
    bench.SetLabel(std::to_string(side) + " x " + std::to_string(side) + ", log of " +
                   std::to_string(bench.range(1)) + " entries");
}
BENCHMARK(BM_ClickRebuildAndRedraw)
    ->Args({100, 100000})
    ->Args({500, 1000000})
    ->Unit(benchmark::kMillisecond);

// The view of the default window (352 x 352 beside the scroll bars) and of a full-screen
// window, scrolled into the middle of a 500 x 500 board, into a 32-bit screen image.
void BM_PaintView(benchmark::State& bench) {
    PixelBuffer picture;
    picture.resize(boardPixels(500), boardPixels(500));
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    }
    const int zoom = static_cast<int>(bench.range(0));
    const int w = static_cast<int>(bench.range(1));
    const int h = static_cast<int>(bench.range(2));
    std::vector<uint32_t> view(static_cast<size_t>(w) * h);
    const int scroll = zoom * picture.width / 2 - w / 2 + 3;
    for (auto _ : bench) {
        paintBoard(picture, scroll, scroll, zoom, w, h, view.data(), w, PixelOrder::kOpaqueArgb);
        benchmark::DoNotOptimize(view.data());
    }
    bench.SetLabel("zoom " + std::to_string(zoom) + ", " + std::to_string(w) + " x " +
                   std::to_string(h));
}
BENCHMARK(BM_PaintView)
    ->Args({1, 352, 352})
    ->Args({32, 352, 352})
    ->Args({1, 1880, 1040})
    ->Args({32, 1880, 1040})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vexilo
