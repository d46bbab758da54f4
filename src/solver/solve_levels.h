// The solve levels: each solves the puzzle from its clues alone on workBoard.
// Level 0 runs the basic rules and the sub-loop rule; Level 1 adds the advanced rules;
// Level 2 adds the colour rules. Every entry point returns false when the solver met a
// contradiction and true when it came to rest (solved, or could go no further): the levels
// do not judge the answer.
#pragma once

namespace vexilo {

struct PuzzleState;

// How prepareSolve builds workBoard's lattice.
enum class LatticeStart {
    kFromClues,  // initLatticeFromClues
    kRebuild,    // rebuildBoard(workBoard, workBoard) with drawing off; the log is empty
    kFromLog,    // the same, from the log workBoard holds (a position to go on from)
};

// The common start of every solve: zero the rating counters and startPatternsDone, empty
// workBoard's log (unless kFromLog), build its lattice, reset the four queue indices, seed the
// queue and cross the sides of the 0 cells.
void prepareSolve(PuzzleState& state, LatticeStart start = LatticeStart::kFromClues);

// Lets the calls of one solve level build on each other (SolveScratch::incremental) while
// it lives. prepareSolve starts them afresh.
class IncrementalSolve {
  public:
    explicit IncrementalSolve(PuzzleState& state);
    ~IncrementalSolve();
    IncrementalSolve(const IncrementalSolve&) = delete;
    IncrementalSolve& operator=(const IncrementalSolve&) = delete;

  private:
    PuzzleState& state_;
};

// Basic rules, sub-loop rule and advanced rules until nothing new is queued: false on a
// contradiction, true at a standstill. With `firstUnset` (for a caller whose board only gains
// decisions from one call to the next, as for findUnsetEdge), the sub-loop and advanced rules
// are passed over when every edge is set: they could set none (and no observer may hear them).
[[nodiscard]] bool propagateAll(PuzzleState& state, int* firstUnset = nullptr);

// Whether workBoard has an edge the rules could still set (setEdge writes one whose bit 1 is
// clear). The search starts at lattice index firstUnset (0 at first), where the last one found
// such an edge, and moves it on to the edge found, or past the last one.
[[nodiscard]] bool findUnsetEdge(const PuzzleState& state, int& firstUnset);

[[nodiscard]] bool solveLevel0(PuzzleState& state);
[[nodiscard]] bool solveLevel1(PuzzleState& state);

}  // namespace vexilo
