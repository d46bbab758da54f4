#include <cstring>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/consistency.h"
#include "solver/step_components.h"
#include "solver/step_pieces.h"
#include "solver/step_state.h"

namespace vexilo {

using namespace step_checks;

namespace {

StepComponents& components(PuzzleState& state) {
    auto& owned = state.solveScratch->stepComponents;
    if (!owned) owned = allocateZeroed<StepComponents>();
    return *owned;
}

}  // namespace

// Labels the component at rest of `dot` in graph g, and counts its lines or path ends.
// At rest, an edge the step decided was undecided.
int step_checks::labelRest(StepComponents& c, const Board& wb, int g, int dot) {
    markStepEdges(c);
    auto& graph = c.graph[g];
    const int id = graph.components++;
    const uint64_t mine = tag(c.pass, id);
    int32_t* stack = c.queueA;
    int top = 0;
    stack[0] = dot;
    graph.label[c.slotOf(dot)] = mine;
    int count = 0;
    while (top >= 0) {
        const int at = stack[top--];
        if (g == kUndecidedEdges && c.endIndex[c.slotOf(at)] != 0) ++count;
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
            uint64_t& l = graph.label[c.slotOf(edge + step)];
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

namespace {

// Brings a dot's place among the path ends at rest up to date.
void noteEndAt(StepComponents& c, SolveScratch& scratch, const Board& wb, int dot) {
    int32_t& index = c.endIndex[c.slotOf(dot)];
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
    c.endIndex[c.slotOf(last)] = index;
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
        c.endIndex[c.slotOf(scratch.restEnds[static_cast<size_t>(i)])] = 0;
    }
    c.restEndCount = 0;
    // The slots of this board (the other arrays by dot hold only marks of a pass, a search or
    // a step, which the next one tells apart from its own).
    c.slotRow = w + 2;
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
            c.endIndex[c.slotOf(dot)] = c.restEndCount;
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
                   graph.label[c.slotOf(dots[i])] = mine;
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
            if (c.seen[c.slotOf(dot)] == counted) continue;
            c.seen[c.slotOf(dot)] = counted;
            const int before = c.endIndex[c.slotOf(dot)] != 0 ? 1 : 0;
            noteEndAt(c, scratch, wb, dot);
            const int id = keep ? labelOf(c, kUndecidedEdges, dot) : -1;
            if (id >= 0) {
                setRestCount(c, kUndecidedEdges, id,
                             c.graph[kUndecidedEdges].restCount[id] +
                                 (c.endIndex[c.slotOf(dot)] != 0 ? 1 : 0) - before);
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
               [&](int dot) { return c.endIndex[c.slotOf(dot)] != 0 ? 1 : 0; });
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

}  // namespace vexilo
