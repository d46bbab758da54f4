#include "files/open_save.h"

#include "files/foreign_formats.h"
#include "files/native_file.h"
#include "files/puzzle_formats.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"

namespace vexilo {

void writeBackPendingRating(PuzzleState& state) {
    if (state.W() != 0) writeNativeFile(state, ExistingFile::kKeepOtherBytes);
}

void fillFileLines(PuzzleState& state, const std::string& path) {
    state.fileLines.clear();
    const auto format = puzzleFormatOf(path);
    if (format == PuzzleFormat::kLpm) {
        loadLpmFile(state, path);
    } else if (format == PuzzleFormat::kSlt) {
        loadSltFile(state, path);
    } else if (format == PuzzleFormat::kRing) {
        loadRingFile(state, path);
    } else {
        state.fileLines = loadTextLines(path);
        if (format == PuzzleFormat::kSlz) convertSlzLines(state);
    }
}

std::string nativeSaveName(const std::string& path) {
    return isNativeFileName(path) ? path : path + kNativeExtension;
}

bool savePuzzleAs(PuzzleState& state, const std::string& path) {
    if (state.W() == 0) return false;
    state.fileName = nativeSaveName(path);
    state.difficulty.markPending();
    writeNativeFile(state);
    return true;
}

}  // namespace vexilo
