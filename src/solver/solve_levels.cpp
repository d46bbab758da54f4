#include "solver/solve_levels.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/edge_scan.h"
#include "solver/engine/advanced_rules.h"
#include "solver/engine/basic_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_observer.h"
#include "solver/solve_cancel.h"
#include "solver/sub_loops.h"

namespace vexilo {

void prepareSolve(PuzzleState& s, LatticeStart start) {
    s.effortScore = 0;
    s.effortBeforeTrials = 0;
    s.trialPasses = 0;
    s.ruleUsage = 0;
    s.startPatternsDone = 0;
    s.solveScratch->subLoopSeen = -1;
    s.solveScratch->colourSeen = -1;
    s.solveScratch->restKnown = false;
    Board& wb = *s.workBoard;
    if (start != LatticeStart::kFromLog) resetMoveLog(wb);
    if (start != LatticeStart::kFromClues) {
        // workBoard is never drawn, whoever called.
        const int drawEnabled = s.drawEnabled;
        s.drawEnabled = 0;
        rebuildBoard(s, wb, wb);
        s.drawEnabled = drawEnabled;
    } else {
        initLatticeFromClues(s, wb);
    }
    wb.queue.resetAt(0);
    seedWorkQueue(s);
    crossZeroCells(s);
}

namespace {

// Whether workBoard may hold a line as prepareSolve left it. Its lattice is built from the
// clues and the log, and every decision since is logged too while the log has room: a short
// log without a line entry tells that there is none. A long log is not read through.
bool mayHoldLines(const Board& wb) {
    constexpr int kLongLog = 256;
    if (wb.writePos > kLongLog) return true;
    for (int slot = 1; slot < wb.writePos; ++slot) {
        const int32_t entry = wb.moveLog[static_cast<size_t>(slot)];
        if (isMove(entry) && entryValue(entry) == kLine) return true;
    }
    return false;
}

}  // namespace

IncrementalSolve::IncrementalSolve(PuzzleState& state) : state_(state) {
    // An observer hears each rule as it runs: then every rule runs as if for the first time.
    state.solveScratch->incremental =
        state.solveScratch->allowIncremental && state.ruleObserver == nullptr;
    state.solveScratch->forgetChains(state.W(), state.H());
    state.solveScratch->ruleQuiet.wakeAll(state.W(), state.H());
    state.solveScratch->noteBoardChange();
    if (state.solveScratch->incremental) {
        const Board& wb = *state.workBoard;
        state.solveScratch->pathEnds.start(wb.lattice.data(), state.W(), state.H(),
                                           mayHoldLines(wb));
    }
}

IncrementalSolve::~IncrementalSolve() {
    state_.solveScratch->incremental = false;
    state_.solveScratch->pathEnds.stop();
}

bool findUnsetEdge(const PuzzleState& s, int& firstUnset) {
    return findEdgeFrom(*s.workBoard, s.W(), s.H(), firstUnset,
                        [](uint8_t b) { return (b & 2) == 0; });
}

bool propagateAll(PuzzleState& s, int* firstUnset) {
    WorkQueue& queue = s.workBoard->queue;
    for (;;) {
        stopIfCancelled(s);
        if (!runBasicRules(s)) return false;
        if (firstUnset != nullptr && s.ruleObserver == nullptr && !findUnsetEdge(s, *firstUnset)) {
            // The sub-loop rule and the advanced rules set edges and nothing else: on a board
            // whose every edge is set they are passed over, leaving what they would (the pass
            // closed, the advanced read position at its end, the start patterns done). What
            // they note for their next calls is for edges that are still to be set.
            queue.closePass();
            queue.advancedReadToPassEnd();
            s.startPatternsDone |= 1;
            if (queue.basicCaughtUp()) return true;
            continue;
        }
        noteRule(s, RuleId::kSubLoop, 0, 0);
        if (preventSubLoops(s) == RuleResult::kProgress) continue;
        // Its contradiction (a queue entry that is no edge) shows in the next basic pass.
        static_cast<void>(runAdvancedRules(s));
        queue.closePass();
        if (queue.basicCaughtUp()) return true;
    }
}

bool solveLevel0(PuzzleState& s) {
    prepareSolve(s, LatticeStart::kRebuild);
    const IncrementalSolve incremental(s);
    for (;;) {
        stopIfCancelled(s);
        if (!runBasicRules(s)) return false;
        noteRule(s, RuleId::kSubLoop, 0, 0);
        if (preventSubLoops(s) != RuleResult::kProgress) return true;
    }
}

bool solveLevel1(PuzzleState& s) {
    prepareSolve(s);
    const IncrementalSolve incremental(s);
    return propagateAll(s);
}

}  // namespace vexilo
