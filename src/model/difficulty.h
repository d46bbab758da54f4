// The puzzle's rating as the program keeps it: one int, whose value says both the rating
// and whether it still has to be written into the puzzle's own file.
//
//   -1          not rated
//   0 .. 6      a rating read from the file, or written to it
//   9999        the last full solve met a contradiction; the file is to get -1
//   10000 + r   a full solve rated r (or Save As marked the rating r); the file is to get r
//
// Values from 9999 up are "pending": the file is to get the value - 10000. The int is kept
// as it is because the native file's header and the tests speak of it.
#pragma once

namespace vexilo {

struct Difficulty {
    static constexpr int kUnrated = -1;
    static constexpr int kPendingOffset = 10000;
    static constexpr int kUnsolvable = kPendingOffset + kUnrated;  // 9999
    // The ratings a file's header may hold, from kUnrated up; any other number reads as
    // kUnrated.
    static constexpr int kHighestRating = 6;

    int stored = kUnrated;

    // The outcome of a full solve: its rating, or a contradiction; both pending.
    static constexpr Difficulty fullSolveRated(int rating) { return {kPendingOffset + rating}; }
    static constexpr Difficulty unsolvable() { return {kUnsolvable}; }

    // Waiting to be written into the puzzle's file.
    constexpr bool isPending() const { return stored >= kUnsolvable; }
    // Holds the rating of a full solve of this session (the solver's board holds that solve).
    constexpr bool holdsFullSolve() const { return stored >= kPendingOffset; }
    constexpr bool isUnsolvable() const { return stored == kUnsolvable; }

    // The rating as the file has it or is to get it: -1 for none.
    constexpr int fileValue() const { return isPending() ? stored - kPendingOffset : stored; }

    // Save As: the rating is to be written with the puzzle.
    constexpr void markPending() {
        if (!isPending()) stored += kPendingOffset;
    }
    // The file now holds fileValue().
    constexpr void markWritten() {
        if (isPending()) stored -= kPendingOffset;
    }
    // A Level command replaced the full solve on the solver's board: its rating stays, no
    // longer pending. (A contradiction stays marked, so the next auto-solve solves again.)
    constexpr void forgetFullSolve() {
        if (holdsFullSolve()) stored -= kPendingOffset;
    }

    friend constexpr bool operator==(Difficulty, Difficulty) = default;
};

}  // namespace vexilo
