// New puzzles with exactly one answer at a chosen size and rating.
//
// A random loop gets every clue it implies; then clues go again in random order, in
// batches checked for uniqueness by the complete solver (a failing batch is split, and a
// clue whose removal alone lets a second answer through stays), until none can go. Every
// clue set between the full one and this minimal one has the same single answer, because
// clues only ever narrow the answers down; so the rating is looked for along the order of
// removal afterwards, by bisection with the full solve: the minimal puzzle when it already
// has the rating, otherwise the fewest clues whose solve rates no higher than asked. A
// loop that cannot give the rating makes way for another; after a few the nearest rating
// found is taken. A puzzle too easy even with every clue gone that may go is made harder by
// exchanges: a clue of the loop comes back and others go, kept when the puzzle stays unique
// and solvable and the full solve's trial work does not shrink.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "complete/complete_solver.h"
#include "complete/loop_puzzle.h"
#include "generate/puzzle_rating.h"
#include "generate/random_source.h"

namespace vexilo::generate {

constexpr int kAnyRating = -1;
constexpr int kMaxGenerateSize = 500;

struct GenerateRequest {
    int width = 10;
    int height = 10;
    int rating = kAnyRating;  // 0..6 or kAnyRating
    bool symmetric = false;   // clues symmetric under a half turn of the board
    uint64_t seed = 0;
};

struct GeneratedPuzzle {
    complete::LoopPuzzle puzzle;
    int rating = -1;           // the auto-solve command's rating of the puzzle
    bool ratingAsked = false;  // the rating is the one asked for (always so for any rating)
    int clues = 0;
    int loopsDrawn = 0;
};

enum class GenerateOutcome { kMade, kCancelled, kNoPuzzle };

// Told the share of the work done (0..1); returning false cancels.
using GenerateProgress = std::function<bool(double)>;

// Throws std::invalid_argument naming the fault when a size is outside 1..500 or the
// rating outside 0..6 (and not kAnyRating).
void checkRequest(const GenerateRequest& request);

// Reusable: keeps the complete solver and the rater's state from one puzzle to the next.
class PuzzleGenerator {
  public:
    GenerateOutcome generate(const GenerateRequest& request, GeneratedPuzzle& made,
                             const GenerateProgress& progress = {});

  private:
    struct Candidate {
        complete::LoopPuzzle puzzle;
        PuzzleRating rating;
    };

    bool isUnique();
    bool tryRemove(std::vector<int> batch);
    bool reduce(RandomSource& random, const GenerateProgress& progress);
    void setRemoved(int count);
    Candidate pickAlongRemovals(int target);
    void harden(Candidate& candidate, int target, RandomSource& random);
    bool reportProgress(double share);

    complete::CompleteSolver solver_;
    complete::CompleteResult result_;
    PuzzleRater rater_;

    complete::LoopPuzzle fullClues_;
    complete::LoopPuzzle current_;
    std::vector<std::vector<int>> units_;  // the cells removed together
    std::vector<int> removed_;             // units in the order they went
    size_t unitsDone_ = 0;
    const GenerateProgress* progress_ = nullptr;
    double progressBase_ = 0;
    double progressSpan_ = 1;
    bool cancelled_ = false;
};

}  // namespace vexilo::generate
