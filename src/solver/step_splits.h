// Which of the edges a step took out of a graph of the step checks split a component: told
// from the cells around them, or from the faces of the graph (plane_faces.h).
#pragma once

#include <algorithm>
#include <cstdint>

#include "model/board.h"
#include "solver/plane_faces.h"
#include "solver/step_state.h"

namespace vexilo::step_checks {

// Of internal linkage: each file of the checks that uses them has its own, which the compiler
// inlines and specialises for that file's callers.
namespace {

// The faces at rest of graph g, ready for the open step's edges. They are worth learning
// once the searches in g have looked at as many dots as the board has cells since they
// were last known, about what learning them costs: a board with few hypotheses or short
// searches is left without (at rest, the edges of the open step were undecided).
bool facesWorthIt(const StepComponents& c, int g, int w, int h) {
    return c.faces[g].known || c.searched[g] >= static_cast<int64_t>(w) * h;
}
PlaneFaces& restFaces(StepComponents& c, const Board& wb, int g, int w, int h) {
    PlaneFaces& faces = c.faces[g];
    if (!faces.known) {
        markStepEdges(c);
        faces.learn(w, h, [&](int edge) {
            const int key = wb.at(edge) & kKeyMask;
            return c.stepEdge[edge] != c.hypothesis &&
                   (g == kOpen ? key == kCross : key != kUndecided);
        });
    }
    faces.newStep();
    return faces;
}

// Of edges[0, count), taken out of graph g in turn, writes those that split a component to
// c.takenOut, in order, with their cutsOff in c.takenCuts, and returns their number; or -1
// when none did more than cut off a dot left without edges: then each component the edges
// were taken from is still joined, but for those dots. (edges may be c.takenOut, cutsOff
// c.takenCuts.)
//
// cutsOff[i] tells (kCutOff<g>) that edge i is the last one taken from a dot left without
// edges in g: then that edge alone still held the dot and cuts it off. It has the same face
// on both sides, and taking it out leaves the faces as they are. When every other edge has
// its ends joined around a cell after the step, and so had them when it was taken out, none
// did more; else every other edge asks the faces, and without them every edge is kept.
template <int g>
int keepSplits(StepComponents& c, const Board& wb, int w, int h, const int32_t* edges, int count,
               const uint8_t* cutsOff) {
    const auto cuts = [&](int i) { return (cutsOff[i] & kCutOff<g>) != 0; };
    int local = 0;
    while (local < count && (cuts(local) || joinedAroundACell<g>(wb, edgeEnds(edges[local])))) {
        ++local;
    }
    if (local == count) return -1;
    if (!facesWorthIt(c, g, w, h)) {
        if (edges != c.takenOut) std::copy(edges, edges + count, c.takenOut);
        if (cutsOff != c.takenCuts) std::copy(cutsOff, cutsOff + count, c.takenCuts);
        return count;
    }
    PlaneFaces& faces = restFaces(c, wb, g, w, h);
    bool more = false;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const int edge = edges[i];
        const uint8_t cut = cutsOff[i];
        if ((cut & kCutOff<g>) == 0) {
            if (!faces.takeOutInStep(edge)) continue;
            more = true;
        }
        c.takenCuts[kept] = cut;
        c.takenOut[kept++] = edge;
    }
    return more ? kept : -1;
}

}  // namespace

}  // namespace vexilo::step_checks
