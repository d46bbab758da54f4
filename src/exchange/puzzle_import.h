// Taking a puzzle from text as it is shared: a puzz.link link, a Loopy game id, a text grid
// or the native text itself, told apart by their look. The text becomes native lines, and
// the open command's own reader loads them, so that a puzzle taken this way opens like a
// file (caption, zoom, rating not yet known).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/puzzle_clues.h"
#include "files/open_save.h"

namespace vexilo {

enum class PuzzleSource { kNativeText, kPuzzLink, kLoopyId, kTextGrid };

struct ImportedPuzzle {
    PuzzleSource source = PuzzleSource::kNativeText;
    std::vector<std::string> nativeLines;
    int width = 0;
    int height = 0;
    int unknownClues = 0;  // '.' cells of a link, read as cells without a clue
};

// Recognises and reads the text; nothing is loaded yet. Throws ExchangeError for a text that
// is not a whole puzzle of a size from 1 to 500 (native text included), so that a caller can
// keep the puzzle it has.
ImportedPuzzle importPuzzleText(std::string_view text);

// Reads a file holding shared text (a link, a game id, a text grid) as importPuzzleText
// reads text. Throws FileError when the file cannot be read.
ImportedPuzzle importPuzzleFile(const std::string& path);

// The name of a puzzle read from a file of shared text: the path without its extension.
std::string puzzleNameOf(const std::string& path);

// A name for a puzzle that comes without a file: "puzzlink", "loopy", "grid" or "pasted".
std::string puzzleNameOf(PuzzleSource source);

// Loads the puzzle as the open command loads a file named `name` (a name that does not end
// in ".ALC" is never written back): the write-back of a pending rating (unless kNone), then
// the native reader.
void openImportedPuzzle(PuzzleState& state, const ImportedPuzzle& puzzle, const std::string& name,
                        WriteBack writeBack = WriteBack::kPending);

}  // namespace vexilo
