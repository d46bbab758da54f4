// vexilo-cli: the puzzle core from the command line.
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/file_commands.h"
#include "cli/solver_commands.h"

#ifndef VEXILO_VERSION
#define VEXILO_VERSION "unknown"
#endif

namespace vexilo::cli {

void printError(const std::string& message) {
    std::cerr << "vexilo-cli: " << message << "\n";
}

namespace {

// clang-format off
const Command kCommands[] = {
    {"show", kShowUsage, runShow},
    {"convert", kConvertUsage, runConvert},
    {"export", kExportUsage, runExport},
    {"check", kCheckUsage, runCheck},
    {"hint", kHintUsage, runHint},
    {"solve", kSolveUsage, runSolveCommand},
    {"rate", kRateUsage, runRateCommand},
    {"bench", kBenchUsage, runBenchCommand},
    {"generate", kGenerateUsage, runGenerateCommand},
    {nullptr, nullptr, nullptr},
};
// clang-format on

void printUsage(std::ostream& out) {
    out << "usage: vexilo-cli COMMAND [OPTIONS] ...\n\ncommands:\n";
    for (const Command& c : kCommands) {
        if (c.name != nullptr) out << "  " << c.usage << "\n";
    }
    out << "\n  vexilo-cli --help       this text\n"
           "  vexilo-cli --version    the version\n";
}

}  // namespace
}  // namespace vexilo::cli

int main(int argc, char** argv) {
    using namespace vexilo::cli;
    if (argc < 2) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return 0;
    }
    if (name == "--version") {
        std::cout << "vexilo-cli " << VEXILO_VERSION << "\n";
        return 0;
    }
    for (const Command& c : kCommands) {
        if (c.name == nullptr || name != c.name) continue;
        Args args(argv + 2, argv + argc);
        try {
            return c.run(args);
        } catch (const std::exception& e) {
            printError(e.what());
            return kExitFileError;
        }
    }
    printError("unknown command '" + name + "' (see vexilo-cli --help)");
    return kExitUsage;
}
