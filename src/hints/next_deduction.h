// The next edge the rules decide from a position, found by running the rule passes on a
// scratch copy of the puzzle level by level and stopping at the first level that decides
// anything: the first edge it decided, from the position alone.
#pragma once

#include <string>

namespace vexilo {

struct PuzzleState;

struct Deduction {
    int x = 0;  // 0, 0 when no rule decides anything
    int y = 0;
    int value = 0;
    std::string level;  // "start", "basic", "sub-loop", "advanced", "colour", "trial"
};

Deduction nextDeduction(const PuzzleState& player);

}  // namespace vexilo
