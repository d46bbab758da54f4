#include <algorithm>

#include "model/puzzle_state.h"
#include "solver/consistency.h"
#include "solver/step_components.h"
#include "solver/step_pieces.h"
#include "solver/step_splits.h"
#include "solver/step_state.h"

namespace vexilo {

using namespace step_checks;

namespace {

// c.takenOut[0, count) holds the edges of the open step that split graph 1 when taken out
// in turn: the last edge of each dot the step left without undecided edges, which cut it
// off (c.takenCuts), and the others. With the components after the step, those edges form
// a tree, in which a dot left alone hangs from the end of its last edge. Keeps the other
// edges, but those that alone lead to a tree of dots left alone, and the last edges of the
// dots the kept ones meet and of those these hang from, and returns their number: every
// other edge leads to dots of no path ends that hang by it from the rest, which stays
// joined without them.
int dropLoneLeaves(StepComponents& c, const Board& wb, int count) {
    const auto alone = [&](int dot) {
        for (int step : kSideStep) {
            if ((wb.at(dot + step) & kKeyMask) == kUndecided) return false;
        }
        return true;
    };
    // The last edge of the step at a dot left alone (an end of one of its edges, which
    // markStep met).
    const auto lastEdge = [&](int dot) { return c.lastAt[c.slotOf(dot)]; };
    // Where a dot reached over edge `from` hangs: the first dot up the last edges that is not
    // left alone, or for a tree of such dots only, -1 less the lower end of the edge that cut
    // off both its ends.
    const auto rootOf = [&](int dot, int from) {
        while (alone(dot)) {
            const int last = lastEdge(dot);
            const EdgeEnds l = edgeEnds(last);
            if (last == from) return -1 - l.a;
            from = last;
            dot = l.a == dot ? l.b : l.a;
        }
        return dot;
    };
    // The other splits, with where their ends hang.
    int32_t* const split = c.cutA;
    int32_t* const rootA = c.cutB;
    int32_t* const rootB = c.cutPieceA;
    int32_t* const live = c.cutPieceB;
    int m = 0;
    for (int i = 0; i < count; ++i) {
        const int edge = c.takenOut[i];
        if ((c.takenCuts[i] & kCutOff<kUndecidedEdges>) != 0) continue;
        const EdgeEnds e = edgeEnds(edge);
        split[m] = edge;
        rootA[m] = rootOf(e.a, edge);
        rootB[m] = rootOf(e.b, edge);
        live[m++] = 1;
    }
    // A tree of dots left alone that one split alone leads to hangs by it from the rest, and
    // is taken off with it, in turn while there are such.
    constexpr int kFewSplits = 32;
    for (bool again = m <= kFewSplits; again;) {
        again = false;
        for (int j = 0; j < m; ++j) {
            if (live[j] == 0) continue;
            for (const int root : {rootA[j], rootB[j]}) {
                if (root >= 0) continue;
                int splits = 0;
                for (int k = 0; k < m; ++k) {
                    splits += live[k] != 0 && (rootA[k] == root || rootB[k] == root) ? 1 : 0;
                }
                if (splits == 1) {
                    live[j] = 0;
                    again = true;
                    break;
                }
            }
        }
    }
    const uint32_t kept = nextSearch(c);
    int32_t* const out = c.queueB;
    int n = 0;
    for (int j = 0; j < m; ++j) {
        if (live[j] == 0) continue;
        const int edge = split[j];
        out[n++] = edge;
        const EdgeEnds e = edgeEnds(edge);
        for (int dot : {e.a, e.b}) {
            int from = edge;
            while (c.seen[c.slotOf(dot)] != kept && alone(dot)) {
                c.seen[c.slotOf(dot)] = kept;
                const int last = lastEdge(dot);
                if (last == from) break;  // it cut off both its ends
                out[n++] = last;
                from = last;
                const EdgeEnds l = edgeEnds(last);
                dot = l.a == dot ? l.b : l.a;
            }
        }
    }
    std::copy(out, out + n, c.takenOut);
    return n;
}

}  // namespace

StepVerdict stepEndsPaired(PuzzleState& state) {
    using enum StepVerdict;
    const SolveScratch& scratch = *state.solveScratch;
    if (scratch.restEndCount < 0) return kUnknown;
    StepComponents& c = *scratch.stepComponents;
    const Board& wb = *state.workBoard;
    auto& graph = c.graph[kUndecidedEdges];
    if (!c.endsLabelled) {
        for (int i = 0; i < scratch.restEndCount; ++i) {
            const int end = scratch.restEnds[static_cast<size_t>(i)];
            if (labelOf(c, kUndecidedEdges, end) < 0) labelRest(c, wb, kUndecidedEdges, end);
        }
        c.endsLabelled = true;
    }
    // The components the step touched, with their path ends now: a dot's count changes only
    // when one of its edges did (markStep told by how much). At rest, each edge of the step
    // was undecided and had both ends in one component.
    int odd = c.oddRest;
    c.touchedCount = 0;
    const auto touchedIndex = [&](int id) {
        return static_cast<int>(static_cast<uint32_t>(graph.touched[id]));
    };
    // Edges in a row mostly lie in one component: its label, as read, tells it again (no
    // label has every bit set).
    uint64_t lastLabel = ~uint64_t{0};
    int32_t* ends = nullptr;
    for (int i = c.stepBase; i < kMaxEdges; ++i) {
        const int dotSlot = c.stepDotSlots[i];
        if (graph.label[dotSlot] != lastLabel) {
            int id = labelAtSlot(c, kUndecidedEdges, dotSlot);
            if (id < 0) id = labelRest(c, wb, kUndecidedEdges, edgeEnds(c.stepEdges[i]).a);
            if ((graph.touched[id] >> 32) != c.hypothesis) {
                graph.touched[id] = tag(c.hypothesis, c.touchedCount);
                c.touchedEnds[c.touchedCount++] = graph.restCount[id];
                odd -= graph.restCount[id] % 2;
            }
            lastLabel = graph.label[dotSlot];
            ends = &c.touchedEnds[touchedIndex(id)];
        }
        *ends += c.endsGained[i];
    }
    if (odd > 0) return kFails;
    // What remains of each touched component after the pieces that broke off, each a whole
    // region now: odd, one of its parts is odd.
    const auto remainderOdd = [&] {
        for (int i = 0; i < c.touchedCount; ++i) {
            if (c.touchedEnds[i] % 2 != 0) return true;
        }
        return false;
    };
    if (remainderOdd()) return kFails;
    // The step's edges that split a component, for the pieces that broke off.
    int count = keepSplits<kUndecidedEdges>(c, wb, state.W(), state.H(), c.stepEdges + c.stepBase,
                                            c.stepCount, c.cutsOffEnd + c.stepBase);
    if (count < 0) return kHolds;
    // Told by the faces, those are the edges that split a component (keepSplits).
    if (c.faces[kUndecidedEdges].known) count = dropLoneLeaves(c, wb, count);
    const StepVerdict v = findPieces<kUndecidedEdges>(
        c, wb, c.takenOut, count,
        [&](const int32_t* dots, int size) {
            int ends = 0;
            for (int i = 0; i < size; ++i) ends += isPathEnd(wb, dots[i]) ? 1 : 0;
            if (ends % 2 != 0) return kFails;
            c.touchedEnds[touchedIndex(labelOf(c, kUndecidedEdges, dots[0]))] -= ends;
            return kUnknown;
        },
        false);  // a dot without undecided edges is no path end
    if (v != kHolds) return v;
    return remainderOdd() ? kFails : kHolds;
}

}  // namespace vexilo
