// The trial search: hypotheses of depth one, made on workBoard and undone through its log.
//
// When the rules have come to rest, the search assumes a value for one undecided edge,
// lets the standard propagation run and judges the result with the two global tests of
// consistency.h. A hypothesis that fails proves the other value, which is set and ends the
// search. Each hypothesis is one step of workBoard's log, so undoing it touches only the
// entries it made. Order: the sides of 3s (assumed crossed, the other sides then lines),
// the sides of 1s (assumed lines), then every other edge (assumed a line).
#pragma once

#include "solver/engine/edge_setting.h"

namespace vexilo {

struct PuzzleState;

// kProgress when one edge was deduced (and set on workBoard), kUnchanged when no hypothesis
// failed (or, with workBoard's log full, none could be made); then workBoard's edges and
// log are exactly as before the call. Never kContradiction.
RuleResult trialSearch(PuzzleState& state);

// Judges the open hypothesis (checkConsistent from edge (x, y)), then undoes its step's
// entries in the lattice, clearing `settled` around each retracted edge so the rules look
// there again. The step itself stays in the log for the caller to drop. Returns the
// judgement: true when the hypothesis was consistent.
bool tryAndRetract(PuzzleState& state, int x, int y);

// True if the position after propagation passes both global tests; (x, y) is a line of
// the hypothesis and starts the connectivity test.
[[nodiscard]] bool checkConsistent(PuzzleState& state, int x, int y);

}  // namespace vexilo
