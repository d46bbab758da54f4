#include "solver/solve_level2.h"

#include "solver/engine/colour_rules.h"
#include "solver/solve_levels.h"

namespace vexilo {

int solveLevel2(PuzzleState& state) {
    prepareSolve(state);
    for (;;) {
        if (propagateAll(state) == 0) return 0;
        if (runColourRules(state) != 1) return 1;
    }
}

}  // namespace vexilo
