// The advanced rule pass: reads the work queue through readB up to the pass end
// the basic pass left, applies a second, stronger rule per clue to the six cells nearest
// each queued edge, and on its first call in a solve the start patterns. It never reports
// a contradiction; the basic pass that runs next finds any impossibility.
#pragma once

#include "solver/engine/edge_setting.h"

namespace vexilo {

struct PuzzleState;

// kProgress if an edge was decided, kUnchanged if none, kContradiction only for a queue
// entry that is not an edge. Counts a productive pass in ruleUsage bit 1 and effortScore
// (+2).
RuleResult runAdvancedRules(PuzzleState& state);

// Each of the following returns true if it decided an edge.
[[nodiscard]] bool advancedCellRule(PuzzleState& state, int x, int y);
[[nodiscard]] bool startPatterns(PuzzleState& state);

// Diagonal chains along 2-cells.
[[nodiscard]] bool chainOneIn(PuzzleState& state, int x, int y, int corner);
[[nodiscard]] bool chainSamePair(PuzzleState& state, int x, int y, int corner);
[[nodiscard]] bool scanDiagonalLined(PuzzleState& state, int x, int y, int corner);
[[nodiscard]] bool scanDiagonal(PuzzleState& state, int x, int y, int corner);

// True if the diagonal from cell (x, y) towards `corner` runs through 2s into a 3.
[[nodiscard]] bool diagonalEndsInThree(PuzzleState& state, int x, int y, int corner);

[[nodiscard]] bool oneRuleAdvanced(PuzzleState& state, int x, int y);
[[nodiscard]] bool twoRuleAdvanced(PuzzleState& state, int x, int y);
[[nodiscard]] bool threeRuleAdvanced(PuzzleState& state, int x, int y);
[[nodiscard]] bool blankRuleAdvanced(PuzzleState& state, int x, int y);

// False if the rule of the cell without clue whose lattice byte is at `p` would decide
// nothing (while no observer listens, it then only names its rows).
[[nodiscard]] bool blankRuleMayDecide(const uint8_t* p);

// A 3 beside cell (x, y), across one of its sides; without one the advanced rule of a cell
// without clue decides nothing.
inline bool hasThreeBeside(const Board& board, int x, int y) {
    const auto isThree = [&](int dx, int dy) { return (board.at(x + dx, y + dy) & 7) == 3; };
    return isThree(0, -2) || isThree(0, 2) || isThree(-2, 0) || isThree(2, 0);
}

}  // namespace vexilo
