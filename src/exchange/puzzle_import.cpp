#include "exchange/puzzle_import.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "exchange/loopy_id.h"
#include "exchange/puzz_link.h"
#include "exchange/text_grid.h"
#include "exchange/text_scan.h"
#include "files/error_text.h"
#include "files/native_file.h"
#include "files/text_lines.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

namespace vexilo {

namespace {

// "://", or a '?' before a genre and a '/' ("p?slither/", "p.html?slither/").
bool looksLikeLink(std::string_view text) {
    if (text.find("://") != std::string_view::npos) return true;
    for (size_t q = text.find('?'); q != std::string_view::npos; q = text.find('?', q + 1)) {
        size_t end = q + 1;
        while (end < text.size() &&
               (isDigit(text[end]) || (text[end] >= 'a' && text[end] <= 'z'))) {
            ++end;
        }
        if (end > q + 1 && end < text.size() && text[end] == '/') return true;
    }
    return false;
}

bool looksLikeLoopyId(std::string_view text) {
    const size_t end = text.find_first_of(":#");
    if (end == std::string_view::npos || end == 0 || !isDigit(text[0])) return false;
    return std::all_of(text.begin(), text.begin() + static_cast<long>(end),
                       [](char c) { return isDigit(c) || (c >= 'a' && c <= 'z'); });
}

// Reads native text with the native reader's own parse, so that the load cannot fail half
// way; returns the size it will find. The parse's errors become ExchangeErrors.
void checkNativeText(const std::vector<std::string>& lines, int& width, int& height) {
    const auto noStart = [] {
        return ExchangeError(
            ExchangeProblem::kTruncated,
            std::string("the puzzle text has no \"") + kStartMarker + "\" line after its header");
    };
    std::optional<NativePuzzle> puzzle;
    try {
        puzzle = parseNativeText(lines);
    } catch (const std::invalid_argument& e) {
        throw ExchangeError(ExchangeProblem::kBadCharacter, e.what());
    } catch (const ExplainedError& e) {
        const std::vector<std::string>& details = e.errorText().args;
        switch (e.errorText().kind) {
            case ErrorKind::kWidthOutside:  // details: the width
                checkPuzzleSize(std::stoi(details.at(0)), 1);
                break;
            case ErrorKind::kNoCells:  // details: width, height
                checkPuzzleSize(std::stoi(details.at(0)), std::stoi(details.at(1)));
                break;
            case ErrorKind::kEndsWithoutEnd:
                throw ExchangeError(
                    ExchangeProblem::kTruncated,
                    std::string("the puzzle text ends without an \"") + kEndMarker + "\" line");
            default:  // no lines, or a lone header line
                throw noStart();
        }
        throw;
    }
    if (!puzzle) throw noStart();
    width = puzzle->width;
    height = puzzle->height;
}

ImportedPuzzle fromClues(PuzzleSource source, const PuzzleClues& clues) {
    ImportedPuzzle puzzle;
    puzzle.source = source;
    puzzle.nativeLines = nativeLinesOf(clues);
    puzzle.width = clues.width;
    puzzle.height = clues.height;
    return puzzle;
}

}  // namespace

ImportedPuzzle importPuzzleText(std::string_view text) {
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    const std::string_view content = trimmed(text);
    if (content.starts_with(kNativeHeaderWord)) {
        ImportedPuzzle puzzle;
        puzzle.nativeLines = splitTextLines(content);
        checkNativeText(puzzle.nativeLines, puzzle.width, puzzle.height);
        return puzzle;
    }
    if (looksLikeLink(content)) {
        int unknownClues = 0;
        ImportedPuzzle puzzle =
            fromClues(PuzzleSource::kPuzzLink, readPuzzLink(content, unknownClues));
        puzzle.unknownClues = unknownClues;
        return puzzle;
    }
    if (looksLikeLoopyId(content)) return fromClues(PuzzleSource::kLoopyId, readLoopyId(content));
    return fromClues(PuzzleSource::kTextGrid, readTextGrid(text));
}

ImportedPuzzle importPuzzleFile(const std::string& path) {
    return importPuzzleText(readWholeFile(path));
}

std::string puzzleNameOf(const std::string& path) {
    const std::string extension = upperExtension(path);
    return path.substr(0, path.size() - extension.size());
}

std::string puzzleNameOf(PuzzleSource source) {
    switch (source) {
        case PuzzleSource::kPuzzLink:
            return "puzzlink";
        case PuzzleSource::kLoopyId:
            return "loopy";
        case PuzzleSource::kTextGrid:
            return "grid";
        case PuzzleSource::kNativeText:
            break;
    }
    return "pasted";
}

void openImportedPuzzle(PuzzleState& state, const ImportedPuzzle& puzzle, const std::string& name,
                        WriteBack writeBack) {
    if (writeBack == WriteBack::kPending) writeBackPendingRating(state);
    state.fileLines = puzzle.nativeLines;
    readNativeText(state, name);
}

}  // namespace vexilo
