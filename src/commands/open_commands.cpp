#include "commands/open_commands.h"

#include <cstdio>

#include "exchange/puzz_link.h"
#include "exchange/puzzle_import.h"
#include "files/open_save.h"
#include "files/puzzle_formats.h"
#include "files/text_lines.h"
#include "generate/puzzle_rating.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

namespace vexilo {

namespace {

const char* problemText(ExchangeProblem problem) {
    switch (problem) {
        case ExchangeProblem::kNotRecognised:
            return "問題として読めません。";
        case ExchangeProblem::kOtherGenre:
            return "スリザーリンクの問題ではありません。";
        case ExchangeProblem::kOtherGridType:
            return "正方形の盤面ではありません。";
        case ExchangeProblem::kSize:
            return "盤面の大きさは1～500です。";
        case ExchangeProblem::kTruncated:
            return "問題のデータが途中で切れています。";
        case ExchangeProblem::kTooLong:
            return "問題のデータが盤面より長すぎます。";
        case ExchangeProblem::kBadCharacter:
            return "問題のデータに読めない文字があります。";
        case ExchangeProblem::kClueFour:
            return "数字の4は使えません。";
    }
    return "問題として読めません。";
}

std::string format(const char* pattern, int a, int b) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

}  // namespace

void pasteCommand(PuzzleState& state, const std::string& text) {
    if (text.empty()) {
        state.frontend.showMessage("クリップボードに問題がありません。");
        return;
    }
    openPuzzleText(state, text);
}

void openPuzzleText(PuzzleState& state, const std::string& text, const std::string& name) {
    ImportedPuzzle puzzle;
    try {
        puzzle = importPuzzleText(text);
    } catch (const ExchangeError& e) {
        state.frontend.showMessage(problemText(e.problem()));
        return;
    }
    openImportedPuzzle(state, puzzle, name.empty() ? puzzleNameOf(puzzle.source) : name);
    if (puzzle.unknownClues > 0) state.frontend.showMessage("「.」の数字は空欄として読みました。");
}

void openDroppedFile(PuzzleState& state, const std::string& path) {
    if (isPuzzleFileName(path)) {
        openPuzzleFile(state, path);
        return;
    }
    openPuzzleText(state, readWholeFile(path), puzzleNameOf(path));
}

std::string puzzleLink(const PuzzleState& state) {
    if (state.W() == 0) return {};
    return writePuzzLink(cluesOf(state));
}

bool openNewPuzzle(PuzzleState& state, const generate::GenerateRequest& request,
                   generate::GenerateOutcome outcome, const generate::GeneratedPuzzle& made) {
    if (outcome == generate::GenerateOutcome::kCancelled) return false;
    if (outcome == generate::GenerateOutcome::kNoPuzzle) {
        state.frontend.showMessage("この大きさの問題は作れませんでした。");
        return false;
    }
    writeBackPendingRating(state);
    state.fileLines = generate::nativeLinesOf(made.puzzle, made.rating);
    readNativeText(state, "new-" + std::to_string(request.width) + "x" +
                              std::to_string(request.height) + "-" + std::to_string(request.seed));
    if (!made.ratingAsked) {
        state.frontend.showMessage(
            format("難易度%dの問題は作れませんでした。\n難易度%dの問題です。", request.rating,
                   made.rating));
    }
    return true;
}

}  // namespace vexilo
