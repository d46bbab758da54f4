#include "work_board.h"

#include <stdexcept>

#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo::testing {

void loadWorkPicture(PuzzleState& state, const std::vector<std::string>& picture) {
    size_t width = 0;
    for (const auto& line : picture) width = std::max(width, line.size());
    if (picture.size() % 2 == 0 || width % 2 == 0) {
        throw std::invalid_argument("a lattice picture has an odd number of lines and columns");
    }
    const int w = static_cast<int>(width / 2);
    const int h = static_cast<int>(picture.size() / 2);
    const auto charAt = [&](int x, int y) {
        const std::string& line = picture[static_cast<size_t>(y - 1)];
        return static_cast<size_t>(x) <= line.size() ? line[static_cast<size_t>(x - 1)] : ' ';
    };
    std::vector<std::string> rows;
    for (int r = 0; r < h; ++r) {
        std::string row;
        for (int c = 0; c < w; ++c) {
            const char ch = charAt(2 * c + 2, 2 * r + 2);
            row += (ch >= '0' && ch <= '3') ? ch : '-';
        }
        rows.push_back(row);
    }
    setClues(state, rows);
    Board& wb = *state.workBoard;
    initLatticeFromClues(state, wb);
    for (int y = 1; y <= 2 * h + 1; ++y) {
        for (int x = 1; x <= 2 * w + 1; ++x) {
            if (!isEdge(x, y)) continue;
            const char ch = charAt(x, y);
            if (ch == 'x') wb.at(x, y) = kCross;
            if (ch == '-' || ch == '|') wb.at(x, y) = kLine;
        }
    }
    resetMoveLog(wb);
    wb.queue.resetAt(0);
}

std::vector<std::string> trimmed(std::vector<std::string> picture) {
    for (auto& line : picture) {
        while (!line.empty() && line.back() == ' ') line.pop_back();
    }
    return picture;
}

std::vector<std::string> workPicture(const PuzzleState& state) {
    return trimmed(latticePicture(state, *state.workBoard));
}

std::vector<int32_t> loggedEntries(const PuzzleState& state) {
    const Board& wb = *state.workBoard;
    return std::vector<int32_t>(wb.moveLog.begin() + 1, wb.moveLog.begin() + wb.writePos);
}

std::vector<int32_t> queuedAfter(const PuzzleState& state, int readIndex) {
    const Board& wb = *state.workBoard;
    std::vector<int32_t> out;
    for (int i = readIndex; i != wb.queue.positions().head;) {
        i = (i + 1) % kLogSlots;
        out.push_back(wb.queue.at(i));
    }
    return out;
}

}  // namespace vexilo::testing
