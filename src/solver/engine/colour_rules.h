// The colour rules: deciding edges of workBoard from which side of the loop the cells lie.
//
// The solver keeps no colouring of its own. The pass replays workBoard's decisions onto
// mainBoard with drawing off, and the rebuild's inside/outside fill leaves every cell it
// can reach marked inside or outside. Two coloured cells across an undecided edge fix the
// edge: the same colour means the loop does not pass between them (cross), different
// colours mean it does (line). The colours of the four neighbours of a 1 or a 3 tell
// which pair of opposite sides the loop uses, and a blank cell whose four neighbours all
// lie on one side of the loop cannot have the loop pass around it.
//
// mainBoard's lattice is only scratch space here: whoever runs the pass rebuilds mainBoard
// from its own log afterwards.
#pragma once

namespace vexilo {

struct PuzzleState;

// True if at least one edge of workBoard was decided. A productive call sets ruleUsage
// bit 2 and adds 4 to effortScore while the score is below 10000.
[[nodiscard]] bool runColourRules(PuzzleState& state);

}  // namespace vexilo
