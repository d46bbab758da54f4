// A long game on a large board, as the click benchmarks play on: a puzzle with clues in a
// third of its cells and a log of random moves with a step marker every 1,000 moves.
#pragma once

#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "display/board_renderer.h"
#include "model/frontend.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"

namespace vexilo {

struct DrawnState {
    SilentFrontend frontend;
    std::unique_ptr<PuzzleState> state = std::make_unique<PuzzleState>(frontend);
    BoardRenderer renderer{state->plainBitmap, state->colourBitmap};
    DrawnState() { state->canvas = &renderer; }
};

// The horizontal edge in the middle of the board that the benchmark clicks.
inline std::pair<int, int> clickedEdge(int side) {
    return {2 * (side / 2), 2 * (side / 2) + 1};
}

// A side x side puzzle with clues in a third of the cells, and a log of `entries` moves on
// random edges of the whole board but the clicked one, with a step marker every 1,000 moves.
// (A left click on an edge whose history replays to undecided can leave a cross: line,
// cross, line, line replays to the cross.)
inline void longGame(PuzzleState& s, int side, int entries) {
    std::mt19937 random(5);
    for (auto& row : *s.clueGrid) row.fill(0);
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            if (random() % 3 == 0) (*s.clueGrid)[r][c] = static_cast<uint8_t>(1 + random() % 4);
        }
    }
    s.puzzleWidth = side;
    s.puzzleHeight = side;
    std::vector<std::pair<int, int>> edges;
    for (int y = 1; y <= 2 * side + 1; ++y) {
        for (int x = 1 + y % 2; x <= 2 * side + 1; x += 2) {
            if (std::pair(x, y) != clickedEdge(side)) edges.emplace_back(x, y);
        }
    }
    Board& board = *s.mainBoard;
    resetMoveLog(board);
    for (int i = 0; i < entries; ++i) {
        const auto [x, y] = edges[random() % edges.size()];
        if (i % 1000 == 999) openStep(board, s.frontend);
        appendEntry(board, moveEntry(x, y, random() % 2 == 0 ? kCross : kLine), s.frontend);
    }
    rebuildBoard(s, board, board);
}

}  // namespace vexilo
