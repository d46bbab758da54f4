// A hint for the player's position on mainBoard: the first drawn edge that contradicts the
// puzzle's one answer, or else the next edge the rules decide, weakest rules first, with
// its reason in words. The player's boards are never changed.
#pragma once

#include <atomic>
#include <optional>
#include <string>

namespace vexilo {

struct PuzzleState;

enum class HintKind { kMistake, kDeduction, kSolved, kNoSolution, kSeveralSolutions };

struct Hint {
    HintKind kind = HintKind::kSolved;
    int x = 0;  // the edge in lattice coordinates (as in move entries); 0, 0 for none
    int y = 0;
    int value = 0;     // kCross or kLine for a deduction
    std::string rule;  // a short stable identifier ("cell-full", "sub-loop", "trial", ...)
    std::string text;  // the sentence the window shows
    // For a deduction, the rules that gave it: "start", "basic", "sub-loop", "advanced",
    // "colour", "trial", or "answer" when the rules gave nothing.
    std::string level;
};

// "mistake", "deduction", "solved", "no-solution" or "several-solutions".
const char* hintKindName(HintKind kind);

// The hint for mainBoard's position; mainBoard's lattice must be rebuilt from its log.
Hint findHint(const PuzzleState& player);
// The same, given up (nothing) once `cancel` reads true during the search for the answer or
// for the next deduction; another thread may set it.
std::optional<Hint> findHint(const PuzzleState& player, const std::atomic<bool>& cancel);

}  // namespace vexilo
