// The next edge the rules decide from a position: the solver runs on a scratch copy of the
// puzzle started from the position, in its own order of rules, and is stopped at the first
// edge it decides that the position leaves open. An observer on the rule engine tells which
// rule decided it and what that rule looked at.
#pragma once

#include <atomic>
#include <optional>

#include "solver/engine/rule_observer.h"

namespace vexilo {

struct Deduction {
    int x = 0;  // 0, 0 when no rule decides anything
    int y = 0;
    int value = 0;
    RuleSite site;
    GroupSite group;
};

Deduction nextDeduction(const PuzzleState& player);
// The same, given up (nothing) once `cancel` reads true; another thread may set it.
std::optional<Deduction> nextDeduction(const PuzzleState& player, const std::atomic<bool>& cancel);

}  // namespace vexilo
