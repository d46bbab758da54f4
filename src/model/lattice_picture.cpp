#include "model/lattice_picture.h"

#include "model/puzzle_state.h"

namespace vexilo {

std::vector<std::string> latticePicture(const PuzzleState& state, const Board& board) {
    std::vector<std::string> lines;
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    lines.reserve(static_cast<size_t>(maxY));
    for (int y = 1; y <= maxY; ++y) {
        std::string line(static_cast<size_t>(maxX), ' ');
        for (int x = 1; x <= maxX; ++x) {
            const int key = board.at(x, y) & 7;
            char c = ' ';
            if (isDot(x, y)) {
                c = '+';
            } else if (isCell(x, y)) {
                if (key >= 1 && key <= 3) c = static_cast<char>('0' + key);
                if (key == kClueZero) c = '0';
            } else if (key == kLine) {
                c = isVerticalEdge(x, y) ? '|' : '-';
            } else if (key == kCross) {
                c = 'x';
            }
            line[static_cast<size_t>(x - 1)] = c;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string latticePictureText(const PuzzleState& state, const Board& board) {
    std::string text;
    for (const auto& line : latticePicture(state, board)) {
        text += line;
        text += '\n';
    }
    return text;
}

bool readPictureEdges(const std::vector<std::string>& lines, int width, int height,
                      std::vector<PictureEdge>& edges, std::string& error) {
    const int maxX = 2 * width + 1;
    const int maxY = 2 * height + 1;
    size_t count = lines.size();
    while (count > static_cast<size_t>(maxY) && lines[count - 1].find_first_not_of("\r ") ==
                                                   std::string::npos) {
        --count;  // trailing empty lines
    }
    if (count != static_cast<size_t>(maxY)) {
        error = "the picture has " + std::to_string(count) + " lines, a " +
                std::to_string(width) + " x " + std::to_string(height) + " puzzle needs " +
                std::to_string(maxY);
        return false;
    }
    edges.clear();
    for (int y = 1; y <= maxY; ++y) {
        const std::string& line = lines[static_cast<size_t>(y - 1)];
        for (int x = 1 + (y % 2); x <= maxX; x += 2) {
            if (static_cast<size_t>(x) > line.size()) break;
            const char c = line[static_cast<size_t>(x - 1)];
            if (c == ' ' || c == '\r') continue;
            if (c == 'x') {
                edges.push_back({x, y, 2});
            } else if ((c == '-' && isHorizontalEdge(x, y)) || (c == '|' && isVerticalEdge(x, y))) {
                edges.push_back({x, y, 3});
            } else {
                error = "unexpected '" + std::string(1, c) + "' on the edge at line " +
                        std::to_string(y) + ", column " + std::to_string(x);
                return false;
            }
        }
    }
    return true;
}

}  // namespace vexilo
