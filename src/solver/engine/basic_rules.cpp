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

namespace vexilo {

namespace {

// Folds the result of one setEdgeGroup call into a rule's running result.
inline void note(int& decided, int result) {
    decided |= result;
}

inline int finish(int decided) {
    return decided ? kProgress : kUnchanged;
}

}  // namespace

int oneRule(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    int decided = 0;
    switch (countGroup(wb, x, y, 0)) {
        case 3:
            note(decided, setEdgeGroup(s, x, y, 0, kLine));
            break;
        case 4:
            return kContradiction;
        case 16:
        case 17:
        case 18:
            note(decided, setEdgeGroup(s, x, y, 0, kCross));
            break;
        case 19:
            settle(s, x, y);
            break;
        case 32:
        case 33:
        case 34:
        case 48:
        case 49:
        case 64:
            return kContradiction;
        default:
            break;
    }
    for (int c = 1; c <= 4; ++c) {
        const int m = outer(wb, x, y, c);
        if (m == 2) note(decided, setEdgeGroup(s, x, y, c, kCross));
        if (m == 17) note(decided, setEdgeGroup(s, x, y, oppositeCorner(c), kCross));
    }
    for (int c = 1; c <= 4; ++c) {
        if (pair(wb, x, y, c) == 2) note(decided, differ(s, x, y, oppositeCorner(c) + 4));
    }
    return finish(decided);
}

int threeRule(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    int decided = 0;
    switch (countGroup(wb, x, y, 0)) {
        case 1:
        case 17:
            note(decided, setEdgeGroup(s, x, y, 0, kLine));
            break;
        case 2:
        case 3:
        case 4:
        case 18:
        case 19:
            return kContradiction;
        case 33:
            note(decided, setEdgeGroup(s, x, y, 0, kLine));
            break;
        case 34:
            return kContradiction;
        case 48:
            note(decided, setEdgeGroup(s, x, y, 0, kCross));
            break;
        case 49:
            settle(s, x, y);
            break;
        case 64:
            return kContradiction;
        default:
            break;
    }
    for (int c = 1; c <= 4; ++c) {
        const int m = outer(wb, x, y, c);
        if (m == 2) note(decided, setEdgeGroup(s, x, y, c, kLine));
        if (m == 16 || m == 17) note(decided, setEdgeGroup(s, x, y, oppositeCorner(c), kLine));
    }
    for (int c = 1; c <= 4; ++c) {
        if (pair(wb, x, y, c) == 32) note(decided, differ(s, x, y, oppositeCorner(c) + 4));
    }
    return finish(decided);
}

int twoRule(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    int decided = 0;
    switch (countGroup(wb, x, y, 0)) {
        case 2:
            note(decided, setEdgeGroup(s, x, y, 0, kLine));
            break;
        case 3:
        case 4:
            return kContradiction;
        case 18:
            note(decided, setEdgeGroup(s, x, y, 0, kLine));
            break;
        case 19:
            return kContradiction;
        case 32:
        case 33:
            note(decided, setEdgeGroup(s, x, y, 0, kCross));
            break;
        case 34:
            settle(s, x, y);
            break;
        case 48:
        case 49:
        case 64:
            return kContradiction;
        default:
            break;
    }
    for (int c = 1; c <= 4; ++c) {
        const int o = oppositeCorner(c);
        const int m = outer(wb, x, y, c);
        if (m == 2) {
            note(decided, same(s, x, y, o));
            note(decided, same(s, x, y, o + 4));
            note(decided, differ(s, x, y, nextCorner(c) + 4));
            note(decided, differ(s, x, y, prevCorner(c) + 4));
        } else if (m == 16) {
            if (pair(wb, x, y, o) == 1) {
                note(decided, setEdgeGroup(s, x, y, o, kLine));
                note(decided, setEdgeGroup(s, x, y, c + 4, kCross));
            }
            if (outer(wb, x, y, o) == 16) {
                note(decided, setEdgeGroup(s, x, y, c + 4, kCross));
                note(decided, setEdgeGroup(s, x, y, o + 4, kCross));
            }
        } else if (m == 17) {
            note(decided, differ(s, x, y, c));
            note(decided, differ(s, x, y, o));
            note(decided, differ(s, x, y, o + 4));
        }
    }
    return finish(decided);
}

int zeroRule(PuzzleState& s, int x, int y) {
    settle(s, x, y);
    return kUnchanged;
}

int blankRule(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    int decided = 0;
    switch (countGroup(wb, x, y, 0)) {
        case 0: {
            int crossedCorners = 0;
            for (int c = 1; c <= 4; ++c) crossedCorners += outer(wb, x, y, c) == 2 ? 1 : 0;
            if (crossedCorners >= 3) note(decided, setEdgeGroup(s, x, y, 0, kCross));
            break;
        }
        case 4:
        case 19:
        case 34:
        case 49:
            settle(s, x, y);
            break;
        case 16: {
            // A line on one side, the two corners away from it closed from outside: the
            // line cannot turn into the cell there without closing a loop around it alone.
            const auto lineAt = [&](int dx, int dy) { return (wb.at(x + dx, y + dy) & 3) == 3; };
            const auto closed = [&](int a, int b) {
                return outer(wb, x, y, a) == 2 && outer(wb, x, y, b) == 2;
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
        case 32:
            for (int c = 1; c <= 4; ++c) {
                const int o = oppositeCorner(c);
                if (pair(wb, x, y, c) == 32 && outer(wb, x, y, o) == 2) {
                    note(decided, setEdgeGroup(s, x, y, o, kCross));
                }
            }
            break;
        case 48:
            note(decided, setEdgeGroup(s, x, y, 0, kCross));
            break;
        case 64:
            return kContradiction;
        default:
            break;
    }
    return finish(decided);
}

int basicCellRule(PuzzleState& s, int x, int y) {
    if (!insideGrid(s, x, y)) return kUnchanged;
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

int dotRule(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    if (wb.at(x, y) & kSettled) return kUnchanged;
    switch (countGroup(wb, x, y, 0)) {
        case 3:
            return finish(setEdgeGroup(s, x, y, 0, kCross));
        case 4:
        case 34:
            settle(s, x, y);
            return kUnchanged;
        case 18:
            return finish(setEdgeGroup(s, x, y, 0, kLine));
        case 19:
            return kContradiction;
        case 32:
        case 33:
            return finish(setEdgeGroup(s, x, y, 0, kCross));
        case 48:
        case 49:
        case 64:
            return kContradiction;
        default:
            return kUnchanged;
    }
}

int runBasicRules(PuzzleState& s) {
    Board& wb = *s.workBoard;
    bool progress = false;
    wb.queuePassEnd = wb.queueHead;
    if (wb.queuePassEnd != wb.queueReadA) {
        for (;;) {
            wb.queueReadA = (wb.queueReadA + 1) % kLogSlots;
            const EdgeNeighbourhood near(wb.workQueue[wb.queueReadA]);
            if (!near.isEdge) return kContradiction;
            for (const auto& d : near.dots) {
                const int r = dotRule(s, d[0], d[1]);
                if (r == kContradiction) return kContradiction;
                if (r == kProgress) progress = true;
            }
            for (const auto& c : near.cells) {
                const int r = basicCellRule(s, c[0], c[1]);
                if (r == kContradiction) return kContradiction;
                if (r == kProgress) progress = true;
            }
            if (wb.queueReadA == wb.queuePassEnd) {
                wb.queuePassEnd = wb.queueHead;
                if (wb.queuePassEnd == wb.queueReadA) break;
            }
        }
    }
    if (progress) {
        s.ruleUsage |= 1;
        if (s.effortScore < 10000) s.effortScore += 1;
    }
    return kProgress;
}

}  // namespace vexilo
