// Loading a puzzle into the state: the native text in fileLines, parsed by files/, becomes
// the loaded puzzle with its pictures, zoom, board and caption; the open commands fill
// fileLines from a file first.
#pragma once

#include <string>

#include "files/open_save.h"

namespace vexilo {

struct PuzzleState;

// Loads state.fileLines as native text. Returns false, changing nothing, when the text is
// not native (isNativeText). Otherwise resets the puzzle, reads size, rating and cells
// (parseNativeText), sizes the pictures, fits the zoom, rebuilds mainBoard, takes `path` as
// fileName, sets the caption and returns true.
//
// Throws what isNativeText and parseNativeText throw; an error after the text was
// recognised leaves the state reset, without a puzzle.
bool readNativeText(PuzzleState& state, const std::string& path);

// The open command after its dialog: the write-back (unless kNone), fillFileLines, then
// readNativeText(path). Returns what readNativeText returns: false when the text is not a
// native puzzle (nothing changed but the write-back and fileLines).
bool openPuzzleFile(PuzzleState& state, const std::string& path,
                    WriteBack writeBack = WriteBack::kPending);

// Open II: like openPuzzleFile, but the file is always loaded as native text lines.
bool openNativeTextFile(PuzzleState& state, const std::string& path,
                        WriteBack writeBack = WriteBack::kPending);

}  // namespace vexilo
