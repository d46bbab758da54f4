// The desktop program's command line: `vexilo [--no-progress] [FILE]`, `vexilo --help`,
// `vexilo --version`.
// Qt's own options (-platform, -style, ...) are taken out by the application object before
// the rest is read.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vexilo {

struct CommandLine {
    enum class Action { kRun, kHelp, kVersion, kUsageError };
    Action action = Action::kRun;
    std::string file;   // the puzzle to open at start; empty for none
    std::string error;  // what is wrong, for kUsageError
    bool keepProgress = true;  // false with --no-progress
};

// Reads the arguments after the program's name. "--" ends the options.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

void printHelp(std::ostream& out);
void printVersion(std::ostream& out);

}  // namespace vexilo
