// Which edges taken out of a graph on the dots split a component, told from its faces.
//
// The graphs the trial search's tests look at (the edges that are not crosses, the undecided
// edges) are drawn in the plane on the dots. Their faces are the cells, joined across every
// edge the graph lacks, and the outside, which the ring's cells form. An edge taken out of
// such a graph splits its component exactly when the same face lies on both its sides;
// otherwise its two faces become one. So a union-find over the cells tells, for each edge a
// step takes out in turn, whether it split a component, without a walk.
//
// The faces of the position at rest are one union-find, kept from pass to pass while the
// position only loses edges of the graph. A step's joins are kept apart, on the roots of the
// rest, and forgotten with the step. The memory must come zeroed (an unknown graph).
#pragma once

#include <cstdint>
#include <cstring>

#include "model/lattice.h"

namespace vexilo {

struct PlaneFaces {
    // A cell's slot is half its lattice index: one shift (the slots of the rows of edges
    // between hold nothing and are never touched).
    static constexpr int kSlots = kLatticeBytes / 2;

    // By cell slot: the faces at rest, and by root at rest the step that joined it, if this
    // one: a root's mark shares its line of the cache.
    struct Slot {
        int32_t parent;
        uint32_t stepMark;
    };
    bool known;     // the faces at rest are learnt
    uint32_t step;  // the open step's joins carry it in stepMark
    Slot slots[kSlots];
    int32_t stepParent[kSlots];

    static int slotOf(int cell) { return static_cast<int>(static_cast<unsigned>(cell) >> 1); }

    // The cells on the two sides of an edge: across it from its dots' line.
    static int sideA(int edge) { return edge - ((edge & 1) != 0 ? 1 : kLatticeSide); }
    static int sideB(int edge) { return edge + ((edge & 1) != 0 ? 1 : kLatticeSide); }

    int findRest(int s) {
        while (slots[s].parent != s) {
            slots[s].parent = slots[slots[s].parent].parent;
            s = slots[s].parent;
        }
        return s;
    }

    // Learns the faces of the graph on a w x h board that lacks the edges where lacks(edge).
    template <class Lacks>
    void learn(int w, int h, Lacks lacks) {
        for (int y = 0; y <= 2 * h + 2; y += 2) {
            const int row = slotOf(latticeIndex(0, y));
            for (int x = 0; x <= 2 * w + 2; x += 2) slots[row + x / 2].parent = row + x / 2;
        }
        // The ring's cells, one face beyond the outer dots.
        const int outside = slotOf(latticeIndex(0, 0));
        for (int x = 2; x <= 2 * w + 2; x += 2) {
            slots[slotOf(latticeIndex(x, 0))].parent = outside;
            slots[slotOf(latticeIndex(x, 2 * h + 2))].parent = outside;
        }
        for (int y = 2; y <= 2 * h; y += 2) {
            slots[slotOf(latticeIndex(0, y))].parent = outside;
            slots[slotOf(latticeIndex(2 * w + 2, y))].parent = outside;
        }
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1 + (y % 2); x <= 2 * w + 1; x += 2) {
                const int edge = latticeIndex(x, y);
                if (lacks(edge)) takeOutAtRest(edge);
            }
        }
        known = true;
    }

    // Takes an edge out of the graph at rest: true when that split a component.
    bool takeOutAtRest(int edge) {
        const int a = findRest(slotOf(sideA(edge)));
        const int b = findRest(slotOf(sideB(edge)));
        if (a == b) return true;
        slots[a].parent = b;
        return false;
    }

    // A new step: the last one's joins are forgotten.
    void newStep() {
        if (++step == 0) {
            for (Slot& slot : slots) slot.stepMark = 0;
            step = 1;
        }
    }

    int findStep(int s) {
        if (slots[s].stepMark != step) {
            slots[s].stepMark = step;
            stepParent[s] = s;
            return s;
        }
        while (stepParent[s] != s) {
            stepParent[s] = stepParent[stepParent[s]];
            s = stepParent[s];
        }
        return s;
    }

    // Takes an edge out of the graph within the step: true when that split a component.
    bool takeOutInStep(int edge) {
        int a = findRest(slotOf(sideA(edge)));
        int b = findRest(slotOf(sideB(edge)));
        if (a == b) return true;
        a = findStep(a);
        b = findStep(b);
        if (a == b) return true;
        stepParent[a] = b;
        return false;
    }
};

}  // namespace vexilo
