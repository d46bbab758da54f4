// vexilo-cli hint [--json] FILE [POSITION]: the hint the window gives for a position.
#include <iostream>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/console_frontend.h"
#include "cli/file_commands.h"
#include "files/text_lines.h"
#include "hints/hint.h"
#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"

namespace vexilo::cli {

const char* const kHintUsage =
    "hint [--json] FILE [POSITION]  the first mistake or the next deduction for POSITION, a\n"
    "                       lattice picture of FILE (none: the empty position)";

namespace {

void readPosition(PuzzleState& state, const std::string& path) {
    std::vector<std::string> picture;
    try {
        picture = loadTextLines(path);
    } catch (const std::exception& e) {
        throw CommandFileError(e.what());
    }
    std::vector<PictureEdge> edges;
    std::string error;
    if (!readPictureEdges(picture, state.W(), state.H(), edges, error)) {
        throw CommandFileError(path + ": " + error);
    }
    Board& board = *state.mainBoard;
    for (const PictureEdge& e : edges) {
        appendEntry(board, moveEntry(e.x, e.y, e.value), state.frontend);
    }
}

std::string hintJson(const Hint& h) {
    const bool edge = h.x != 0;
    std::string out = "{\"kind\": \"" + std::string(hintKindName(h.kind)) + "\"";
    out += ", \"x\": " + (edge ? std::to_string(h.x) : std::string("null"));
    out += ", \"y\": " + (edge ? std::to_string(h.y) : std::string("null"));
    if (h.kind == HintKind::kDeduction) {
        out += std::string(", \"value\": \"") + (h.value == kLine ? "line" : "cross") + "\"";
    }
    out += ", \"rule\": " + jsonString(h.rule) + ", \"text\": " + jsonString(h.text) + "}\n";
    return out;
}

}  // namespace

int runHint(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kHintUsage << "\n";
        return 0;
    }
    Args files;
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json") {
            json = true;
        } else if (!a.empty() && a[0] == '-') {
            return usageError(kHintUsage, "unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.empty() || files.size() > 2) {
        return usageError(kHintUsage, "hint takes a puzzle and at most one position");
    }
    ConsoleFrontend frontend;
    auto state = std::make_unique<PuzzleState>(frontend);
    openPuzzleForCommand(*state, files[0]);
    if (files.size() == 2) readPosition(*state, files[1]);
    state->drawEnabled = 0;
    rebuildBoard(*state, *state->mainBoard, *state->mainBoard);

    const Hint h = findHint(*state);
    if (json) {
        std::cout << hintJson(h);
    } else if (h.x != 0) {
        std::cout << hintKindName(h.kind) << " " << h.x << "," << h.y;
        if (h.kind == HintKind::kDeduction) {
            std::cout << (h.value == kLine ? " line " : " cross ") << h.rule;
        }
        std::cout << ": " << h.text << "\n";
    } else {
        std::cout << hintKindName(h.kind) << ": " << h.text << "\n";
    }
    return 0;
}

}  // namespace vexilo::cli
