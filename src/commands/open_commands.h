// Puzzles that come from elsewhere than an open dialog, as core operations: pasted or
// dropped text (a link, a game id, a text grid), a dropped file, a new puzzle just made.
// What they show goes through the Frontend.
#pragma once

#include <string>

#include "generate/puzzle_generator.h"

namespace vexilo {

struct PuzzleState;

// "貼り付け": opens the clipboard's text as a shared puzzle (openPuzzleText); empty text (the
// window gives a clipboard of only white space as empty) shows
// "クリップボードに問題がありません。".
void pasteCommand(PuzzleState& state, const std::string& text);

// Opens shared puzzle text under `name` (by default a name that tells where it came from);
// text that is no puzzle shows why, and clues read as blanks show a note after the open.
void openPuzzleText(PuzzleState& state, const std::string& text, const std::string& name = "");

// A dropped file: a puzzle file opens as the open command opens it, any other file is read
// as shared puzzle text.
void openDroppedFile(PuzzleState& state, const std::string& path);

// "URLをコピー": the puzzle as a puzz.link address; empty without a puzzle.
std::string puzzleLink(const PuzzleState& state);

// "新しい問題...", after the generator ran for `request`: opens the new puzzle as a file
// would, rating known, under a name without ".ALC" (nothing is written until it is saved);
// a note when the rating asked for could not be met. "この大きさの問題は作れませんでした。"
// when no puzzle came out. False when cancelled or no puzzle was made.
bool openNewPuzzle(PuzzleState& state, const generate::GenerateRequest& request,
                   generate::GenerateOutcome outcome, const generate::GeneratedPuzzle& made);

}  // namespace vexilo
