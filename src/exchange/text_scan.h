// Small pieces of text scanning that the readers share.
#pragma once

#include <string>
#include <string_view>

#include "exchange/puzzle_clues.h"

namespace vexilo {

inline bool isBlankCharacter(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlankCharacter(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankCharacter(text.back())) text.remove_suffix(1);
    return text;
}

inline bool isNumber(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!isDigit(c)) return false;
    }
    return true;
}

// A side length written in decimal; more digits than any size could need read as a size
// too large rather than overflowing.
inline int sideLength(std::string_view text, const char* side) {
    if (!isNumber(text)) {
        throw ExchangeError(
            ExchangeProblem::kBadCharacter,
            std::string("the ") + side + " \"" + std::string(text) + "\" is not a number");
    }
    if (text.size() > 6) return 1000000;
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
}

// A character of a cell that is not what the format allows, by its position.
[[noreturn]] inline void badCellCharacter(char c, size_t position, const char* where) {
    if (c == '4') {
        throw ExchangeError(ExchangeProblem::kClueFour,
                            std::string("a clue 4 at character ") + std::to_string(position + 1) +
                                " of the " + where + "; clues go from 0 to 3");
    }
    throw ExchangeError(ExchangeProblem::kBadCharacter,
                        std::string("unexpected character '") + c + "' at character " +
                            std::to_string(position + 1) + " of the " + where);
}

}  // namespace vexilo
