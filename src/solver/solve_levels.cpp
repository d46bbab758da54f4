#include "solver/solve_levels.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/engine/advanced_rules.h"
#include "solver/engine/basic_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/solve_cancel.h"
#include "solver/sub_loops.h"

namespace vexilo {

void prepareSolve(PuzzleState& s, LatticeStart start) {
    s.effortScore = 0;
    s.effortBeforeTrials = 0;
    s.trialPasses = 0;
    s.ruleUsage = 0;
    s.startPatternsDone = 0;
    Board& wb = *s.workBoard;
    resetMoveLog(wb);
    if (start == LatticeStart::kRebuild) {
        // workBoard is never drawn, whoever called.
        const int drawEnabled = s.drawEnabled;
        s.drawEnabled = 0;
        rebuildBoard(s, wb, wb);
        s.drawEnabled = drawEnabled;
    } else {
        initLatticeFromClues(s, wb);
    }
    wb.queueHead = 0;
    wb.queuePassEnd = 0;
    wb.queueReadA = 0;
    wb.queueReadB = 0;
    seedWorkQueue(s);
    crossZeroCells(s);
}

int propagateAll(PuzzleState& s) {
    Board& wb = *s.workBoard;
    for (;;) {
        stopIfCancelled(s);
        if (runBasicRules(s) == kContradiction) return 0;
        if (preventSubLoops(s) == kProgress) continue;
        runAdvancedRules(s);
        wb.queuePassEnd = wb.queueHead;
        if (wb.queueHead == wb.queueReadA) return 1;
    }
}

int solveLevel0(PuzzleState& s) {
    prepareSolve(s, LatticeStart::kRebuild);
    for (;;) {
        stopIfCancelled(s);
        if (runBasicRules(s) == kContradiction) return 0;
        if (preventSubLoops(s) != kProgress) return 1;
    }
}

int solveLevel1(PuzzleState& s) {
    prepareSolve(s);
    return propagateAll(s) != 0 ? 1 : 0;
}

}  // namespace vexilo
