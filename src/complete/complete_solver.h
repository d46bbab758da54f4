// The complete solver: how many answers a puzzle has (none, one, or more than one), with
// the answers themselves. A depth-first search over undecided edges, each choice followed
// by the sound deductions of LoopLattice, undone through its trail on backtracking; it
// stops at the second answer. The search keeps its own stack of choices, so its depth is
// bounded by the number of edges, not by the call stack.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "complete/loop_lattice.h"
#include "complete/loop_puzzle.h"

namespace vexilo::complete {

struct CompleteResult {
    int solutions = 0;    // 0, 1, or 2 meaning two or more
    LoopSolution first;   // valid when solutions >= 1
    LoopSolution second;  // valid when solutions == 2; differs from first
    int64_t nodes = 0;    // the root and every choice tried
    bool stopped = false;  // a node limit or a cancel ended the search: solutions may be too low
};

// Keeps its arrays from one puzzle to the next: a generator can call it many times at a
// small fixed cost.
class CompleteSolver {
  public:
    void solve(const LoopPuzzle& puzzle, CompleteResult& result);
    CompleteResult solve(const LoopPuzzle& puzzle) {
        CompleteResult result;
        solve(puzzle, result);
        return result;
    }

    // Ends a search after this many nodes (0: no limit), for callers that would rather not
    // know than wait.
    void setNodeLimit(int64_t limit) { nodeLimit_ = limit; }
    // Ends a search soon after `cancel` reads true, as the node limit does; another thread
    // may set it. nullptr: never cancelled.
    void setCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }

  private:
    bool recordAnswer(CompleteResult& result);
    Propagation probe(CompleteResult& result, int from);
    void addProbeCandidates(int from);

    struct Choice {
        int edge;
        LoopLattice::Mark mark;
        bool crossTried;
    };
    LoopLattice lattice_;
    std::vector<Choice> choices_;
    int bestEdge_ = -1;  // the edge whose trials decided the most, from the last probe
    std::vector<int32_t> candidates_;
    std::vector<uint32_t> probeStamp_;  // per position: the probe that listed it last
    uint32_t stamp_ = 0;
    bool wholeProbe_ = true;  // the next probe may try every undecided edge
    int64_t nodeLimit_ = 0;
    const std::atomic<bool>* cancel_ = nullptr;

    bool cancelled() const {
        return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed);
    }
};

}  // namespace vexilo::complete
