#include "solver/engine/edge_setting.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"

namespace vexilo {

const GroupOffsets kEdgeGroups[9] = {
    {4, {0, 0, -1, 1}, {-1, 1, 0, 0}},  // all four sides
    {2, {0, -1}, {-1, 0}},              // top-left pair
    {2, {0, -1}, {1, 0}},               // bottom-left pair
    {2, {0, 1}, {1, 0}},                // bottom-right pair
    {2, {0, 1}, {-1, 0}},               // top-right pair
    {2, {-1, -2}, {-2, -1}},            // outer pair of the top-left dot
    {2, {-1, -2}, {2, 1}},              // outer pair of the bottom-left dot
    {2, {1, 2}, {2, 1}},                // outer pair of the bottom-right dot
    {2, {1, 2}, {-2, -1}},              // outer pair of the top-right dot
};

#define VEXILO_OFF(dx, dy) ((dy) * kLatticeSide + (dx))
const int kEdgeGroupIndex[9][4] = {
    {VEXILO_OFF(0, -1), VEXILO_OFF(0, 1), VEXILO_OFF(-1, 0), VEXILO_OFF(1, 0)},
    {VEXILO_OFF(0, -1), VEXILO_OFF(-1, 0), 0, 0},
    {VEXILO_OFF(0, 1), VEXILO_OFF(-1, 0), 0, 0},
    {VEXILO_OFF(0, 1), VEXILO_OFF(1, 0), 0, 0},
    {VEXILO_OFF(0, -1), VEXILO_OFF(1, 0), 0, 0},
    {VEXILO_OFF(-1, -2), VEXILO_OFF(-2, -1), 0, 0},
    {VEXILO_OFF(-1, 2), VEXILO_OFF(-2, 1), 0, 0},
    {VEXILO_OFF(1, 2), VEXILO_OFF(2, 1), 0, 0},
    {VEXILO_OFF(1, -2), VEXILO_OFF(2, -1), 0, 0},
};
#undef VEXILO_OFF

const int kDiagonalDx[5] = {0, -2, -2, 2, 2};
const int kDiagonalDy[5] = {0, -2, 2, 2, -2};

void pushWorkQueue(PuzzleState& state, int32_t entry) {
    Board& wb = *state.workBoard;
    const int next = (wb.queueHead + 1) % kLogSlots;
    if (next == wb.queueReadB) {
        state.frontend.showMessage(kQueueFullMessage);
        return;
    }
    wb.workQueue[next] = entry;
    wb.queueHead = next;
}

namespace {

// Steps 3 to 5 of a decision: queue and log the entry.
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
    const int sum = (wb.at(cellA) & 0x30) + ((wb.at(cellB) & 0x30) >> 4);
    int value = 0;
    if (sum == 0x22 || sum == 0x33) value = kCross;
    if (sum == 0x23 || sum == 0x32) value = kLine;
    if (value == 0) return;
    wb.at(x, y) = static_cast<uint8_t>(value);
    queueAndLog(state, x, y, value);
}

}  // namespace

int setEdge(PuzzleState& state, int x, int y, int value) {
    uint8_t& b = state.workBoard->at(x, y);
    if (b & 2) return 0;
    b = static_cast<uint8_t>(value);
    queueAndLog(state, x, y, value);
    return 1;
}

int setEdgeGroup(PuzzleState& state, int x, int y, int group, int value) {
    const GroupOffsets& g = kEdgeGroups[group];
    int any = 0;
    for (int i = 0; i < g.count; ++i) any |= setEdge(state, x + g.dx[i], y + g.dy[i], value);
    return any;
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
            if ((wb.at(x, y) & 7) == kClueZero) setEdgeGroup(state, x, y, 0, kCross);
        }
    }
}

}  // namespace vexilo
