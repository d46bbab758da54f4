// Shared pieces of the command-line tool's commands.
#pragma once

#include <string>
#include <vector>

namespace vexilo::cli {

// Exit codes: 0 success, 1 a negative answer (wrong), 2 a usage error, 3 open, 4 a file
// that could not be read or written.
constexpr int kExitUsage = 2;
constexpr int kExitFileError = 4;

using Args = std::vector<std::string>;

// One command: its name, a line of usage, and what runs it.
struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args& args);
};

// Prints "vexilo-cli: message" on stderr.
void printError(const std::string& message);

}  // namespace vexilo::cli
