#include "files/native_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <stdexcept>

#include "files/error_text.h"
#include "files/file_access.h"
#include "files/file_errors.h"
#include "files/puzzle_formats.h"
#include "files/rating_field.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"

namespace vexilo {

std::string formatNativeHeader(int width, int height, int rating) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %3d x %3d %d", kNativeHeaderWord, width, height,
                  rating);
    return buffer;
}

uint8_t cellCodeOf(char c) {
    switch (c) {
        case '-':
            return 0;
        case '0':
            return kClueZero;
        case '1':
            return 1;
        case '2':
            return 2;
        case '3':
            return 3;
        case '+':
            return kInside;
        case 'A':
            return kInside | kClueZero;
        case 'B':
            return kInside | 1;
        case 'C':
            return kInside | 2;
        case 'D':
            return kInside | 3;
        case '#':
            return kOutside;
        case 'a':
            return kOutside | kClueZero;
        case 'b':
            return kOutside | 1;
        case 'c':
            return kOutside | 2;
        case 'd':
            return kOutside | 3;
        default:
            return 0;
    }
}

char cellCharacterOf(uint8_t code) {
    const int key = code & kKeyMask;
    const int mark = code & ~kKeyMask;
    if (key > 4 || (mark != 0 && mark != kInside && mark != kOutside)) return '-';
    static constexpr char kPlain[] = "-1230";
    static constexpr char kInsideChars[] = "+BCDA";
    static constexpr char kOutsideChars[] = "#bcda";
    if (mark == kInside) return kInsideChars[key];
    if (mark == kOutside) return kOutsideChars[key];
    return kPlain[key];
}

namespace {

// The trimmed field, or nothing when it is blank; throws when it is not a number.
std::optional<int> cutNumber(const std::string& line, int column, int count, const char* field) {
    const size_t from = static_cast<size_t>(column - 1);
    std::string text = from < line.size() ? line.substr(from, static_cast<size_t>(count)) : "";
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    size_t p = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const bool digitsOnly =
        p < text.size() && std::all_of(text.begin() + static_cast<long>(p), text.end(),
                                       [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly) {
        throw Explained<std::invalid_argument>(ErrorKind::kNotANumber, {field, text});
    }
    int value = 0;
    for (; p < text.size(); ++p) value = value * 10 + (text[p] - '0');
    return text[0] == '-' ? -value : value;
}

}  // namespace

int headerField(const std::string& line, const HeaderField& field, int blankValue) {
    return cutNumber(line, field.column, field.count, field.name).value_or(blankValue);
}

int requiredHeaderField(const std::string& line, int column, int count, const char* field) {
    const auto value = cutNumber(line, column, count, field);
    if (!value) {
        throw Explained<std::invalid_argument>(ErrorKind::kBlankNumber, {field});
    }
    return *value;
}

bool isNativeText(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        throw Explained<std::out_of_range>(ErrorKind::kNoText, {});
    }
    if (!lines[0].starts_with(kNativeHeaderWord)) return false;
    if (lines.size() < 2) {
        throw Explained<std::out_of_range>(ErrorKind::kEndsAfterHeader, {});
    }
    return lines[1] == kStartMarker;
}

std::optional<NativePuzzle> parseNativeText(const std::vector<std::string>& lines) {
    if (!isNativeText(lines)) return std::nullopt;
    const std::string& header = lines[0];
    int width = headerField(header, kWidthField, 0);
    headerField(header, kHeightField, 0);  // the body's rows decide the height
    // A blank rating is pending; a number no solve gives would later be taken for a pending
    // rating (or skipped) by the writer, and means "not rated".
    constexpr int kBlank = std::numeric_limits<int>::min();
    int rating = headerField(header, kRatingField, kBlank);
    if (rating == kBlank) {
        rating = Difficulty::kUnsolvable;
    } else if (rating < Difficulty::kUnrated || rating > Difficulty::kHighestRating) {
        rating = Difficulty::kUnrated;
    }
    if (width < 0 || width > kMaxCells) {
        throw Explained<FormatError>(ErrorKind::kWidthOutside,
                                     {std::to_string(width), std::to_string(kMaxCells)});
    }

    int height = 0;
    for (; height < kMaxCells; ++height) {
        const size_t lineIndex = static_cast<size_t>(height) + 2;
        if (lineIndex >= lines.size()) {
            throw Explained<std::out_of_range>(ErrorKind::kEndsWithoutEnd,
                                               {std::to_string(lines.size()), kEndMarker});
        }
        const std::string& text = lines[lineIndex];
        if (text == kEndMarker) break;
        width = std::max(width, static_cast<int>(std::min<size_t>(text.size(), kMaxCells)));
    }
    if (width == 0 || height == 0) {
        throw Explained<FormatError>(ErrorKind::kNoCells,
                                     {std::to_string(width), std::to_string(height)});
    }

    NativePuzzle puzzle;
    puzzle.width = width;
    puzzle.height = height;
    puzzle.difficulty = Difficulty{rating};
    puzzle.cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (int row = 0; row < height; ++row) {
        const std::string& text = lines[static_cast<size_t>(row) + 2];
        const int taken = static_cast<int>(std::min<size_t>(text.size(), kMaxCells));
        uint8_t* cells =
            puzzle.cells.data() + static_cast<size_t>(row) * static_cast<size_t>(width);
        for (int column = 0; column < taken; ++column) cells[column] = cellCodeOf(text[column]);
    }
    return puzzle;
}

std::vector<std::string> formatNativeText(const NativePuzzle& puzzle) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(puzzle.height) + 3);
    lines.push_back(formatNativeHeader(puzzle.width, puzzle.height, puzzle.difficulty.stored));
    lines.emplace_back(kStartMarker);
    for (int r = 0; r < puzzle.height; ++r) {
        std::string row(static_cast<size_t>(puzzle.width), '-');
        for (int c = 0; c < puzzle.width; ++c) row[c] = cellCharacterOf(puzzle.cell(r, c));
        lines.push_back(std::move(row));
    }
    lines.emplace_back(kEndMarker);
    return lines;
}

bool writeNativeFile(PuzzleState& state, ExistingFile existing) {
    if (state.W() == 0) return false;
    if (!isNativeFileName(state.fileName)) return false;  // foreign files are never written
    if (!state.difficulty.isPending()) return false;
    state.difficulty.markWritten();

    NativePuzzle puzzle;
    puzzle.width = state.W();
    puzzle.height = state.H();
    puzzle.difficulty = state.difficulty;
    puzzle.cells.reserve(static_cast<size_t>(puzzle.width) * static_cast<size_t>(puzzle.height));
    for (int r = 0; r < puzzle.height; ++r) {
        const auto& row = (*state.clueGrid)[r];
        puzzle.cells.insert(puzzle.cells.end(), row.begin(), row.begin() + puzzle.width);
    }
    auto& lines = state.fileLines;
    lines = formatNativeText(puzzle);
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    lines.clear();

    std::error_code ec;
    if (existing == ExistingFile::kKeepOtherBytes && std::filesystem::exists(state.fileName, ec)) {
        // The patched file equals the rewrite whenever the rewrite would reproduce it.
        if (auto patched =
                withHeaderRating(readWholeFile(state.fileName), state.difficulty.stored)) {
            text = std::move(*patched);
        }
    }
    writeFileCarefully(state.fileName, text);
    return true;
}

}  // namespace vexilo
