#include "solver/step_components.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/consistency.h"
#include "solver/engine/edge_setting.h"
#include "solver/plane_faces.h"

namespace vexilo {

namespace {

constexpr int kSlots = SolveScratch::kDotSlots;
// Dots are indexed by half their lattice index: one shift, and a neighbour is one or
// kLatticeSide away (the halves of the rows between hold nothing and are never touched).
constexpr int kHalves = kLatticeBytes / 2;
int halfOf(int dot) {
    return static_cast<int>(static_cast<unsigned>(dot) >> 1);
}
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

}  // namespace

// Marks carry the pass or hypothesis they belong to, so nothing is cleared between them;
// the memory comes zeroed from calloc, page by page as the board uses it.
struct StepComponents {
    uint32_t pass;        // labels of this pass carry it in their upper half
    uint32_t hypothesis;  // marks of this hypothesis carry it
    uint32_t searchBase;  // the two sides of a search mark dots with base and base + 1
    bool endsLabelled;    // the rest components holding path ends are labelled
    int oddRest;          // of those, the ones with an odd number of path ends
    int pieceCount;
    int touchedCount;
    struct Graph {
        int components;
        uint64_t label[kHalves];  // by dot: pass << 32 | component
        int32_t restCount[kIds];  // by component: its lines, or its path ends, at rest
        uint64_t touched[kIds];   // by component: hypothesis << 32 | index in touchedId
    } graph[2];
    // The position at rest as last learnt, over the rows and columns of a w x h board, and
    // its path ends: they are brought up to date from the keys that changed since.
    int keptW;
    int keptH;
    int restLines;
    int restEndCount;
    uint8_t restKeys[kLatticeBytes];  // key bits of each position
    int32_t endIndex[kHalves];        // by dot: 1 + its place in SolveScratch::restEnds, or 0
    uint32_t seen[kHalves];           // by dot: a search's marks
    uint32_t joinGeneration;          // one a call of findPieces
    int classCount;
    uint64_t piece[kHalves];           // by dot: joinGeneration << 32 | piece
    uint64_t joined[kHalves];          // by dot: joinGeneration << 32 | class
    int32_t classParent[kMaxEdges];    // the classes' union-find
    uint32_t stepEdge[kLatticeBytes];  // by edge: the hypothesis, when its step decided it
    uint32_t stepEdgesMarked;          // (marked once a walk at rest needs it, markStepEdges)
    int32_t lastAt[kHalves];           // by dot: the open step's last edge there, if any
    int32_t queueA[kSlots];
    int32_t queueB[kSlots];
    int32_t pieceRoot[kMaxEdges];     // pieces joined by an edge the step took out
    int32_t clusterFirst[kMaxEdges];  // by root piece: its cluster's last contact met, or -1
    int32_t cutA[kMaxEdges];          // the ends of the taken-out edges that touch a piece
    int32_t cutB[kMaxEdges];
    int32_t cutPieceA[kMaxEdges];  // the pieces of their ends, or -1
    int32_t cutPieceB[kMaxEdges];
    int32_t touchedEnds[kMaxEdges];  // by touched component: path ends outside the pieces
    int32_t takenOut[kMaxEdges];     // the edges findPieces looks at
    uint8_t takenCuts[kMaxEdges];    // and their cutsOffEnd
    int stepCount;                   // the open hypothesis's step, as markStep noted it,
    int stepBase;                    // at [stepBase, kMaxEdges) of the arrays below:
    int32_t stepEdges[kMaxEdges];    // its edges, in the order of the log,
    int32_t stepDots[kMaxEdges];     // the lower end of each,
    uint8_t stepValues[kMaxEdges];   // and what it set them to
    uint8_t cutsOffEnd[kMaxEdges];   // by step edge: the graphs it cuts off a dot in, kCutOff
    int8_t endsGained[kMaxEdges];    // and the path ends gained at the dots first met there
    bool onlyDecided;                // every change since the pass before was a decision
    bool nextPass;                   // and that pass was the one before in the same solve
    uint32_t learnt;                 // the passes learnt
    int32_t logMark;                 // workBoard's writePos when the last pass was learnt
    int markPasses;                  // and the solve's trialPasses then
    int changedCount;                // the edges whose keys changed since the last pass
    int32_t changedEdge[kMaxEdges];
    uint8_t changedFrom[kMaxEdges];       // their keys before
    uint8_t changedSplits[2][kMaxEdges];  // by graph: that change split a component (faces)
    PlaneFaces faces[2];                  // by graph: its faces at rest, and the step's joins
    int64_t searched[2];                  // by graph: the dots its searches looked at since then
};

namespace {

StepComponents& components(PuzzleState& state) {
    auto& owned = state.solveScratch->stepComponents;
    if (!owned) owned = allocateZeroed<StepComponents>();
    return *owned;
}

uint64_t tag(uint32_t high, int low) {
    return (static_cast<uint64_t>(high) << 32) | static_cast<uint32_t>(low);
}

int labelOf(const StepComponents& c, int g, int dot) {
    const uint64_t l = c.graph[g].label[halfOf(dot)];
    return (l >> 32) == c.pass ? static_cast<int>(static_cast<uint32_t>(l)) : -1;
}

int pieceOf(const StepComponents& c, int dot) {
    const uint64_t p = c.piece[halfOf(dot)];
    return (p >> 32) == c.joinGeneration ? static_cast<int>(static_cast<uint32_t>(p)) : -1;
}

uint32_t nextSearch(StepComponents& c) {
    c.searchBase += 2;
    if (c.searchBase > 0xFFFFFFF0U) {
        std::memset(c.seen, 0, sizeof c.seen);
        c.searchBase = 2;
    }
    return c.searchBase;
}

// Marks the edges of the open step in stepEdge, for the walks over the position at rest.
void markStepEdges(StepComponents& c) {
    if (c.stepEdgesMarked == c.hypothesis) return;
    c.stepEdgesMarked = c.hypothesis;
    for (int i = c.stepBase; i < kMaxEdges; ++i) c.stepEdge[c.stepEdges[i]] = c.hypothesis;
}

// Labels the component at rest of `dot` in graph g, and counts its lines or path ends.
// At rest, an edge the step decided was undecided.
int labelRest(StepComponents& c, const Board& wb, int g, int dot) {
    markStepEdges(c);
    auto& graph = c.graph[g];
    const int id = graph.components++;
    const uint64_t mine = tag(c.pass, id);
    int32_t* stack = c.queueA;
    int top = 0;
    stack[0] = dot;
    graph.label[halfOf(dot)] = mine;
    int count = 0;
    while (top >= 0) {
        const int at = stack[top--];
        if (g == kUndecidedEdges && c.endIndex[halfOf(at)] != 0) ++count;
        for (int step : kSideStep) {
            const int edge = at + step;
            const int key = wb.at(edge) & kKeyMask;
            const bool decided = c.stepEdge[edge] == c.hypothesis;
            bool in = false;
            if (g == kOpen) {
                in = key != kCross || decided;
                if (key == kLine && !decided) ++count;
            } else {
                in = key == kUndecided || decided;
            }
            if (!in) continue;
            uint64_t& l = graph.label[halfOf(edge + step)];
            if (l == mine) continue;
            l = mine;
            stack[++top] = edge + step;
        }
    }
    // Graph 0 met each line from both its dots.
    graph.restCount[id] = g == kOpen ? count / 2 : count;
    if (g == kUndecidedEdges) c.oddRest += count % 2;
    return id;
}

int labelAt(StepComponents& c, const Board& wb, int g, int dot) {
    const int id = labelOf(c, g, dot);
    return id >= 0 ? id : labelRest(c, wb, g, dot);
}

template <int g>
bool inGraph(int key) {
    return g == kOpen ? key != kCross : key == kUndecided;
}

int classRoot(StepComponents& c, int k) {
    while (c.classParent[k] != k) {
        c.classParent[k] = c.classParent[c.classParent[k]];
        k = c.classParent[k];
    }
    return k;
}

// The joined class of a dot in this call of findPieces, or -1.
int joinedRoot(StepComponents& c, int dot) {
    const uint64_t j = c.joined[halfOf(dot)];
    return (j >> 32) == c.joinGeneration ? classRoot(c, static_cast<int>(static_cast<uint32_t>(j)))
                                         : -1;
}

// Searches graph g from dots a and b at once, breadth first, one dot a side in turn.
// Returns -1 when the two sides meet; else the side that ran out (0: a's, 1: b's), whose
// dots, a whole component, are queue[0, size). The dots of searches that met are kept in
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
    c.seen[halfOf(a)] = sideA;
    c.seen[halfOf(b)] = sideB;
    const auto expand = [&](int at, uint32_t mine, uint32_t other, int32_t* queue, int& tail,
                            int& rootMine, int& rootOther) {
        for (int step : kSideStep) {
            const int edge = at + step;
            if (!inGraph<g>(wb.at(edge) & kKeyMask)) continue;
            const int beyond = edge + step;
            uint32_t& m = c.seen[halfOf(beyond)];
            if (m == other) return true;
            if (m == mine) continue;
            m = mine;
            queue[tail++] = beyond;
            const int k = joinedRoot(c, beyond);
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
        if (expand(c.queueA[headA++], sideA, sideB, c.queueA, tailA, rootA, rootB)) break;
        if (headB == tailB) {
            c.searched[g] += headA + headB;
            size = tailB;
            return 1;
        }
        if (expand(c.queueB[headB++], sideB, sideA, c.queueB, tailB, rootB, rootA)) break;
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
    for (int i = 0; i < tailA; ++i) c.joined[halfOf(c.queueA[i])] = mine;
    for (int i = 0; i < tailB; ++i) c.joined[halfOf(c.queueB[i])] = mine;
    return -1;
}

// Records the dots of the side that ran out as a new piece.
int addPiece(StepComponents& c, int side, int size) {
    const int32_t* dots = side == 0 ? c.queueA : c.queueB;
    const int p = c.pieceCount++;
    const uint64_t mine = tag(c.joinGeneration, p);
    for (int i = 0; i < size; ++i) c.piece[halfOf(dots[i])] = mine;
    return p;
}

int rootOf(StepComponents& c, int p) {
    while (c.pieceRoot[p] != p) {
        c.pieceRoot[p] = c.pieceRoot[c.pieceRoot[p]];
        p = c.pieceRoot[p];
    }
    return p;
}

// The ends of the edge in a move entry.
struct EdgeEnds {
    int edge;
    int a;
    int b;
};
EdgeEnds edgeEnds(int edge) {
    const int across = (edge & 1) != 0 ? kLatticeSide : 1;
    return {edge, edge - across, edge + across};
}
EdgeEnds endsOf(int32_t entry) {
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

namespace {

// Brings a dot's place among the path ends at rest up to date.
void noteEndAt(StepComponents& c, SolveScratch& scratch, const Board& wb, int dot) {
    int32_t& index = c.endIndex[halfOf(dot)];
    const bool end = isPathEnd(wb, dot);
    if (end == (index != 0)) return;
    if (end) {
        scratch.restEnds[static_cast<size_t>(c.restEndCount++)] = dot;
        index = c.restEndCount;
        return;
    }
    // The last end takes its place.
    const int32_t last = scratch.restEnds[static_cast<size_t>(--c.restEndCount)];
    scratch.restEnds[static_cast<size_t>(index - 1)] = last;
    c.endIndex[halfOf(last)] = index;
    index = 0;
}

// Compares the key bits of the board with those kept, eight positions at a time, brings
// the line count up to date and notes every edge that changed, with its key before.
void learnChangedKeys(StepComponents& c, const Board& wb, int w, int h) {
    constexpr uint64_t kKeys = 0x0707070707070707ULL;
    const int maxX = 2 * w + 1;
    for (int y = 1; y <= 2 * h + 1; ++y) {
        const int row = latticeIndex(0, y);
        for (int x = 0; x <= maxX; x += 8) {
            uint64_t now = 0;
            uint64_t kept = 0;
            std::memcpy(&now, &wb.lattice[static_cast<size_t>(row + x)], 8);
            std::memcpy(&kept, &c.restKeys[row + x], 8);
            now &= kKeys;
            if (now == kept) continue;
            std::memcpy(&c.restKeys[row + x], &now, 8);
            for (int i = 0; i < 8; ++i) {
                const int ex = x + i;
                const int shift = 8 * i;
                if (ex < 1 || ex > maxX || (ex + y) % 2 == 0 ||
                    ((now >> shift) & 0xFF) == ((kept >> shift) & 0xFF)) {
                    continue;
                }
                const auto before = static_cast<uint8_t>((kept >> shift) & 0xFF);
                c.restLines +=
                    (((now >> shift) & 0xFF) == kLine ? 1 : 0) - (before == kLine ? 1 : 0);
                c.changedEdge[c.changedCount] = row + ex;
                c.changedFrom[c.changedCount++] = before;
            }
        }
    }
}

// The same from the log: every edge that changed since the last pass was logged at or
// after slot `from` (an edge logged twice is noted once, with its key at the last pass).
void learnLoggedKeys(StepComponents& c, const Board& wb, int from) {
    for (int slot = from; slot < wb.writePos; ++slot) {
        const int32_t entry = wb.moveLog[slot];
        if (!isMove(entry)) continue;
        const int edge = latticeIndex(entryX(entry), entryY(entry));
        const auto now = static_cast<uint8_t>(wb.at(edge) & kKeyMask);
        const uint8_t before = c.restKeys[edge];
        if (now == before) continue;
        c.restKeys[edge] = now;
        c.restLines += (now == kLine ? 1 : 0) - (before == kLine ? 1 : 0);
        c.changedEdge[c.changedCount] = edge;
        c.changedFrom[c.changedCount++] = before;
    }
}

// Learns the position at rest afresh: its keys, its lines and its path ends, in board order.
void learnWholeRest(StepComponents& c, SolveScratch& scratch, const Board& wb, int w, int h) {
    constexpr uint64_t kKeys = 0x0707070707070707ULL;
    for (int i = 0; i < c.restEndCount; ++i) {
        c.endIndex[halfOf(scratch.restEnds[static_cast<size_t>(i)])] = 0;
    }
    c.restEndCount = 0;
    // Each line is met from its two dots.
    int lineEnds = 0;
    const int maxX = 2 * w + 1;
    for (int y = 1; y <= 2 * h + 1; ++y) {
        const int row = latticeIndex(0, y);
        // The words learnChangedKeys compares.
        for (int x = 0; x <= maxX; x += 8) {
            uint64_t now = 0;
            std::memcpy(&now, &wb.lattice[static_cast<size_t>(row + x)], 8);
            now &= kKeys;
            std::memcpy(&c.restKeys[row + x], &now, 8);
        }
        if (y % 2 == 0) continue;
        for (int x = 1; x <= maxX; x += 2) {
            const int dot = row + x;
            // isPathEnd, inline.
            int count = 0;
            for (int step : kSideStep) count = tallyPosition(wb, count, dot + step);
            lineEnds += tallyLines(count);
            if (count != tally(0, 1) && count != tally(1, 1)) continue;
            scratch.restEnds[static_cast<size_t>(c.restEndCount++)] = dot;
            c.endIndex[halfOf(dot)] = c.restEndCount;
        }
    }
    c.restLines = lineEnds / 2;
}

}  // namespace

namespace {

// Sets the count of component id of graph g, keeping the number of odd ones of graph 1.
void setRestCount(StepComponents& c, int g, int id, int count) {
    int32_t& kept = c.graph[g].restCount[id];
    if (g == kUndecidedEdges) c.oddRest += count % 2 - kept % 2;
    kept = count;
}

// The components of the last pass in graph g, made those of this one: the changed edges
// only took edges out of it (`out(from, to)` tells which), each piece that broke off
// gets a number of its own, and the remainder keeps the old one. `count(dot)` is a dot's
// share of the count. False when the pieces could not all be found. With the faces kept
// from the last pass, only the edges that split a component are looked at.
template <int g, class Out, class Count>
bool refineComponents(StepComponents& c, const Board& wb, Out out, Count count) {
    const bool splitsKnown = c.faces[g].known;
    int taken = 0;
    for (int i = 0; i < c.changedCount; ++i) {
        const EdgeEnds e = edgeEnds(c.changedEdge[i]);
        if (out(c.changedFrom[i], wb.at(e.edge) & kKeyMask) && labelOf(c, g, e.a) >= 0 &&
            (!splitsKnown || c.changedSplits[g][i] != 0)) {
            c.takenOut[taken++] = e.edge;
        }
    }
    auto& graph = c.graph[g];
    return findPieces<g>(c, wb, c.takenOut, taken, [&](const int32_t* dots, int size) {
               const int parent = labelOf(c, g, dots[0]);
               const int id = graph.components++;
               const uint64_t mine = tag(c.pass, id);
               int n = 0;
               for (int i = 0; i < size; ++i) {
                   n += count(dots[i]);
                   graph.label[halfOf(dots[i])] = mine;
               }
               if (g == kOpen) n /= 2;  // each line from both its dots
               graph.restCount[id] = 0;
               setRestCount(c, g, id, n);
               setRestCount(c, g, parent, graph.restCount[parent] - n);
               return StepVerdict::kUnknown;
           }) == StepVerdict::kHolds;
}

}  // namespace

void learnRestComponents(PuzzleState& state) {
    StepComponents& c = components(state);
    SolveScratch& scratch = *state.solveScratch;
    const Board& wb = *state.workBoard;
    // Within a solve, from one pass to the next, the position only changes through logged
    // decisions (the hypotheses between are taken back): then the log tells what changed.
    // A full log may have missed one, and another solve starts its passes from 1 again.
    // The components are kept from pass to pass while the changes only decide edges, are
    // few, and leave room for new component numbers.
    const bool sameBoard = c.keptW == state.W() && c.keptH == state.H();
    c.nextPass = sameBoard && c.markPasses > 0 && state.trialPasses == c.markPasses + 1 &&
                 c.logMark <= wb.writePos;
    bool keep = c.nextPass;
    c.changedCount = 0;
    if (!c.nextPass) {
        learnWholeRest(c, scratch, wb, state.W(), state.H());
        c.keptW = state.W();
        c.keptH = state.H();
    } else if (wb.moveLog[wb.writePos] != kEndSentinel) {
        learnLoggedKeys(c, wb, c.logMark);
    } else {
        learnChangedKeys(c, wb, state.W(), state.H());
    }
    c.logMark = wb.writePos;
    c.markPasses = state.trialPasses;
    scratch.restLines = c.restLines;
    const int dots = (state.W() + 1) * (state.H() + 1);
    keep = keep && 4 * c.changedCount <= dots;
    for (const auto& graph : c.graph)
        keep = keep && graph.components + dots + 2 * c.changedCount <= kIds;
    c.onlyDecided = c.nextPass;
    ++c.learnt;
    for (int i = 0; i < c.changedCount && c.onlyDecided; ++i) {
        c.onlyDecided = c.changedFrom[i] == kUndecided;
    }
    keep = keep && c.onlyDecided;
    // The faces only join while edges only leave both graphs; else they are learnt again,
    // when the searches are worth it.
    for (int g = 0; g < 2; ++g) {
        PlaneFaces& faces = c.faces[g];
        if (!c.onlyDecided) {
            faces.known = false;
            c.searched[g] = 0;
        }
        for (int i = 0; i < c.changedCount && faces.known; ++i) {
            const int edge = c.changedEdge[i];
            c.changedSplits[g][i] = 0;
            if (g == kUndecidedEdges || (wb.at(edge) & kKeyMask) == kCross) {
                c.changedSplits[g][i] = faces.takeOutAtRest(edge) ? 1 : 0;
            }
        }
    }
    // The path ends, and the counts of their components.
    const uint32_t counted = nextSearch(c);
    for (int i = 0; i < c.changedCount; ++i) {
        const EdgeEnds e = edgeEnds(c.changedEdge[i]);
        for (int dot : {e.a, e.b}) {
            if (c.seen[halfOf(dot)] == counted) continue;
            c.seen[halfOf(dot)] = counted;
            const int before = c.endIndex[halfOf(dot)] != 0 ? 1 : 0;
            noteEndAt(c, scratch, wb, dot);
            const int id = keep ? labelOf(c, kUndecidedEdges, dot) : -1;
            if (id >= 0) {
                setRestCount(c, kUndecidedEdges, id,
                             c.graph[kUndecidedEdges].restCount[id] +
                                 (c.endIndex[halfOf(dot)] != 0 ? 1 : 0) - before);
            }
        }
        // A new line adds to its component's lines.
        const int id = keep ? labelOf(c, kOpen, e.a) : -1;
        if (id >= 0 && (wb.at(e.edge) & kKeyMask) == kLine) ++c.graph[kOpen].restCount[id];
    }
    // With more lines than a board has dots the ends are not counted.
    scratch.restEndCount = c.restLines > kMaxDotCount ? -1 : c.restEndCount;
    keep = keep &&
           refineComponents<kOpen>(
               c, wb, [](int, int to) { return to == kCross; },
               [&](int dot) {
                   int lines = 0;
                   for (int step : kSideStep) lines += (wb.at(dot + step) & kKeyMask) == kLine;
                   return lines;
               }) &&
           refineComponents<kUndecidedEdges>(
               c, wb, [](int, int) { return true; },
               [&](int dot) { return c.endIndex[halfOf(dot)] != 0 ? 1 : 0; });
    if (!keep) {
        if (++c.pass == 0) {
            for (auto& graph : c.graph) std::memset(graph.label, 0, sizeof graph.label);
            c.pass = 1;
        }
        c.graph[kOpen].components = 0;
        c.graph[kUndecidedEdges].components = 0;
        c.oddRest = 0;
    }
    c.endsLabelled = false;
}

uint32_t restPassesLearnt(const PuzzleState& state) {
    const StepComponents* c = state.solveScratch->stepComponents.get();
    return c != nullptr ? c->learnt : 0;
}

bool restGainedDecisionsSinceLastPass(const PuzzleState& state) {
    const StepComponents* c = state.solveScratch->stepComponents.get();
    return c != nullptr && c->nextPass && c->onlyDecided;
}

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
    const auto lastEdge = [&](int dot) { return c.lastAt[halfOf(dot)]; };
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
            while (c.seen[halfOf(dot)] != kept && alone(dot)) {
                c.seen[halfOf(dot)] = kept;
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
    for (int i = c.stepBase; i < kMaxEdges; ++i) {
        const bool there = label[halfOf(c.stepDots[i])] == startLabel;
        if (c.stepValues[i] == kLine) {
            if (!there) return kFails;
        } else if (there) {
            cuts |= c.cutsOffEnd[i];
            c.takenCuts[count] = c.cutsOffEnd[i];
            c.takenOut[count++] = c.stepEdges[i];
        }
    }
    count = keepSplits<kOpen>(c, wb, state.W(), state.H(), c.takenOut, count, c.takenCuts);
    if (count < 0) {
        // Unless the start itself was cut off: then it reaches no line.
        return (cuts & kCutOff<kOpen>) != 0 && crossedOut(wb, startDot) ? kFails : kHolds;
    }
    const int startHalf = halfOf(startDot);
    return findPieces<kOpen>(c, wb, c.takenOut, count, [&](const int32_t* dots, int size) {
        int ends = 0;  // each line is met from both its dots
        for (int i = 0; i < size; ++i) {
            for (int step : kSideStep) ends += (wb.at(dots[i] + step) & kKeyMask) == kLine;
        }
        // The start's piece holds every line, or one is out of its reach.
        if (c.piece[startHalf] == c.piece[halfOf(dots[0])])
            return ends / 2 == lines ? kHolds : kFails;
        return ends > 0 ? kFails : kUnknown;
    });
}

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
        const int dot = c.stepDots[i];
        if (graph.label[halfOf(dot)] != lastLabel) {
            const int id = labelAt(c, wb, kUndecidedEdges, dot);
            if ((graph.touched[id] >> 32) != c.hypothesis) {
                graph.touched[id] = tag(c.hypothesis, c.touchedCount);
                c.touchedEnds[c.touchedCount++] = graph.restCount[id];
                odd -= graph.restCount[id] % 2;
            }
            lastLabel = graph.label[halfOf(dot)];
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
    int count = keepSplits<kUndecidedEdges>(c, wb, state.W(), state.H(),
                                            c.stepEdges + c.stepBase, c.stepCount,
                                            c.cutsOffEnd + c.stepBase);
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
