// What the step checks keep from pass to pass and from hypothesis to hypothesis
// (step_components.h), and the small reads and marks the files of the checks share.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "model/board.h"
#include "model/lattice.h"
#include "model/move_entry.h"
#include "model/solve_scratch.h"
#include "solver/plane_faces.h"

namespace vexilo {

namespace step_checks {

constexpr int kSlots = SolveScratch::kDotSlots;
// The slots of the dots of a board (StepComponents::slotOf).
constexpr int kPlaneSlots = (kMaxCells + 2) * (kMaxCells + 2);
// The most edges a board has, and so the most entries one step holds.
constexpr int kMaxEdges = 2 * (kMaxCells + 1) * kMaxCells;
constexpr int kMaxDotCount = (kMaxCells + 1) * (kMaxCells + 1);
// Component numbers: those of the passes since the labels were last forgotten.
constexpr int kIds = 4 * SolveScratch::kDotSlots;

constexpr int kSideStep[4] = {latticeStep(Direction::kDown), latticeStep(Direction::kRight),
                              latticeStep(Direction::kUp), latticeStep(Direction::kLeft)};

// The two graphs on the dots: edges that are not crosses, and undecided edges.
constexpr int kOpen = 0;
constexpr int kUndecidedEdges = 1;

// What a dot is, by the tally of its four edges: a path end (one line and at most one
// cross), and the graphs it is left without edges in (bit 1 + g): graph 1 when it has no
// undecided edge, graph 0 when its four edges are crosses.
constexpr int kPathEnd = 1;
template <int g>
constexpr int kCutOff = 2 << g;
constexpr auto kDotKind = [] {
    std::array<uint8_t, tally(0, 4) + 1> kinds{};
    for (int lines = 0; lines <= 4; ++lines) {
        for (int crosses = 0; lines + crosses <= 4; ++crosses) {
            kinds[tally(crosses, lines)] =
                static_cast<uint8_t>((lines == 1 && crosses <= 1 ? kPathEnd : 0) |
                                     (lines + crosses == 4 ? kCutOff<kUndecidedEdges> : 0) |
                                     (crosses == 4 ? kCutOff<kOpen> : 0));
        }
    }
    return kinds;
}();

}  // namespace step_checks

// Marks carry the pass or hypothesis they belong to, so nothing is cleared between them;
// the memory comes zeroed from calloc, page by page as the board uses it.
struct StepComponents {
    static constexpr int kPlaneSlots = step_checks::kPlaneSlots;
    static constexpr int kIds = step_checks::kIds;
    static constexpr int kMaxEdges = step_checks::kMaxEdges;
    static constexpr int kSlots = step_checks::kSlots;

    uint32_t pass;        // labels of this pass carry it in their upper half
    uint32_t hypothesis;  // marks of this hypothesis carry it
    uint32_t searchBase;  // the two sides of a search mark dots with base and base + 1
    bool endsLabelled;    // the rest components holding path ends are labelled
    int oddRest;          // of those, the ones with an odd number of path ends
    int pieceCount;
    int touchedCount;
    struct Graph {
        int components;
        uint64_t label[kPlaneSlots];  // by dot: pass << 32 | component
        int32_t restCount[kIds];      // by component: its lines, or its path ends, at rest
        uint64_t touched[kIds];       // by component: hypothesis << 32 | index in touchedId
    } graph[2];
    // The position at rest as last learnt, over the rows and columns of a w x h board, and
    // its path ends: they are brought up to date from the keys that changed since.
    int keptW;
    // The arrays by dot hold dot (x, y) at slot (y / 2) * slotRow + x / 2, with slotRow the
    // width of the board kept, ring included: the slots of a board lie together, and its rows
    // fall in different sets of the cache (rows a power of two apart would share theirs).
    int slotRow;
    int slotOf(int dot) const {
        static_assert(kLatticeSide == 1024);
        return (dot >> 11) * slotRow + ((dot & (kLatticeSide - 1)) >> 1);
    }
    // An edge's upper or right dot has slot slotOf(edge), its other dot that less this.
    int slotAcross(int edge) const { return 1 + (edge & 1) * (slotRow - 1); }
    int keptH;
    int restLines;
    int restEndCount;
    uint8_t restKeys[kLatticeBytes];  // key bits of each position
    int32_t endIndex[kPlaneSlots];    // by dot: 1 + its place in SolveScratch::restEnds, or 0
    uint32_t seen[kPlaneSlots];       // by dot: a search's marks
    uint32_t joinGeneration;          // one a call of findPieces
    int classCount;
    uint64_t piece[kPlaneSlots];       // by dot: joinGeneration << 32 | piece
    uint64_t joined[kPlaneSlots];      // by dot: joinGeneration << 32 | class
    int32_t classParent[kMaxEdges];    // the classes' union-find
    uint32_t stepEdge[kLatticeBytes];  // by edge: the hypothesis, when its step decided it
    uint32_t stepEdgesMarked;          // (marked once a walk at rest needs it, markStepEdges)
    int32_t metEnds[2 * kMaxEdges];    // markStep's list of the dots it met first
    int32_t lastAt[kPlaneSlots];       // by dot: the open step's last edge there, if any
    int32_t queueA[kSlots];            // a search's dots, and their slots
    int32_t queueB[kSlots];
    int32_t slotQueueA[kSlots];
    int32_t slotQueueB[kSlots];
    int32_t pieceRoot[kMaxEdges];     // pieces joined by an edge the step took out
    int32_t clusterFirst[kMaxEdges];  // by root piece: its cluster's last contact met, or -1
    int32_t cutA[kMaxEdges];          // the ends of the taken-out edges that touch a piece
    int32_t cutB[kMaxEdges];
    int32_t cutPieceA[kMaxEdges];  // the pieces of their ends, or -1
    int32_t cutPieceB[kMaxEdges];
    int32_t touchedEnds[kMaxEdges];   // by touched component: path ends outside the pieces
    int32_t takenOut[kMaxEdges];      // the edges findPieces looks at
    uint8_t takenCuts[kMaxEdges];     // and their cutsOffEnd
    int stepCount;                    // the open hypothesis's step, as markStep noted it,
    int stepBase;                     // at [stepBase, kMaxEdges) of the arrays below:
    int32_t stepEdges[kMaxEdges];     // its edges, in the order of the log,
    int32_t stepDotSlots[kMaxEdges];  // the slot of the lower end of each,
    uint8_t stepValues[kMaxEdges];    // and what it set them to
    uint8_t cutsOffEnd[kMaxEdges];    // by step edge: the graphs it cuts off a dot in, kCutOff
    int8_t endsGained[kMaxEdges];     // and the path ends gained at the dots first met there
    bool onlyDecided;                 // every change since the pass before was a decision
    bool nextPass;                    // and that pass was the one before in the same solve
    uint32_t learnt;                  // the passes learnt
    int32_t logMark;                  // workBoard's writePos when the last pass was learnt
    int markPasses;                   // and the solve's trialPasses then
    int changedCount;                 // the edges whose keys changed since the last pass
    int32_t changedEdge[kMaxEdges];
    uint8_t changedFrom[kMaxEdges];       // their keys before
    uint8_t changedSplits[2][kMaxEdges];  // by graph: that change split a component (faces)
    PlaneFaces faces[2];                  // by graph: its faces at rest, and the step's joins
    int64_t searched[2];                  // by graph: the dots its searches looked at since then
};

namespace step_checks {

inline uint64_t tag(uint32_t high, int low) {
    return (static_cast<uint64_t>(high) << 32) | static_cast<uint32_t>(low);
}

// The component of this pass of the dot at a slot in graph g, or -1.
inline int labelAtSlot(const StepComponents& c, int g, int slot) {
    const uint64_t l = c.graph[g].label[slot];
    return (l >> 32) == c.pass ? static_cast<int>(static_cast<uint32_t>(l)) : -1;
}
inline int labelOf(const StepComponents& c, int g, int dot) {
    return labelAtSlot(c, g, c.slotOf(dot));
}

inline int pieceOf(const StepComponents& c, int dot) {
    const uint64_t p = c.piece[c.slotOf(dot)];
    return (p >> 32) == c.joinGeneration ? static_cast<int>(static_cast<uint32_t>(p)) : -1;
}

inline uint32_t nextSearch(StepComponents& c) {
    c.searchBase += 2;
    if (c.searchBase > 0xFFFFFFF0U) {
        std::memset(c.seen, 0, sizeof c.seen);
        c.searchBase = 2;
    }
    return c.searchBase;
}

// Marks the edges of the open step in stepEdge, for the walks over the position at rest.
inline void markStepEdges(StepComponents& c) {
    if (c.stepEdgesMarked == c.hypothesis) return;
    c.stepEdgesMarked = c.hypothesis;
    for (int i = c.stepBase; i < kMaxEdges; ++i) c.stepEdge[c.stepEdges[i]] = c.hypothesis;
}

// Labels the component at rest of `dot` in graph g, and counts its lines or path ends
// (rest_components.cpp).
int labelRest(StepComponents& c, const Board& wb, int g, int dot);

inline int labelAt(StepComponents& c, const Board& wb, int g, int dot) {
    const int id = labelOf(c, g, dot);
    return id >= 0 ? id : labelRest(c, wb, g, dot);
}

template <int g>
inline bool inGraph(int key) {
    return g == kOpen ? key != kCross : key == kUndecided;
}

// The ends of the edge in a move entry.
struct EdgeEnds {
    int edge;
    int a;
    int b;
};
inline EdgeEnds edgeEnds(int edge) {
    // kLatticeSide for a vertical edge (x odd), 1 for a horizontal one, without a branch.
    const int across = 1 + (edge & 1) * (kLatticeSide - 1);
    return {edge, edge - across, edge + across};
}
inline EdgeEnds endsOf(int32_t entry) {
    return edgeEnds(latticeIndex(entryX(entry), entryY(entry)));
}

// The ends of a taken-out edge are joined around a cell beside it whose other three sides
// are still edges of graph g. (A side on the ring is crossed: the test stops there, before
// the lattice's edge.)
template <int g>
[[gnu::always_inline]] inline bool joinedAroundACell(const Board& wb, const EdgeEnds& e) {
    const int along = e.b - e.edge;
    const int side = along == 1 ? kLatticeSide : 1;
    const auto in = [&](int at) { return inGraph<g>(wb.at(at) & kKeyMask); };
    return (in(e.a - side) && in(e.edge - 2 * side) && in(e.b - side)) ||
           (in(e.a + side) && in(e.edge + 2 * side) && in(e.b + side));
}

}  // namespace step_checks

}  // namespace vexilo
