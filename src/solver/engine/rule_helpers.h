// Small pieces shared by the rule passes: group counts by name, the two pair rules, the
// settled flag and the neighbourhood of a queued edge.
#pragma once

#include <cstdint>

#include "model/move_entry.h"
#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

// The cell's two sides at corner c, and the outer pair of its corner dot c.
inline int pair(const Board& board, int x, int y, int c) {
    return countGroup(board, x, y, c);
}
inline int outer(const Board& board, int x, int y, int c) {
    return countGroup(board, x, y, c + 4);
}

// same: a pair with one cross (one line) and one undecided edge gets a second cross (line).
inline bool same(PuzzleState& s, int x, int y, int group) {
    const int p = countGroup(*s.workBoard, x, y, group);
    if (p == tally(1, 0)) return setEdgeGroup(s, x, y, group, kCross);
    if (p == tally(0, 1)) return setEdgeGroup(s, x, y, group, kLine);
    return false;
}

// differ: a pair with one cross (one line) and one undecided edge gets a line (cross).
inline bool differ(PuzzleState& s, int x, int y, int group) {
    const int p = countGroup(*s.workBoard, x, y, group);
    if (p == tally(1, 0)) return setEdgeGroup(s, x, y, group, kLine);
    if (p == tally(0, 1)) return setEdgeGroup(s, x, y, group, kCross);
    return false;
}

inline void settle(PuzzleState& s, int x, int y) {
    s.workBoard->at(x, y) |= kSettled;
    s.solveScratch->noteCellChange(x, y);
}

// A cell of the puzzle, not of the outside ring.
inline bool insideGrid(const PuzzleState& s, int x, int y) {
    return x >= 2 && x <= 2 * s.W() && y >= 2 && y <= 2 * s.H();
}

// The clue key of a cell; a settled cell reads as 8 and above.
inline int clueKey(const Board& board, int x, int y) {
    return board.at(x, y) & 15;
}

// The two dots at the ends of a queued edge and the six cells nearest to it, in the order
// the passes examine them. isEdge is false for an entry that is not an edge.
struct EdgeNeighbourhood {
    explicit EdgeNeighbourhood(int32_t entry) {
        const int x = entryX(entry);
        const int y = entryY(entry);
        const bool vertical = (x & 1) == 1 && (y & 1) == 0;
        const bool horizontal = (x & 1) == 0 && (y & 1) == 1;
        isEdge = vertical || horizontal;
        // Vertical edge: dots above and below, cells left then right, top to bottom.
        // Horizontal edge: dots left and right, cells above then below, left to right.
        const int ax = vertical ? 0 : 1;
        const int ay = vertical ? 1 : 0;
        dots[0][0] = x - ax;
        dots[0][1] = y - ay;
        dots[1][0] = x + ax;
        dots[1][1] = y + ay;
        int i = 0;
        for (int side = -1; side <= 1; side += 2) {
            for (int along = -2; along <= 2; along += 2) {
                cells[i][0] = x + (vertical ? side : along);
                cells[i][1] = y + (vertical ? along : side);
                ++i;
            }
        }
    }
    bool isEdge = false;
    int dots[2][2];
    int cells[6][2];
};

}  // namespace vexilo
