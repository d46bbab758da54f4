#include "display/mouse_play.h"

#include "display/hit_map.h"
#include "model/log_commands.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"

namespace vexilo {

ClickResult playClick(PuzzleState& state, MouseButton button, int viewX, int viewY, int scrollX,
                      int scrollY) {
    if (state.W() == 0) return ClickResult::kIgnored;
    const auto edge =
        edgeAtViewPixel(viewX, viewY, scrollX, scrollY, state.zoom, state.W(), state.H());
    if (!edge) return ClickResult::kIgnored;
    Board& board = *state.mainBoard;
    const int held = board.at(edge->x, edge->y) & 3;
    ClickResult result = ClickResult::kNoMove;
    if (button == MouseButton::kLeft || button == MouseButton::kRight) {
        const bool left = button == MouseButton::kLeft;
        if (held == (left ? kCross : kLine)) return ClickResult::kIgnored;
        appendEntry(board, moveEntry(edge->x, edge->y, left ? kLine : kCross), state.frontend);
        rebuildBoard(state, board, board);
        result = ClickResult::kRecorded;
    }
    refreshUndoButton(state);
    return result;
}

}  // namespace vexilo
