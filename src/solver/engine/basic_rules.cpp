// The basic rules work on counts only. n is the count of a cell's or dot's four edges,
// pair(c) the count of the cell's two sides at corner c and outer(c) the count of the two
// edges of corner dot c that are not sides of the cell (crosses + 16 * lines each). Every
// loop edge through a dot is paired with exactly one other, so a corner dot with both outer
// edges crossed forces the cell's two sides there to be equal, one outer line and one
// outer cross forces them to differ, and so on; the tables below are those facts per clue.
#include "solver/engine/basic_rules.h"

#include "model/puzzle_state.h"
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

RuleResult oneRule(PuzzleState& s, int x, int y) {
    CellCounts counts(*s.workBoard, x, y);
    bool decided = false;
    switch (counts[0]) {
        case tally(3, 0):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kLine)));
            break;
        case tally(4, 0):
            return kContradiction;
        case tally(0, 1):
        case tally(1, 1):
        case tally(2, 1):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kCross)));
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
    for (int c = 1; c <= 4; ++c) {
        const int m = counts.outer(c);
        if (m == tally(2, 0)) note(decided, counts.note(setEdgeGroup(s, x, y, c, kCross)));
        if (m == tally(1, 1)) {
            note(decided, counts.note(setEdgeGroup(s, x, y, oppositeCorner(c), kCross)));
        }
    }
    for (int c = 1; c <= 4; ++c) {
        if (counts.pair(c) == tally(2, 0)) {
            note(decided, differ(s, x, y, oppositeCorner(c) + 4, counts));
        }
    }
    return finish(decided);
}

RuleResult threeRule(PuzzleState& s, int x, int y) {
    CellCounts counts(*s.workBoard, x, y);
    bool decided = false;
    switch (counts[0]) {
        case tally(1, 0):
        case tally(1, 1):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kLine)));
            break;
        case tally(2, 0):
        case tally(3, 0):
        case tally(4, 0):
        case tally(2, 1):
        case tally(3, 1):
            return kContradiction;
        case tally(1, 2):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kLine)));
            break;
        case tally(2, 2):
            return kContradiction;
        case tally(0, 3):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kCross)));
            break;
        case tally(1, 3):
            settle(s, x, y);
            break;
        case tally(0, 4):
            return kContradiction;
        default:
            break;
    }
    for (int c = 1; c <= 4; ++c) {
        const int m = counts.outer(c);
        if (m == tally(2, 0)) note(decided, counts.note(setEdgeGroup(s, x, y, c, kLine)));
        if (m == tally(0, 1) || m == tally(1, 1)) {
            note(decided, counts.note(setEdgeGroup(s, x, y, oppositeCorner(c), kLine)));
        }
    }
    for (int c = 1; c <= 4; ++c) {
        if (counts.pair(c) == tally(0, 2)) {
            note(decided, differ(s, x, y, oppositeCorner(c) + 4, counts));
        }
    }
    return finish(decided);
}

RuleResult twoRule(PuzzleState& s, int x, int y) {
    CellCounts counts(*s.workBoard, x, y);
    bool decided = false;
    switch (counts[0]) {
        case tally(2, 0):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kLine)));
            break;
        case tally(3, 0):
        case tally(4, 0):
            return kContradiction;
        case tally(2, 1):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kLine)));
            break;
        case tally(3, 1):
            return kContradiction;
        case tally(0, 2):
        case tally(1, 2):
            note(decided, counts.note(setEdgeGroup(s, x, y, 0, kCross)));
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
    for (int c = 1; c <= 4; ++c) {
        const int o = oppositeCorner(c);
        const int m = counts.outer(c);
        if (m == tally(2, 0)) {
            note(decided, same(s, x, y, o, counts));
            note(decided, same(s, x, y, o + 4, counts));
            note(decided, differ(s, x, y, nextCorner(c) + 4, counts));
            note(decided, differ(s, x, y, prevCorner(c) + 4, counts));
        } else if (m == tally(0, 1)) {
            if (counts.pair(o) == tally(1, 0)) {
                note(decided, counts.note(setEdgeGroup(s, x, y, o, kLine)));
                note(decided, counts.note(setEdgeGroup(s, x, y, c + 4, kCross)));
            }
            if (counts.outer(o) == tally(0, 1)) {
                note(decided, counts.note(setEdgeGroup(s, x, y, c + 4, kCross)));
                note(decided, counts.note(setEdgeGroup(s, x, y, o + 4, kCross)));
            }
        } else if (m == tally(1, 1)) {
            note(decided, differ(s, x, y, c, counts));
            note(decided, differ(s, x, y, o, counts));
            note(decided, differ(s, x, y, o + 4, counts));
        }
    }
    return finish(decided);
}

RuleResult zeroRule(PuzzleState& s, int x, int y) {
    settle(s, x, y);
    return kUnchanged;
}

RuleResult blankRule(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    bool decided = false;
    switch (countGroup(wb, x, y, 0)) {
        case tally(0, 0): {
            int crossedCorners = 0;
            for (int c = 1; c <= 4; ++c)
                crossedCorners += outer(wb, x, y, c) == tally(2, 0) ? 1 : 0;
            if (crossedCorners >= 3) note(decided, setEdgeGroup(s, x, y, 0, kCross));
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
                note(decided, setEdgeGroup(s, x, y, 2, kCross));
                note(decided, setEdgeGroup(s, x, y, 3, kCross));
            }
            if (lineAt(-1, 0) && closed(3, 4)) {
                note(decided, setEdgeGroup(s, x, y, 3, kCross));
                note(decided, setEdgeGroup(s, x, y, 4, kCross));
            }
            if (lineAt(0, 1) && closed(4, 1)) {
                note(decided, setEdgeGroup(s, x, y, 4, kCross));
                note(decided, setEdgeGroup(s, x, y, 1, kCross));
            }
            if (lineAt(1, 0) && closed(1, 2)) {
                note(decided, setEdgeGroup(s, x, y, 1, kCross));
                note(decided, setEdgeGroup(s, x, y, 2, kCross));
            }
            break;
        }
        case tally(0, 2):
            for (int c = 1; c <= 4; ++c) {
                const int o = oppositeCorner(c);
                if (pair(wb, x, y, c) == tally(0, 2) && outer(wb, x, y, o) == tally(2, 0)) {
                    note(decided, setEdgeGroup(s, x, y, o, kCross));
                }
            }
            break;
        case tally(0, 3):
            note(decided, setEdgeGroup(s, x, y, 0, kCross));
            break;
        case tally(0, 4):
            return kContradiction;
        default:
            break;
    }
    return finish(decided);
}

namespace {

// basicCellRule, inline for the pass.
inline RuleResult cellRule(PuzzleState& s, int x, int y, const GridBounds& grid) {
    if (!grid.inside(x, y)) return kUnchanged;
    switch (s.workBoard->at(x, y) & 15) {
        case 0:
            return blankRule(s, x, y);
        case 1:
            return oneRule(s, x, y);
        case 2:
            return twoRule(s, x, y);
        case 3:
            return threeRule(s, x, y);
        case 4:
            return zeroRule(s, x, y);
        default:
            return kUnchanged;  // settled
    }
}

}  // namespace

RuleResult basicCellRule(PuzzleState& s, int x, int y) {
    return cellRule(s, x, y, GridBounds(s));
}

namespace {

// dotRule, inline for the pass.
inline RuleResult dotRuleInline(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    if (wb.at(x, y) & kSettled) return kUnchanged;
    switch (countGroup(wb, x, y, 0)) {
        case tally(3, 0):
            return finish(setEdgeGroup(s, x, y, 0, kCross));
        case tally(4, 0):
        case tally(2, 2):
            settle(s, x, y);
            return kUnchanged;
        case tally(2, 1):
            return finish(setEdgeGroup(s, x, y, 0, kLine));
        case tally(3, 1):
            return kContradiction;
        case tally(0, 2):
        case tally(1, 2):
            return finish(setEdgeGroup(s, x, y, 0, kCross));
        case tally(0, 3):
        case tally(1, 3):
        case tally(0, 4):
            return kContradiction;
        default:
            return kUnchanged;
    }
}

}  // namespace

RuleResult dotRule(PuzzleState& s, int x, int y) {
    return dotRuleInline(s, x, y);
}

bool runBasicRules(PuzzleState& s) {
    WorkQueue& queue = s.workBoard->queue;
    RuleQuiet& quiet = s.solveScratch->ruleQuiet;
    // Within a solve a rule that decided nothing is not asked again until an edge it reads
    // changes.
    const bool skipQuiet = s.solveScratch->incremental;
    const GridBounds grid(s);
    bool progress = false;
    // Every decision of these rules goes through setEdgeGroup, which names the cell or dot.
    noteRule(s, RuleId::kBasic, 0, 0);
    queue.closePass();
    // A site's rule that decided nothing is marked quiet (within a solve); false on a
    // contradiction.
    const auto visit = [&](auto site, int x, int y, int slot) {
        const auto i = static_cast<size_t>(slot);
        RuleResult r = kUnchanged;
        if constexpr (site < EdgeNeighbourhood::kFirstCell) {
            if (skipQuiet && quiet.dot[i] != 0) return true;
            r = dotRuleInline(s, x, y);
            if (r == kUnchanged && skipQuiet) quiet.dot[i] = 1;
        } else {
            if (skipQuiet && (quiet.cell[i] & RuleQuiet::kBasic) != 0) return true;
            r = cellRule(s, x, y, grid);
            if (r == kUnchanged && skipQuiet) quiet.cell[i] |= RuleQuiet::kBasic;
        }
        progress |= r == kProgress;
        return r != kContradiction;
    };
    if (!queue.basicAtPassEnd()) {
        for (;;) {
            bool isEdge = false;
            if (!EdgeNeighbourhood::visitEntry(queue.nextForBasic(), isEdge, visit)) return false;
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

}  // namespace vexilo
