#include "loading/puzzle_loading.h"

#include "display/board_renderer.h"
#include "display/zoom.h"
#include "files/native_file.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "model/reset.h"

namespace vexilo {

namespace {

// Everything a recognised puzzle sets, in the order the window sees it: the puzzle, its
// pictures, the zoom, the drawn board, the file name and the caption.
void loadNativePuzzle(PuzzleState& state, const NativePuzzle& puzzle, const std::string& path) {
    const int width = puzzle.width;
    const int height = puzzle.height;
    auto& grid = *state.clueGrid;
    for (auto& row : grid) row.fill(0);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) grid[r][c] = puzzle.cell(r, c);
    }
    state.puzzleWidth = width;
    state.puzzleHeight = height;
    state.difficulty = puzzle.difficulty;
    state.plainBitmap.resize(boardPixels(width), boardPixels(height));
    state.colourBitmap.resize(boardPixels(width), boardPixels(height));
    state.zoom = fitZoom(width, height, state.frontend.panelWidth(), state.frontend.panelHeight());
    state.frontend.zoomChanged();
    rebuildBoard(state, *state.mainBoard, *state.mainBoard);
    state.fileName = path;
    state.frontend.setCaption(fileNamePart(path) + " " + std::to_string(width) + "x" +
                              std::to_string(height) + " - " + kProgramCaption);
}

}  // namespace

bool readNativeText(PuzzleState& state, const std::string& path) {
    if (!isNativeText(state.fileLines)) return false;
    resetPuzzle(state);
    // Recognised: the parse gives a puzzle or throws, and the state stays reset.
    const std::optional<NativePuzzle> puzzle = parseNativeText(state.fileLines);
    loadNativePuzzle(state, *puzzle, path);
    return true;
}

bool openPuzzleFile(PuzzleState& state, const std::string& path, WriteBack writeBack) {
    if (writeBack == WriteBack::kPending) writeBackPendingRating(state);
    fillFileLines(state, path);
    return readNativeText(state, path);
}

bool openNativeTextFile(PuzzleState& state, const std::string& path, WriteBack writeBack) {
    if (writeBack == WriteBack::kPending) writeBackPendingRating(state);
    state.fileLines.clear();
    state.fileLines = loadTextLines(path);
    return readNativeText(state, path);
}

}  // namespace vexilo
