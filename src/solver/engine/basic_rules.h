// The basic rule pass: drains the work queue through queueReadA and, for every queued
// edge, re-examines the two dots at its ends and the six nearest cells with the clue rule
// of each cell. Each rule looks at one cell or dot, its four edges and the outer pairs of
// its corner dots, decides what the counts force and reports an impossible position.
#pragma once

namespace vexilo {

struct PuzzleState;

// 0 on a contradiction, otherwise 1; afterwards queueReadA, queuePassEnd and queueHead
// are equal. Counts a productive pass in ruleUsage bit 0 and effortScore (+1).
int runBasicRules(PuzzleState& state);

int basicCellRule(PuzzleState& state, int x, int y);
int oneRule(PuzzleState& state, int x, int y);
int twoRule(PuzzleState& state, int x, int y);
int threeRule(PuzzleState& state, int x, int y);
int zeroRule(PuzzleState& state, int x, int y);
int blankRule(PuzzleState& state, int x, int y);
int dotRule(PuzzleState& state, int x, int y);

}  // namespace vexilo
