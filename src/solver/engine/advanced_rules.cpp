// The advanced pass, the start patterns and the diagonal chains.
//
// A chain carries a fact about one corner dot of a cell along the cell's diagonal. "One
// in": exactly one of the cell's two sides at corner d is a line, so exactly one line
// reaches that dot from the diagonal neighbour's side. A 2 passes that on unchanged to its
// far corner (its two lines must split one and one between the two corners), a 1 then has
// its line at the shared corner and crosses at the far one, a 3 lines at the far one.
// "Same pair": the two sides at corner d are equal, so the neighbour's two sides at the
// shared dot are equal too; a 2 passes that on as well.
//
// Every chain step continues at exactly one neighbour, so the walks below are loops.
#include "solver/engine/advanced_rules.h"

#include <array>
#include <bit>
#include <cstring>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_helpers.h"
#include "solver/engine/rule_observer.h"
#include "solver/solve_cancel.h"

namespace vexilo {

namespace {

int diagX(int x, int d) {
    return x + kDiagonalDx[d];
}
int diagY(int y, int d) {
    return y + kDiagonalDy[d];
}

// chainOneIn without the note of quiet chains.
bool chainOneInWalk(PuzzleState& s, int x, int y, int d);
bool toLook(const SolveScratch& scratch, int x, int y, int d);

}  // namespace

bool chainOneIn(PuzzleState& s, int x, int y, int d) {
    SolveScratch& scratch = *s.solveScratch;
    if (!scratch.incremental) return chainOneInWalk(s, x, y, d);
    // Most chains end at once: the start cell is no 2 that may decide, and the next cell on
    // the diagonal neither a 2 nor a cell that ends a chain with a decision. Such a cell,
    // not being a 2, keeps its bit in risingToLook / fallingToLook: the walk would stop there
    // having decided nothing (and named its rule to no one). That is seen before the note of
    // quiet chains is read, and needs none.
    const Board& wb = *s.workBoard;
    const int next = clueKey(wb, diagX(x, d), diagY(y, d));
    if ((next == 0 || next > 3) && s.ruleObserver == nullptr &&
        (clueKey(wb, x, y) != 2 || !toLook(scratch, x, y, d))) {
        return false;
    }
    // Corners 1 and 3 lie on a rising diagonal (x - y constant), 2 and 4 on a falling one.
    const uint32_t changes = scratch.chainChanges(x, y, d == 1 || d == 3);
    uint32_t& quiet =
        scratch.chainQuiet[static_cast<size_t>(SolveScratch::dotSlot(latticeIndex(x, y)))]
                          [static_cast<size_t>(d - 1)];
    if (quiet == changes) return false;
    const bool decided = chainOneInWalk(s, x, y, d);
    if (!decided) quiet = changes;
    return decided;
}

namespace {

// Within a solve, the first cell from cell (x, y) on along direction d that may stop the
// chain or decide something (SolveScratch::risingToLook, fallingToLook); the 2s before it
// would decide nothing. The outside ring stops every chain, so there is always one.
void skipQuietTwos(const SolveScratch& scratch, int& x, int& y, int d) {
    const bool rising = d == 1 || d == 3;
    const SolveScratch::ChainRow& row = rising
                                            ? scratch.risingToLook[SolveScratch::risingRow(x, y)]
                                            : scratch.fallingToLook[SolveScratch::fallingRow(x, y)];
    const int from = x / 2;
    int column = 0;
    if (kDiagonalDx[d] > 0) {
        size_t w = static_cast<size_t>(from >> 6);
        uint64_t bits = row[w] & (~uint64_t{0} << (from & 63));
        while (bits == 0) bits = row[++w];
        column = static_cast<int>(w * 64) + std::countr_zero(bits);
    } else {
        size_t w = static_cast<size_t>(from >> 6);
        uint64_t bits = row[w] & (~uint64_t{0} >> (63 - (from & 63)));
        while (bits == 0) bits = row[--w];
        column = static_cast<int>(w * 64) + 63 - std::countl_zero(bits);
    }
    const int steps = column - from;  // signed, in cells along x
    x += 2 * steps;
    y += rising ? 2 * steps : -2 * steps;
}

// Whether the 2 at cell (x, y) may decide something along the diagonal through its corner d
// (its bit in risingToLook or fallingToLook).
bool toLook(const SolveScratch& scratch, int x, int y, int d) {
    const SolveScratch::ChainRow& row = d == 1 || d == 3
                                            ? scratch.risingToLook[SolveScratch::risingRow(x, y)]
                                            : scratch.fallingToLook[SolveScratch::fallingRow(x, y)];
    return (row[static_cast<size_t>(x >> 7)] >> ((x / 2) & 63) & 1) != 0;
}

// The differ rules of the 2 at (x, y) along the diagonal through its corner d; out of line,
// as most walks meet no 2 whose groups may decide.
[[gnu::noinline]] bool twoOnChain(PuzzleState& s, int x, int y, int d) {
    const int o = oppositeCorner(d);
    bool here = differ(s, x, y, o + 4);
    here |= differ(s, x, y, d + 4);
    here |= differ(s, x, y, d);
    here |= differ(s, x, y, o);
    if (!here && s.solveScratch->incremental) {
        // Nothing changed: the cell's groups along the diagonal are quiet.
        SolveScratch& scratch = *s.solveScratch;
        SolveScratch::ChainRow& row = d == 1 || d == 3
                                          ? scratch.risingToLook[SolveScratch::risingRow(x, y)]
                                          : scratch.fallingToLook[SolveScratch::fallingRow(x, y)];
        row[static_cast<size_t>(x >> 7)] &= ~(uint64_t{1} << ((x / 2) & 63));
    }
    return here;
}

// The group of the cell (x, y) at corner d set to `value`; out of line, like twoOnChain.
[[gnu::noinline]] bool chainEnd(PuzzleState& s, int x, int y, int d, int value) {
    return setEdgeGroup(s, x, y, d, value);
}

bool chainOneInWalk(PuzzleState& s, int x, int y, int d) {
    const Board& wb = *s.workBoard;
    SolveScratch& scratch = *s.solveScratch;
    const bool skipQuiet = scratch.incremental;
    noteRule(s, RuleId::kChainOneIn, x, y, d);
    // A start cell that is a quiet 2 is passed over like the 2s after it.
    bool decided = false;
    if (clueKey(wb, x, y) == 2 && (!skipQuiet || toLook(scratch, x, y, d))) {
        decided = twoOnChain(s, x, y, d);
    }
    for (;;) {
        x = diagX(x, d);
        y = diagY(y, d);
        if (skipQuiet) skipQuietTwos(scratch, x, y, d);
        const int key = clueKey(wb, x, y);
        if (key == 1) return decided | chainEnd(s, x, y, d, kCross);
        if (key == 3) return decided | chainEnd(s, x, y, d, kLine);
        if (key != 2) return decided;
        decided |= twoOnChain(s, x, y, d);
    }
}

}  // namespace

bool chainSamePair(PuzzleState& s, int x, int y, int d) {
    const Board& wb = *s.workBoard;
    const int e = oppositeCorner(d);
    if (clueKey(wb, x, y) != 2 && s.ruleObserver == nullptr) {
        // The first step alone, when the next cell is no 2: its pair e is this cell's outer
        // pair d. With both edges decided nothing is written there; with neither, only a 1
        // or a 3 would write.
        const int next = clueKey(wb, diagX(x, d), diagY(y, d));
        const int t = outer(wb, x, y, d);
        const int known = (t & 15) + (t >> 4);
        if (next != 2 && (known == 2 || (known == 0 && (next == 0 || next > 3)))) return false;
    }
    bool decided = false;
    const int fromX = x;
    const int fromY = y;
    for (;;) {
        if (clueKey(wb, x, y) == 2) {
            decided |= chainOneIn(s, x, y, nextCorner(d));
            decided |= chainOneIn(s, x, y, prevCorner(d));
        }
        noteRule(s, RuleId::kChainSamePair, fromX, fromY, d);
        x = diagX(x, d);
        y = diagY(y, d);
        decided |= same(s, x, y, e);
        const int key = clueKey(wb, x, y);
        if (key == 1) return decided | setEdgeGroup(s, x, y, e, kCross);
        if (key == 3) return decided | setEdgeGroup(s, x, y, e, kLine);
        if (key != 2) return decided;
        decided |= same(s, x, y, d);
    }
}

bool scanDiagonalLined(PuzzleState& s, int x, int y, int d) {
    const Board& wb = *s.workBoard;
    const int o = oppositeCorner(d);
    noteRule(s, RuleId::kChainScan, x, y, d);
    for (;;) {
        const int m = outer(wb, x, y, d);
        if (m == tally(2, 0)) return chainSamePair(s, x, y, o);
        if (m == tally(0, 1)) {
            const bool crossed = setEdgeGroup(s, x, y, d + 4, kCross);
            return crossed | chainOneIn(s, x, y, o);
        }
        if (m == tally(1, 1)) return chainOneIn(s, x, y, o);
        x = diagX(x, d);
        y = diagY(y, d);
        const int key = clueKey(wb, x, y);
        if (key == 3) {
            const bool lined = setEdgeGroup(s, x, y, d, kLine);
            return lined | chainOneIn(s, x, y, o);
        }
        if (key != 2) return false;
        if (outer(wb, x, y, nextCorner(d)) == tally(2, 0) ||
            outer(wb, x, y, prevCorner(d)) == tally(2, 0)) {
            return chainOneIn(s, x, y, o);
        }
    }
}

bool scanDiagonal(PuzzleState& s, int x, int y, int d) {
    const Board& wb = *s.workBoard;
    const int o = oppositeCorner(d);
    for (;;) {
        const int m = outer(wb, x, y, d);
        if (m == tally(2, 0)) return chainSamePair(s, x, y, o);
        if (m == tally(1, 1)) return chainOneIn(s, x, y, o);
        x = diagX(x, d);
        y = diagY(y, d);
        if (clueKey(wb, x, y) != 2) return false;
        if (outer(wb, x, y, nextCorner(d)) == tally(2, 0) ||
            outer(wb, x, y, prevCorner(d)) == tally(2, 0)) {
            return chainOneIn(s, x, y, o);
        }
    }
}

// A block of rows, for a 3 across one side, asks for lines on the other sides or for crossed
// outer pairs at the far corners as below (a 3 across a side to either hand adds a row for
// each). Out of line, so that the pass stays small enough to be inlined whole.
[[gnu::noinline]] bool blankRuleMayDecide(const uint8_t* p) {
    constexpr int V = kLatticeSide;
    const auto line = [p](int offset) { return (p[offset] & kKeyMask) == kLine; };
    const auto cross = [p](int offset) { return (p[offset] & kKeyMask) == kCross; };
    const auto three = [p](int offset) { return (p[offset] & 7) == 3; };
    // Both outer edges of corner dot c (1 top left to 4 top right, anticlockwise) crossed.
    const auto crossed = [&](int c) {
        switch (c) {
            case 1:
                return cross(-1 - 2 * V) && cross(-2 - V);
            case 2:
                return cross(-1 + 2 * V) && cross(-2 + V);
            case 3:
                return cross(1 + 2 * V) && cross(2 + V);
            default:
                return cross(1 - 2 * V) && cross(2 - V);
        }
    };
    const bool threeLeft = three(-2);
    const bool threeRight = three(2);
    if (three(-2 * V)) {
        if (line(-1) || line(1) || (crossed(2) && crossed(3))) return true;
        if (threeLeft && (line(V) || crossed(3))) return true;
        if (threeRight && (line(V) || crossed(2))) return true;
    }
    if (three(2 * V)) {
        if (line(-1) || line(1) || (crossed(1) && crossed(4))) return true;
        if (threeLeft && (line(-V) || crossed(4))) return true;
        if (threeRight && (line(-V) || crossed(1))) return true;
    }
    return (threeLeft && (line(-V) || line(V) || (crossed(3) && crossed(4)))) ||
           (threeRight && (line(-V) || line(V) || (crossed(1) && crossed(2))));
}

bool diagonalEndsInThree(PuzzleState& s, int x, int y, int d) {
    const Board& wb = *s.workBoard;
    for (;;) {
        const int key = clueKey(wb, x, y);
        if (key == 3) return true;
        if (key != 2) return false;
        x = diagX(x, d);
        y = diagY(y, d);
    }
}

namespace {

// A 3, a diagonal run of 2s, a 3: both 3s have lines on their far corners. The walk
// starts at the 2 after the first one and stops at the first cell that is not a 2.
void threeTwosThree(PuzzleState& s, int x, int y, int dy, bool& decided) {
    const Board& wb = *s.workBoard;
    const int firstX = x - 2;
    const int firstY = y - 2 * dy;
    if (clueKey(wb, firstX, firstY) != 3) return;
    int wx = x + 2;
    int wy = y + 2 * dy;
    while (clueKey(wb, wx, wy) == 2) {
        wx += 2;
        wy += 2 * dy;
    }
    if (clueKey(wb, wx, wy) != 3) return;
    noteRule(s, RuleId::kThreesAlongTwos, firstX, firstY, 0, wx, wy);
    // Down-right: pair 1 of the first 3, pair 3 of the last; up-right: pairs 2 and 4.
    decided |= setEdgeGroup(s, firstX, firstY, dy > 0 ? 1 : 2, kLine);
    decided |= setEdgeGroup(s, wx, wy, dy > 0 ? 3 : 4, kLine);
}

}  // namespace

bool startPatterns(PuzzleState& s) {
    const Board& wb = *s.workBoard;
    bool decided = false;
    for (int y = 2; y <= 2 * s.H(); y += 2) {
        for (int x = 2; x <= 2 * s.W(); x += 2) {
            const int key = clueKey(wb, x, y);
            if (key == 2) {
                threeTwosThree(s, x, y, +1, decided);
                threeTwosThree(s, x, y, -1, decided);
            } else if (key == 3) {
                if (clueKey(wb, x + 2, y - 2) == 3) {
                    noteRule(s, RuleId::kThreesDiagonal, x, y, 0, x + 2, y - 2);
                    decided |= setEdgeGroup(s, x + 2, y - 2, 4, kLine);
                    decided |= setEdgeGroup(s, x, y, 2, kLine);
                }
                if (clueKey(wb, x + 2, y + 2) == 3) {
                    noteRule(s, RuleId::kThreesDiagonal, x, y, 0, x + 2, y + 2);
                    decided |= setEdgeGroup(s, x + 2, y + 2, 3, kLine);
                    decided |= setEdgeGroup(s, x, y, 1, kLine);
                }
                if (clueKey(wb, x, y + 2) == 3) {
                    noteRule(s, RuleId::kThreesAdjacent, x, y, 0, x, y + 2);
                    decided |= setEdge(s, x, y - 1, kLine);
                    decided |= setEdge(s, x, y + 1, kLine);
                    decided |= setEdge(s, x, y + 3, kLine);
                    decided |= setEdge(s, x - 2, y + 1, kCross);
                    decided |= setEdge(s, x + 2, y + 1, kCross);
                }
                if (clueKey(wb, x + 2, y) == 3) {
                    noteRule(s, RuleId::kThreesAdjacent, x, y, 0, x + 2, y);
                    decided |= setEdge(s, x - 1, y, kLine);
                    decided |= setEdge(s, x + 1, y, kLine);
                    decided |= setEdge(s, x + 3, y, kLine);
                    decided |= setEdge(s, x + 1, y - 2, kCross);
                    decided |= setEdge(s, x + 1, y + 2, kCross);
                }
            }
        }
    }
    return decided;
}

namespace {

// Whether a 3 is a neighbour of the cell whose lattice byte is at `p`.
inline bool hasThreeBeside(const uint8_t* p) {
    const auto isThree = [p](int offset) { return (p[offset] & 7) == 3; };
    // All four read, without a branch each: which neighbour is the 3 varies.
    return (isThree(-2 * kLatticeSide) | isThree(2 * kLatticeSide) | isThree(-2) | isThree(2)) != 0;
}

// advancedCellRule on cell (x, y) of the puzzle whose lattice byte is at `p`, inline for the
// pass.
inline bool cellRuleAdvancedInside(PuzzleState& s, const uint8_t* p, int x, int y) {
    switch (*p & 15) {
        case 0: {
            // Most cells without clue have no 3 beside them: then no rule applies.
            if (!hasThreeBeside(p)) return false;
            return blankRuleAdvanced(s, x, y);
        }
        case 1:
            return oneRuleAdvanced(s, x, y);
        case 2:
            return twoRuleAdvanced(s, x, y);
        case 3:
            return threeRuleAdvanced(s, x, y);
        default:
            return false;
    }
}

}  // namespace

bool advancedCellRule(PuzzleState& s, int x, int y) {
    return insideGrid(s, x, y) && cellRuleAdvancedInside(s, &s.workBoard->at(x, y), x, y);
}

namespace {

// What the advanced rule of a cell did within a solve, and when it needs asking again.
enum class CellOutcome {
    kDecided,
    kOwnEdgesQuiet,  // quiet until one of its twelve edges changes
    kBoardQuiet,     // quiet until the board changes
    kNever,          // decides nothing whatever the edges: not asked again in this solve
};

// The advanced rule of cell (x, y), whose lattice byte is at `p`, within a solve (no observer
// listens). The cells of the outside ring, 0s and cells without clue and without a 3 beside
// them decide nothing whatever happens; a settled cell nothing while it stays settled, and a
// cell without clue beside a 3 reads only its own edges besides the fixed clues.
inline CellOutcome cellRuleWithinSolve(PuzzleState& s, const uint8_t* p, int x, int y, int maxX,
                                       int maxY) {
    using enum CellOutcome;
    if (*p >= kOutside && (x < 2 || x > maxX || y < 2 || y > maxY)) return kNever;
    const auto outcome = [](bool decided) { return decided ? kDecided : kBoardQuiet; };
    switch (*p & 15) {
        case 0: {
            if (!hasThreeBeside(p)) return kNever;
            if (!blankRuleMayDecide(p) || !blankRuleAdvanced(s, x, y)) return kOwnEdgesQuiet;
            return kDecided;
        }
        case 1:
            return outcome(oneRuleAdvanced(s, x, y));
        case 2:
            return outcome(twoRuleAdvanced(s, x, y));
        case 3:
            return outcome(threeRuleAdvanced(s, x, y));
        case kClueZero:
        case kClueZero | kSettled:
            return kNever;
        default:
            return kOwnEdgesQuiet;
    }
}

// The six cells nearest to an edge, by the edge's direction (a vertical edge has an odd x),
// in the order the pass visits them: above a horizontal edge then below it, left to right;
// left of a vertical one then right of it, top to bottom. Steps from the edge, and the
// cell's RuleQuiet slot less the edge's.
struct CellsAroundEdge {
    int dx[6];
    int dy[6];
    int slot[6];
};
constexpr int kQuietRow = RuleQuiet::kRow;
constexpr CellsAroundEdge kCellsAroundEdge[2] = {
    {{-2, 0, 2, -2, 0, 2},
     {-1, -1, -1, 1, 1, 1},
     {-1, 0, 1, kQuietRow - 1, kQuietRow, kQuietRow + 1}},
    {{-1, -1, -1, 1, 1, 1},
     {-2, 0, 2, -2, 0, 2},
     {-kQuietRow, 0, kQuietRow, 1 - kQuietRow, 1, kQuietRow + 1}},
};

// The marks of the six cells are read as three runs of bytes of a row each, by direction:
// a run's first slot less the edge's and the kOwnEdges bits of its first three bytes that
// hold cells (none in the third run of a horizontal edge). Three marks of a run are gathered
// into bits 0..2 by a product that adds no two bits at the same place; the runs' bits lie at
// 0..2, 3..5 and 6..8.
struct MarkRuns {
    int start[3];
    uint32_t ownEdges[3];
};
constexpr uint32_t kThreeMarks = RuleQuiet::kOwnEdges * 0x010101u;
constexpr uint32_t kTwoMarks = RuleQuiet::kOwnEdges * 0x0101u;
constexpr MarkRuns kMarkRuns[2] = {
    {{-1, kQuietRow - 1, 0}, {kThreeMarks, kThreeMarks, 0}},
    {{-kQuietRow, 0, kQuietRow}, {kTwoMarks, kTwoMarks, kTwoMarks}},
};
constexpr uint64_t kGatherMarks = (uint64_t{1} << 32) + (uint64_t{1} << 25) + (uint64_t{1} << 18);
// `marks`: the kOwnEdges bits of a run alone.
constexpr int gatherMarks(uint32_t marks) {
    return static_cast<int>((marks * kGatherMarks) >> 33) & 7;
}
// From the bits of the runs to the cells in visiting order (a bit set: the cell's rule may
// be asked). Vertical: the runs hold (left, right) of the top, middle and bottom row.
constexpr auto kRunsToCells = [] {
    std::array<std::array<uint8_t, 512>, 2> table{};
    for (int bits = 0; bits < 512; ++bits) {
        table[0][static_cast<size_t>(bits)] = static_cast<uint8_t>(bits & 63);
        constexpr int kVertical[6] = {0, 3, 6, 1, 4, 7};
        int cells = 0;
        for (int k = 0; k < 6; ++k) cells |= (bits >> kVertical[k] & 1) << k;
        table[1][static_cast<size_t>(bits)] = static_cast<uint8_t>(cells);
    }
    return table;
}();
// Four bytes from `p` on, the first lowest (one load where the order of bytes allows). The
// byte after a run lies in the row too: a row has room beyond the outside ring.
inline uint32_t runOfFour(const uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t word = 0;
        std::memcpy(&word, p, sizeof word);
        return word;
    } else {
        return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }
}
static_assert(RuleQuiet::kOwnEdges == 2 && gatherMarks(0x00020002) == 5 &&
              gatherMarks(0x00020202) == 7);

// What the rule of the cell at RuleQuiet slot `i` did within a solve, noted in the marks:
// true if it decided something.
inline bool noteOutcome(SolveScratch& scratch, CellOutcome outcome, size_t i) {
    RuleQuiet& quietMarks = scratch.ruleQuiet;
    switch (outcome) {
        case CellOutcome::kDecided:
            return true;
        case CellOutcome::kOwnEdgesQuiet:
            quietMarks.cell[i] |= RuleQuiet::kOwnEdges;
            break;
        case CellOutcome::kBoardQuiet:
            scratch.advancedQuietAt[i] = scratch.boardChanges;
            break;
        case CellOutcome::kNever:
            quietMarks.advancedNever[i] = RuleQuiet::kOwnEdges;
            quietMarks.cell[i] |= RuleQuiet::kOwnEdges;
            break;
    }
    return false;
}

// The start patterns, once a solve, before the first pass.
bool startPatternsOnce(PuzzleState& s) {
    if ((s.startPatternsDone & 1) != 0) return false;
    const bool decided = startPatterns(s);
    s.startPatternsDone |= 1;
    return decided;
}

// What a pass returns when it read its queue through.
RuleResult passResult(PuzzleState& s, bool progress) {
    if (progress) {
        s.ruleUsage |= 2;
        if (s.effortScore < 10000) s.effortScore += 2;
        return RuleResult::kProgress;
    }
    return RuleResult::kUnchanged;
}

// The pass. kSkipQuiet within the trial search: the rule of a cell that reads no more than
// its own edges and decided nothing is not asked again until one of them changes; any other
// rule that decided nothing is not asked again until the board changes; a rule that can
// decide nothing on this puzzle is not asked again.
template <bool kSkipQuiet>
RuleResult advancedPass(PuzzleState& s) {
    WorkQueue& queue = s.workBoard->queue;
    SolveScratch& scratch = *s.solveScratch;
    RuleQuiet& quietMarks = scratch.ruleQuiet;
    const int maxX = 2 * s.W();
    const int maxY = 2 * s.H();
    bool progress = startPatternsOnce(s);
    // No rule applies on the outside ring. Its cells read as marked outside: only a cell so
    // marked is looked at more closely.
    const uint8_t* const lattice = s.workBoard->lattice.data();
    while (!queue.advancedAtPassEnd()) {
        // On long chains of 2s one pass can take seconds.
        stopIfCancelled(s);
        // The six cells nearest to the queued edge.
        const int32_t entry = queue.nextForAdvanced();
        const int x = entryX(entry);
        const int y = entryY(entry);
        if (((x ^ y) & 1) == 0) return RuleResult::kContradiction;
        const auto at = static_cast<size_t>(RuleQuiet::slot(x, y));
        const CellsAroundEdge& around = kCellsAroundEdge[x & 1];
        const auto slotOf = [&](int k) {
            return at + static_cast<size_t>(static_cast<ptrdiff_t>(around.slot[k]));
        };
        const auto ask = [&](int k) {
            const int cx = x + around.dx[k];
            const int cy = y + around.dy[k];
            const uint8_t* const p = lattice + latticeIndex(cx, cy);
            if constexpr (kSkipQuiet) {
                const bool decided =
                    noteOutcome(scratch, cellRuleWithinSolve(s, p, cx, cy, maxX, maxY), slotOf(k));
                progress |= decided;
                return decided;
            } else {
                const bool ring = *p >= kOutside && (cx < 2 || cx > maxX || cy < 2 || cy > maxY);
                if (!ring && cellRuleAdvancedInside(s, p, cx, cy)) progress = true;
                return false;
            }
        };
        if constexpr (kSkipQuiet) {
            // The cells whose rules may decide something, a bit each in visiting order: not
            // marked quiet until an edge changes, nor never deciding, nor quiet since the board
            // last changed. The marks are read without a branch, as they vary from cell to
            // cell in the trial search. A rule asked writes nothing but its own marks unless it
            // decides: only a decision, which may wake the cells after it, has them read again.
            const MarkRuns& runs = kMarkRuns[x & 1];
            const auto toAsk = [&] {
                int quiet = 0;
                for (int r = 0; r < 3; ++r) {
                    const size_t from =
                        at + static_cast<size_t>(static_cast<ptrdiff_t>(runs.start[r]));
                    const uint32_t marks = runOfFour(&quietMarks.cell[from]) |
                                           runOfFour(&quietMarks.advancedNever[from]);
                    quiet |= gatherMarks(marks & runs.ownEdges[r]) << (3 * r);
                }
                return unsigned{kRunsToCells[x & 1][static_cast<size_t>(~quiet & 511)]};
            };
            unsigned bits = toAsk();
            while (bits != 0) {
                const int k = std::countr_zero(bits);
                bits &= bits - 1;
                if (scratch.advancedQuietAt[slotOf(k)] == scratch.boardChanges) continue;
                if (ask(k)) bits = toAsk() & (~0u << (k + 1));
            }
        } else {
            for (int k = 0; k < 6; ++k) ask(k);
        }
    }
    return passResult(s, progress);
}

// The pass within a solve before the trial search, as advancedPass<true> but without the
// marks of the rules that never decide anything: a pass over a board once is faster without
// the second look (every cell marks itself quiet, and no later change wakes most of them
// again). Such a pass finds most cells quiet, in a steady order: the cells in a row beside
// the edge are passed over together when all are quiet (above or below a horizontal edge
// three lie in a row, the six of a vertical one in three rows of two), the others looked at
// one by one. kNever: within the trial search on a large board, where a cell marked never
// deciding is passed over too (its row only when its quiet marks do not pass it over).
template <bool kNever>
RuleResult advancedPassOverBoard(PuzzleState& s) {
    WorkQueue& queue = s.workBoard->queue;
    SolveScratch& scratch = *s.solveScratch;
    RuleQuiet& quietMarks = scratch.ruleQuiet;
    const int maxX = 2 * s.W();
    const int maxY = 2 * s.H();
    bool progress = startPatternsOnce(s);
    const uint8_t* const lattice = s.workBoard->lattice.data();
    // `p` the cell's lattice byte, `i` its slot in RuleQuiet.
    const auto cell = [&](int x, int y, const uint8_t* p, size_t i) {
        if ((quietMarks.cell[i] & RuleQuiet::kOwnEdges) != 0) return;
        if (kNever && quietMarks.advancedNever[i] != 0) {
            // Quiet again, until a change of its edges clears that: the next look at a row
            // reads only the quiet marks.
            quietMarks.cell[i] |= RuleQuiet::kOwnEdges;
            return;
        }
        if (scratch.advancedQuietAt[i] == scratch.boardChanges) return;
        progress |= noteOutcome(scratch, cellRuleWithinSolve(s, p, x, y, maxX, maxY), i);
    };
    const auto rowQuiet = [&](size_t slot, uint32_t all) {
        const uint32_t marks = runOfFour(&quietMarks.cell[slot]);
        if (!kNever || (marks & all) == all) return (marks & all) == all;
        return ((marks | runOfFour(&quietMarks.advancedNever[slot])) & all) == all;
    };
    constexpr size_t R = RuleQuiet::kRow;
    constexpr int V = kLatticeSide;
    while (!queue.advancedAtPassEnd()) {
        stopIfCancelled(s);
        const int32_t entry = queue.nextForAdvanced();
        const int x = entryX(entry);
        const int y = entryY(entry);
        if (((x ^ y) & 1) == 0) return RuleResult::kContradiction;
        const auto at = static_cast<size_t>(RuleQuiet::slot(x, y));
        const uint8_t* const e = lattice + latticeIndex(x, y);
        if ((x & 1) == 0) {
            if (!rowQuiet(at - 1, kThreeMarks)) {
                cell(x - 2, y - 1, e - 2 - V, at - 1);
                cell(x, y - 1, e - V, at);
                cell(x + 2, y - 1, e + 2 - V, at + 1);
            }
            if (!rowQuiet(at + R - 1, kThreeMarks)) {
                cell(x - 2, y + 1, e - 2 + V, at + R - 1);
                cell(x, y + 1, e + V, at + R);
                cell(x + 2, y + 1, e + 2 + V, at + R + 1);
            }
        } else if (!rowQuiet(at - R, kTwoMarks) || !rowQuiet(at, kTwoMarks) ||
                   !rowQuiet(at + R, kTwoMarks)) {
            cell(x - 1, y - 2, e - 1 - 2 * V, at - R);
            cell(x - 1, y, e - 1, at);
            cell(x - 1, y + 2, e - 1 + 2 * V, at + R);
            cell(x + 1, y - 2, e + 1 - 2 * V, at + 1 - R);
            cell(x + 1, y, e + 1, at + 1);
            cell(x + 1, y + 2, e + 1 + 2 * V, at + R + 1);
        }
    }
    return passResult(s, progress);
}

}  // namespace

// Boards of this many cells and more count as large for the trial search's pass.
constexpr int kLargeBoardCells = 1 << 15;

RuleResult runAdvancedRules(PuzzleState& s) {
    const SolveScratch& scratch = *s.solveScratch;
    if (!scratch.incremental) return advancedPass<false>(s);
    // The position at rest is known in the trial search.
    if (!scratch.restKnown) return advancedPassOverBoard<false>(s);
    // On a large board the marks of the rules that never decide anything lie far from most
    // cells looked at: there the pass reads them only where the quiet marks let a cell
    // through, and marks such a cell quiet again (as the pass over the board does). On a
    // smaller board both lie in the cache, and the pass without a branch per cell is faster.
    // Both ask the same rules in the same order: a cell marked never deciding is passed
    // over by either.
    if (s.W() * s.H() >= kLargeBoardCells) return advancedPassOverBoard<true>(s);
    return advancedPass<true>(s);
}

}  // namespace vexilo
