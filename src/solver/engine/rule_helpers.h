// Small pieces shared by the rule passes: group counts by name, the two pair rules and the
// settled flag.
#pragma once

#include <cstdint>

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

// The nine group counts of cell (x, y), from one read of its twelve edges, read again only
// after a rule noted a decision (a rule that decided nothing wrote nothing). A settled flag
// is no edge: settling the cell leaves the counts as they are.
class CellCounts {
  public:
    CellCounts(const Board& board, int x, int y) : at_(board.lattice.data() + latticeIndex(x, y)) {
        read();
    }

    int operator[](int group) {
        refresh();
        return count_[group];
    }
    int pair(int c) { return (*this)[c]; }
    int outer(int c) { return (*this)[c + 4]; }
    // True if any of the groups first..first + 3 counts t now.
    bool anyOf(int first, int t) {
        refresh();
        const int* c = count_ + first;
        return c[0] == t || c[1] == t || c[2] == t || c[3] == t;
    }

    // Whether the group has an edge not yet decided (four sides for group 0, else two).
    bool open(int group) {
        const int t = (*this)[group];
        return (t & 15) + (t >> 4) < (group == 0 ? 4 : 2);
    }

    // Passes a rule's result on; a decision makes the counts stale.
    bool note(bool decided) {
        stale_ |= decided;
        return decided;
    }

  private:
    void refresh() {
        if (stale_) {
            read();
            stale_ = false;
        }
    }
    void read() {
        const auto t = [&](int dx, int dy) {
            return int{kEdgeTallyByByte[at_[latticeIndex(dx, dy)]]};
        };
        const int top = t(0, -1);
        const int bottom = t(0, 1);
        const int left = t(-1, 0);
        const int right = t(1, 0);
        count_[0] = top + bottom + left + right;
        count_[1] = top + left;
        count_[2] = bottom + left;
        count_[3] = bottom + right;
        count_[4] = top + right;
        count_[5] = t(-1, -2) + t(-2, -1);
        count_[6] = t(-1, 2) + t(-2, 1);
        count_[7] = t(1, 2) + t(2, 1);
        count_[8] = t(1, -2) + t(2, -1);
    }

    const uint8_t* at_;
    int count_[9];
    bool stale_ = false;
};

// same and differ on a group of the cell counted by `counts`.
template <bool kMayObserve = true>
inline bool same(PuzzleState& s, int x, int y, int group, CellCounts& counts) {
    const int p = counts[group];
    if (p == tally(1, 0)) return counts.note(setEdgeGroup<kMayObserve>(s, x, y, group, kCross));
    if (p == tally(0, 1)) return counts.note(setEdgeGroup<kMayObserve>(s, x, y, group, kLine));
    return false;
}
template <bool kMayObserve = true>
inline bool differ(PuzzleState& s, int x, int y, int group, CellCounts& counts) {
    const int p = counts[group];
    if (p == tally(1, 0)) return counts.note(setEdgeGroup<kMayObserve>(s, x, y, group, kLine));
    if (p == tally(0, 1)) return counts.note(setEdgeGroup<kMayObserve>(s, x, y, group, kCross));
    return false;
}

// setEdgeGroup on a group of the cell counted by `counts`. With no observer, a group
// without an undecided edge is passed over: the call would write nothing. (An observer
// hears of every call.)
template <bool kMayObserve = true>
inline bool setCellGroup(PuzzleState& s, int x, int y, int group, int value, CellCounts& counts) {
    if constexpr (!kMayObserve) {
        if (!counts.open(group)) return false;
    }
    return counts.note(setEdgeGroup<kMayObserve>(s, x, y, group, value));
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

}  // namespace vexilo
