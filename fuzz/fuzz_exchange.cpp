// One reader of shared puzzles (FUZZ_READER: 0 puzz.link links, 1 Loopy game ids, 2 text
// grids, 3 any of them told apart by their look, then opened as the window opens them) on any
// text. A text read gives clues of a size from 1 to 500 that the writer of its format gives
// back unchanged, and native lines that the open command reads as the same puzzle.
#include <string_view>

#include "exchange/loopy_id.h"
#include "exchange/puzz_link.h"
#include "exchange/puzzle_clues.h"
#include "exchange/puzzle_import.h"
#include "exchange/text_grid.h"
#include "fuzz_support.h"
#include "model/puzzle_state.h"

using namespace vexilo;

namespace {

void checkClues(const PuzzleClues& puzzle) {
    if (puzzle.width < 1 || puzzle.width > kMaxCells || puzzle.height < 1 ||
        puzzle.height > kMaxCells ||
        puzzle.clues.size() != static_cast<size_t>(puzzle.width) * puzzle.height) {
        fuzz::fail("clues of a puzzle of " + std::to_string(puzzle.width) + " x " +
                   std::to_string(puzzle.height));
    }
    for (int8_t clue : puzzle.clues) {
        if (clue < kNoClue || clue > 3) fuzz::fail("a clue " + std::to_string(clue));
    }
}

// Loads the clues as the open command loads a puzzle and compares what it read.
void checkOpensAsTheSamePuzzle(const PuzzleClues& puzzle) {
    ImportedPuzzle imported;
    imported.nativeLines = nativeLinesOf(puzzle);
    PuzzleState& state = fuzz::sharedState();
    openImportedPuzzle(state, imported, "fuzz", WriteBack::kNone);
    if (cluesOf(state) != puzzle) fuzz::fail("the native lines read as another puzzle");
}

PuzzleClues readShared(std::string_view text) {
    switch (FUZZ_READER) {
        case 0: {
            int unknown = 0;
            PuzzleClues puzzle = readPuzzLink(text, unknown);
            checkClues(puzzle);
            if (readPuzzLink(writePuzzLink(puzzle), unknown) != puzzle) {
                fuzz::fail("the link written back reads as another puzzle");
            }
            return puzzle;
        }
        case 1: {
            PuzzleClues puzzle = readLoopyId(text);
            checkClues(puzzle);
            if (readLoopyId(writeLoopyId(puzzle)) != puzzle) {
                fuzz::fail("the game id written back reads as another puzzle");
            }
            return puzzle;
        }
        default:
            return readTextGrid(text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        if (FUZZ_READER == 3) {
            const ImportedPuzzle imported = importPuzzleText(text);
            PuzzleState& state = fuzz::sharedState();
            openImportedPuzzle(state, imported, "fuzz", WriteBack::kNone);
            fuzz::checkLoadedPuzzle(state);
            return 0;
        }
        const PuzzleClues puzzle = readShared(text);
        checkClues(puzzle);
        checkOpensAsTheSamePuzzle(puzzle);
    } catch (const ExchangeError&) {
        // the readers' own refusal
    } catch (const std::exception& e) {
        fuzz::fail(std::string("unexpected exception: ") + e.what());
    }
    return 0;
}
