// vexilo-cli export --url|--loopy PATH...: the puzz.link link or Loopy game id of puzzles.
#include <iostream>
#include <memory>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/console_frontend.h"
#include "cli/file_commands.h"
#include "exchange/loopy_id.h"
#include "exchange/puzz_link.h"
#include "exchange/puzzle_clues.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kExportUsage =
    "export --url|--loopy PATH...   print each puzzle's puzz.link link or Loopy game id\n"
    "                       (after its path and a tab when there are several)";

int runExport(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kExportUsage << "\n";
        return 0;
    }
    std::string (*write)(const PuzzleClues&) = nullptr;
    Args paths;
    for (const std::string& a : args) {
        if (a == "--url" || a == "--loopy") {
            const auto chosen = a == "--url" ? writePuzzLink : writeLoopyId;
            if (write != nullptr && write != chosen) {
                return usageError(kExportUsage, "choose one of --url and --loopy");
            }
            write = chosen;
        } else if (a.starts_with("-")) {
            return usageError(kExportUsage, "unknown option " + a);
        } else {
            paths.push_back(a);
        }
    }
    if (write == nullptr) return usageError(kExportUsage, "export needs --url or --loopy");
    if (paths.empty()) return usageError(kExportUsage, "export needs a puzzle file or folder");
    std::vector<std::string> files;
    std::string error;
    if (!collectPuzzlePaths(paths, files, error)) {
        printError(error);
        return kExitFileError;
    }

    ConsoleFrontend frontend;
    auto state = std::make_unique<PuzzleState>(frontend);
    int failures = 0;
    for (const std::string& file : files) {
        try {
            openPuzzleForCommand(*state, file);
        } catch (const CommandFileError& e) {
            printError(e.what());
            ++failures;
            continue;
        }
        if (files.size() > 1) std::cout << file << '\t';
        std::cout << write(cluesOf(*state)) << '\n';
    }
    return failures > 0 ? kExitFileError : 0;
}

}  // namespace vexilo::cli
