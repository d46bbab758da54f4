// The basic rules work on counts only. n is the count of a cell's or dot's four edges,
// pair(c) the count of the cell's two sides at corner c and outer(c) the count of the two
// edges of corner dot c that are not sides of the cell (crosses + 16 * lines each). Every
// loop edge through a dot is paired with exactly one other, so a corner dot with both outer
// edges crossed forces the cell's two sides there to be equal, one outer line and one
// outer cross forces them to differ, and so on; the tables below are those facts per clue.
#include "solver/engine/basic_rules.h"

#include <array>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/engine/cell_outlook.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_helpers.h"
#include "solver/engine/rule_observer.h"

namespace vexilo {

using enum RuleResult;

namespace {

// Folds the result of one setEdgeGroup call into a rule's running result.
inline void note(bool& decided, bool result) {
    decided |= result;
}

inline RuleResult finish(bool decided) {
    return decided ? kProgress : kUnchanged;
}

}  // namespace

namespace {

template <bool kMayObserve>
RuleResult oneRuleBody(PuzzleState& s, int x, int y) {
    CellCounts counts(*s.workBoard, x, y);
    bool decided = false;
    switch (counts[0]) {
        case tally(3, 0):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kLine, counts));
            break;
        case tally(4, 0):
            return kContradiction;
        case tally(0, 1):
        case tally(1, 1):
        case tally(2, 1):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kCross, counts));
            break;
        case tally(3, 1):
            settle(s, x, y);
            break;
        case tally(0, 2):
        case tally(1, 2):
        case tally(2, 2):
        case tally(0, 3):
        case tally(1, 3):
        case tally(0, 4):
            return kContradiction;
        default:
            break;
    }
#pragma GCC unroll 4
    for (int c = 1; c <= 4; ++c) {
        const int m = counts.outer(c);
        if (m == tally(2, 0)) note(decided, setCellGroup<kMayObserve>(s, x, y, c, kCross, counts));
        if (m == tally(1, 1)) {
            note(decided, setCellGroup<kMayObserve>(s, x, y, oppositeCorner(c), kCross, counts));
        }
    }
#pragma GCC unroll 4
    for (int c = 1; c <= 4; ++c) {
        if (counts.pair(c) == tally(2, 0)) {
            note(decided, differ<kMayObserve>(s, x, y, oppositeCorner(c) + 4, counts));
        }
    }
    return finish(decided);
}

template <bool kMayObserve>
RuleResult threeRuleBody(PuzzleState& s, int x, int y) {
    CellCounts counts(*s.workBoard, x, y);
    bool decided = false;
    switch (counts[0]) {
        case tally(1, 0):
        case tally(1, 1):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kLine, counts));
            break;
        case tally(2, 0):
        case tally(3, 0):
        case tally(4, 0):
        case tally(2, 1):
        case tally(3, 1):
            return kContradiction;
        case tally(1, 2):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kLine, counts));
            break;
        case tally(2, 2):
            return kContradiction;
        case tally(0, 3):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kCross, counts));
            break;
        case tally(1, 3):
            settle(s, x, y);
            break;
        case tally(0, 4):
            return kContradiction;
        default:
            break;
    }
#pragma GCC unroll 4
    for (int c = 1; c <= 4; ++c) {
        const int m = counts.outer(c);
        if (m == tally(2, 0)) note(decided, setCellGroup<kMayObserve>(s, x, y, c, kLine, counts));
        if (m == tally(0, 1) || m == tally(1, 1)) {
            note(decided, setCellGroup<kMayObserve>(s, x, y, oppositeCorner(c), kLine, counts));
        }
    }
#pragma GCC unroll 4
    for (int c = 1; c <= 4; ++c) {
        if (counts.pair(c) == tally(0, 2)) {
            note(decided, differ<kMayObserve>(s, x, y, oppositeCorner(c) + 4, counts));
        }
    }
    return finish(decided);
}

template <bool kMayObserve>
RuleResult twoRuleBody(PuzzleState& s, int x, int y) {
    CellCounts counts(*s.workBoard, x, y);
    bool decided = false;
    switch (counts[0]) {
        case tally(2, 0):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kLine, counts));
            break;
        case tally(3, 0):
        case tally(4, 0):
            return kContradiction;
        case tally(2, 1):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kLine, counts));
            break;
        case tally(3, 1):
            return kContradiction;
        case tally(0, 2):
        case tally(1, 2):
            note(decided, setCellGroup<kMayObserve>(s, x, y, 0, kCross, counts));
            break;
        case tally(2, 2):
            settle(s, x, y);
            break;
        case tally(0, 3):
        case tally(1, 3):
        case tally(0, 4):
            return kContradiction;
        default:
            break;
    }
#pragma GCC unroll 4
    for (int c = 1; c <= 4; ++c) {
        const int o = oppositeCorner(c);
        const int m = counts.outer(c);
        if (m == tally(2, 0)) {
            note(decided, same<kMayObserve>(s, x, y, o, counts));
            note(decided, same<kMayObserve>(s, x, y, o + 4, counts));
            note(decided, differ<kMayObserve>(s, x, y, nextCorner(c) + 4, counts));
            note(decided, differ<kMayObserve>(s, x, y, prevCorner(c) + 4, counts));
        } else if (m == tally(0, 1)) {
            if (counts.pair(o) == tally(1, 0)) {
                note(decided, setCellGroup<kMayObserve>(s, x, y, o, kLine, counts));
                note(decided, setCellGroup<kMayObserve>(s, x, y, c + 4, kCross, counts));
            }
            if (counts.outer(o) == tally(0, 1)) {
                note(decided, setCellGroup<kMayObserve>(s, x, y, c + 4, kCross, counts));
                note(decided, setCellGroup<kMayObserve>(s, x, y, o + 4, kCross, counts));
            }
        } else if (m == tally(1, 1)) {
            note(decided, differ<kMayObserve>(s, x, y, c, counts));
            note(decided, differ<kMayObserve>(s, x, y, o, counts));
            note(decided, differ<kMayObserve>(s, x, y, o + 4, counts));
        }
    }
    return finish(decided);
}

template <bool kMayObserve>
RuleResult blankRuleBody(PuzzleState& s, int x, int y, int sides) {
    const Board& wb = *s.workBoard;
    bool decided = false;
    switch (sides) {
        case tally(0, 0): {
            // Three corners closed from outside: the count stops at the second open one.
            int openCorners = 0;
            for (int c = 1; c <= 4 && openCorners < 2; ++c) {
                openCorners += outer(wb, x, y, c) == tally(2, 0) ? 0 : 1;
            }
            if (openCorners < 2) note(decided, setEdgeGroup<kMayObserve>(s, x, y, 0, kCross));
            break;
        }
        case tally(4, 0):
        case tally(3, 1):
        case tally(2, 2):
        case tally(1, 3):
            settle(s, x, y);
            break;
        case tally(0, 1): {
            // A line on one side, the two corners away from it closed from outside: the
            // line cannot turn into the cell there without closing a loop around it alone.
            const auto lineAt = [&](int dx, int dy) {
                return (wb.at(x + dx, y + dy) & 3) == kLine;
            };
            const auto closed = [&](int a, int b) {
                return outer(wb, x, y, a) == tally(2, 0) && outer(wb, x, y, b) == tally(2, 0);
            };
            if (lineAt(0, -1) && closed(2, 3)) {
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 2, kCross));
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 3, kCross));
            }
            if (lineAt(-1, 0) && closed(3, 4)) {
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 3, kCross));
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 4, kCross));
            }
            if (lineAt(0, 1) && closed(4, 1)) {
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 4, kCross));
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 1, kCross));
            }
            if (lineAt(1, 0) && closed(1, 2)) {
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 1, kCross));
                note(decided, setEdgeGroup<kMayObserve>(s, x, y, 2, kCross));
            }
            break;
        }
        case tally(0, 2):
            for (int c = 1; c <= 4; ++c) {
                const int o = oppositeCorner(c);
                if (pair(wb, x, y, c) == tally(0, 2) && outer(wb, x, y, o) == tally(2, 0)) {
                    note(decided, setEdgeGroup<kMayObserve>(s, x, y, o, kCross));
                }
            }
            break;
        case tally(0, 3):
            note(decided, setEdgeGroup<kMayObserve>(s, x, y, 0, kCross));
            break;
        case tally(0, 4):
            return kContradiction;
        default:
            break;
    }
    return finish(decided);
}

// The rule of the cell (x, y) whose lattice byte is at `p`, when cellOutlook tells that it
// may decide something: out of line, as the pass seldom comes here.
[[gnu::noinline]] RuleResult cellRuleWork(PuzzleState& s, const uint8_t* p, int x, int y) {
    switch (*p & 15) {
        case 0:
            return blankRuleBody<false>(s, x, y, countGroup(*s.workBoard, x, y, 0));
        case 1:
            return oneRuleBody<false>(s, x, y);
        case 2:
            return twoRuleBody<false>(s, x, y);
        case 3:
            return threeRuleBody<false>(s, x, y);
        default:
            return kUnchanged;  // a 0 or a settled cell: cellOutlook never sends them
    }
}

// basicCellRule on cell (x, y) of the puzzle whose lattice byte is at `p`, inline for the
// pass. Without an observer, a rule that would only settle the cell or do nothing is told
// so by cellOutlook and not run: a rule that decides nothing writes nothing, so running it
// would leave the board as the outlook does.
template <bool kMayObserve>
[[gnu::always_inline]] inline RuleResult cellRuleInside(PuzzleState& s, const uint8_t* p, int x,
                                                        int y) {
    if constexpr (!kMayObserve) {
        const int v = cellOutlook(p);
        if (v == 0) [[likely]] {
            return kUnchanged;
        }
        if ((v & 1) == 0) {
            settle(s, x, y);
            return kUnchanged;
        }
        return cellRuleWork(s, p, x, y);
    }
    switch (*p & 15) {
        case 0: {
            const auto t = [&](int offset) { return int{kEdgeTallyByByte[p[offset]]}; };
            const int sides = t(-kLatticeSide) + t(kLatticeSide) + t(-1) + t(1);
            return blankRuleBody<kMayObserve>(s, x, y, sides);
        }
        case 1:
            return oneRuleBody<kMayObserve>(s, x, y);
        case 2:
            return twoRuleBody<kMayObserve>(s, x, y);
        case 3:
            return threeRuleBody<kMayObserve>(s, x, y);
        case 4:
            settle(s, x, y);
            return kUnchanged;
        default:
            return kUnchanged;  // settled
    }
}

// What the rule of a dot does by the tally of its four edges.
enum DotWork : uint8_t { kDotNothing, kDotCrosses, kDotLines, kDotSettles, kDotContradicts };
constexpr auto kDotWork = [] {
    std::array<uint8_t, tally(0, 4) + 1> table{};
    table[tally(3, 0)] = kDotCrosses;
    table[tally(4, 0)] = kDotSettles;
    table[tally(2, 2)] = kDotSettles;
    table[tally(2, 1)] = kDotLines;
    table[tally(3, 1)] = kDotContradicts;
    table[tally(0, 2)] = kDotCrosses;
    table[tally(1, 2)] = kDotCrosses;
    table[tally(0, 3)] = kDotContradicts;
    table[tally(1, 3)] = kDotContradicts;
    table[tally(0, 4)] = kDotContradicts;
    return table;
}();

// dotRule on dot (x, y) whose lattice byte is at `p`, inline for the pass. The common case,
// nothing to do (a settled dot among them), is told by one look in kDotWork.
template <bool kMayObserve>
inline RuleResult dotRuleAt(PuzzleState& s, const uint8_t* p, int x, int y) {
    const auto t = [&](int offset) { return int{kEdgeTallyByByte[p[offset]]}; };
    const int sides = t(-kLatticeSide) + t(kLatticeSide) + t(-1) + t(1);
    // A settled dot does nothing: its flag masks the work out.
    const int work = kDotWork[static_cast<size_t>(sides)] & (((*p & kSettled) >> 3) - 1);
    if (work == kDotNothing) [[likely]] {
        return kUnchanged;
    }
    switch (work) {
        case kDotCrosses:
            return finish(setEdgeGroup<kMayObserve>(s, x, y, 0, kCross));
        case kDotLines:
            return finish(setEdgeGroup<kMayObserve>(s, x, y, 0, kLine));
        case kDotSettles:
            settle(s, x, y);
            return kUnchanged;
        default:
            return kContradiction;
    }
}

// The pass. kSkipQuiet within a solve: a rule that decided nothing is not asked again until
// an edge it reads changes (RuleQuiet). kMayObserve false when no observer is set.
template <bool kSkipQuiet, bool kMayObserve>
bool basicPass(PuzzleState& s) {
    WorkQueue& queue = s.workBoard->queue;
    RuleQuiet& quiet = s.solveScratch->ruleQuiet;
    const int maxX = 2 * s.W();
    const int maxY = 2 * s.H();
    bool progress = false;
    // Every decision of these rules goes through setEdgeGroup, which names the cell or dot.
    noteRule(s, RuleId::kBasic, 0, 0);
    queue.closePass();
    const uint8_t* const lattice = s.workBoard->lattice.data();
    // A site's rule that decided nothing is marked quiet (its byte in RuleQuiet at `q`); false
    // on a contradiction. `p` is the site's lattice byte.
    const auto dot = [&](int x, int y, const uint8_t* p, uint8_t* q) {
        if (kSkipQuiet && *q != 0) return true;
        const RuleResult r = dotRuleAt<kMayObserve>(s, p, x, y);
        if (kSkipQuiet && r == kUnchanged) *q = 1;
        progress |= r == kProgress;
        return r != kContradiction;
    };
    // No rule applies on the outside ring. Its cells read as marked outside: only a cell so
    // marked is looked at more closely.
    const auto cell = [&](int x, int y, const uint8_t* p, uint8_t* q) {
        if (kSkipQuiet && (*q & RuleQuiet::kBasic) != 0) return true;
        RuleResult r = kUnchanged;
        if (*p < kOutside || (x >= 2 && x <= maxX && y >= 2 && y <= maxY)) {
            r = cellRuleInside<kMayObserve>(s, p, x, y);
        }
        if (kSkipQuiet && r == kUnchanged) *q |= RuleQuiet::kBasic;
        progress |= r == kProgress;
        return r != kContradiction;
    };
    constexpr int R = RuleQuiet::kRow;
    constexpr int V = kLatticeSide;
    if (!queue.basicAtPassEnd()) {
        for (;;) {
            // The two dots at the ends of the queued edge, then the six cells nearest to it.
            const int32_t entry = queue.nextForBasic();
            const int x = entryX(entry);
            const int y = entryY(entry);
            if (((x ^ y) & 1) == 0) return false;
            const int at = RuleQuiet::slot(x, y);
            uint8_t* const qd = quiet.dot.data() + at;
            uint8_t* const qc = quiet.cell.data() + at;
            const uint8_t* const e = lattice + latticeIndex(x, y);
            if ((x & 1) == 0) {
                // Horizontal: dots left and right, cells above then below, left to right.
                if (!dot(x - 1, y, e - 1, qd - 1) || !dot(x + 1, y, e + 1, qd) ||
                    !cell(x - 2, y - 1, e - 2 - V, qc - 1) || !cell(x, y - 1, e - V, qc) ||
                    !cell(x + 2, y - 1, e + 2 - V, qc + 1) ||
                    !cell(x - 2, y + 1, e - 2 + V, qc + R - 1) || !cell(x, y + 1, e + V, qc + R) ||
                    !cell(x + 2, y + 1, e + 2 + V, qc + R + 1)) {
                    return false;
                }
            } else {
                // Vertical: dots above and below, cells left then right, top to bottom.
                if (!dot(x, y - 1, e - V, qd - R) || !dot(x, y + 1, e + V, qd) ||
                    !cell(x - 1, y - 2, e - 1 - 2 * V, qc - R) || !cell(x - 1, y, e - 1, qc) ||
                    !cell(x - 1, y + 2, e - 1 + 2 * V, qc + R) ||
                    !cell(x + 1, y - 2, e + 1 - 2 * V, qc + 1 - R) ||
                    !cell(x + 1, y, e + 1, qc + 1) ||
                    !cell(x + 1, y + 2, e + 1 + 2 * V, qc + R + 1)) {
                    return false;
                }
            }
            if (queue.basicAtPassEnd()) {
                queue.closePass();
                if (queue.basicAtPassEnd()) break;
            }
        }
    }
    if (progress) {
        s.ruleUsage |= 1;
        if (s.effortScore < 10000) s.effortScore += 1;
    }
    return true;
}

}  // namespace

RuleResult oneRule(PuzzleState& s, int x, int y) {
    return s.ruleObserver ? oneRuleBody<true>(s, x, y) : oneRuleBody<false>(s, x, y);
}

RuleResult twoRule(PuzzleState& s, int x, int y) {
    return s.ruleObserver ? twoRuleBody<true>(s, x, y) : twoRuleBody<false>(s, x, y);
}

RuleResult threeRule(PuzzleState& s, int x, int y) {
    return s.ruleObserver ? threeRuleBody<true>(s, x, y) : threeRuleBody<false>(s, x, y);
}

RuleResult zeroRule(PuzzleState& s, int x, int y) {
    settle(s, x, y);
    return kUnchanged;
}

RuleResult blankRule(PuzzleState& s, int x, int y) {
    const int sides = countGroup(*s.workBoard, x, y, 0);
    return s.ruleObserver ? blankRuleBody<true>(s, x, y, sides)
                          : blankRuleBody<false>(s, x, y, sides);
}

RuleResult basicCellRule(PuzzleState& s, int x, int y) {
    if (!insideGrid(s, x, y)) return kUnchanged;
    const uint8_t* p = &s.workBoard->at(x, y);
    return s.ruleObserver ? cellRuleInside<true>(s, p, x, y) : cellRuleInside<false>(s, p, x, y);
}

RuleResult dotRule(PuzzleState& s, int x, int y) {
    const uint8_t* p = &s.workBoard->at(x, y);
    return s.ruleObserver ? dotRuleAt<true>(s, p, x, y) : dotRuleAt<false>(s, p, x, y);
}

bool runBasicRules(PuzzleState& s) {
    // Within a solve (no observer is set then) a rule that decided nothing is not asked again
    // until an edge it reads changes.
    if (s.solveScratch->incremental) return basicPass<true, false>(s);
    return s.ruleObserver ? basicPass<false, true>(s) : basicPass<false, false>(s);
}

}  // namespace vexilo
