// The difficulty rating of a full solve, a whole number from 0 to 6.
//
// Three things count: how much rule work the solve took (effortScore, a weighted count of
// productive rule passes), whether and how often it had to fall back on trial hypotheses
// (trialPasses), and the size of the board, which sets a floor: a large board is never
// rated easy, however plain its deductions.
#pragma once

namespace vexilo {

struct PuzzleState;

// Extra points by the set of rule passes that ever made progress (bit 0 basic, bit 1
// advanced, bit 2 colour), used when no trial pass took place.
extern const int usageBonus[8];

// The size floor: x = sqrt(W * H) / 8, halved, then divided by 3, 4, ... while it is above
// 2; the floor is the number of divisions and x what is left of it (a board nothing else
// rates falls back on it).
struct SizeFloor {
    int floor;
    double x;
};
SizeFloor sizeFloor(int width, int height);

// The rating of a solve that ended without a contradiction, from its counters.
int rateDifficulty(int width, int height, int effortScore, int effortBeforeTrials, int trialPasses,
                   int ruleUsage);

// The same from the counters the last solve left in the state.
int rateDifficulty(const PuzzleState& state);

}  // namespace vexilo
