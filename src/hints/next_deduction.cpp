#include "hints/next_deduction.h"

#include <memory>

#include "model/frontend.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/engine/advanced_rules.h"
#include "solver/engine/basic_rules.h"
#include "solver/engine/colour_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/sub_loops.h"
#include "solver/trial_search.h"

namespace vexilo {
namespace {

// The scratch puzzle shows nothing.
class ScratchFrontend : public Frontend {
  public:
    void showMessage(const std::string&) override {}
};

// The first move entry logged from `from` on for an edge the position leaves undecided (the
// seeding logs decided edges again), as a deduction of `level`.
bool firstDecided(const Board& board, const Board& position, int from, const char* level,
                  Deduction& d) {
    for (int i = from; i < board.writePos; ++i) {
        const int32_t e = board.moveLog[i];
        if (!isMove(e) || entryValue(e) < kCross) continue;
        if ((position.at(entryX(e), entryY(e)) & kKeyMask) != kUndecided) continue;
        d = {entryX(e), entryY(e), entryValue(e), level};
        return true;
    }
    return false;
}

}  // namespace

Deduction nextDeduction(const PuzzleState& player) {
    // One scratch puzzle per thread, kept: it is large, and hints come one after another.
    static thread_local ScratchFrontend silent;
    static thread_local auto scratch = std::make_unique<PuzzleState>(silent);
    PuzzleState& s = *scratch;
    s.puzzleWidth = player.W();
    s.puzzleHeight = player.H();
    s.drawEnabled = 0;
    s.effortScore = 0;
    s.effortBeforeTrials = 0;
    s.trialPasses = 0;
    s.ruleUsage = 0;
    s.startPatternsDone = 0;
    *s.clueGrid = *player.clueGrid;
    Board& wb = *s.workBoard;
    copyMoveLog(wb, *player.mainBoard);
    rebuildBoard(s, wb, wb);
    wb.queue.resetAt(0);

    Deduction d;
    int mark = wb.writePos;
    seedWorkQueue(s);
    crossZeroCells(s);
    if (firstDecided(wb, *player.mainBoard, mark, "start", d)) return d;
    if (!runBasicRules(s)) return d;
    if (firstDecided(wb, *player.mainBoard, mark, "basic", d)) return d;
    // Each stage's own result is not needed: what it decided shows in workBoard's log.
    static_cast<void>(preventSubLoops(s));
    if (firstDecided(wb, *player.mainBoard, mark, "sub-loop", d)) return d;
    static_cast<void>(runAdvancedRules(s));
    wb.queue.closePass();
    if (firstDecided(wb, *player.mainBoard, mark, "advanced", d)) return d;
    static_cast<void>(runColourRules(s));
    if (firstDecided(wb, *player.mainBoard, mark, "colour", d)) return d;
    static_cast<void>(trialSearch(s));
    firstDecided(wb, *player.mainBoard, mark, "trial", d);
    return d;
}

}  // namespace vexilo
