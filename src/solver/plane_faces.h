// Which edges taken out of a graph on the dots split a component, told from its faces.
//
// The graphs the trial search's tests look at (the edges that are not crosses, the undecided
// edges) are drawn in the plane on the dots. Their faces are the cells, joined across every
// edge the graph lacks, and the outside, which the ring's cells form. An edge taken out of
// such a graph splits its component exactly when the same face lies on both its sides;
// otherwise its two faces become one. So a union-find over the cells tells, for each edge a
// step takes out in turn, whether it split a component, without a walk.
//
// The faces of the position at rest are kept from pass to pass while the position only loses
// edges of the graph, each cell naming its face. A step's joins are kept apart, a union-find
// on the faces at rest, and forgotten with the step. The memory must come zeroed (an unknown
// graph).
#pragma once

#include <cstdint>
#include <utility>

#include "model/lattice.h"

namespace vexilo {

struct PlaneFaces {
    // A cell (x, y), ring included, has slot (y / 2) * row + x / 2, with `row` the board's
    // width and ring: the slots of a board lie together, and its rows fall in different
    // sets of the cache (rows a power of two apart would share theirs).
    static constexpr int kSlots = (kMaxCells + 2) * (kMaxCells + 2);

    bool known;       // the faces at rest are learnt
    int row;          // the slots of a row of cells: the width of the board learnt, ring included
    int linkedCount;  // the faces at rest the open step linked to another, in linked
    // By cell slot: the face at rest, named by one of its cells, so that a step reads it at
    // once; the next cell of the same face, round a ring; and by face, its cells. Two faces
    // that become one take the name of the larger, whose cells keep theirs.
    int32_t face[kSlots];
    int32_t next[kSlots];
    int32_t size[kSlots];
    // By face at rest: its parent among the open step's joins, itself for a root. Only the
    // faces in linked[0, linkedCount) have another, and a new step sets theirs back.
    int32_t stepParent[kSlots];
    int32_t linked[kSlots];

    int slotOf(int cell) const { return (cell >> 11) * row + ((cell & (kLatticeSide - 1)) >> 1); }

    // The slots of the cells on the two sides of an edge, across it from its dots' line: the
    // left or upper one's is the edge's own slot.
    int sideSlotA(int edge) const { return slotOf(edge); }
    int sideSlotB(int slotA, int edge) const { return slotA + row + (edge & 1) * (1 - row); }

    // Faces a and b become one: false when they were one already.
    bool joinAtRest(int a, int b) {
        if (a == b) return false;
        if (size[a] > size[b]) std::swap(a, b);
        int s = a;
        do {
            face[s] = b;
            s = next[s];
        } while (s != a);
        std::swap(next[a], next[b]);
        size[b] += size[a];
        return true;
    }

    // Learns the faces of the graph on a w x h board that lacks the edges where lacks(edge).
    template <class Lacks>
    void learn(int w, int h, Lacks lacks) {
        static_assert(kLatticeSide == 1024);
        row = w + 2;
        for (int s = 0; s < (h + 2) * row; ++s) {
            stepParent[s] = s;
            face[s] = s;
            next[s] = s;
            size[s] = 1;
        }
        // The ring's cells, one face beyond the outer dots.
        const int outside = slotOf(latticeIndex(0, 0));
        for (int x = 2; x <= 2 * w + 2; x += 2) {
            joinAtRest(face[slotOf(latticeIndex(x, 0))], face[outside]);
            joinAtRest(face[slotOf(latticeIndex(x, 2 * h + 2))], face[outside]);
        }
        for (int y = 2; y <= 2 * h; y += 2) {
            joinAtRest(face[slotOf(latticeIndex(0, y))], face[outside]);
            joinAtRest(face[slotOf(latticeIndex(2 * w + 2, y))], face[outside]);
        }
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1 + (y % 2); x <= 2 * w + 1; x += 2) {
                const int edge = latticeIndex(x, y);
                if (lacks(edge)) takeOutAtRest(edge);
            }
        }
        linkedCount = 0;
        known = true;
    }

    // Takes an edge out of the graph at rest: true when that split a component.
    bool takeOutAtRest(int edge) {
        const int sideA = sideSlotA(edge);
        return !joinAtRest(face[sideA], face[sideSlotB(sideA, edge)]);
    }

    // A new step: the last one's joins are forgotten.
    void newStep() {
        for (int i = 0; i < linkedCount; ++i) stepParent[linked[i]] = linked[i];
        linkedCount = 0;
    }

    void setStepParent(int r, int p) {
        stepParent[r] = p;
        linked[linkedCount++] = r;
    }

    // The root of face r among the step's joins. Whether a face has a parent has no
    // pattern, and a root is its own: two steps up are taken without a branch, and a face
    // three steps below its root is seldom. (Only which faces are one tells anything: how
    // the paths are shortened changes no answer.)
    int findStep(int r) {
        r = stepParent[stepParent[r]];
        while (stepParent[r] != r) {
            const int up = stepParent[stepParent[r]];
            stepParent[r] = up;  // halves the path
            r = up;
        }
        return r;
    }

    // Takes an edge out of the graph within the step: true when that split a component.
    bool takeOutInStep(int edge) {
        const int sideA = sideSlotA(edge);
        int a = face[sideA];
        int b = face[sideSlotB(sideA, edge)];
        if (a == b) return true;
        a = findStep(a);
        b = findStep(b);
        if (a == b) return true;
        setStepParent(a, b);
        return false;
    }
};

}  // namespace vexilo
