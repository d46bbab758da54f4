// Corner facts. At a corner of a clue cell, its two edges can carry at most one line (the
// clue needs one more line and the rest may take it) or at least one (all but one of the
// undecided edges must be lines). A dot meets no line or two, so at least one line at one
// corner leaves at most one for the two other edges of the dot, and exactly one at a
// corner means exactly one at the opposite corner: this carries clues along diagonals.
// Nothing here depends on the size of the loop or on the number of answers.
#include "complete/loop_lattice.h"
#include "model/lattice.h"

namespace vexilo::complete {

void LoopLattice::cornerEdges(int dot, int quadrant, int& a, int& b) const {
    a = quadrant < 2 ? dot - stride_ : dot + stride_;
    b = quadrant == 0 || quadrant == 3 ? dot - 1 : dot + 1;
}

void LoopLattice::addCornerFact(int dot, int quadrant, uint8_t fact) {
    const uint8_t bits = static_cast<uint8_t>(fact << (2 * quadrant));
    if ((corner_[dot] & bits) == bits) return;
    cornerTrail_.push_back({dot, corner_[dot]});
    corner_[dot] |= bits;
    push(dot);
    const int cell =
        dot + (quadrant < 2 ? -stride_ : stride_) + (quadrant == 0 || quadrant == 3 ? -1 : 1);
    if (clue_[cell] >= 0) push(cell);
}

bool LoopLattice::setUndecidedAroundExcept(int position, int a, int b, uint8_t value) {
    for (int step : {-1, 1, -stride_, stride_}) {
        const int e = position + step;
        if (e == a || e == b || key_[e] != kUndecided) continue;
        if (!setEdge(e, value)) return false;
        if (solved_) return true;
    }
    return true;
}

// A clue cell that needs `needed` more lines among `undecided` edges, 0 < needed < undecided.
bool LoopLattice::cellCorners(int cell, int needed, int undecided) {
    // The cell's corners: its dot and the quadrant of that dot the cell lies in.
    const int dots[4] = {cell - stride_ - 1, cell - stride_ + 1, cell + stride_ + 1,
                         cell + stride_ - 1};
    constexpr int kQuadrants[4] = {2, 3, 0, 1};
    for (int i = 0; i < 4; ++i) {
        int a;
        int b;
        cornerEdges(dots[i], kQuadrants[i], a, b);
        if (key_[a] != kUndecided || key_[b] != kUndecided) continue;
        if (needed == 1) addCornerFact(dots[i], kQuadrants[i], kAtMostOne);
        if (needed == undecided - 1) addCornerFact(dots[i], kQuadrants[i], kAtLeastOne);
        const int fact = corner_[dots[i]] >> (2 * kQuadrants[i]) & 3;
        // The other undecided edges hold at least needed - 1 lines, or at most.
        if ((fact & kAtMostOne) && undecided - 2 == needed - 1) {
            return setUndecidedAroundExcept(cell, a, b, kLine);
        }
        if ((fact & kAtLeastOne) && needed == 1)
            return setUndecidedAroundExcept(cell, a, b, kCross);
        if (fact == kExactlyOne && undecided == 4 && needed == 2) {
            addCornerFact(dots[(i + 2) % 4], kQuadrants[(i + 2) % 4], kExactlyOne);
        }
    }
    return true;
}

// What the corner facts at a dot say about the other pair of its edges, the complement of
// the pair (a, b) at `quadrant`: `fact` holds for it too (at most one, or exactly one).
bool LoopLattice::requireOnePair(int a, int b, int dot, int quadrant, uint8_t fact) {
    const uint8_t ka = key_[a];
    const uint8_t kb = key_[b];
    if (ka == kUndecided && kb == kUndecided) {
        addCornerFact(dot, quadrant, fact);
        return true;
    }
    const int lines = (ka == kLine) + (kb == kLine);
    const int crosses = (ka == kCross) + (kb == kCross);
    if (lines == 2) return false;
    if (lines == 1) {
        if (ka == kUndecided) return setEdge(a, kCross);
        return kb != kUndecided || setEdge(b, kCross);
    }
    if ((fact & kAtLeastOne) == 0) return true;
    if (crosses == 2) return false;
    return ka == kCross ? setEdge(b, kLine) : setEdge(a, kLine);
}

bool LoopLattice::dotCorners(int dot) {
    const int l = lines_[dot];
    const int undecided = 4 - l - crosses_[dot];
    for (int q = 0; q < 4; ++q) {
        int a;
        int b;
        cornerEdges(dot, q, a, b);
        const uint8_t ka = key_[a];
        const uint8_t kb = key_[b];
        if (l == 1 && ka == kUndecided && kb == kUndecided) {
            addCornerFact(dot, q, undecided == 2 ? kExactlyOne : kAtMostOne);
        }
        const int fact = corner_[dot] >> (2 * q) & 3;
        if (fact == 0) continue;
        const int lines = (ka == kLine) + (kb == kLine);
        const int crosses = (ka == kCross) + (kb == kCross);
        if ((fact & kAtMostOne) && lines == 2) return false;
        if ((fact & kAtLeastOne) && crosses == 2) return false;
        if ((fact & kAtMostOne) && lines == 1 && crosses == 0) {
            return setEdge(ka == kLine ? b : a, kCross);
        }
        if ((fact & kAtLeastOne) && crosses == 1 && lines == 0) {
            return setEdge(ka == kCross ? b : a, kLine);
        }
        if (ka != kUndecided || kb != kUndecided) continue;
        int c;
        int d;
        cornerEdges(dot, q ^ 2, c, d);
        if (fact & kAtLeastOne) {
            // The dot meets two lines, one or two of them here.
            if (l + undecided == 2) return setUndecidedAround(dot, kLine);
            const size_t decided = trail_.size();
            if (!requireOnePair(c, d, dot, q ^ 2, fact == kExactlyOne ? kExactlyOne : kAtMostOne)) {
                return false;
            }
            if (trail_.size() != decided) return true;  // the dot is queued again
        } else if (key_[c] == kCross && key_[d] == kCross) {
            return setEdge(a, kCross) && setEdge(b, kCross);
        }
    }
    return true;
}

}  // namespace vexilo::complete
