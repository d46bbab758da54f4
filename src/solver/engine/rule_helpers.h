// Small pieces shared by the rule passes: group counts by name, the two pair rules, the
// settled flag and the neighbourhood of a queued edge.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

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
inline bool same(PuzzleState& s, int x, int y, int group, CellCounts& counts) {
    const int p = counts[group];
    if (p == tally(1, 0)) return counts.note(setEdgeGroup(s, x, y, group, kCross));
    if (p == tally(0, 1)) return counts.note(setEdgeGroup(s, x, y, group, kLine));
    return false;
}
inline bool differ(PuzzleState& s, int x, int y, int group, CellCounts& counts) {
    const int p = counts[group];
    if (p == tally(1, 0)) return counts.note(setEdgeGroup(s, x, y, group, kLine));
    if (p == tally(0, 1)) return counts.note(setEdgeGroup(s, x, y, group, kCross));
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

// insideGrid with the puzzle's size read once, for a pass: the lattice writes of its rules
// would make every test read the state again.
struct GridBounds {
    int maxX;
    int maxY;
    explicit GridBounds(const PuzzleState& s) : maxX(2 * s.W()), maxY(2 * s.H()) {}
    bool inside(int x, int y) const { return x >= 2 && x <= maxX && y >= 2 && y <= maxY; }
};

// The clue key of a cell; a settled cell reads as 8 and above.
inline int clueKey(const Board& board, int x, int y) {
    return board.at(x, y) & 15;
}

// The two dots at the ends of a queued edge and the six cells nearest to it, in the order
// the passes examine them: sites 0 and 1 the dots, 2 to 7 the cells.
class EdgeNeighbourhood {
  public:
    static constexpr int kSites = 8;
    static constexpr int kFirstCell = 2;

    // For a queued entry: false if it is not an edge. Otherwise calls
    // visit(site, x, y, slot) for the sites in order, site as a std::integral_constant and
    // slot the site's slot in RuleQuiet, while visit returns true; returns true if every
    // call did.
    template <class Visit>
    static bool visitEntry(int32_t entry, bool& isEdge, Visit&& visit) {
        const int x = entryX(entry);
        const int y = entryY(entry);
        isEdge = ((x ^ y) & 1) == 1;
        if (!isEdge) return false;
        const int at = RuleQuiet::slot(x, y);
        constexpr auto kAll = std::make_integer_sequence<int, kSites>{};
        if ((x & 1) == 0) return visitSites<0>(x, y, at, visit, kAll);
        return visitSites<1>(x, y, at, visit, kAll);
    }

  private:
    struct Layout {
        int dx[kSites];
        int dy[kSites];
        int slot[kSites];
    };
    static constexpr int R = RuleQuiet::kRow;
    // [0] Horizontal edge: dots left and right, cells above then below, left to right.
    // [1] Vertical edge: dots above and below, cells left then right, top to bottom.
    static constexpr Layout kLayouts[2] = {
        {{-1, 1, -2, 0, 2, -2, 0, 2},
         {0, 0, -1, -1, -1, 1, 1, 1},
         {-1, 0, -1, 0, 1, R - 1, R, R + 1}},
        {{0, 0, -1, -1, -1, 1, 1, 1},
         {-1, 1, -2, 0, 2, -2, 0, 2},
         {-R, 0, -R, 0, R, 1 - R, 1, R + 1}},
    };

    template <int V, class Visit, int... I>
    static bool visitSites(int x, int y, int at, Visit& visit, std::integer_sequence<int, I...>) {
        constexpr const Layout& l = kLayouts[V];
        return (visit(std::integral_constant<int, I>{}, x + l.dx[I], y + l.dy[I], at + l.slot[I]) &&
                ...);
    }
};

}  // namespace vexilo
