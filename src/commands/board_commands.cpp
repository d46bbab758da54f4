#include "commands/board_commands.h"

#include "display/view_layout.h"
#include "files/open_save.h"
#include "model/log_commands.h"
#include "model/puzzle_state.h"

namespace vexilo {

void zoomInCommand(PuzzleState& state) {
    if (state.W() == 0 || state.zoom >= kZoomMax) return;
    state.zoom = zoomedIn(state.zoom);
    state.frontend.zoomChanged();
}

void zoomOutCommand(PuzzleState& state) {
    if (state.W() == 0 || state.zoom <= kZoomMin) return;
    state.zoom = zoomedOut(state.zoom);
    state.frontend.zoomChanged();
}

void backToStartCommand(PuzzleState& state) {
    if (state.W() == 0) return;
    backToStart(state);
}

void saveCommand(PuzzleState& state,
                 const std::function<std::string(const std::string& offeredName)>& choosePath) {
    if (state.W() == 0) return;
    const std::string& name = state.fileName;
    const std::string path = choosePath(name.substr(name.find_last_of('/') + 1));
    if (path.empty()) return;
    savePuzzleAs(state, path);
}

}  // namespace vexilo
