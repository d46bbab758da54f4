// Opening a puzzle file for a command, as the open command does.
#pragma once

#include <stdexcept>
#include <string>

#include "cli/cli_common.h"

namespace vexilo {
struct PuzzleState;
}

namespace vexilo::cli {

// A file a command could not use; main reports it and exits with kExitFileError.
class CommandFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads any supported puzzle file into the state, dispatching by extension like the open
// command (without a write-back: nothing was loaded before). Every failure, a file that is
// not a puzzle included, becomes a CommandFileError whose message starts with the path.
void openPuzzleForCommand(PuzzleState& state, const std::string& path);

// True when args is exactly {"--help"} or {"-h"}: the command prints its usage and exits 0.
bool wantsHelp(const Args& args);

// Prints "usage: vexilo-cli <usage>" on stderr for a wrong call; returns kExitUsage.
int usageError(const char* usage, const std::string& problem);

}  // namespace vexilo::cli
