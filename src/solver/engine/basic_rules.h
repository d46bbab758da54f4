// The basic rule pass: drains the work queue through readA and, for every queued
// edge, re-examines the two dots at its ends and the six nearest cells with the clue rule
// of each cell. Each rule looks at one cell or dot, its four edges and the outer pairs of
// its corner dots, decides what the counts force and reports an impossible position.
#pragma once

#include "solver/engine/edge_setting.h"

namespace vexilo {

struct PuzzleState;

// False on a contradiction, otherwise true (whether or not it decided anything: the
// counters say that); afterwards the queue's readA, passEnd and head are equal. Counts a
// productive pass in ruleUsage bit 0 and effortScore (+1).
[[nodiscard]] bool runBasicRules(PuzzleState& state);

RuleResult basicCellRule(PuzzleState& state, int x, int y);
RuleResult oneRule(PuzzleState& state, int x, int y);
RuleResult twoRule(PuzzleState& state, int x, int y);
RuleResult threeRule(PuzzleState& state, int x, int y);
RuleResult zeroRule(PuzzleState& state, int x, int y);
RuleResult blankRule(PuzzleState& state, int x, int y);
RuleResult dotRule(PuzzleState& state, int x, int y);

}  // namespace vexilo
