#include "complete/complete_solver.h"

#include "model/lattice.h"

namespace vexilo::complete {

void CompleteSolver::solve(const LoopPuzzle& puzzle, CompleteResult& result) {
    result.solutions = 0;
    result.nodes = 1;
    choices_.clear();
    lattice_.load(puzzle);
    Propagation status = lattice_.propagateClues();
    for (;;) {
        if (status == Propagation::kSolved) {
            lattice_.copySolution(result.solutions == 0 ? result.first : result.second);
            if (++result.solutions == 2) return;
        } else if (status == Propagation::kOpen) {
            const int edge = lattice_.branchEdge();
            if (edge >= 0) {
                choices_.push_back({edge, lattice_.mark(), false});
                ++result.nodes;
                status = lattice_.decide(edge, kLine);
                continue;
            }
            // Every edge decided without a closed loop: no answer here.
        }
        // Back to the latest choice whose cross is still to try.
        while (!choices_.empty() && choices_.back().crossTried) {
            choices_.pop_back();
        }
        if (choices_.empty()) return;
        Choice& c = choices_.back();
        lattice_.undoTo(c.mark);
        c.crossTried = true;
        ++result.nodes;
        status = lattice_.decide(c.edge, kCross);
    }
}

}  // namespace vexilo::complete
