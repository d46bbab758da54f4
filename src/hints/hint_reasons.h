// The reason of a deduced edge in short Japanese sentences, naming the clue, corner, dot or
// cells the deciding rule looked at.
#pragma once

#include <string>

namespace vexilo {

struct Board;
struct Deduction;

struct Reason {
    std::string rule;  // a short stable identifier
    std::string text;
};

// `position` is the lattice the rules started from (the player's).
Reason reasonFor(const Board& position, const Deduction& d);

// An edge the rules do not decide, told from the puzzle's answer.
Reason answerReason(int value);

}  // namespace vexilo
