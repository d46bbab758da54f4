// What the rule of a cell would do, told from the counts of the cell's twelve edges before
// the rule is asked: decide something (or find a contradiction), only settle the cell, or
// nothing at all. A rule that writes nothing reads the same counts throughout,
// so whether it writes is a function of the counts it starts from; the tables below are
// that function, written out from the rules' own conditions.
//
// An edge counts as its key, 0 undecided, 2 crossed, 3 a line, so the sum over two edges (a
// corner's pair or outer pair) tells their crosses and lines apart: 0, 2, 3, 4 (two
// crosses), 5 (a cross and a line), 6 (two lines). The key sits in the two low bits of an
// edge's byte and nothing else of an edge's byte reaches bits 2 and 3, so the sum of two
// bytes taken modulo 8 is that code. A corner's key is pair + 8 * outer; the table reads
// two opposite corners at once, key(c) + 64 * key(opposite c).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/lattice.h"

namespace vexilo {

namespace outlook {

// The tally of a pair's code; -1 for the codes no pair has.
constexpr int pairTally(int code) {
    constexpr int kTallies[8] = {tally(0, 0), -1,          tally(1, 0), tally(0, 1),
                                 tally(2, 0), tally(1, 1), tally(0, 2), -1};
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
            // (A closed corner also acts on the outer pairs of its two neighbours, the
            // corners of the other pair: see kCellWork.)
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

// The rule of a cell without clue on its four sides: 0 nothing, 1 settle, 2 decide (or
// contradict); 4 when it decides with three corners closed from outside and 8 when it may
// decide with two (the sides tell nothing alone then: see blankCornerWork).
constexpr int blankSidesOutlook(int sides) {
    switch (sides) {
        case tally(1, 0):
        case tally(2, 0):
        case tally(3, 0):
        case tally(1, 1):
        case tally(2, 1):
        case tally(1, 2):
            return 0;
        case tally(4, 0):
        case tally(3, 1):
        case tally(2, 2):
        case tally(1, 3):
            return 1;
        case tally(0, 0):
            return 4;
        case tally(0, 1):
            return 8;
        case tally(0, 2):
            return 0;  // decides by corners (see kCellWork)
        default:
            return 2;
    }
}

}  // namespace outlook

// By the keys of two opposite corners a and b: bits 2 * k (decides) and 2 * k + 1 (settles)
// for the rule of clue key k (0 no clue, 1 to 3) as far as these two corners tell; bit 8
// when the sides are all open, bit 9 when they hold one line and no cross; bit 10 when one
// of the two outer pairs has one edge decided, bit 11 when one of them is crossed (its
// corner is closed from outside), bit 12 when both are. Every corner of one pair neighbours
// both corners of the other, so what two neighbouring corners tell is read from bits 8-12 of
// one entry and 10-12 of the other together (kAcrossWork).
inline constexpr auto kCellWork = [] {
    std::array<uint16_t, 4096> table{};
    for (int index = 0; index < 4096; ++index) {
        const int pairA = outlook::pairTally(index & 7);
        const int outerA = outlook::pairTally((index >> 3) & 7);
        const int pairB = outlook::pairTally((index >> 6) & 7);
        const int outerB = outlook::pairTally((index >> 9) & 7);
        int bits = 0;
        const bool real = pairA >= 0 && outerA >= 0 && pairB >= 0 && outerB >= 0;
        for (int clue = 1; clue <= 3; ++clue) {
            int v = 2;  // keys no cell has
            if (real) {
                v = outlook::sidesOutlook(clue, pairA + pairB);
                if (outlook::cornerWork(clue, pairA, outerA, pairB, outerB) ||
                    outlook::cornerWork(clue, pairB, outerB, pairA, outerA)) {
                    v |= 2;
                }
            }
            // Bit 0 decides, bit 1 settles.
            bits |= ((v >> 1) | (v & 1) << 1) << (2 * clue);
        }
        int blank = 2;
        if (real) {
            blank = outlook::blankSidesOutlook(pairA + pairB);
            // Two lines on the sides: a corner with both, the opposite one closed.
            if (pairA + pairB == tally(0, 2) && ((pairA == tally(0, 2) && outerB == tally(2, 0)) ||
                                                 (pairB == tally(0, 2) && outerA == tally(2, 0)))) {
                blank = 2;
            }
            const bool closedA = outerA == tally(2, 0);
            const bool closedB = outerB == tally(2, 0);
            bits |= (blank & 12) << 6;
            if (outlook::half(outerA) || outlook::half(outerB)) bits |= 1 << 10;
            if (closedA || closedB) bits |= 1 << 11;
            if (closedA && closedB) bits |= 1 << 12;
            blank &= 3;
        }
        bits |= (blank >> 1) | (blank & 1) << 1;
        table[static_cast<size_t>(index)] = static_cast<uint16_t>(bits);
    }
    return table;
}();

// What the two pairs of opposite corners tell together, by bits 8-12 of one's kCellWork
// entry and bits 10-12 (times 32) of the other's: bit 0 when a cell without clue decides
// (all sides open and three corners closed, or one line on them and the two corners away
// from it closed, told here as a closed corner in each pair), bit 4 when a 2 does (a corner
// closed from outside beside one with an outer pair half decided).
inline constexpr auto kAcrossWork = [] {
    std::array<uint8_t, 256> table{};
    for (int index = 0; index < 256; ++index) {
        const auto bit = [&](int b) { return ((index >> b) & 1) != 0; };
        const bool allOpen = bit(0);
        const bool oneLine = bit(1);
        const bool halfA = bit(2);
        const bool closedA = bit(3);
        const bool bothA = bit(4);
        const bool halfB = bit(5);
        const bool closedB = bit(6);
        const bool bothB = bit(7);
        const bool threeClosed = (closedA && bothB) || (closedB && bothA);
        const bool blank = (allOpen && threeClosed) || (oneLine && closedA && closedB);
        const bool two = (closedA && halfB) || (closedB && halfA);
        table[static_cast<size_t>(index)] = static_cast<uint8_t>((blank ? 1 : 0) | (two ? 16 : 0));
    }
    return table;
}();

// What the rule of the cell whose lattice byte is at `p` would do, for any cell of the
// puzzle: decide something or find a contradiction (bit 0; for a cell without clue: may),
// or else settle the cell (bit 1). A 0 only settles; a settled cell does nothing. One
// reading for every kind of cell, so that the pass tells the common case, nothing to do,
// without a jump on the kind.
inline int cellOutlook(const uint8_t* p) {
    constexpr int V = kLatticeSide;
    const auto code = [&](int i, int j) { return (uint32_t{p[i]} + uint32_t{p[j]}) & 7u; };
    // Corners 1 and 3, then 2 and 4, as the edge groups number them.
    const uint32_t a = kCellWork[code(-V, -1) | code(-1 - 2 * V, -2 - V) << 3 | code(V, 1) << 6 |
                                 code(1 + 2 * V, 2 + V) << 9];
    const uint32_t b = kCellWork[code(V, -1) | code(-1 + 2 * V, -2 + V) << 3 | code(-V, 1) << 6 |
                                 code(1 - 2 * V, 2 - V) << 9];
    constexpr uint32_t kZeroSettles = 2u << 8;
    const uint32_t bits =
        ((a | b) & 0xffu) | kAcrossWork[(a >> 8 & 31u) | (b >> 10 & 7u) << 5] | kZeroSettles;
    return static_cast<int>(bits >> (2 * (*p & 15u))) & 3;
}

}  // namespace vexilo
