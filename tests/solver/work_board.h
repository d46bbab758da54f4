// Solver test fixtures: workBoard set up from a lattice picture, read back as one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/puzzle_state.h"

namespace vexilo::testing {

// Sets W, H and the clues from a lattice picture (2H + 1 lines of 2W + 1 characters; a
// digit on a cell is its clue) and builds workBoard as a solve starts it, but without
// seeding: the lattice from the clues, then the picture's edges written straight into the
// lattice, an empty log and all four queue indices 0. Lines may be cut short; the
// missing characters are blanks.
void loadWorkPicture(PuzzleState& state, const std::vector<std::string>& picture);

// workBoard's lattice as a picture, blanks at line ends trimmed.
std::vector<std::string> workPicture(const PuzzleState& state);

// The same for an expected picture, so the two compare line by line.
std::vector<std::string> trimmed(std::vector<std::string> picture);

// The move entries logged on workBoard, oldest first (slot 0's marker left out).
std::vector<int32_t> loggedEntries(const PuzzleState& state);

// Queue slots (readIndex, head], in ring order.
std::vector<int32_t> queuedAfter(const PuzzleState& state, int readIndex);

}  // namespace vexilo::testing
