// vexilo-cli convert IN OUT.ALC: open a puzzle file, a text file holding a shared puzzle,
// a puzz.link link or a Loopy game id, and save it as native text.
#include <filesystem>
#include <iostream>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/console_frontend.h"
#include "cli/file_commands.h"
#include "exchange/puzzle_import.h"
#include "files/open_save.h"
#include "files/puzzle_formats.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kConvertUsage =
    "convert IN OUT.ALC   save a puzzle as a native .ALC file; IN is a puzzle file, a text\n"
    "                       file (text grid, link or game id), a puzz.link link or a Loopy "
    "game id";

namespace {

bool looksLikeSharedText(const std::string& argument) {
    return argument.find('?') != std::string::npos || argument.find(':') != std::string::npos;
}

void importForCommand(PuzzleState& state, const std::string& text, const std::string& label) {
    ImportedPuzzle puzzle;
    try {
        puzzle = importPuzzleText(text);
    } catch (const std::exception& e) {
        throw CommandFileError(label + ": " + e.what());
    }
    openImportedPuzzle(state, puzzle, puzzleNameOf(puzzle.source), WriteBack::kNone);
    if (puzzle.unknownClues > 0) {
        printError("note: " + label + ": read " + std::to_string(puzzle.unknownClues) +
                   " '.' (clue not given) as no clue");
    }
}

}  // namespace

int runConvert(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kConvertUsage << "\n";
        return 0;
    }
    if (args.size() != 2) return usageError(kConvertUsage, "convert takes two arguments");
    if (!isNativeFileName(args[1])) {
        return usageError(kConvertUsage, "the output file " + args[1] + " must end in .ALC");
    }
    ConsoleFrontend frontend;
    auto state = std::make_unique<PuzzleState>(frontend);
    const std::string& input = args[0];
    std::error_code error;
    if (std::filesystem::is_regular_file(input, error) && !isPuzzleFileName(input)) {
        std::string text;
        try {
            text = readWholeFile(input);
        } catch (const std::exception& e) {
            throw CommandFileError(e.what());
        }
        importForCommand(*state, text, input);
    } else if (!std::filesystem::exists(input, error) && looksLikeSharedText(input)) {
        importForCommand(*state, input, "the link or game id");
    } else {
        openPuzzleForCommand(*state, input);
    }
    try {
        savePuzzleAs(*state, args[1]);
    } catch (const std::exception& e) {
        throw CommandFileError(e.what());
    }
    return 0;
}

}  // namespace vexilo::cli
