#include <cstring>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"
#include "solver/step_components.h"
#include "solver/step_state.h"

namespace vexilo {

using namespace step_checks;

MarkedStep markStep(PuzzleState& state) {
    StepComponents& c = *state.solveScratch->stepComponents;
    if (++c.hypothesis == 0) {
        std::memset(c.stepEdge, 0, sizeof c.stepEdge);
        for (auto& graph : c.graph) std::memset(graph.touched, 0, sizeof graph.touched);
        c.stepEdgesMarked = 0;
        c.hypothesis = 1;
    }
    // The step's entries lie above the marker; they are listed in the order of the log,
    // and read newest first, down to the marker (slot 0 of a log is always one), so they
    // fill the arrays from their ends.
    // A dot is met first at the last edge the step took from it, which cuts it off when it
    // has no undecided edge left, and which the dot keeps in lastAt. The path ends a dot
    // gained or lost are told at that edge (stepEndsPaired).
    const Board& wb = *state.workBoard;
    const uint32_t counted = nextSearch(c);
    const uint8_t* const lattice = wb.lattice.data();
    const int32_t* const log = wb.moveLog.data();
    const int row = c.slotRow;
    int lines = 0;
    int slot = wb.writePos - 1;
    int i = kMaxEdges;
    // First the entries, and the dots met first, listed as entry * 2 + end (0 the lower
    // end, 1 the upper): whether a dot was met before has no pattern, so the list grows
    // without a branch.
    int32_t* const met = c.metEnds;
    int metCount = 0;
    for (; isMove(log[slot]); --slot) {
        const int32_t entry = log[slot];
        --i;
        const int x = entryX(entry);
        const int y = entryY(entry);
        const int value = entryValue(entry);
        // The dots' slots (StepComponents::slotOf, slotAcross), the row kept at hand.
        const int slotB = (y >> 1) * row + (x >> 1);
        const int slotA = slotB - 1 - (x & 1) * (row - 1);
        c.stepEdges[i] = latticeIndex(x, y);
        c.stepDotSlots[i] = slotA;
        c.stepValues[i] = static_cast<uint8_t>(value);
        c.endsGained[i] = 0;
        c.cutsOffEnd[i] = 0;
        lines += value == kLine ? 1 : 0;
        met[metCount] = 2 * i;
        metCount += c.seen[slotA] != counted ? 1 : 0;
        c.seen[slotA] = counted;
        met[metCount] = 2 * i + 1;
        metCount += c.seen[slotB] != counted ? 1 : 0;
        c.seen[slotB] = counted;
    }
    // Then the dots met first: their kinds now, and the path ends gained or lost there.
    for (int k = 0; k < metCount; ++k) {
        const int at = met[k] >> 1;
        const int end = met[k] & 1;
        const EdgeEnds e = edgeEnds(c.stepEdges[at]);
        const int dot = end != 0 ? e.b : e.a;
        const int s = c.stepDotSlots[at] + end * c.slotAcross(e.edge);
        c.lastAt[s] = e.edge;
        const uint8_t* const around = lattice + dot;
        const int sides = kEdgeTallyByByte[around[-kLatticeSide]] + kEdgeTallyByByte[around[-1]] +
                          kEdgeTallyByByte[around[1]] + kEdgeTallyByByte[around[kLatticeSide]];
        const int kind = kDotKind[static_cast<size_t>(sides)];
        c.endsGained[at] = static_cast<int8_t>(c.endsGained[at] + (kind & kPathEnd) -
                                               (c.endIndex[s] != 0 ? 1 : 0));
        c.cutsOffEnd[at] = static_cast<uint8_t>(c.cutsOffEnd[at] | (kind & ~kPathEnd));
    }
    c.stepBase = i;
    c.stepCount = kMaxEdges - i;
    return {slot + 1, lines};
}

}  // namespace vexilo
