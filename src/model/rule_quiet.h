// Which rules of the basic and advanced passes would decide nothing if asked again.
//
// A rule that decided nothing is marked quiet; while nothing it reads changes, the same rule
// would decide nothing again and the pass need not ask it. Every change of an edge wakes the
// rules that read it. One byte per cell or dot, by its slot (y / 2) * kRow + x / 2.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "model/lattice.h"

namespace vexilo {

struct RuleQuiet {
    static constexpr int kRow = 512;
    static_assert(kRow >= kMaxCells + 2);
    static constexpr int kSlots = kRow * kRow;

    static constexpr int slot(int x, int y) { return (y >> 1) * kRow + (x >> 1); }

    // cell: bit kBasic the basic rule; bit kOwnEdges the advanced rule of a cell that reads
    // only its own twelve edges and fixed clues (no clue, a 0, a settled cell, a cell of the
    // outside ring). dot: the dot rule.
    static constexpr uint8_t kBasic = 1;
    static constexpr uint8_t kOwnEdges = 2;
    std::array<uint8_t, kSlots> cell;
    std::array<uint8_t, kSlots> dot;
    // kOwnEdges on a cell whose advanced rule decides nothing whatever its edges (a cell of
    // the outside ring, a 0, a cell without clue with no 3 beside it): a change of an edge
    // leaves it, only a new solve clears it.
    std::array<uint8_t, kSlots> advancedNever;

    // Edge (x, y) changed: its two end dots and the six cells whose groups hold it (any of
    // them may have lost its settled flag with the change, when the change is a retraction):
    // for a horizontal edge the cells x - 2 .. x + 2 above and below and the dots left and
    // right, for a vertical one the cells y - 2 .. y + 2 left and right and the dots above and
    // below. Without a jump on the edge's direction, which follows no pattern where edges are
    // decided one by one: stores at offsets that the direction chooses (a vertical edge's
    // middle row twice).
    void wakeEdge(size_t x, size_t y) {
        constexpr size_t kUnsignedRow = kRow;
        const size_t at = (y >> 1) * kUnsignedRow + (x >> 1);
        const size_t vertical = x & 1;
        // The first cell and dot: at - 1 (horizontal) or at - kRow (vertical). The cells of
        // the next row from at + kRow - 1 (horizontal) or at + kRow (vertical).
        const size_t before = 1 + (kUnsignedRow - 1) * vertical;
        const size_t below = kUnsignedRow - 1 + vertical;
        clearPair(&cell[at - before]);
        clearPair(&cell[at]);
        clearPair(&cell[at + below]);
        clearPair(&cell[at + kUnsignedRow]);
        dot[at - before] = 0;
        dot[at] = 0;
    }
    static void clearPair(uint8_t* at) { std::memset(at, 0, 2); }

    // Wakes every rule of a W x H puzzle and its outside ring and forgets which never decide
    // anything, a row at a time in words of eight marks (the marks this wakes past the ring belong
    // to no rule of the puzzle). A board of up to 14 columns takes two words a row, written without
    // a call.
    void wakeAll(int width, int height) {
        const int words = (width + 2 + 7) / 8;
        for (int row = slot(0, 0); row <= slot(0, 2 * height + 2); row += kRow) {
            if (words <= 2) {
                clearWords(&cell[row], 2);
                clearWords(&dot[row], 2);
                clearWords(&advancedNever[row], 2);
            } else {
                std::fill_n(&cell[row], 8 * words, uint8_t{0});
                std::fill_n(&dot[row], 8 * words, uint8_t{0});
                std::fill_n(&advancedNever[row], 8 * words, uint8_t{0});
            }
        }
    }
    static void clearWords(uint8_t* at, int n) {
        constexpr uint64_t kZero = 0;
        for (int i = 0; i < n; ++i) std::memcpy(at + 8 * i, &kZero, sizeof kZero);
    }
};

}  // namespace vexilo
