// Mouse play: a released mouse button over the board view becomes one move of mainBoard.
// A left click appends a line entry, a right click a cross entry; under the replay rule a
// second equal entry takes the first back. A line is not crossed, a cross not lined.
#pragma once

namespace vexilo {

struct PuzzleState;

enum class MouseButton { kLeft, kRight, kOther };

// What became of a click.
enum class ClickResult {
    kIgnored,   // no puzzle, a dead spot, outside the grid, or a refused button: nothing changed
    kRecorded,  // a move was appended (or the log was full) and the board rebuilt
    kNoMove,    // another button: nothing recorded, the undo button refreshed
};

// The part of PaintBox1MouseUp after its armed test: pixel (viewX, viewY) of the view,
// scrolled to (scrollX, scrollY) at the state's zoom.
ClickResult playClick(PuzzleState& state, MouseButton button, int viewX, int viewY, int scrollX,
                      int scrollY);

}  // namespace vexilo
