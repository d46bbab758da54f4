// The pieces that broke off a graph of the step checks where edges were taken out of it:
// searches from both ends of an edge at once, and the clusters of pieces whose contacts
// with the rest must be joined again.
#pragma once

#include <cstdint>
#include <cstring>

#include "model/board.h"
#include "solver/step_components.h"
#include "solver/step_state.h"

namespace vexilo::step_checks {

// Of internal linkage: each file of the checks that uses them has its own, which the compiler
// inlines and specialises for that file's callers.
namespace {

int classRoot(StepComponents& c, int k) {
    while (c.classParent[k] != k) {
        c.classParent[k] = c.classParent[c.classParent[k]];
        k = c.classParent[k];
    }
    return k;
}

// The joined class of the dot at a slot in this call of findPieces, or -1.
int joinedRootAt(StepComponents& c, int slot) {
    const uint64_t j = c.joined[slot];
    return (j >> 32) == c.joinGeneration ? classRoot(c, static_cast<int>(static_cast<uint32_t>(j)))
                                         : -1;
}
int joinedRoot(StepComponents& c, int dot) {
    return joinedRootAt(c, c.slotOf(dot));
}

// Searches graph g from dots a and b at once, breadth first, one dot a side in turn.
// Returns -1 when the two sides meet; else the side that ran out (0: a's, 1: b's), whose
// dots, a whole component, are queue[0, size) (queueA or queueB, their slots in slotQueueA
// or slotQueueB). The dots of searches that met are kept in
// joined classes: a side that reaches the class of the other side's has met it.
template <int g>
int meetOrRunOut(StepComponents& c, const Board& wb, int a, int b, int& size) {
    int rootA = joinedRoot(c, a);
    int rootB = joinedRoot(c, b);
    if (rootA >= 0 && rootA == rootB) return -1;
    const uint32_t sideA = nextSearch(c);
    const uint32_t sideB = sideA + 1;
    int headA = 0;
    int tailA = 1;
    int headB = 0;
    int tailB = 1;
    c.queueA[0] = a;
    c.queueB[0] = b;
    c.slotQueueA[0] = c.slotOf(a);
    c.slotQueueB[0] = c.slotOf(b);
    c.seen[c.slotQueueA[0]] = sideA;
    c.seen[c.slotQueueB[0]] = sideB;
    // The slots of the dots beyond kSideStep's edges, from a dot's own.
    const int row = c.slotRow;
    const int slotSteps[4] = {row, 1, -row, -1};
    // Inlined at both its calls: the search's inner loop.
    const auto expand = [&](int at, int atSlot, uint32_t mine, uint32_t other, int32_t* queue,
                            int32_t* slotQueue, int& tail, int& rootMine, int& rootOther)
        __attribute__((always_inline)) {
#pragma GCC unroll 4
        for (int d = 0; d < 4; ++d) {
            const int step = kSideStep[d];
            const int edge = at + step;
            if (!inGraph<g>(wb.at(edge) & kKeyMask)) continue;
            const int beyond = edge + step;
            const int beyondSlot = atSlot + slotSteps[d];
            uint32_t& m = c.seen[beyondSlot];
            if (m == other) return true;
            if (m == mine) continue;
            m = mine;
            queue[tail] = beyond;
            slotQueue[tail++] = beyondSlot;
            const int k = joinedRootAt(c, beyondSlot);
            if (k < 0) continue;
            if (rootMine < 0) {
                rootMine = k;
            } else if (k != classRoot(c, rootMine)) {
                c.classParent[k] = classRoot(c, rootMine);
            }
            if (rootOther >= 0 && classRoot(c, rootOther) == classRoot(c, rootMine)) return true;
        }
        return false;
    };
    for (;;) {
        if (headA == tailA) {
            c.searched[g] += headA + headB;
            size = tailA;
            return 0;
        }
        const int atA = headA++;
        if (expand(c.queueA[atA], c.slotQueueA[atA], sideA, sideB, c.queueA, c.slotQueueA, tailA,
                   rootA, rootB)) {
            break;
        }
        if (headB == tailB) {
            c.searched[g] += headA + headB;
            size = tailB;
            return 1;
        }
        const int atB = headB++;
        if (expand(c.queueB[atB], c.slotQueueB[atB], sideB, sideA, c.queueB, c.slotQueueB, tailB,
                   rootB, rootA)) {
            break;
        }
    }
    c.searched[g] += headA + headB;
    // Met: both sides' dots join one class.
    int k = rootA >= 0 ? classRoot(c, rootA) : rootB >= 0 ? classRoot(c, rootB) : -1;
    if (k < 0) {
        if (c.classCount == kMaxEdges) return -1;
        k = c.classCount++;
        c.classParent[k] = k;
    }
    if (rootB >= 0) c.classParent[classRoot(c, rootB)] = k;
    const uint64_t mine = tag(c.joinGeneration, k);
    for (int i = 0; i < tailA; ++i) c.joined[c.slotQueueA[i]] = mine;
    for (int i = 0; i < tailB; ++i) c.joined[c.slotQueueB[i]] = mine;
    return -1;
}

// Records the dots of the side that ran out as a new piece.
int addPiece(StepComponents& c, int side, int size) {
    const int32_t* slots = side == 0 ? c.slotQueueA : c.slotQueueB;
    const int p = c.pieceCount++;
    const uint64_t mine = tag(c.joinGeneration, p);
    for (int i = 0; i < size; ++i) c.piece[slots[i]] = mine;
    return p;
}

int rootOf(StepComponents& c, int p) {
    while (c.pieceRoot[p] != p) {
        c.pieceRoot[p] = c.pieceRoot[c.pieceRoot[p]];
        p = c.pieceRoot[p];
    }
    return p;
}

// Finds the pieces that broke off graph g where edges[0, count) were taken out of it
// (those within the part that matters): every edge taken out, or only those that split a
// component when taken out in turn (keepSplits). The graph at rest without the edges left
// out of the list has the components of the graph at rest: each of those took out an edge
// of a cycle, which is still there when fewer edges are gone. Calls onPiece(dots, size)
// for each piece (unless askOfLoneDots is false, for a dot left without edges): a verdict
// other than kUnknown ends the search and is returned. Otherwise the result is kHolds,
// every component of the new position in that part having been found as a piece but one,
// the remainder (kUnknown only when the pieces overflow their table).
//
// First each listed edge whose ends lie in no piece yet gets a search from both ends.
// Then pieces joined by a listed edge form a cluster, and the remainder's dots at the other
// end of a listed edge from a cluster are its contacts. A path between two remainder dots,
// at rest and without the edges left out of the list, that passes through a cluster enters
// and leaves it at contacts, and every other listed edge on it had its ends met: so the
// remainder is joined when each cluster's contacts are. Each contact is searched from the
// last one it met (the one before it in the list, as a rule its neighbour), and a contact
// that cannot reach it starts a new piece, and the clusters are formed again.
template <int g, class OnPiece>
StepVerdict findPieces(StepComponents& c, const Board& wb, const int32_t* edges, int count,
                       OnPiece onPiece, bool askOfLoneDots = true) {
    using enum StepVerdict;
    c.pieceCount = 0;
    c.classCount = 0;
    if (++c.joinGeneration == 0) {
        std::memset(c.joined, 0, sizeof c.joined);
        std::memset(c.piece, 0, sizeof c.piece);
        c.joinGeneration = 1;
    }
    StepVerdict verdict = kUnknown;
    // A new piece of the dots queue[0, size): false when onPiece decided or the table is
    // full (verdict says which).
    const auto newPiece = [&](int side, int size, bool ask = true) {
        if (c.pieceCount == kMaxEdges) {
            verdict = kUnknown;
            return false;
        }
        addPiece(c, side, size);
        verdict = ask ? onPiece(side == 0 ? c.queueA : c.queueB, size) : kUnknown;
        return verdict == kUnknown;
    };
    // A dot with no edge left is a piece of its own, found without a search.
    const auto isolated = [&](int dot) {
        for (int step : kSideStep) {
            if (inGraph<g>(wb.at(dot + step) & kKeyMask)) return false;
        }
        return true;
    };
    // The taken-out edges with an end in a piece, for the clusters.
    int cuts = 0;
    for (int i = 0; i < count; ++i) {
        const EdgeEnds e = edgeEnds(edges[i]);
        bool inPiece[2] = {};
        for (int end = 0; end < 2; ++end) {
            const int dot = end == 0 ? e.a : e.b;
            inPiece[end] = pieceOf(c, dot) >= 0;
            if (!inPiece[end] && isolated(dot)) {
                c.queueA[0] = dot;
                c.slotQueueA[0] = c.slotOf(dot);
                if (!newPiece(0, 1, askOfLoneDots)) return verdict;
                inPiece[end] = true;
            }
        }
        if (!inPiece[0] && !inPiece[1]) {
            if (joinedAroundACell<g>(wb, e)) continue;
            int size = 0;
            const int side = meetOrRunOut<g>(c, wb, e.a, e.b, size);
            if (side < 0) continue;  // joined: neither end can be in a piece
            if (!newPiece(side, size)) return verdict;
        }
        c.cutA[cuts] = e.a;
        c.cutB[cuts++] = e.b;
    }
    for (bool again = c.pieceCount > 0; again;) {
        again = false;
        for (int p = 0; p < c.pieceCount; ++p) {
            c.pieceRoot[p] = p;
            c.clusterFirst[p] = -1;
        }
        // The pieces of the cuts' ends: they stay the same until a new piece is found.
        for (int i = 0; i < cuts; ++i) {
            const int pa = pieceOf(c, c.cutA[i]);
            const int pb = pieceOf(c, c.cutB[i]);
            c.cutPieceA[i] = pa;
            c.cutPieceB[i] = pb;
            if (pa >= 0 && pb >= 0) c.pieceRoot[rootOf(c, pa)] = rootOf(c, pb);
        }
        for (int i = 0; i < cuts && !again; ++i) {
            const int pa = c.cutPieceA[i];
            const int pb = c.cutPieceB[i];
            if ((pa >= 0) == (pb >= 0)) continue;
            const int contact = pa >= 0 ? c.cutB[i] : c.cutA[i];
            int32_t& firstContact = c.clusterFirst[rootOf(c, pa >= 0 ? pa : pb)];
            if (firstContact < 0) {
                firstContact = contact;
            } else if (firstContact != contact) {
                int size = 0;
                const int side = meetOrRunOut<g>(c, wb, firstContact, contact, size);
                if (side < 0) {
                    firstContact = contact;
                    continue;
                }
                if (!newPiece(side, size)) return verdict;
                again = true;
            }
        }
    }
    return kHolds;
}

}  // namespace

}  // namespace vexilo::step_checks
