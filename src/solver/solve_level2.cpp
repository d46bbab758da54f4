#include "solver/solve_level2.h"

#include "solver/engine/colour_rules.h"
#include "solver/solve_levels.h"

namespace vexilo {

bool solveLevel2(PuzzleState& state) {
    prepareSolve(state);
    const IncrementalSolve incremental(state);
    for (;;) {
        if (!propagateAll(state)) return false;
        if (!runColourRules(state)) return true;
    }
}

}  // namespace vexilo
