// Judging a position: correct (one closed loop that satisfies every clue), wrong, or open.
#pragma once

namespace vexilo {

struct Board;
struct PuzzleState;

// The judgement of a position.
enum class [[nodiscard]] AnswerResult : int { kWrong = 0, kCorrect = 1, kOpen = 2 };

// Judges board's lattice as it stands; sets state.errorX/errorY to the first fault, in
// cell units ((x + 1) / 2, (y + 1) / 2), or 0, 0. Writes only scratchMarks besides.
AnswerResult checkAnswer(PuzzleState& state, const Board& board);

// checkAnswer for a caller whose board only gains decisions between calls: the search for
// an undecided edge starts at lattice index firstOpen (0 at the first call), where the last
// call found one, and firstOpen is moved on to the edge this call finds.
AnswerResult checkAnswer(PuzzleState& state, const Board& board, int& firstOpen);

// True when every line belongs to one closed loop (or there is no line).
[[nodiscard]] bool isSingleLoop(PuzzleState& state, const Board& board);

// Walks the line through edge (x0, y0), marking the edges it passes; true when it comes
// back to the start. Needs a lattice in which no dot has three or four lines.
[[nodiscard]] bool traceLoop(PuzzleState& state, const Board& board, int x0, int y0);

// Judges the position with undecided edges taken as crosses, inside a temporary log step;
// lattice and log are exactly as before afterwards.
AnswerResult checkPosition(PuzzleState& state, Board& board);

}  // namespace vexilo
