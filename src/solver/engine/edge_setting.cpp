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
// kRoomKnown: the caller made sure that the queue holds both entries (WorkQueue::fitsInRun).
template <bool kRoomKnown>
[[gnu::always_inline]] inline void seedEdge(PuzzleState& state, int x, int y, int cellA,
                                            int cellB) {
    Board& wb = *state.workBoard;
    // Every edge lies past the lattice's first row and below the markers.
    const int32_t bare = moveEntry(x, y, 0);
    if constexpr (kRoomKnown) {
        wb.queue.pushInRun(bare);
    } else {
        pushWorkQueue(state, bare);
    }
    const uint8_t markA = wb.at(cellA) & kColourMask;
    const uint8_t markB = wb.at(cellB) & kColourMask;
    if (markA < kInside || markB < kInside) return;
    const int value = markA == markB ? kCross : kLine;
    wb.at(x, y) = static_cast<uint8_t>(value);
    const int32_t entry = moveEntry(x, y, value);
    if constexpr (kRoomKnown) {
        wb.queue.pushInRun(entry);
    } else {
        pushWorkQueue(state, entry);
    }
    appendEntry(wb, entry, state.frontend);
    if (state.ruleObserver) [[unlikely]] {
        state.ruleObserver->site = {RuleId::kColourSeed, x, y};
        state.ruleObserver->edgeDecided(x, y, value);
    }
}

// The edges of row y (horizontal ones) and, unless y is the last row, of row y + 1
// (vertical ones), seeded in that order.
template <bool kRoomKnown>
void seedRows(PuzzleState& state, int y, int maxX, int lastRow) {
    for (int x = 2; x <= maxX; x += 2) {
        seedEdge<kRoomKnown>(state, x, y, latticeIndex(x, y - 1), latticeIndex(x, y + 1));
    }
    if (y + 1 <= lastRow) {
        for (int x = 1; x <= maxX + 1; x += 2) {
            seedEdge<kRoomKnown>(state, x, y + 1, latticeIndex(x - 1, y + 1),
                                 latticeIndex(x + 1, y + 1));
        }
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
    WorkQueue& queue = state.workBoard->queue;
    const int maxX = 2 * state.W();
    const int lastRow = 2 * state.H() + 1;
    // Two entries at most for each of a row pair's 2W + 1 edges.
    const int rowPairEntries = 2 * (maxX + 1);
    for (int y = 1; y <= lastRow; y += 2) {
        if (queue.fitsInRun(rowPairEntries)) {
            seedRows<true>(state, y, maxX, lastRow);
        } else {
            seedRows<false>(state, y, maxX, lastRow);
        }
    }
}

void crossZeroCells(PuzzleState& state) {
    Board& wb = *state.workBoard;
    // Without an observer to hear them and outside an incremental solve, a side's cross is
    // its lattice byte, its queue entry and its log entry alone (what writeEdge does then).
    const bool plain = state.ruleObserver == nullptr && !state.solveScratch->incremental;
    const auto& sides = kEdgeGroups[0];
    for (int y = 2; y <= 2 * state.H(); y += 2) {
        for (int x = 2; x <= 2 * state.W(); x += 2) {
            if ((wb.at(x, y) & 7) != kClueZero) continue;
            if (!plain || !wb.queue.fitsInRun(sides.count)) {
                noteRule(state, RuleId::kZeroClue, x, y);
                setEdgeGroup(state, x, y, 0, kCross);
                continue;
            }
            for (int i = 0; i < sides.count; ++i) {
                const int sideX = x + sides.dx[i];
                const int sideY = y + sides.dy[i];
                uint8_t& side = wb.at(sideX, sideY);
                if (side & 2) continue;
                side = kCross;
                const int32_t entry = moveEntry(sideX, sideY, kCross);
                wb.queue.pushInRun(entry);
                appendEntry(wb, entry, state.frontend);
            }
        }
    }
}

}  // namespace vexilo
