// vexilo-cli convert IN OUT.ALC: open any puzzle file and save it as native text.
#include <iostream>

#include "cli/cli_puzzle.h"
#include "cli/console_frontend.h"
#include "cli/file_commands.h"
#include "files/open_save.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kConvertUsage =
    "convert IN OUT.ALC   open a puzzle file and save it as a native .ALC file";

int runConvert(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kConvertUsage << "\n";
        return 0;
    }
    if (args.size() != 2) return usageError(kConvertUsage, "convert takes two files");
    if (upperExtension(args[1]) != ".ALC") {
        return usageError(kConvertUsage, "the output file " + args[1] + " must end in .ALC");
    }
    ConsoleFrontend frontend;
    auto state = std::make_unique<PuzzleState>(frontend);
    openPuzzleForCommand(*state, args[0]);
    try {
        savePuzzleAs(*state, args[1]);
    } catch (const std::exception& e) {
        throw CommandFileError(e.what());
    }
    return 0;
}

}  // namespace vexilo::cli
