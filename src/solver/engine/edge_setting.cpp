#include "solver/engine/edge_setting.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "solver/engine/rule_observer.h"

namespace vexilo {

const int kDiagonalDx[5] = {0, -2, -2, 2, 2};
const int kDiagonalDy[5] = {0, -2, 2, 2, -2};

void pushWorkQueue(PuzzleState& state, int32_t entry) {
    if (!state.workBoard->queue.push(entry)) state.frontend.showMessage(kQueueFullMessage);
}

namespace {

// After the lattice byte is written, a decision is queued (when it is a move entry past the
// lattice's first row, entry > 4096) and then logged.
void queueAndLog(PuzzleState& state, int x, int y, int value) {
    const int32_t entry = moveEntry(x, y, value);
    if (entry > 4096 && entry < kFirstMarker) pushWorkQueue(state, entry);
    appendEntry(*state.workBoard, entry, state.frontend);
}

// Seeding: queue the bare edge, then decide it from the colours of the cells beside it.
void seedEdge(PuzzleState& state, int x, int y, int cellA, int cellB) {
    Board& wb = *state.workBoard;
    const int32_t bare = moveEntry(x, y, 0);
    if (bare > 4096 && bare < kFirstMarker) pushWorkQueue(state, bare);
    const uint8_t markA = wb.at(cellA) & kColourMask;
    const uint8_t markB = wb.at(cellB) & kColourMask;
    if (markA < kInside || markB < kInside) return;
    const int value = markA == markB ? kCross : kLine;
    wb.at(x, y) = static_cast<uint8_t>(value);
    queueAndLog(state, x, y, value);
    if (state.ruleObserver) [[unlikely]] {
        state.ruleObserver->site = {RuleId::kColourSeed, x, y};
        state.ruleObserver->edgeDecided(x, y, value);
    }
}

[[gnu::cold, gnu::noinline]] void observeEdge(RuleObserver& observer, int x, int y, int value) {
    observer.edgeDecided(x, y, value);
}

}  // namespace

void observeRule(RuleObserver& observer, RuleId rule, int x, int y, int corner, int otherX,
                 int otherY) {
    observer.site = {rule, x, y, corner, otherX, otherY};
}

bool writeEdge(PuzzleState& state, int x, int y, int value) {
    uint8_t& b = state.workBoard->at(x, y);
    b = static_cast<uint8_t>(value);
    state.solveScratch->noteEdgeChange(x, y);
    if (value == kLine)
        state.solveScratch->pathEnds.lineSet(state.workBoard->lattice.data(), latticeIndex(x, y));
    queueAndLog(state, x, y, value);
    if (state.ruleObserver) [[unlikely]] {
        observeEdge(*state.ruleObserver, x, y, value);
    }
    return true;
}

void observeGroup(PuzzleState& state, int x, int y, int group) {
    state.ruleObserver->group = {x, y, group};
}

void seedWorkQueue(PuzzleState& state) {
    const int maxX = 2 * state.W();
    const int lastRow = 2 * state.H() + 1;
    for (int y = 1; y <= lastRow; y += 2) {
        for (int x = 2; x <= maxX; x += 2) {
            seedEdge(state, x, y, latticeIndex(x, y - 1), latticeIndex(x, y + 1));
        }
        if (y + 1 <= lastRow) {
            for (int x = 1; x <= maxX + 1; x += 2) {
                seedEdge(state, x, y + 1, latticeIndex(x - 1, y + 1), latticeIndex(x + 1, y + 1));
            }
        }
    }
}

void crossZeroCells(PuzzleState& state) {
    const Board& wb = *state.workBoard;
    for (int y = 2; y <= 2 * state.H(); y += 2) {
        for (int x = 2; x <= 2 * state.W(); x += 2) {
            if ((wb.at(x, y) & 7) != kClueZero) continue;
            noteRule(state, RuleId::kZeroClue, x, y);
            setEdgeGroup(state, x, y, 0, kCross);
        }
    }
}

}  // namespace vexilo
