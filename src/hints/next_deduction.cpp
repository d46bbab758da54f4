#include "hints/next_deduction.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "model/frontend.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "solver/full_solve.h"
#include "solver/solve_cancel.h"
#include "solver/solve_levels.h"
#include "solver/sub_loops.h"

namespace vexilo {
namespace {

// The scratch puzzle shows nothing.
class ScratchFrontend : public Frontend {
  public:
    void showMessage(const std::string&) override {}
};

struct FirstEdgeFound {};

// The sub-loop rule crossed edge (x, y) beside a path end: the site becomes that end and the
// path's other end.
RuleSite subLoopSite(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    const bool horizontal = isHorizontalEdge(x, y);
    for (int side : {-1, 1}) {
        const int dx = x + (horizontal ? side : 0);
        const int dy = y + (horizontal ? 0 : side);
        int lines = 0;
        Direction along = Direction::kUp;
        for (Direction dir :
             {Direction::kUp, Direction::kDown, Direction::kLeft, Direction::kRight}) {
            if ((wb.at(dx + stepX(dir), dy + stepY(dir)) & kKeyMask) != kLine) continue;
            ++lines;
            along = dir;
        }
        if (lines != 1) continue;
        const int end = findPathEnd(s, dx + 2 * stepX(along), dy + 2 * stepY(along), along);
        if (end != 0) return {RuleId::kSubLoop, dx, dy, 0, end % 4096, end / 4096};
    }
    return {RuleId::kSubLoop, 0, 0};
}

// Stops the solve at the first edge decided outside a trial's hypothesis that the player's
// position leaves undecided (seeding writes decided edges again). Every edge the solve
// decides, inside a hypothesis or not, passes here, so the caller's cancel is read here too:
// the solve then unwinds as a cancelled one.
class FirstNewEdge : public RuleObserver {
  public:
    FirstNewEdge(const Board& position, PuzzleState& scratch, const std::atomic<bool>& cancel)
        : position_(position),
          scratch_(scratch),
          cancel_(cancel),
          baseSteps_(scratch.workBoard->stepCount) {}

    void edgeDecided(int x, int y, int value) override {
        if (cancel_.load(std::memory_order_relaxed)) throw SolveCancelled{};
        if (scratch_.workBoard->stepCount != baseSteps_) return;
        if ((position_.at(x, y) & kKeyMask) != kUndecided) return;
        found = {x, y, value, site, group};
        if (site.rule == RuleId::kSubLoop) found.site = subLoopSite(scratch_, x, y);
        throw FirstEdgeFound{};
    }

    Deduction found;

  private:
    const Board& position_;
    PuzzleState& scratch_;
    const std::atomic<bool>& cancel_;
    int baseSteps_;
};

}  // namespace

Deduction nextDeduction(const PuzzleState& player) {
    const std::atomic<bool> never{false};
    return *nextDeduction(player, never);
}

std::optional<Deduction> nextDeduction(const PuzzleState& player, const std::atomic<bool>& cancel) {
    // One scratch puzzle for the process, made at the first hint and kept: its capacity is
    // large (about 27 MB, of which it touches only what the puzzles it meets use), and each
    // hint of the window runs on a thread of its own, which would make and drop one per hint.
    static ScratchFrontend silent;
    static std::mutex scratchMutex;
    static std::unique_ptr<PuzzleState> scratch;
    const std::lock_guard<std::mutex> lock(scratchMutex);
    if (!scratch) scratch = std::make_unique<PuzzleState>(silent);
    PuzzleState& s = *scratch;
    s.puzzleWidth = player.W();
    s.puzzleHeight = player.H();
    s.drawEnabled = 0;
    for (int r = 0; r < player.H(); ++r) {  // the scratch reads only the puzzle's own cells
        const auto& from = (*player.clueGrid)[static_cast<size_t>(r)];
        std::copy(from.begin(), from.begin() + player.W(),
                  (*s.clueGrid)[static_cast<size_t>(r)].begin());
    }
    Board& wb = *s.workBoard;
    const Board& position = *player.mainBoard;
    // Only the used part of the log: the rest is 4 MB of nothing.
    loadMoveLog(wb, position.moveLog.data(), static_cast<size_t>(position.writePos));

    FirstNewEdge observer(position, s, cancel);
    s.ruleObserver = &observer;
    struct Unset {
        PuzzleState& s;
        ~Unset() { s.ruleObserver = nullptr; }
    } unset{s};
    try {
        prepareSolve(s, LatticeStart::kFromLog);
        static_cast<void>(solveFullPrepared(s));
    } catch (const FirstEdgeFound&) {
    } catch (const SolveCancelled&) {
        return std::nullopt;
    }
    return observer.found;
}

}  // namespace vexilo
