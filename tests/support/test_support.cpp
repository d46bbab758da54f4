#include "support/test_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "model/rebuild.h"

namespace vexilo::testing {

void setClues(PuzzleState& state, const std::vector<std::string>& rows) {
    for (auto& row : *state.clueGrid) row.fill(0);
    int width = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        width = std::max(width, static_cast<int>(rows[r].size()));
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const char ch = rows[r][c];
            uint8_t code = 0;
            if (ch >= '1' && ch <= '3') code = static_cast<uint8_t>(ch - '0');
            if (ch == '0') code = kClueZero;
            (*state.clueGrid)[r][c] = code;
        }
    }
    state.puzzleWidth = width;
    state.puzzleHeight = static_cast<int>(rows.size());
    resetMoveLog(*state.mainBoard);
    resetMoveLog(*state.workBoard);
    rebuildBoard(state, *state.mainBoard, *state.mainBoard);
}

void appendPictureMoves(PuzzleState& state, Board& board, const std::vector<std::string>& picture) {
    std::vector<PictureEdge> edges;
    std::string error;
    if (!readPictureEdges(picture, state.W(), state.H(), edges, error)) {
        throw std::runtime_error(error);
    }
    for (const auto& e : edges) appendEntry(board, moveEntry(e.x, e.y, e.value), state.frontend);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string corpusFile(const std::string& fileName) {
    const char* set = "loopy";
    if (fileName.rfind("janko-", 0) == 0) set = "janko";
    if (fileName.rfind("ploop-", 0) == 0) set = "ploop";
    return std::string("corpus/") + set + "/" + fileName;
}

std::string readTestData(const std::string& relativePath) {
    std::ifstream in(std::string(VEXILO_TEST_DATA) + "/" + relativePath, std::ios::binary);
    if (!in) throw std::runtime_error("missing test data " + relativePath);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace vexilo::testing
