// The check button "検" and its menu item "唯一解の確認" as core operations. What they show
// and where they point goes through the Frontend; neither changes the player's position or
// history.
#pragma once

namespace vexilo {

struct PuzzleState;

// "正解か？": judges mainBoard's position; shows "違います。", or "正解です!!" after
// Frontend::puzzleSolved, and points at the first fault the check found. Nothing without a
// puzzle.
void checkCommand(PuzzleState& state);

// "唯一解の確認": counts the puzzle's answers with the complete solver, as long work
// (runWithWaitCursor), and shows "解はありません。", "解は一つです。" or "解が複数あります。";
// with several, points at the first edge on which two answers differ. A cancelled count
// shows nothing. Nothing without a puzzle.
void uniqueCheckCommand(PuzzleState& state);

}  // namespace vexilo
