// What the clue rule of a 1, 2 or 3 would do, told from the counts of the cell's twelve
// edges before the rule is asked: decide something (or find a contradiction), only settle
// the cell, or nothing at all. A rule that writes nothing reads the same counts throughout,
// so whether it writes is a function of the counts it starts from; the tables below are
// that function, written out from the rules' own conditions.
//
// An edge counts 0 undecided, 1 crossed, 3 a line, so the sum over two edges (a corner's
// pair or outer pair) tells their crosses and lines apart: 0, 1, 2 (two crosses), 3, 4 (a
// cross and a line), 6 (two lines). A corner's key is pair + 8 * outer; the table reads
// two opposite corners at once, key(c) + 64 * key(opposite c).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/lattice.h"

namespace vexilo {

// What an edge adds to a pair's code, by its whole lattice byte.
inline constexpr auto kEdgeCodeByByte = [] {
    std::array<uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const int key = b & kKeyMask;
        table[b] = static_cast<uint8_t>(key == kCross ? 1 : key == kLine ? 3 : 0);
    }
    return table;
}();

namespace outlook {

// The tally of a pair's code; -1 for the codes no pair has.
constexpr int pairTally(int code) {
    constexpr int kTallies[8] = {tally(0, 0), tally(1, 0), tally(2, 0), tally(0, 1),
                                 tally(1, 1), -1,          tally(0, 2), -1};
    return kTallies[code];
}
// One edge of the pair decided, the other not.
constexpr bool half(int t) {
    return t == tally(1, 0) || t == tally(0, 1);
}
// A pair with an undecided edge.
constexpr bool open(int t) {
    return (t & 15) + (t >> 4) < 2;
}

// The rule of `clue` on corners a and b = opposite(a), from their pair and outer tallies:
// whether it decides something there.
constexpr bool cornerWork(int clue, int pairA, int outerA, int pairB, int outerB) {
    switch (clue) {
        case 1:
            return (outerA == tally(2, 0) && open(pairA)) ||
                   (outerA == tally(1, 1) && open(pairB)) || (pairA == tally(2, 0) && half(outerB));
        case 2:
            // (A closed corner also acts on the outer pairs of its two neighbours: see
            // kTwoNeighbourWork.)
            if (outerA == tally(2, 0)) return half(pairB) || half(outerB);
            if (outerA == tally(0, 1)) return pairB == tally(1, 0) || outerB == tally(0, 1);
            if (outerA == tally(1, 1)) return half(pairA) || half(pairB) || half(outerB);
            return false;
        default:
            return (outerA == tally(2, 0) && open(pairA)) ||
                   ((outerA == tally(0, 1) || outerA == tally(1, 1)) && open(pairB)) ||
                   (pairA == tally(0, 2) && half(outerB));
    }
}

// The rule of `clue` on its four sides: 0 nothing, 1 settle, 2 decide (or contradict).
constexpr int sidesOutlook(int clue, int sides) {
    switch (clue) {
        case 1:
            if (sides == tally(3, 1)) return 1;
            return sides == tally(0, 0) || sides == tally(1, 0) || sides == tally(2, 0) ? 0 : 2;
        case 2:
            if (sides == tally(2, 2)) return 1;
            return sides == tally(0, 0) || sides == tally(1, 0) || sides == tally(0, 1) ||
                           sides == tally(1, 1)
                       ? 0
                       : 2;
        default:
            if (sides == tally(1, 3)) return 1;
            return sides == tally(0, 0) || sides == tally(0, 1) || sides == tally(0, 2) ? 0 : 2;
    }
}

}  // namespace outlook

// Bits 2 * (clue - 1) (decides) and 2 * (clue - 1) + 1 (settles) by the keys of two
// opposite corners. A rule decides if either pair of opposite corners says so, and for a 2
// also if kTwoNeighbourWork does.
inline constexpr auto kCellOutlook = [] {
    std::array<uint8_t, 4096> table{};
    for (int index = 0; index < 4096; ++index) {
        const int pairA = outlook::pairTally(index & 7);
        const int outerA = outlook::pairTally((index >> 3) & 7);
        const int pairB = outlook::pairTally((index >> 6) & 7);
        const int outerB = outlook::pairTally((index >> 9) & 7);
        int bits = 0;
        for (int clue = 1; clue <= 3; ++clue) {
            int v = 2;  // keys no cell has
            if (pairA >= 0 && outerA >= 0 && pairB >= 0 && outerB >= 0) {
                v = outlook::sidesOutlook(clue, pairA + pairB);
                if (outlook::cornerWork(clue, pairA, outerA, pairB, outerB) ||
                    outlook::cornerWork(clue, pairB, outerB, pairA, outerA)) {
                    v |= 2;
                }
            }
            // Bit 0 decides, bit 1 settles.
            bits |= ((v >> 1) | (v & 1) << 1) << (2 * (clue - 1));
        }
        table[static_cast<size_t>(index)] = static_cast<uint8_t>(bits);
    }
    return table;
}();

// A 2 with a corner whose outer pair is crossed decides on the outer pair of a neighbouring
// corner with one edge decided: bit outer(a) + 8 * outer(b) for neighbouring corners a, b.
inline constexpr uint64_t kTwoNeighbourWork = [] {
    uint64_t bits = 0;
    for (int a = 0; a < 8; ++a) {
        for (int b = 0; b < 8; ++b) {
            const int ta = outlook::pairTally(a);
            const int tb = outlook::pairTally(b);
            if ((ta == tally(2, 0) && outlook::half(tb)) ||
                (tb == tally(2, 0) && outlook::half(ta))) {
                bits |= uint64_t{1} << (a + 8 * b);
            }
        }
    }
    return bits;
}();

// Whether the rule of the 1, 2 or 3 (kClue) on the cell whose lattice byte is at `p` would
// decide something or find a contradiction (bit 0); if not, whether it would settle the
// cell (bit 1).
template <int kClue>
inline int clueOutlook(const uint8_t* p) {
    constexpr int V = kLatticeSide;
    const auto e = [&](int offset) { return int{kEdgeCodeByByte[p[offset]]}; };
    const int top = e(-V);
    const int bottom = e(V);
    const int left = e(-1);
    const int right = e(1);
    // The outer pairs of the corner dots, corners 1 to 4 as the edge groups number them.
    const int o1 = e(-1 - 2 * V) + e(-2 - V);
    const int o2 = e(-1 + 2 * V) + e(-2 + V);
    const int o3 = e(1 + 2 * V) + e(2 + V);
    const int o4 = e(1 - 2 * V) + e(2 - V);
    const int k1 = (top + left) | o1 << 3;
    const int k2 = (bottom + left) | o2 << 3;
    const int k3 = (bottom + right) | o3 << 3;
    const int k4 = (top + right) | o4 << 3;
    int v = (kCellOutlook[static_cast<size_t>(k1 | k3 << 6)] |
             kCellOutlook[static_cast<size_t>(k2 | k4 << 6)]) >>
            (2 * (kClue - 1));
    if constexpr (kClue == 2) {
        v |= static_cast<int>(
            (kTwoNeighbourWork >> (o1 + 8 * o2) | kTwoNeighbourWork >> (o2 + 8 * o3) |
             kTwoNeighbourWork >> (o3 + 8 * o4) | kTwoNeighbourWork >> (o4 + 8 * o1)) &
            1);
    }
    return v & 3;
}

}  // namespace vexilo
