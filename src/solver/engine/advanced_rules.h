// The advanced rule pass: reads the work queue through queueReadB up to the queuePassEnd
// the basic pass left, applies a second, stronger rule per clue to the six cells nearest
// each queued edge, and on its first call in a solve the start patterns. It never reports
// a contradiction; the basic pass that runs next finds any impossibility.
#pragma once

namespace vexilo {

struct PuzzleState;

// 1 if an edge was decided, 2 if none, 0 only for a queue entry that is not an edge.
// Counts a productive pass in ruleUsage bit 1 and effortScore (+2).
int runAdvancedRules(PuzzleState& state);

int advancedCellRule(PuzzleState& state, int x, int y);
int startPatterns(PuzzleState& state);

// Diagonal chains along 2-cells; each returns 1 if it decided an edge.
int chainOneIn(PuzzleState& state, int x, int y, int corner);
int chainSamePair(PuzzleState& state, int x, int y, int corner);
int scanDiagonalLined(PuzzleState& state, int x, int y, int corner);
int scanDiagonal(PuzzleState& state, int x, int y, int corner);
int diagonalEndsInThree(PuzzleState& state, int x, int y, int corner);

int oneRuleAdvanced(PuzzleState& state, int x, int y);
int twoRuleAdvanced(PuzzleState& state, int x, int y);
int threeRuleAdvanced(PuzzleState& state, int x, int y);
int blankRuleAdvanced(PuzzleState& state, int x, int y);

}  // namespace vexilo
