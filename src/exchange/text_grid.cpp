#include "exchange/text_grid.h"

#include <algorithm>
#include <string>
#include <vector>

#include "exchange/text_scan.h"
#include "files/text_lines.h"

namespace vexilo {

namespace {

std::string_view trimmedRight(std::string_view line) {
    while (!line.empty() && isBlankCharacter(line.back())) line.remove_suffix(1);
    return line;
}

bool isBlankLine(std::string_view line) {
    return trimmedRight(line).empty();
}

std::vector<std::string_view> tokensOf(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlankCharacter(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !isBlankCharacter(line[i])) ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

// Rows with blanks between the cells: every row is the same number (two or more) of
// one-character cells apart.
bool cellsAreSeparated(const std::vector<std::string_view>& rows, int knownWidth) {
    size_t width = 0;
    for (const std::string_view row : rows) {
        if (knownWidth > 0) {
            // A row with blanks that could not hold its cells side by side.
            const std::string_view cells = trimmedRight(row);
            if (cells.size() > static_cast<size_t>(knownWidth) &&
                cells.find_first_of(" \t") != std::string_view::npos) {
                return true;
            }
            continue;
        }
        const auto tokens = tokensOf(row);
        if (tokens.size() < 2 || (width != 0 && tokens.size() != width)) return false;
        for (const std::string_view token : tokens) {
            if (token.size() != 1) return false;
        }
        width = tokens.size();
    }
    return knownWidth == 0;
}

int8_t cellValue(char c, size_t position, size_t rowNumber) {
    if (c >= '0' && c <= '3') return static_cast<int8_t>(c - '0');
    if (c == '-' || c == '.' || c == ' ') return kNoClue;
    badCellCharacter(c, position, ("row " + std::to_string(rowNumber)).c_str());
}

// The cells of a row, blank cells at its end left out.
std::vector<int8_t> readRow(std::string_view row, bool separated, size_t rowNumber) {
    std::vector<int8_t> cells;
    if (separated) {
        for (const std::string_view token : tokensOf(row)) {
            if (token.size() != 1) {
                throw ExchangeError(ExchangeProblem::kBadCharacter,
                                    "row " + std::to_string(rowNumber) + " has \"" +
                                        std::string(token) +
                                        "\" where one cell was expected between blanks");
            }
            cells.push_back(
                cellValue(token[0], static_cast<size_t>(token.data() - row.data()), rowNumber));
        }
        return cells;
    }
    row = trimmedRight(row);
    for (size_t i = 0; i < row.size(); ++i) cells.push_back(cellValue(row[i], i, rowNumber));
    return cells;
}

}  // namespace

PuzzleClues readTextGrid(std::string_view text) {
    const std::vector<std::string> allLines = splitTextLines(text);
    std::vector<std::string_view> lines(allLines.begin(), allLines.end());
    while (!lines.empty() && isBlankLine(lines.front())) lines.erase(lines.begin());
    size_t filled = lines.size();  // up to the last line that is not blank
    while (filled > 0 && isBlankLine(lines[filled - 1])) --filled;
    if (filled == 0) {
        throw ExchangeError(ExchangeProblem::kNotRecognised, "the text holds no rows of cells");
    }

    // A first line of two numbers is the size line, unless it is the first row of a grid
    // of two columns apart ("1 2" above "3 0"). Below a size line, blank lines may be rows
    // of blanks.
    int rows = 0;
    int columns = 0;
    const auto first = tokensOf(lines.front());
    if (first.size() == 2 && isNumber(first[0]) && isNumber(first[1])) {
        const int r = sideLength(first[0], "number of rows");
        const int c = sideLength(first[1], "number of columns");
        const bool onlyCellDigits = first[0].size() == 1 && first[1].size() == 1 &&
                                    first[0][0] <= '3' && first[1][0] <= '3';
        const size_t rowsGiven = static_cast<size_t>(r);
        const bool rowsFit = filled - 1 <= rowsGiven && rowsGiven < lines.size();
        const bool twoColumnRows = std::all_of(
            lines.begin() + 1, lines.begin() + static_cast<long>(filled),
            [](std::string_view line) {
                const auto tokens = tokensOf(line);
                return tokens.size() == 2 && tokens[0].size() == 1 && tokens[1].size() == 1;
            });
        if (!onlyCellDigits || rowsFit || !twoColumnRows) {
            rows = r;
            columns = c;
            checkPuzzleSize(columns, rows);
            lines.erase(lines.begin());
            --filled;
            filled = std::max(filled, std::min(lines.size(), rowsGiven));
        }
    }
    lines.resize(filled);
    if (rows > 0 && lines.size() != static_cast<size_t>(rows)) {
        throw ExchangeError(lines.size() < static_cast<size_t>(rows) ? ExchangeProblem::kTruncated
                                                                     : ExchangeProblem::kTooLong,
                            "the size line gives " + std::to_string(rows) + " rows, the text has " +
                                std::to_string(lines.size()));
    }

    const bool separated = cellsAreSeparated(lines, columns);
    std::vector<std::vector<int8_t>> cells;
    size_t widest = 0;
    for (size_t r = 0; r < lines.size(); ++r) {
        cells.push_back(readRow(lines[r], separated, r + 1));
        widest = std::max(widest, cells.back().size());
        if (columns > 0 && cells.back().size() > static_cast<size_t>(columns)) {
            throw ExchangeError(ExchangeProblem::kTooLong,
                                "row " + std::to_string(r + 1) + " has " +
                                    std::to_string(cells.back().size()) +
                                    " cells, the size line gives " + std::to_string(columns));
        }
        if (separated && columns > 0 && cells.back().size() < static_cast<size_t>(columns)) {
            throw ExchangeError(ExchangeProblem::kTruncated,
                                "row " + std::to_string(r + 1) + " has " +
                                    std::to_string(cells.back().size()) +
                                    " cells, the size line gives " + std::to_string(columns));
        }
    }
    if (columns == 0) {
        columns = static_cast<int>(std::min<size_t>(widest, 1000000));
        rows = static_cast<int>(std::min<size_t>(lines.size(), 1000000));
        checkPuzzleSize(columns, rows);
    }
    PuzzleClues puzzle(columns, rows);
    for (int r = 0; r < rows; ++r) {
        for (size_t c = 0; c < cells[r].size(); ++c)
            puzzle.at(r, static_cast<int>(c)) = cells[r][c];
    }
    return puzzle;
}

}  // namespace vexilo
