#include "solver/rating.h"

#include <cmath>

#include "model/puzzle_state.h"

namespace vexilo {

// Basic and colour rules without the advanced ones (5) earn 1, not 2.
const int usageBonus[8] = {0, 0, 1, 1, 2, 1, 2, 2};

SizeFloor sizeFloor(int width, int height) {
    double x = std::sqrt(static_cast<double>(width) * height) * 0.125;
    int k = 2;
    while (x > 2.0) {
        x = x / k;
        ++k;
    }
    return {k - 2, x};
}

int rateDifficulty(int width, int height, int effortScore, int effortBeforeTrials, int trialPasses,
                   int ruleUsage) {
    const SizeFloor size = sizeFloor(width, height);
    int d = 0;
    if (trialPasses == 0) {
        double x = size.x;
        if (effortScore != 0) x = std::log(std::sqrt(static_cast<double>((effortScore + 1) >> 1)));
        d = static_cast<int>(x) + usageBonus[ruleUsage & 7];
    } else {
        int h = (effortScore - effortBeforeTrials) / 2 + 1;
        if (h < 0) h = 0;  // only for counters no solve produces
        const double p =
            std::sqrt(static_cast<double>(trialPasses)) * std::sqrt(static_cast<double>(h));
        const double r = std::sqrt(p + 2.0) + 2.0;
        d = static_cast<int>(r);
        if (d > 5) d = d - 1;
    }
    if (d < size.floor) d = size.floor;
    if (d > 6) d = 6;
    return d;
}

int rateDifficulty(const PuzzleState& state) {
    return rateDifficulty(state.W(), state.H(), state.effortScore, state.effortBeforeTrials,
                          state.trialPasses, state.ruleUsage);
}

}  // namespace vexilo
