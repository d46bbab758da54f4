#include "app/command_line.h"

#include <ostream>

#ifndef VEXILO_VERSION
#define VEXILO_VERSION "unknown"
#endif

namespace vexilo {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            return {CommandLine::Action::kHelp, {}, {}};
        } else if (!optionsEnded && argument == "--version") {
            return {CommandLine::Action::kVersion, {}, {}};
        } else if (!optionsEnded && argument == "--no-progress") {
            line.keepProgress = false;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            line.action = CommandLine::Action::kUsageError;
            if (line.error.empty()) line.error = "unknown option '" + argument + "'";
        } else if (line.file.empty()) {
            line.file = argument;
        } else {
            line.action = CommandLine::Action::kUsageError;
            if (line.error.empty()) line.error = "one puzzle file at a time";
        }
    }
    return line;
}

void printHelp(std::ostream& out) {
    out << "usage: vexilo [--no-progress] [FILE]\n"
           "\n"
           "Plays and solves loop puzzles. FILE, a puzzle file (.ALC, .SLZ, .LPM, .RING or\n"
           ".SLT), is opened at start. The lines drawn on each puzzle are kept in the user's\n"
           "data folder (~/.local/share/Vexilo/progress) and come back when it is opened again.\n"
           "\n"
           "  --no-progress  keep no progress (as does VEXILO_NO_PROGRESS=1)\n"
           "  --help         this text\n"
           "  --version      the version\n"
           "\n"
           "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n";
}

void printVersion(std::ostream& out) {
    out << "vexilo " << VEXILO_VERSION << "\n";
}

}  // namespace vexilo
