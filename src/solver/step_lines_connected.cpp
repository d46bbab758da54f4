#include "model/puzzle_state.h"
#include "solver/step_components.h"
#include "solver/step_pieces.h"
#include "solver/step_splits.h"
#include "solver/step_state.h"

namespace vexilo {

using namespace step_checks;

namespace {

// A dot with four crosses: no key of its edges has a bit but bit 1, and each has that.
bool crossedOut(const Board& wb, int dot) {
    const uint8_t* const at = wb.lattice.data() + dot;
    const int any = at[-kLatticeSide] | at[-1] | at[1] | at[kLatticeSide];
    const int all = at[-kLatticeSide] & at[-1] & at[1] & at[kLatticeSide];
    static_assert(kCross == 2 && kLine == 3 && kUndecided == 0);
    return (any & kKeyMask) == kCross && (all & kCross) != 0;
}

}  // namespace

StepVerdict stepLinesConnected(PuzzleState& state, int lines, int startDot) {
    using enum StepVerdict;
    if (lines == 0) return kHolds;
    StepComponents& c = *state.solveScratch->stepComponents;
    const Board& wb = *state.workBoard;
    // Every line must lie in the start's component at rest: the step only took edges out.
    // The crosses the step drew there are taken out of it, and of those the ones that split
    // it are kept, for the pieces that broke off. A dot the step left with four crosses is
    // such a piece, without lines: cut off alone, it leaves the rest joined.
    const int start = labelAt(c, wb, kOpen, startDot);
    if (c.graph[kOpen].restCount[start] != state.solveScratch->restLines) return kFails;
    const uint64_t startLabel = tag(c.pass, start);
    const uint64_t* const label = c.graph[kOpen].label;
    int count = 0;
    int cuts = 0;
    // Without branches on the entries' values, which have no pattern: every edge is written
    // to the list and kept there when it is a cross of the start's component.
    bool strayLine = false;
    for (int i = c.stepBase; i < kMaxEdges; ++i) {
        const bool there = label[c.stepDotSlots[i]] == startLabel;
        const bool line = c.stepValues[i] == kLine;
        strayLine |= line && !there;
        const int taken = -static_cast<int>(!line && there);  // all ones when taken
        const uint8_t cut = c.cutsOffEnd[i];
        cuts |= cut & taken;
        c.takenCuts[count] = cut;
        c.takenOut[count] = c.stepEdges[i];
        count -= taken;
    }
    if (strayLine) return kFails;
    count = keepSplits<kOpen>(c, wb, state.W(), state.H(), c.takenOut, count, c.takenCuts);
    if (count < 0) {
        // Unless the start itself was cut off: then it reaches no line.
        return (cuts & kCutOff<kOpen>) != 0 && crossedOut(wb, startDot) ? kFails : kHolds;
    }
    const int startSlot = c.slotOf(startDot);
    return findPieces<kOpen>(c, wb, c.takenOut, count, [&](const int32_t* dots, int size) {
        int ends = 0;  // each line is met from both its dots
        for (int i = 0; i < size; ++i) {
            for (int step : kSideStep) ends += (wb.at(dots[i] + step) & kKeyMask) == kLine;
        }
        // The start's piece holds every line, or one is out of its reach.
        if (c.piece[startSlot] == c.piece[c.slotOf(dots[0])])
            return ends / 2 == lines ? kHolds : kFails;
        return ends > 0 ? kFails : kUnknown;
    });
}

}  // namespace vexilo
