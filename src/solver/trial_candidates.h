// Where the trial search looks for hypotheses, in board order: the cells of 3s, the cells
// of 1s, and the edges. Within a solve the position only gains decisions from one pass to
// the next, so a position that needed no hypothesis once (its sides decided, or a clue
// that is not what the phase looks for) never needs one again: it is dropped from its list
// for good, and the following passes pass over it at once.
#pragma once

namespace vexilo {

struct PuzzleState;

enum class CandidateList { kThrees, kOnes, kEdges };

// Each pass, after learnRestComponents: keeps the lists of the last pass when it was the
// pass before in the same solve and the position only gained decisions since, else starts
// them anew with every position the search would not drop at once.
void prepareCandidates(PuzzleState& state);

// The first position of the list from number k on (cells are numbered row by row, edges
// row by row of the lattice), or -1.
[[nodiscard]] int nextCandidate(PuzzleState& state, CandidateList list, int k);

// Drops position k from the list for the rest of the solve.
void dropCandidate(PuzzleState& state, CandidateList list, int k);

}  // namespace vexilo
