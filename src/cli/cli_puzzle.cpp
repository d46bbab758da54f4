#include "cli/cli_puzzle.h"

#include <iostream>

#include "files/file_errors.h"
#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

void openPuzzleForCommand(PuzzleState& state, const std::string& path) {
    bool read = false;
    try {
        read = openPuzzleFile(state, path, WriteBack::kNone);
    } catch (const FileError& e) {
        throw CommandFileError(e.what());  // it names the file already
    } catch (const std::exception& e) {
        throw CommandFileError(path + ": " + e.what());
    }
    if (!read) {
        throw CommandFileError(path +
                               ": not a puzzle file (its text does not start with "
                               "\"[Vexilo data]\" and \"[Start]\")");
    }
    if (state.W() == 0 || state.H() == 0) {
        throw CommandFileError(path + ": the puzzle has no cells (" + std::to_string(state.W()) +
                               " x " + std::to_string(state.H()) + ")");
    }
}

bool wantsHelp(const Args& args) {
    return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

int usageError(const char* usage, const std::string& problem) {
    printError(problem);
    std::cerr << "usage: vexilo-cli " << usage << "\n";
    return kExitUsage;
}

}  // namespace vexilo::cli
