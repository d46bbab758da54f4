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
    int lines = 0;
    int slot = wb.writePos - 1;
    int i = kMaxEdges;
    for (; isMove(log[slot]); --slot) {
        const int32_t entry = log[slot];
        --i;
        const EdgeEnds e = endsOf(entry);
        const int value = entryValue(entry);
        c.stepEdges[i] = e.edge;
        c.stepDots[i] = e.a;
        lines += value == kLine ? 1 : 0;
        int ends = 0;
        int cutsOff = 0;
        const auto meet = [&](int dot) {
            uint32_t& seen = c.seen[halfOf(dot)];
            if (seen == counted) return;
            seen = counted;
            c.lastAt[halfOf(dot)] = e.edge;
            const uint8_t* const at = lattice + dot;
            const int sides = kEdgeTallyByByte[at[-kLatticeSide]] + kEdgeTallyByByte[at[-1]] +
                              kEdgeTallyByByte[at[1]] + kEdgeTallyByByte[at[kLatticeSide]];
            const int kind = kDotKind[static_cast<size_t>(sides)];
            ends += (kind & kPathEnd) - (c.endIndex[halfOf(dot)] != 0 ? 1 : 0);
            cutsOff |= kind;
        };
        meet(e.a);
        meet(e.b);
        c.stepValues[i] = static_cast<uint8_t>(value);
        c.endsGained[i] = static_cast<int8_t>(ends);
        c.cutsOffEnd[i] = static_cast<uint8_t>(cutsOff & ~kPathEnd);
    }
    c.stepBase = i;
    c.stepCount = kMaxEdges - i;
    return {slot + 1, lines};
}

}  // namespace vexilo
