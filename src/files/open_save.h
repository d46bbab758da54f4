// The file side of the open, Open II, save and close commands, so that the windows only
// show their dialogs and call these (the loading of what was read: loading/).
#pragma once

#include <string>

namespace vexilo {

struct PuzzleState;

// Whether an open first writes a pending rating back into the puzzle being left.
enum class WriteBack { kPending, kNone };

// Leaving a puzzle (open, Open II, window close): writeNativeFile when a puzzle is loaded,
// keeping every byte of the file but the header's rating.
void writeBackPendingRating(PuzzleState& state);

// Clears fileLines and fills it from the file at `path` by its upper-cased extension:
// .LPM, .SLT and .RING through their loaders, every other file as text lines, .SLZ then
// through its converter. Throws FileError when the file cannot be read.
void fillFileLines(PuzzleState& state, const std::string& path);

// The name a save writes: path itself when it ends in ".ALC" (in any case), else path with
// ".ALC" added, since only native files are ever written.
std::string nativeSaveName(const std::string& path);

// The save command after its dialog: nothing without a puzzle (returns false); otherwise
// fileName = nativeSaveName(path), the rating is marked pending and writeNativeFile runs.
bool savePuzzleAs(PuzzleState& state, const std::string& path);

}  // namespace vexilo
