#include "solver/transfer_result.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"

namespace vexilo {

void transferResult(PuzzleState& state) {
    Board& main = *state.mainBoard;
    const Board& work = *state.workBoard;
    Frontend& fe = state.frontend;
    const int stepsBefore = main.stepCount;
    openStep(main, fe);
    // On a full log the marker is not written; the step below it is the user's and stays.
    const bool stepOpened = main.stepCount != stepsBefore;
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    for (int y = 1; y <= maxY; ++y) {
        const int row = latticeIndex(0, y);
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {
            const int m = main.at(row + x) & 3;
            const int s = work.at(row + x) & 3;
            // Only edges that differ, each undecided, a cross or a line (key 1 is no edge's).
            if (m == s || m == 1 || s == 1) continue;
            if (m >= 2) appendEntry(main, moveEntry(x, y, m), fe);
            if (s >= 2) appendEntry(main, moveEntry(x, y, s), fe);
        }
    }
    if (stepOpened && isMarker(main.lastEntry())) dropLastStep(main);
}

}  // namespace vexilo
