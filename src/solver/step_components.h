// The trial search's two global tests, judged from what one hypothesis changed.
//
// Within a pass every hypothesis starts from the same position at rest. Its components
// (of the graph of edges that are not crosses, and of the graph of undecided edges) are
// labelled once per pass, as far as the hypotheses need them. A hypothesis only takes
// edges out of both graphs, and the faces of the graphs (plane_faces.h) tell which of those
// edges split a component. When none did more than cut off a dot left without edges, the
// components at rest are still joined. Otherwise a search from both ends of each edge that
// split one runs out on one side, which is then a whole component of the new position,
// small and counted on the spot. From the rest labels, the counted pieces and the step's
// own changes, both tests follow without walking the board.
// Where a piece could split what remains of its component, each of the remainder's
// points of contact with the piece must be joined again; when one is not, the caller
// decides with the plain walks.
//
// Their state is step_state.h. rest_components.cpp learns the position at rest and its
// components, mark_step.cpp notes the step, and step_lines_connected.cpp and
// step_ends_paired.cpp judge it, with the edges that split a component (step_splits.h) and
// the searches for the pieces that broke off (step_pieces.h).
#pragma once

#include <cstdint>

namespace vexilo {

struct PuzzleState;

enum class StepVerdict { kFails, kHolds, kUnknown };

// A new pass: learns the position at rest, its lines and path ends (SolveScratch::restLines,
// restEnds) from the edges that changed since the last pass, and forgets its components.
void learnRestComponents(PuzzleState& state);

// True when the last pass learnt followed the one before in the same solve (the same
// puzzle), and its position at rest differed from that pass's only by edges that were
// undecided there.
[[nodiscard]] bool restGainedDecisionsSinceLastPass(const PuzzleState& state);
// How many passes learnRestComponents has learnt on this state.
[[nodiscard]] uint32_t restPassesLearnt(const PuzzleState& state);

// Notes the edges of the open hypothesis's step, the move entries of workBoard's log down
// to its marker, and what it set them to, for the two tests below, which judge that step.
struct MarkedStep {
    int first;  // the log slot of the step's first entry
    int lines;  // the lines it drew
};
MarkedStep markStep(PuzzleState& state);

// With `lines` lines in all after the step, none when lines is 0: is every line reachable
// from `startDot` through edges that are not crosses?
[[nodiscard]] StepVerdict stepLinesConnected(PuzzleState& state, int lines, int startDot);

// Does every region of undecided edges hold an even number of path ends after the step?
[[nodiscard]] StepVerdict stepEndsPaired(PuzzleState& state);

}  // namespace vexilo
