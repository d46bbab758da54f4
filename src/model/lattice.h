// The lattice: one byte per cell, edge and dot of the puzzle in doubled coordinates.
//
// Position (x, y) lives at index y * 1024 + x. Cells sit at (even, even) from (2, 2) to
// (2W, 2H), dots at (odd, odd), horizontal edges at (even, odd), vertical edges at
// (odd, even). Row 0, row 2H + 2, column 0 and column 2W + 2 form the outside ring:
// outside-marked cells (0x30) and crossed edges (0x32), so every rule can look one step
// past the border without a bounds test.
#pragma once

#include <cstdint>

namespace vexilo {

constexpr int kLatticeSide = 1024;
constexpr int kLatticeBytes = kLatticeSide * kLatticeSide;
constexpr int kMaxCells = 500;  // largest width and height of a puzzle

// Keys (bits 0-2).
constexpr uint8_t kKeyMask = 0x07;
constexpr uint8_t kUndecided = 0;
constexpr uint8_t kCross = 2;
constexpr uint8_t kLine = 3;
constexpr uint8_t kClueZero = 4;  // a 0 clue is stored as key 4; key 0 is "no clue"
constexpr uint8_t kDotLined = 3;  // renderer's dot key: a line meets the dot

// The solver's flag: a cell or dot whose rule has nothing left to do.
constexpr uint8_t kSettled = 0x08;

// Colour marks (bits 4-5): a cell inside or outside the loop, and a cross between two cells
// of that side. A byte below kInside carries no mark.
constexpr uint8_t kColourMask = 0x30;
constexpr uint8_t kInside = 0x20;
constexpr uint8_t kOutside = 0x30;
constexpr uint8_t otherSide(uint8_t mark) { return mark ^ 0x10; }

// A tally of some edges: crosses + 16 * lines. Rules compare the tally of an element's
// edges with tally(crosses, lines), e.g. `case tally(3, 1):` for three crosses and a line.
constexpr int tally(int crosses, int lines) { return crosses + 16 * lines; }
constexpr int tallyLines(int t) { return t >> 4; }
// What one edge adds to a tally, by its key.
constexpr int edgeTally(int key) { return key == kCross ? tally(1, 0) : key == kLine ? tally(0, 1) : 0; }

// The four directions on the lattice. Where the order of a visit matters, the algorithm
// writes its own order out as an array of these.
enum class Direction : uint8_t { kUp, kDown, kLeft, kRight };
constexpr int stepX(Direction d) { return d == Direction::kLeft ? -1 : d == Direction::kRight ? 1 : 0; }
constexpr int stepY(Direction d) { return d == Direction::kUp ? -1 : d == Direction::kDown ? 1 : 0; }
// The change of lattice index for one step.
constexpr int latticeStep(Direction d) { return stepY(d) * kLatticeSide + stepX(d); }
constexpr Direction opposite(Direction d) {
    switch (d) {
        case Direction::kUp:
            return Direction::kDown;
        case Direction::kDown:
            return Direction::kUp;
        case Direction::kLeft:
            return Direction::kRight;
        case Direction::kRight:
            break;
    }
    return Direction::kLeft;
}
constexpr bool isVertical(Direction d) { return d == Direction::kUp || d == Direction::kDown; }

constexpr int latticeIndex(int x, int y) { return y * kLatticeSide + x; }

constexpr bool isCell(int x, int y) { return (x % 2 == 0) && (y % 2 == 0); }
constexpr bool isDot(int x, int y) { return (x % 2 == 1) && (y % 2 == 1); }
constexpr bool isEdge(int x, int y) { return ((x + y) % 2) == 1; }
constexpr bool isVerticalEdge(int x, int y) { return (x % 2 == 1) && (y % 2 == 0); }
constexpr bool isHorizontalEdge(int x, int y) { return (x % 2 == 0) && (y % 2 == 1); }

}  // namespace vexilo
