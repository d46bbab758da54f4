// Small helpers for the solver tests: starting workBoard by hand and reading its log.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/engine/edge_setting.h"
#include "support/test_support.h"

namespace vexilo::testing {

// workBoard as a solve finds it before the first rule: empty log, lattice from the clues,
// queue indices at 0.
inline void startWorkBoard(PuzzleState& s) {
    Board& wb = *s.workBoard;
    resetMoveLog(wb);
    initLatticeFromClues(s, wb);
    wb.queue.resetAt(0);
}

// Decides the edges of a lattice picture on workBoard through setEdge, row by row.
inline void setPictureEdges(PuzzleState& s, const std::vector<std::string>& picture) {
    std::vector<PictureEdge> edges;
    std::string error;
    if (!readPictureEdges(picture, s.W(), s.H(), edges, error)) throw std::runtime_error(error);
    for (const auto& e : edges) setEdge(s, e.x, e.y, e.value);
}

// The lines of a lattice picture written as a raw string that starts on a new line.
inline std::vector<std::string> pictureLines(const char* text) {
    std::vector<std::string> lines = splitLines(text);
    if (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    return lines;
}

// Sets up a puzzle from a lattice picture: its size and the clue digits in its cells give
// the puzzle, workBoard is started and the picture's decided edges are set on it. Lines
// may be shorter than the picture is wide (trailing blanks left out).
inline void startFromPicture(PuzzleState& s, const char* text) {
    const std::vector<std::string> lines = pictureLines(text);
    size_t width = 0;
    for (const auto& l : lines) width = std::max(width, l.size());
    std::vector<std::string> clues;
    for (size_t y = 1; y < lines.size(); y += 2) {
        std::string row;
        for (size_t x = 1; x < width; x += 2) {
            const char c = x < lines[y].size() ? lines[y][x] : ' ';
            row += (c >= '0' && c <= '3') ? c : '-';
        }
        clues.push_back(row);
    }
    setClues(s, clues);
    startWorkBoard(s);
    setPictureEdges(s, lines);
}

// The entries of a log from slot `from` up to the write position.
inline std::vector<int32_t> logEntries(const Board& b, int from = 1) {
    return std::vector<int32_t>(b.moveLog.begin() + from, b.moveLog.begin() + b.writePos);
}

// The edge values of a board (0, 2 or 3) as one string, row by row: for comparisons.
inline std::string edgeState(const PuzzleState& s, const Board& b) {
    std::string out;
    for (int y = 1; y <= 2 * s.H() + 1; ++y) {
        for (int x = 1 + (y % 2); x <= 2 * s.W() + 1; x += 2) {
            out += static_cast<char>('0' + (b.at(x, y) & 7));
        }
        out += '\n';
    }
    return out;
}

}  // namespace vexilo::testing
