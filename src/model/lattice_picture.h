// Lattice pictures: a board as 2H + 1 lines of 2W + 1 characters in doubled coordinates.
// Dots are '+'; a line edge is '-' (horizontal) or '|' (vertical); a cross is 'x'; an
// undecided edge is a blank; a cell shows its clue digit, or a blank.
#pragma once

#include <string>
#include <vector>

namespace vexilo {

struct Board;
struct PuzzleState;

std::vector<std::string> latticePicture(const PuzzleState& state, const Board& board);

// The picture as one string, each line ended by '\n'.
std::string latticePictureText(const PuzzleState& state, const Board& board);

struct PictureEdge {
    int x;
    int y;
    int value;  // 2 cross, 3 line
};

// Reads the decided edges of a picture of a W x H board, row by row from the top and left
// to right. Lines may end in CR; a line shorter than 2W + 1 leaves its missing edges
// undecided. Returns false, with a message in `error`, for a picture of the wrong height
// or with an unknown character on an edge.
bool readPictureEdges(const std::vector<std::string>& lines, int width, int height,
                      std::vector<PictureEdge>& edges, std::string& error);

}  // namespace vexilo
