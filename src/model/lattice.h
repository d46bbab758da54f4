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

// Colour marks (bits 4-5); the other side of a mark m is m ^ 0x10.
constexpr uint8_t kColourMask = 0x30;
constexpr uint8_t kInside = 0x20;
constexpr uint8_t kOutside = 0x30;

constexpr int latticeIndex(int x, int y) { return y * kLatticeSide + x; }

constexpr bool isCell(int x, int y) { return (x % 2 == 0) && (y % 2 == 0); }
constexpr bool isDot(int x, int y) { return (x % 2 == 1) && (y % 2 == 1); }
constexpr bool isEdge(int x, int y) { return ((x + y) % 2) == 1; }
constexpr bool isVerticalEdge(int x, int y) { return (x % 2 == 1) && (y % 2 == 0); }
constexpr bool isHorizontalEdge(int x, int y) { return (x % 2 == 0) && (y % 2 == 1); }

}  // namespace vexilo
