#include "solver/trial_search.h"

#include <cstring>

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "solver/consistency.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_observer.h"
#include "solver/solve_cancel.h"
#include "solver/solve_levels.h"
#include "solver/trial_candidates.h"

namespace vexilo {

namespace {

constexpr uint8_t kNotSettled = static_cast<uint8_t>(~kSettled);

// A retracted edge (x, y): undecided; the positions whose rules depend on it (its two end
// dots, the two cells it separates and the four cells that share an end dot with it)
// unsettled; within a solve the change noted but not counted (noteEdgeChange without
// noteBoardChange), the rules' quiet marks woken only when `wake`.
//
// The marks need no waking when the work queue is drained: a quiet mark is read only for the
// dots and cells around a queued edge, and within a solve each edge queued after this wakes
// those around it as it is written (outside a solve no mark is read, and a new solve wakes
// them all). With no queued edge left unread, every mark read from now on is cleared after
// this before it is read: the marks left standing would be cleared unread.
[[gnu::always_inline]] inline void takeBack(Board& wb, SolveScratch& scratch, bool incremental,
                                            bool wake, size_t x, size_t y) {
    static constexpr ptrdiff_t V = kLatticeSide;
    uint8_t* const at = wb.lattice.data() + y * kLatticeSide + x;
    *at = 0;
    // Besides the four next positions, the four cells at (+-a, +-b): a vertical edge (odd x)
    // has them at (+-1, +-2V), a horizontal one at (+-2, +-V). Without a jump on the
    // direction, each at an offset.
    const auto vertical = static_cast<ptrdiff_t>(x & 1);
    const ptrdiff_t a = 2 - vertical;
    const ptrdiff_t b = V << vertical;
    const auto unsettle = [at](auto... offsets) { ((at[offsets] &= kNotSettled), ...); };
    unsettle(-V, V, ptrdiff_t{-1}, ptrdiff_t{1}, -a - b, a - b, b - a, a + b);
    if (incremental) {
        if (wake) scratch.ruleQuiet.wakeEdge(x, y);
        scratch.noteChainEdge(x, y, vertical != 0);
    }
}

// The judgement of tryAndRetract.
bool judgeStep(PuzzleState& state, int x, int y) {
    Board& wb = *state.workBoard;
    SolveScratch& scratch = *state.solveScratch;
    bool consistent = false;
    if (scratch.incremental && scratch.restKnown) {
        // Within a solve the position before the hypothesis is known (openHypothesis).
        consistent = propagateAll(state);
        if (wb.moveLog[wb.writePos] == kEndSentinel) {
            // An entry found the log full: what changed is no longer all in the log.
            scratch.incremental = false;
            consistent = consistent && linesConnected(state, x, y) && pathEndsPaired(state);
        } else {
            consistent = consistent && stepConsistent(state, x, y);
        }
    } else {
        consistent = checkConsistent(state, x, y);
    }
    return consistent;
}

// The undoing of tryAndRetract; returns the slot of the step's marker (where it stopped).
int32_t retractStep(PuzzleState& state) {
    Board& wb = *state.workBoard;
    SolveScratch& scratch = *state.solveScratch;
    // A line the full log did not take is not taken back: the path ends are lost.
    if (wb.moveLog[wb.writePos] == kEndSentinel) scratch.pathEnds.stop();
    // Every move entry of the step, newest first, down to its marker. The changes are noted
    // as noteEdgeChange would, and counted at the end; the lines' ends are restored after
    // them (they do not depend on the lattice).
    const bool incremental = scratch.incremental;
    size_t lines = 0;
    int slot = wb.writePos - 1;
    const bool wake = !wb.queue.drained();
    for (; slot > 0 && isMove(wb.moveLog[slot]); --slot) {
        const int32_t e = wb.moveLog[slot];
        takeBack(wb, scratch, incremental, wake, static_cast<size_t>(entryX(e)),
                 static_cast<size_t>(entryY(e)));
        lines += entryValue(e) == kLine ? 1 : 0;
    }
    if (incremental) scratch.noteBoardChanges(static_cast<uint32_t>(wb.writePos - 1 - slot));
    scratch.pathEnds.linesTakenBack(lines);
    return slot;
}

// Opens the step of a hypothesis. On a full log no marker can be written, and without it
// the retraction would run into the steps below: then no hypothesis is made at all.
bool openHypothesis(PuzzleState& state) {
    Board& wb = *state.workBoard;
    const int steps = wb.stepCount;
    SolveScratch& scratch = *state.solveScratch;
    if (scratch.incremental && !scratch.restKnown) learnRestPosition(state);
    openStep(wb, state.frontend);
    return wb.stepCount != steps;
}

// Judges the open hypothesis from its line (x, y), retracts and drops it; when it fails,
// the hypothesis edge (edgeX, edgeY) gets the other value and the result is true. `rule`
// and the clue (clueX, clueY) tell an observer which kind of hypothesis failed.
bool judgeHypothesis(PuzzleState& state, int x, int y, int edgeX, int edgeY, int otherValue,
                     RuleId rule, int clueX, int clueY) {
    // Retracted, the position is the one before the hypothesis again, and so is what the
    // sub-loop rule has still to look at.
    const int32_t seen = state.solveScratch->subLoopSeen;
    const bool consistent = judgeStep(state, x, y);
    // The step's marker is where the retraction stopped: the step is dropped there, without
    // walking its entries again.
    dropLastStepAt(*state.workBoard, retractStep(state));
    state.solveScratch->subLoopSeen = seen;
    if (consistent) return false;
    noteRule(state, rule, edgeX, edgeY, 0, clueX, clueY);
    setEdge(state, edgeX, edgeY, otherValue);
    return true;
}

bool hasClueOneOrThree(const Board& wb, int index) {
    const int key = wb.at(index) & 7;
    return key == 1 || key == 3;
}

// The scans below skip eight lattice positions at a time: a word of row y from x on is
// passed over when none of its bytes at x, x + 2, x + 4, x + 6 can be what they look for.
constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;
constexpr uint64_t kOddBytes = 0xFF00FF00FF00FF00ULL;  // bytes 1, 3, 5, 7

uint64_t wordAt(const Board& wb, int x, int y) {
    uint64_t w = 0;
    std::memcpy(&w, &wb.lattice[static_cast<size_t>(latticeIndex(x, y))], 8);
    return w;
}

// The first cell of row y from x on (x even, below maxX) whose clue key is `key`, or -1.
int nextCellWithKey(const Board& wb, int x, int y, int maxX, uint8_t key) {
    for (; x + 7 < maxX; x += 8) {
        const uint64_t w = ((wordAt(wb, x, y) & (kOnes * 7)) ^ (kOnes * key)) | kOddBytes;
        if (((w - kOnes) & ~w & kHighBits) != 0) break;
    }
    for (; x < maxX; x += 2) {
        if ((wb.at(x, y) & 7) == key) return x;
    }
    return -1;
}

// The first undecided edge of row y from edge x on, up to maxX, or -1.
int nextUndecidedEdge(const Board& wb, int x, int y, int maxX) {
    for (; x + 7 <= maxX; x += 8) {
        if ((~wordAt(wb, x, y) & 0x0002000200020002ULL) != 0) break;
    }
    for (; x <= maxX; x += 2) {
        if ((wb.at(x, y) & 2) == 0) return x;
    }
    return -1;
}

// Sides of a cell in the order the search tries them.
constexpr Direction kSideOrder[4] = {Direction::kLeft, Direction::kRight, Direction::kUp,
                                     Direction::kDown};

}  // namespace

bool checkConsistent(PuzzleState& state, int x, int y) {
    return propagateAll(state) && linesConnected(state, x, y) && pathEndsPaired(state);
}

bool tryAndRetract(PuzzleState& state, int x, int y) {
    const bool consistent = judgeStep(state, x, y);
    retractStep(state);
    return consistent;
}

RuleResult trialSearch(PuzzleState& state) {
    using enum RuleResult;
    using enum CandidateList;
    const Board& wb = *state.workBoard;
    SolveScratch& scratch = *state.solveScratch;
    scratch.restKnown = false;
    // Within a solve the positions come from the candidate lists, else from scans.
    const bool lists = scratch.incremental;
    if (lists) {
        learnRestPosition(state);
        prepareCandidates(state);
    }
    const int w = state.W();
    const int h = state.H();
    const int maxX = 2 * w + 1;
    const int maxY = 2 * h + 1;
    const auto drop = [&](CandidateList list, int k) {
        if (lists) dropCandidate(state, list, k);
    };

    // Cells by number, row by row: the next one from k on whose clue key is `key`.
    const auto nextCell = [&](CandidateList list, int k, uint8_t key) {
        if (lists) return nextCandidate(state, list, k);
        while (k < w * h) {
            const int y = 2 + 2 * (k / w);
            const int x = nextCellWithKey(wb, 2 + 2 * (k % w), y, maxX, key);
            if (x >= 0) return (k / w) * w + x / 2 - 1;
            k = (k / w + 1) * w;
        }
        return -1;
    };

    // Phase 1: a side of a 3 crossed, its other sides lines.
    for (int k = nextCell(kThrees, 0, 3); k >= 0; k = nextCell(kThrees, k + 1, 3)) {
        const int x = 2 + 2 * (k % w);
        const int y = 2 + 2 * (k / w);
        bool open = false;
        for (Direction side : kSideOrder) {
            const int sx = x + stepX(side);
            const int sy = y + stepY(side);
            if ((wb.at(x, y) & 7) != 3 || (wb.at(sx, sy) & 2) != 0) continue;
            open = true;
            stopIfCancelled(state);
            if (!openHypothesis(state)) return kUnchanged;
            setEdge(state, sx, sy, kCross);
            setEdgeGroup(state, x, y, 0, kLine);
            // The opposite side is a line of the hypothesis.
            const Direction across = opposite(side);
            if (judgeHypothesis(state, x + stepX(across), y + stepY(across), sx, sy, kLine,
                                RuleId::kTrialThree, x, y)) {
                return kProgress;
            }
        }
        if (!open) drop(kThrees, k);
    }

    // Phase 2: a side of a 1 drawn as a line.
    for (int k = nextCell(kOnes, 0, 1); k >= 0; k = nextCell(kOnes, k + 1, 1)) {
        const int x = 2 + 2 * (k % w);
        const int y = 2 + 2 * (k / w);
        bool open = false;
        for (Direction side : kSideOrder) {
            const int sx = x + stepX(side);
            const int sy = y + stepY(side);
            if ((wb.at(x, y) & 7) != 1 || (wb.at(sx, sy) & 2) != 0) continue;
            open = true;
            stopIfCancelled(state);
            if (!openHypothesis(state)) return kUnchanged;
            setEdge(state, sx, sy, kLine);
            if (judgeHypothesis(state, sx, sy, sx, sy, kCross, RuleId::kTrialOne, x, y)) {
                return kProgress;
            }
        }
        if (!open) drop(kOnes, k);
    }

    // Phase 3: every other undecided edge drawn as a line. Edges by number, row by row of
    // the lattice: a pair of rows holds w horizontal and w + 1 vertical edges.
    const int pair = 2 * w + 1;
    const auto nextEdge = [&](int k) {
        if (lists) return nextCandidate(state, kEdges, k);
        for (int y = 1 + 2 * (k / pair) + (k % pair < w ? 0 : 1); y <= maxY; ++y) {
            const int base = ((y - 1) / 2) * pair + (y % 2 != 0 ? 0 : w);
            const int from = k > base ? k - base : 0;
            const int x = nextUndecidedEdge(wb, (y % 2 != 0 ? 2 : 1) + 2 * from, y, maxX);
            if (x >= 0) return base + x / 2 - (y % 2 != 0 ? 1 : 0);
        }
        return -1;
    };
    for (int k = nextEdge(0); k >= 0; k = nextEdge(k + 1)) {
        const int y = 1 + 2 * (k / pair) + (k % pair < w ? 0 : 1);
        const int x = (y % 2 != 0) ? 2 + 2 * (k % pair) : 1 + 2 * (k % pair - w);
        const int at = latticeIndex(x, y);
        const int across = isVerticalEdge(x, y) ? 1 : kLatticeSide;
        if ((wb.at(x, y) & 2) != 0 || hasClueOneOrThree(wb, at - across) ||
            hasClueOneOrThree(wb, at + across)) {
            drop(kEdges, k);
            continue;
        }
        stopIfCancelled(state);
        if (!openHypothesis(state)) return kUnchanged;
        setEdge(state, x, y, kLine);
        if (judgeHypothesis(state, x, y, x, y, kCross, RuleId::kTrialEdge, 0, 0)) {
            return kProgress;
        }
    }
    return kUnchanged;
}

}  // namespace vexilo
