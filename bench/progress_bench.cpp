// What keeping the player's progress adds to a click: the click on a 500 x 500 board with a
// log of a million entries, with the change handed to the progress writer after it, and the
// hand-over alone (the compare with the log as last written, on the playing thread). The
// writing itself runs on the writer's thread.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "display/mouse_play.h"
#include "long_game.h"
#include "progress/progress_keeper.h"

namespace vexilo {
namespace {

class ScratchProgressFolder {
  public:
    ScratchProgressFolder() {
        char pattern[] = "/tmp/vexilo-bench-progress-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~ScratchProgressFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

void BM_ClickWithProgressKept(benchmark::State& bench) {
    DrawnState d;
    PuzzleState& s = *d.state;
    const int side = static_cast<int>(bench.range(0));
    longGame(s, side, static_cast<int>(bench.range(1)));
    ScratchProgressFolder folder;
    ProgressKeeper keeper(folder.path());
    keeper.afterCommand(s, 1);
    const auto [x, y] = clickedEdge(side);
    const bool clickOnly = bench.range(2) == 0;
    for (auto _ : bench) {
        if (clickOnly) {
            // The move without the rebuild: what the hand-over costs on its own.
            appendEntry(*s.mainBoard, moveEntry(x, y, kLine), s.frontend);
        } else if (playClick(s, MouseButton::kLeft, 4 * x, 4 * y, 0, 0) != ClickResult::kRecorded) {
            bench.SkipWithError("the click was refused");
            break;
        }
        keeper.afterCommand(s, 1);
    }
    keeper.flush();
    bench.SetLabel(std::string(clickOnly ? "hand-over only, " : "click and hand-over, ") +
                   std::to_string(side) + " x " + std::to_string(side) + ", log of " +
                   std::to_string(bench.range(1)) + " entries");
}
BENCHMARK(BM_ClickWithProgressKept)
    ->Args({500, 1000000, 1})
    ->Args({500, 1000000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexilo
