// Judging a position: correct (one closed loop that satisfies every clue), wrong, or open.
#pragma once

namespace vexilo {

struct Board;
struct PuzzleState;

// The judgement of a position.
enum class [[nodiscard]] AnswerResult : int { kWrong = 0, kCorrect = 1, kOpen = 2 };

// Judges board's lattice as it stands; sets state.errorX/errorY to the first fault, in
// cell units ((x + 1) / 2, (y + 1) / 2), or 0, 0, and nothing else.
AnswerResult checkAnswer(PuzzleState& state, const Board& board);

// checkAnswer for a caller whose board only gains decisions between calls: the search for
// an undecided edge starts at lattice index firstOpen (0 at the first call), where the last
// call found one, and firstOpen is moved on to the edge this call finds.
AnswerResult checkAnswer(PuzzleState& state, const Board& board, int& firstOpen);

// Judges the position with undecided edges taken as crosses, inside a temporary log step;
// lattice and log are exactly as before afterwards.
AnswerResult checkPosition(PuzzleState& state, Board& board);

}  // namespace vexilo
