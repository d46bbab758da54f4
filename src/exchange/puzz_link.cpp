#include "exchange/puzz_link.h"

#include <vector>

#include "exchange/text_scan.h"

namespace vexilo {

namespace {

constexpr int kLongestRun = 20;  // 'z'

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t slash = text.find('/');
        fields.push_back(text.substr(0, slash));
        if (slash == std::string_view::npos) return fields;
        text.remove_prefix(slash + 1);
    }
}

void decodeBody(std::string_view body, PuzzleClues& puzzle, int& unknownClues) {
    const size_t cells = puzzle.clues.size();
    size_t cell = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        if (cell >= cells) {
            throw ExchangeError(ExchangeProblem::kTooLong,
                                "the link's data goes on after the last cell (from \"" +
                                    std::string(body.substr(i)) + "\")");
        }
        const char c = body[i];
        int clue = kNoClue;
        size_t blanksAfter = 0;
        if (c >= '0' && c <= '9') {
            clue = (c - '0') % 5;
            blanksAfter = (c - '0') / 5;
        } else if (c >= 'a' && c <= 'e') {
            clue = c - 'a';
            blanksAfter = 2;
        } else if (c >= 'g' && c <= 'z') {
            cell += static_cast<size_t>(c - 'f');
            continue;
        } else if (c == '.') {
            ++unknownClues;
            ++cell;
            continue;
        }
        if (clue == kNoClue || clue == 4) badCellCharacter(clue == 4 ? '4' : c, i, "link's data");
        puzzle.clues[cell] = static_cast<int8_t>(clue);
        cell += 1 + blanksAfter;
    }
    if (cell < cells) {
        throw ExchangeError(ExchangeProblem::kTruncated, "the link's data ends after " +
                                                             std::to_string(cell) + " of " +
                                                             std::to_string(cells) + " cells");
    }
}

}  // namespace

PuzzleClues readPuzzLink(std::string_view link, int& unknownClues) {
    link = trimmed(link);
    const size_t question = link.find('?');
    if (question == std::string_view::npos) {
        throw ExchangeError(ExchangeProblem::kNotRecognised,
                            "a link to a puzzle has a '?' before the puzzle's genre");
    }
    std::string_view query = link.substr(question + 1);
    while (query.ends_with('/')) query.remove_suffix(1);
    const std::vector<std::string_view> fields = splitFields(query);
    if (fields[0] != "slither") {
        throw ExchangeError(ExchangeProblem::kOtherGenre,
                            "the link is to a \"" + std::string(fields[0]) +
                                "\" puzzle, not to a slitherlink (\"slither\")");
    }
    size_t next = 1;
    if (next < fields.size() && !isNumber(fields[next])) ++next;  // the variant
    if (fields.size() < next + 2) {
        throw ExchangeError(ExchangeProblem::kTruncated, "the link ends before the puzzle's size");
    }
    const int width = sideLength(fields[next], "width");
    const int height = sideLength(fields[next + 1], "height");
    checkPuzzleSize(width, height);
    std::string body;
    for (size_t i = next + 2; i < fields.size(); ++i) {
        if (i > next + 2) body += '/';
        body += fields[i];
    }
    PuzzleClues puzzle(width, height);
    unknownClues = 0;
    decodeBody(body, puzzle, unknownClues);
    return puzzle;
}

std::string writePuzzLink(const PuzzleClues& puzzle) {
    const auto& clues = puzzle.clues;
    const size_t cells = clues.size();
    auto hasClue = [&](size_t c) { return c < cells && clues[c] != kNoClue; };
    std::string body;
    int blanks = 0;
    for (size_t c = 0; c < cells; ++c) {
        char code = 0;
        if (clues[c] != kNoClue) {
            // A clue takes up to two blank cells after it; at the end of the board it takes
            // the two cells that are not there, as pzprjs writes it.
            if (hasClue(c + 1)) {
                code = static_cast<char>('0' + clues[c]);
            } else if (hasClue(c + 2)) {
                code = static_cast<char>('5' + clues[c]);
                c += 1;
            } else {
                code = static_cast<char>('a' + clues[c]);
                c += 2;
            }
        } else {
            ++blanks;
        }
        if (blanks > 0 && (code != 0 || blanks == kLongestRun)) {
            body += static_cast<char>('f' + blanks);
            blanks = 0;
        }
        if (code != 0) body += code;
    }
    if (blanks > 0) body += static_cast<char>('f' + blanks);
    return "https://puzz.link/p?slither/" + std::to_string(puzzle.width) + "/" +
           std::to_string(puzzle.height) + "/" + body;
}

}  // namespace vexilo
