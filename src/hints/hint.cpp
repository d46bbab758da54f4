#include "hints/hint.h"

#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "hints/answer_cache.h"
#include "hints/hint_reasons.h"
#include "hints/next_deduction.h"
#include "model/puzzle_state.h"

namespace vexilo {
namespace {

Hint edgeHint(HintKind kind, int x, int y, int value, Reason reason) {
    Hint h;
    h.kind = kind;
    h.x = x;
    h.y = y;
    h.value = value;
    h.rule = std::move(reason.rule);
    h.text = std::move(reason.text);
    return h;
}

int answerValue(const complete::LoopSolution& answer, int x, int y) {
    return answer.isLine(x, y) ? kLine : kCross;
}

const char* levelName(RuleLevel level) {
    switch (level) {
        case RuleLevel::kStart:
            return "start";
        case RuleLevel::kBasic:
            return "basic";
        case RuleLevel::kSubLoop:
            return "sub-loop";
        case RuleLevel::kAdvanced:
            return "advanced";
        case RuleLevel::kColour:
            return "colour";
        case RuleLevel::kTrial:
            return "trial";
    }
    return "start";
}

}  // namespace

const char* hintKindName(HintKind kind) {
    switch (kind) {
        case HintKind::kMistake:
            return "mistake";
        case HintKind::kDeduction:
            return "deduction";
        case HintKind::kSolved:
            return "solved";
        case HintKind::kNoSolution:
            return "no-solution";
        case HintKind::kSeveralSolutions:
            return "several-solutions";
    }
    return "solved";
}

Hint findHint(const PuzzleState& player) {
    const std::atomic<bool> never{false};
    return *findHint(player, never);
}

std::optional<Hint> findHint(const PuzzleState& player, const std::atomic<bool>& cancel) {
    const complete::CompleteResult result = answerOf(complete::loopPuzzleOf(player), cancel);
    if (result.stopped) return std::nullopt;
    if (result.solutions == 0) {
        return edgeHint(HintKind::kNoSolution, 0, 0, 0, {"no-solution", "解はありません。"});
    }
    if (result.solutions > 1) {
        return edgeHint(HintKind::kSeveralSolutions, 0, 0, 0,
                        {"several-solutions", "解が複数あります。"});
    }
    const complete::LoopSolution& answer = result.first;
    const Board& position = *player.mainBoard;

    // The first drawn edge against the answer, in the check command's scan order (row by
    // row from the top, left to right); the first undecided edge on the way is kept for
    // a hint the rules cannot give.
    int openX = 0;
    int openY = 0;
    bool missingLine = false;
    for (int y = 1; y <= 2 * player.H() + 1; ++y) {
        for (int x = 1 + (y % 2); x <= 2 * player.W() + 1; x += 2) {
            const int key = position.at(x, y) & kKeyMask;
            const int wanted = answerValue(answer, x, y);
            if (key == kLine || key == kCross) {
                if (key != wanted) {
                    return edgeHint(HintKind::kMistake, x, y, 0,
                                    {"mistake", "ここが間違っています。"});
                }
                continue;
            }
            missingLine = missingLine || wanted == kLine;
            if (openX == 0) {
                openX = x;
                openY = y;
            }
        }
    }
    if (!missingLine) return edgeHint(HintKind::kSolved, 0, 0, 0, {"solved", "もう解けています。"});

    const std::optional<Deduction> next = nextDeduction(player, cancel);
    if (!next) return std::nullopt;
    const Deduction& d = *next;
    if (d.x != 0 && answerValue(answer, d.x, d.y) == d.value) {
        Hint h = edgeHint(HintKind::kDeduction, d.x, d.y, d.value, reasonFor(position, d));
        h.level = levelName(levelOf(d.site.rule));
        return h;
    }
    // The rules gave nothing, or an edge the answer does not have (they take no account of
    // answers that loop around a few cells): the answer itself is the reason.
    const int x = d.x != 0 ? d.x : openX;
    const int y = d.x != 0 ? d.y : openY;
    const int value = answerValue(answer, x, y);
    Hint h = edgeHint(HintKind::kDeduction, x, y, value, answerReason(value));
    h.level = "answer";
    return h;
}

}  // namespace vexilo
