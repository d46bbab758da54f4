// vexilo-cli check PUZZLE ANSWER: judge a drawn answer as the "検" button does.
#include <iostream>

#include "cli/cli_puzzle.h"
#include "cli/console_frontend.h"
#include "cli/file_commands.h"
#include "files/text_lines.h"
#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/answer_check.h"

namespace vexilo::cli {

const char* const kCheckUsage =
    "check PUZZLE ANSWER  judge ANSWER, a lattice picture of PUZZLE: prints correct, wrong\n"
    "                       [at X,Y] or open at X,Y; exit 0 correct, 1 wrong, 3 open";

namespace {

std::string at(const PuzzleState& state) {
    if (state.errorX == 0 && state.errorY == 0) return {};
    return " at " + std::to_string(state.errorX) + "," + std::to_string(state.errorY);
}

}  // namespace

int runCheck(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kCheckUsage << "\n";
        return 0;
    }
    if (args.size() != 2) return usageError(kCheckUsage, "check takes a puzzle and an answer");
    ConsoleFrontend frontend;
    auto state = std::make_unique<PuzzleState>(frontend);
    openPuzzleForCommand(*state, args[0]);

    std::vector<std::string> picture;
    try {
        picture = loadTextLines(args[1]);
    } catch (const std::exception& e) {
        throw CommandFileError(e.what());
    }
    std::vector<PictureEdge> edges;
    std::string error;
    if (!readPictureEdges(picture, state->W(), state->H(), edges, error)) {
        throw CommandFileError(args[1] + ": " + error);
    }
    Board& board = *state->mainBoard;
    for (const PictureEdge& e : edges) appendEntry(board, moveEntry(e.x, e.y, e.value), frontend);
    rebuildBoard(*state, board, board);

    switch (checkPosition(*state, board)) {
        case AnswerResult::kCorrect:
            std::cout << "correct\n";
            return 0;
        case AnswerResult::kOpen:
            std::cout << "open" << at(*state) << "\n";
            return kExitOpen;
        default:
            std::cout << "wrong" << at(*state) << "\n";
            return 1;
    }
}

}  // namespace vexilo::cli
