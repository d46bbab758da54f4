// The advanced rule of each clue: patterns between a cell and an orthogonal neighbour, read
// on the line of their shared side, and the diagonal chains started from the cell's
// corners. None of them reports a contradiction; each returns true if it decided an edge.
#include "model/puzzle_state.h"
#include "solver/engine/advanced_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_helpers.h"
#include "solver/engine/rule_observer.h"

namespace vexilo {

namespace {

bool crossAt(const Board& wb, int x, int y) {
    return (wb.at(x, y) & 3) == kCross;
}
bool lineAt(const Board& wb, int x, int y) {
    return (wb.at(x, y) & 3) == kLine;
}
// "is a k": the clue looked at through the settled flag.
bool isClue(const Board& wb, int x, int y, int k) {
    return (wb.at(x, y) & 7) == k;
}

// The four orthogonal directions in the order the rules visit them; the tables below name
// them by their index here.
constexpr Direction kAround[4] = {Direction::kUp, Direction::kDown, Direction::kLeft,
                                  Direction::kRight};
constexpr int kAroundX[4] = {stepX(kAround[0]), stepX(kAround[1]), stepX(kAround[2]),
                             stepX(kAround[3])};
constexpr int kAroundY[4] = {stepY(kAround[0]), stepY(kAround[1]), stepY(kAround[2]),
                             stepY(kAround[3])};

}  // namespace

bool oneRuleAdvanced(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    bool decided = false;

    // Two 1s side by side whose shared side continues into a cross: that side is no line.
    if (clueKey(wb, x + 2, y) == 1 && (crossAt(wb, x + 1, y - 2) || crossAt(wb, x + 1, y + 2))) {
        noteRule(s, RuleId::kOnesAdjacent, x, y, 0, x + 2, y);
        decided |= setEdge(s, x + 1, y, kCross);
    }
    if (clueKey(wb, x, y + 2) == 1 && (crossAt(wb, x - 2, y + 1) || crossAt(wb, x + 2, y + 1))) {
        noteRule(s, RuleId::kOnesAdjacent, x, y, 0, x, y + 2);
        decided |= setEdge(s, x, y + 1, kCross);
    }

    // A 2 beside the 1 whose shared side has crosses at both ends of its line: the shared
    // side cannot be the 1's line, so the 2's far side is a line.
    const auto twoBeside = [&](int i) {
        const int dx = kAroundX[i];
        const int dy = kAroundY[i];
        if (!isClue(wb, x + 2 * dx, y + 2 * dy, 2)) return;
        // The ends of the shared side's line, one step either way along it.
        const int ax = x + dx - 2 * dy;
        const int ay = y + dy - 2 * dx;
        const int bx = x + dx + 2 * dy;
        const int by = y + dy + 2 * dx;
        if (!crossAt(wb, ax, ay) || !crossAt(wb, bx, by)) return;
        noteRule(s, RuleId::kOneBesideTwo, x, y, 0, x + 2 * dx, y + 2 * dy);
        decided |= setEdge(s, x + 3 * dx, y + 3 * dy, kLine);
        decided |= setEdge(s, x + dx, y + dy, kCross);
        decided |= setEdge(s, x - dx, y - dy, kCross);
    };
    twoBeside(0);
    twoBeside(1);
    twoBeside(2);
    twoBeside(3);

    // A 3 beside the 1 and one cross on the line of the shared side. The rows come in
    // pairs by neighbour: above, below, left, right.
    struct ThreeRow {
        int nx, ny;  // the 3
        int cx, cy;  // the cross
        int pair;    // this cell's pair that becomes crosses
    };
    static constexpr ThreeRow kThreeRows[8] = {
        {0, -2, -2, -1, 3}, {0, -2, 2, -1, 2}, {0, 2, -2, 1, 4}, {0, 2, 2, 1, 1},
        {-2, 0, -1, -2, 3}, {-2, 0, -1, 2, 4}, {2, 0, 1, -2, 2}, {2, 0, 1, 2, 1},
    };
    const auto threeBeside = [&](int k) {
        const ThreeRow& first = kThreeRows[2 * k];
        // A rule here settles nothing: the neighbour's key holds for both rows.
        if (clueKey(wb, x + first.nx, y + first.ny) != 3) return;
        for (const ThreeRow& r : {first, kThreeRows[2 * k + 1]}) {
            if (!crossAt(wb, x + r.cx, y + r.cy)) continue;
            noteRule(s, RuleId::kOneBesideThree, x, y, 0, x + r.nx, y + r.ny);
            decided |= setEdgeGroup(s, x, y, r.pair, kCross);
        }
    };
    threeBeside(0);
    threeBeside(1);
    threeBeside(2);
    threeBeside(3);

    CellCounts counts(wb, x, y);
    const auto crossedPair = [&](int c) {
        if (counts.pair(c) != tally(2, 0)) return;
        decided |= counts.note(chainOneIn(s, x, y, oppositeCorner(c)));
        decided |= counts.note(chainSamePair(s, x, y, c));
    };
    crossedPair(3);
    crossedPair(4);
    crossedPair(1);
    crossedPair(2);
    return decided;
}

bool threeRuleAdvanced(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    bool decided = false;
    const auto oneBeside = [&](int i) {
        const int nx = x + 2 * kAroundX[i];
        const int ny = y + 2 * kAroundY[i];
        if (clueKey(wb, nx, ny) == 1) decided |= oneRuleAdvanced(s, nx, ny);
    };
    oneBeside(0);
    oneBeside(1);
    oneBeside(2);
    oneBeside(3);
    CellCounts counts(wb, x, y);
    const auto linedPair = [&](int c) {
        if (counts.pair(c) == tally(0, 2)) {
            decided |= counts.note(chainOneIn(s, x, y, oppositeCorner(c)));
        }
    };
    linedPair(3);
    linedPair(4);
    linedPair(1);
    linedPair(2);
    return decided;
}

bool twoRuleAdvanced(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    bool decided = false;
    CellCounts counts(wb, x, y);
    const auto note = [&](bool result) { decided |= counts.note(result); };

    // A 3 beside the 2 with the 2's opposite side crossed: the 3's far side is a line.
    for (int i = 0; i < 4; ++i) {
        const int dx = kAroundX[i];
        const int dy = kAroundY[i];
        if (isClue(wb, x + 2 * dx, y + 2 * dy, 3) && crossAt(wb, x - dx, y - dy)) {
            noteRule(s, RuleId::kTwoBesideThree, x, y, 0, x + 2 * dx, y + 2 * dy);
            note(setEdge(s, x + 3 * dx, y + 3 * dy, kLine));
        }
    }

    // A crossed outer pair at corner c: the 2's sides at c are equal, and so are those at
    // the opposite corner. The neighbours sharing those opposite sides feel it.
    struct OuterRow {
        int corner;
        int nx, ny;          // the neighbour
        int threePair;       // a 3 there: its pair that becomes lines
        int crossX, crossY;  // and the edge that becomes a cross
        int twoOuter;        // a 2 there with this outer pair crossed: this cell's pair c lines
    };
    static constexpr OuterRow kOuterRows[8] = {
        {3, 0, -2, 4, 2, -1, 4},  {3, -2, 0, 2, -1, 2, 2}, {4, 0, 2, 3, 2, 1, 3},
        {4, -2, 0, 1, -1, -2, 1}, {1, 0, 2, 2, -2, 1, 2},  {1, 2, 0, 4, 1, -2, 4},
        {2, 0, -2, 1, -2, -1, 1}, {2, 2, 0, 3, 1, 2, 3},
    };
    // Without a crossed outer pair now, none comes up further on (the rows decide nothing).
    // The rows come in pairs by corner, in the order 3, 4, 1, 2.
    const auto closedCorner = [&](int k) {
        const int c = kOuterRows[2 * k].corner;
        if (counts.outer(c) != tally(2, 0)) return;
        for (const OuterRow& r : {kOuterRows[2 * k], kOuterRows[2 * k + 1]}) {
            const int nx = x + r.nx;
            const int ny = y + r.ny;
            const int key = clueKey(wb, nx, ny);
            noteRule(s, RuleId::kTwoCornerClosed, x, y, c, nx, ny);
            if (key == 3) {
                note(setEdgeGroup(s, nx, ny, r.threePair, kLine));
                note(setEdge(s, x + r.crossX, y + r.crossY, kCross));
            } else if (key == 2 && outer(wb, nx, ny, r.twoOuter) == tally(2, 0)) {
                note(setEdgeGroup(s, x, y, c, kLine));
            }
        }
    };
    if (counts.anyOf(5, tally(2, 0))) {
        closedCorner(0);
        if (counts.anyOf(5, tally(2, 0))) {
            closedCorner(1);
            if (counts.anyOf(5, tally(2, 0))) {
                closedCorner(2);
                if (counts.anyOf(5, tally(2, 0))) closedCorner(3);
            }
        }
    }

    // One side at corner c crossed, the other open, and the diagonal from the opposite
    // corner runs through 2s into a 3: the 3's lines reach the 2's corner opp(c), whose
    // single line forces a single line at c.
    const auto towardsThree = [&](int c) {
        const int o = oppositeCorner(c);
        if (counts.pair(c) == tally(1, 0) &&
            diagonalEndsInThree(s, x + kDiagonalDx[o], y + kDiagonalDy[o], o)) {
            noteRule(s, RuleId::kTwoTowardsThree, x, y, c);
            note(setEdgeGroup(s, x, y, c, kLine));
        }
    };
    if (counts.anyOf(1, tally(1, 0))) {
        towardsThree(3);
        towardsThree(2);
        towardsThree(1);
        towardsThree(4);
    }

    // The scans' first step is taken here: most stop at once, the next cell on the
    // diagonal no 2 (nor a 3 for the lined scan).
    const auto scan = [&](int d) {
        const int m = counts.outer(d);
        const int next = clueKey(wb, x + kDiagonalDx[d], y + kDiagonalDy[d]);
        const bool onward = m == tally(2, 0) || m == tally(1, 1) || next == 2;
        if (counts.outer(oppositeCorner(d)) == tally(0, 1)) {
            if (onward || m == tally(0, 1) || next == 3) {
                note(scanDiagonalLined(s, x, y, d));
            } else {
                noteRule(s, RuleId::kChainScan, x, y, d);
            }
        } else if (onward) {
            note(scanDiagonal(s, x, y, d));
        }
    };
    // The diagonal through corners a and b; c and e are the other two corners.
    const auto diagonal = [&](int a, int b, int c, int e) {
        if (counts.outer(a) == tally(1, 1) || counts.pair(a) == tally(1, 1) ||
            counts.pair(b) == tally(1, 1) || counts.outer(b) == tally(1, 1) ||
            counts.outer(c) == tally(2, 0) || counts.outer(e) == tally(2, 0)) {
            note(chainOneIn(s, x, y, a));
            note(chainOneIn(s, x, y, b));
        } else if (counts.outer(b) == tally(2, 0) || counts.outer(a) == tally(2, 0)) {
            note(chainSamePair(s, x, y, a));
            note(chainSamePair(s, x, y, b));
        } else {
            scan(a);
            scan(b);
        }
    };
    // Corners 1 and 3, then 2 and 4.
    diagonal(1, 3, 2, 4);
    diagonal(2, 4, 1, 3);
    return decided;
}

namespace {

// One row of the rule for a cell without clue beside a 3. Sides are named by the index
// of kAroundX/kAroundY: 0 top, 1 bottom, 2 left, 3 right.
enum BlankTest {
    kTwoSidesLined,   // sides a and b are lines: cross at side `cross`
    kOutersCrossed,   // outer(a) = outer(b) = 2: pairs a and b crosses
    kLineAndCrossed,  // side a is a line and outer(b) = 2: pair b crosses
    kPairLined,       // pair(a) = 32: cross at side `cross`
    kThreeBeside,     // the neighbour across side a is a 3, outer(b) = 2 or pair(b) = 16:
                      // pair b crosses
};
constexpr int kTop = 0;
constexpr int kBottom = 1;
constexpr int kLeft = 2;
constexpr int kRight = 3;

struct BlankRow {
    BlankTest test;
    int a;
    int b;
    int cross;
};

struct BlankBlock {
    int three;  // the side across which the 3 lies
    int rows;
    BlankRow row[8];
};

constexpr BlankBlock kBlankBlocks[4] = {
    {kTop,
     8,
     {{kTwoSidesLined, kLeft, kRight, kBottom},
      {kOutersCrossed, 2, 3, 0},
      {kLineAndCrossed, kLeft, 3, 0},
      {kLineAndCrossed, kRight, 2, 0},
      {kPairLined, 2, 0, kRight},
      {kPairLined, 3, 0, kLeft},
      {kThreeBeside, kLeft, 3, 0},
      {kThreeBeside, kRight, 2, 0}}},
    {kBottom,
     8,
     {{kTwoSidesLined, kLeft, kRight, kTop},
      {kOutersCrossed, 1, 4, 0},
      {kLineAndCrossed, kLeft, 4, 0},
      {kLineAndCrossed, kRight, 1, 0},
      {kPairLined, 1, 0, kRight},
      {kPairLined, 4, 0, kLeft},
      {kThreeBeside, kLeft, 4, 0},
      {kThreeBeside, kRight, 1, 0}}},
    {kLeft,
     6,
     {{kTwoSidesLined, kTop, kBottom, kRight},
      {kOutersCrossed, 3, 4, 0},
      {kLineAndCrossed, kTop, 3, 0},
      {kLineAndCrossed, kBottom, 4, 0},
      {kPairLined, 4, 0, kBottom},
      {kPairLined, 3, 0, kTop}}},
    {kRight,
     6,
     {{kTwoSidesLined, kTop, kBottom, kLeft},
      {kOutersCrossed, 1, 2, 0},
      {kLineAndCrossed, kTop, 2, 0},
      {kLineAndCrossed, kBottom, 1, 0},
      {kPairLined, 1, 0, kBottom},
      {kPairLined, 2, 0, kTop}}},
};

}  // namespace

bool blankRuleAdvanced(PuzzleState& s, int x, int y) {
    const Board& wb = *s.workBoard;
    bool decided = false;
    const auto sideLined = [&](int side) {
        return lineAt(wb, x + kAroundX[side], y + kAroundY[side]);
    };
    const auto crossSide = [&](int side) {
        return setEdge(s, x + kAroundX[side], y + kAroundY[side], kCross);
    };
    // Most cells have no 3 beside them: then no row below applies.
    if (!hasThreeBeside(wb, x, y)) return false;
    // The group counts, read again only after a decision.
    CellCounts counts(wb, x, y);
    // Every row wants a line on a side or a crossed outer pair; without either the rows only
    // name the rule, which matters to an observer alone.
    if (s.ruleObserver == nullptr) {
        if (counts[0] < tally(0, 1) && !counts.anyOf(5, tally(2, 0))) return false;
    }
    // The blocks and rows written out by the compiler: each test is then a few instructions.
#pragma GCC unroll 4
    for (const BlankBlock& block : kBlankBlocks) {
        const int threeX = x + 2 * kAroundX[block.three];
        const int threeY = y + 2 * kAroundY[block.three];
        if (!isClue(wb, threeX, threeY, 3)) continue;
        noteRule(s, RuleId::kBlankBesideThree, x, y, 0, threeX, threeY);
#pragma GCC unroll 8
        for (int i = 0; i < block.rows; ++i) {
            const BlankRow& r = block.row[i];
            switch (r.test) {
                case kTwoSidesLined:
                    if (sideLined(r.a) && sideLined(r.b))
                        decided |= counts.note(crossSide(r.cross));
                    break;
                case kOutersCrossed:
                    if (counts.outer(r.a) == tally(2, 0) && counts.outer(r.b) == tally(2, 0)) {
                        decided |= counts.note(setEdgeGroup(s, x, y, r.a, kCross));
                        decided |= counts.note(setEdgeGroup(s, x, y, r.b, kCross));
                    }
                    break;
                case kLineAndCrossed:
                    if (sideLined(r.a) && counts.outer(r.b) == tally(2, 0)) {
                        decided |= counts.note(setEdgeGroup(s, x, y, r.b, kCross));
                    }
                    break;
                case kPairLined:
                    if (counts.pair(r.a) == tally(0, 2)) decided |= counts.note(crossSide(r.cross));
                    break;
                case kThreeBeside:
                    if (isClue(wb, x + 2 * kAroundX[r.a], y + 2 * kAroundY[r.a], 3) &&
                        (counts.outer(r.b) == tally(2, 0) || counts.pair(r.b) == tally(0, 1))) {
                        decided |= counts.note(setEdgeGroup(s, x, y, r.b, kCross));
                    }
                    break;
            }
        }
    }
    return decided;
}

}  // namespace vexilo
