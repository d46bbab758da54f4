// The tool column's plain commands as core operations: zoom, back to the start, save. Each
// does nothing without a puzzle; what they change shows through the Frontend.
#pragma once

#include <functional>
#include <string>

namespace vexilo {

struct PuzzleState;

// "拡大" and "縮小": the next zoom step, up to 32 or down to 1, then Frontend::zoomChanged.
void zoomInCommand(PuzzleState& state);
void zoomOutCommand(PuzzleState& state);

// "最初": the log emptied (backToStart).
void backToStartCommand(PuzzleState& state);

// "保存": asks `choosePath` for the path to save to, giving it the puzzle's file name
// without its folder as the name to offer; an empty answer cancels. Then savePuzzleAs.
void saveCommand(PuzzleState& state,
                 const std::function<std::string(const std::string& offeredName)>& choosePath);

}  // namespace vexilo
