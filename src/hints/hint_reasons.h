// The reason of a deduced edge in short Japanese sentences: the clue or dot beside the
// edge that forces it when one does, otherwise what the rule level looked at.
#pragma once

#include <string>

namespace vexilo {

struct Board;

struct Reason {
    std::string rule;
    std::string text;
};

// `position` is the lattice the rules looked at; `level` as in Deduction.
Reason reasonFor(const Board& position, int x, int y, int value, const std::string& level);

}  // namespace vexilo
