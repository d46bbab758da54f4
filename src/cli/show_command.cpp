// vexilo-cli show FILE: the puzzle as a lattice picture.
#include <iostream>

#include "cli/cli_puzzle.h"
#include "cli/console_frontend.h"
#include "cli/file_commands.h"
#include "model/lattice_picture.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kShowUsage =
    "show FILE            print a puzzle (.ALC, .SLZ, .LPM, .SLT, .RING) as a lattice picture";

int runShow(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kShowUsage << "\n";
        return 0;
    }
    if (args.size() != 1) return usageError(kShowUsage, "show takes one file");
    ConsoleFrontend frontend;
    auto state = std::make_unique<PuzzleState>(frontend);
    openPuzzleForCommand(*state, args[0]);
    std::cout << latticePictureText(*state, *state->mainBoard);
    return 0;
}

}  // namespace vexilo::cli
