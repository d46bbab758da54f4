#include "exchange/loopy_id.h"

#include "exchange/text_scan.h"

namespace vexilo {

namespace {

constexpr int kLongestRun = 26;  // 'z'

// "W", "WxH", then optionally "tTYPE" and "dD".
struct LoopyParameters {
    int width = 0;
    int height = 0;
    int gridType = 0;
};

std::string_view takeNumber(std::string_view& text) {
    size_t n = 0;
    while (n < text.size() && isDigit(text[n])) ++n;
    const std::string_view number = text.substr(0, n);
    text.remove_prefix(n);
    return number;
}

LoopyParameters readParameters(std::string_view text) {
    const std::string whole(text);
    LoopyParameters p;
    p.width = sideLength(takeNumber(text), "width");
    p.height = p.width;
    if (text.starts_with('x')) {
        text.remove_prefix(1);
        p.height = sideLength(takeNumber(text), "height");
    }
    if (text.starts_with('t')) {
        text.remove_prefix(1);
        const std::string_view type = takeNumber(text);
        p.gridType = type.empty() ? -1 : (type.size() > 3 ? 1000 : std::stoi(std::string(type)));
    }
    if (text.starts_with('d') && text.size() >= 2) text.remove_prefix(2);
    if (!text.empty() || p.gridType < 0) {
        throw ExchangeError(ExchangeProblem::kBadCharacter,
                            "the game id's parameters \"" + whole + "\" are not WxHtTYPEdD");
    }
    return p;
}

}  // namespace

PuzzleClues readLoopyId(std::string_view id) {
    id = trimmed(id);
    const size_t colon = id.find(':');
    const size_t hash = id.find('#');
    if (hash != std::string_view::npos && hash < colon) {
        throw ExchangeError(ExchangeProblem::kNotRecognised,
                            "\"" + std::string(id) +
                                "\" is a random seed, not a game id (Loopy shows the game id "
                                "under Game > Specific)");
    }
    if (colon == std::string_view::npos || colon == 0 || !isDigit(id[0])) {
        throw ExchangeError(ExchangeProblem::kNotRecognised,
                            "a game id starts with its size and a ':'");
    }
    const LoopyParameters p = readParameters(id.substr(0, colon));
    if (p.gridType != 0) {
        throw ExchangeError(ExchangeProblem::kOtherGridType,
                            "the game id is of grid type " + std::to_string(p.gridType) +
                                "; only the square grid (type 0) can be read");
    }
    checkPuzzleSize(p.width, p.height);

    const std::string_view description = id.substr(colon + 1);
    PuzzleClues puzzle(p.width, p.height);
    const size_t cells = puzzle.clues.size();
    size_t cell = 0;
    for (size_t i = 0; i < description.size(); ++i) {
        const char c = description[i];
        size_t taken = 1;
        if (c >= '0' && c <= '3') {
            if (cell < cells) puzzle.clues[cell] = static_cast<int8_t>(c - '0');
        } else if (c >= 'a' && c <= 'z') {
            taken = static_cast<size_t>(c - 'a' + 1);
        } else {
            badCellCharacter(c, i, "game id's description");
        }
        cell += taken;
        if (cell > cells) {
            throw ExchangeError(ExchangeProblem::kTooLong,
                                "the game id's description covers more than the " +
                                    std::to_string(cells) + " cells of the board");
        }
    }
    if (cell < cells) {
        throw ExchangeError(ExchangeProblem::kTruncated, "the game id's description ends after " +
                                                             std::to_string(cell) + " of " +
                                                             std::to_string(cells) + " cells");
    }
    return puzzle;
}

std::string writeLoopyId(const PuzzleClues& puzzle) {
    std::string id = std::to_string(puzzle.width) + "x" + std::to_string(puzzle.height) + "t0:";
    int blanks = 0;
    for (const int8_t clue : puzzle.clues) {
        if (clue == kNoClue) {
            if (blanks == kLongestRun) {
                id += 'z';
                blanks = 0;
            }
            ++blanks;
            continue;
        }
        if (blanks > 0) id += static_cast<char>('a' + blanks - 1);
        blanks = 0;
        id += static_cast<char>('0' + clue);
    }
    if (blanks > 0) id += static_cast<char>('a' + blanks - 1);
    return id;
}

}  // namespace vexilo
