// The generator against independent checks: every puzzle has exactly one answer by the
// complete solver without a node limit, the full solve of its native text rates it as
// reported (and as asked, unless it says otherwise), a seed gives the same puzzle, and the
// loops are single loops by a naive check of their regions.
#include <gtest/gtest.h>

#include <stdexcept>

#include "complete/complete_solver.h"
#include "files/native_file.h"
#include "generate/loop_drawing.h"
#include "generate/puzzle_generator.h"
#include "loading/puzzle_loading.h"
#include "model/frontend.h"
#include "model/puzzle_state.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"

namespace vexilo::generate {
namespace {

// The auto-solve command's rating of the puzzle read as a file; -1 when not solved.
int autoSolveRating(const complete::LoopPuzzle& puzzle) {
    SilentFrontend frontend;
    PuzzleState state(frontend);
    state.fileLines = nativeLinesOf(puzzle, -1);
    readNativeText(state, "t.ALC");
    if (solveAndRate(state) == SolveOutcome::kContradiction ||
        checkAnswer(state, *state.workBoard) != AnswerResult::kCorrect) {
        return -1;
    }
    return state.difficulty.stored - Difficulty::kPendingOffset;
}

TEST(Generator, PuzzlesAreUniqueAndRatedAsTheAutoSolveRatesThem) {
    struct Case {
        int width, height, rating;
        bool symmetric;
    };
    const Case cases[] = {{5, 5, kAnyRating, false},  {6, 4, 0, false},          {7, 7, 2, true},
                          {8, 8, 3, false},           {10, 10, 4, false},        {9, 6, 5, true},
                          {10, 10, kAnyRating, true}, {3, 2, kAnyRating, false}, {12, 12, 1, false},
                          {10, 10, 6, false}};
    PuzzleGenerator generator;
    complete::CompleteSolver solver;
    uint64_t seed = 1;
    for (const Case& c : cases) {
        for (int round = 0; round < 2; ++round, ++seed) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " rating " << c.rating
                                            << " seed " << seed);
            GeneratedPuzzle made;
            ASSERT_EQ(generator.generate({c.width, c.height, c.rating, c.symmetric, seed}, made),
                      GenerateOutcome::kMade);
            EXPECT_EQ(solver.solve(made.puzzle).solutions, 1);
            EXPECT_EQ(autoSolveRating(made.puzzle), made.rating);
            EXPECT_EQ(made.ratingAsked, c.rating == kAnyRating || made.rating == c.rating);
            int clues = 0;
            for (size_t i = 0; i < made.puzzle.clues.size(); ++i) {
                clues += made.puzzle.clues[i] >= 0;
                if (c.symmetric) {
                    EXPECT_EQ(made.puzzle.clues[i] >= 0,
                              made.puzzle.clues[made.puzzle.clues.size() - 1 - i] >= 0);
                }
            }
            EXPECT_EQ(clues, made.clues);
        }
    }
}

TEST(Generator, TheSameSeedGivesTheSamePuzzle) {
    PuzzleGenerator reused;
    GeneratedPuzzle a, b, c;
    reused.generate({9, 7, 3, false, 42}, a);
    reused.generate({9, 7, 3, false, 43}, c);
    PuzzleGenerator fresh;
    fresh.generate({9, 7, 3, false, 42}, b);
    EXPECT_EQ(a.puzzle.clues, b.puzzle.clues);
    EXPECT_EQ(a.rating, b.rating);
    EXPECT_NE(a.puzzle.clues, c.puzzle.clues);
}

TEST(Generator, RefusesSizesAndRatingsOutOfRange) {
    PuzzleGenerator generator;
    GeneratedPuzzle made;
    for (const GenerateRequest& bad : {GenerateRequest{0, 5}, GenerateRequest{5, 501},
                                       GenerateRequest{5, 5, 7}, GenerateRequest{5, 5, -2}}) {
        EXPECT_THROW(generator.generate(bad, made), std::invalid_argument);
    }
}

// One loop: the region is connected, its outside (with the border) too, and no corner has
// two inside cells meeting only there.
TEST(LoopDrawing, RegionsOutlineOneLoop) {
    for (uint64_t seed = 0; seed < 300; ++seed) {
        RandomSource random(seed);
        const int width = 1 + static_cast<int>(random.below(15));
        const int height = 1 + static_cast<int>(random.below(15));
        const LoopRegion region = drawLoopRegion(width, height, random);
        SCOPED_TRACE(testing::Message() << width << "x" << height << " seed " << seed);
        // Flood fills over the board with a ring of outside cells around it.
        const int w = width + 2, h = height + 2;
        auto inside = [&](int i) { return region.isInside(i % w - 1, i / w - 1); };
        auto pieces = [&](bool side) {
            std::vector<char> seen(static_cast<size_t>(w * h), 0);
            int count = 0;
            for (int start = 0; start < w * h; ++start) {
                if (seen[start] || inside(start) != side) continue;
                ++count;
                std::vector<int> stack{start};
                seen[start] = 1;
                while (!stack.empty()) {
                    const int i = stack.back();
                    stack.pop_back();
                    for (int n : {i - 1, i + 1, i - w, i + w}) {
                        if (n < 0 || n >= w * h || (n % w != i % w && n / w != i / w)) continue;
                        if (!seen[n] && inside(n) == side) {
                            seen[n] = 1;
                            stack.push_back(n);
                        }
                    }
                }
            }
            return count;
        };
        EXPECT_EQ(pieces(true), 1);
        EXPECT_EQ(pieces(false), 1);
        for (int y = -1; y < height; ++y) {
            for (int x = -1; x < width; ++x) {
                const bool a = region.isInside(x, y), b = region.isInside(x + 1, y);
                const bool c = region.isInside(x, y + 1), d = region.isInside(x + 1, y + 1);
                EXPECT_FALSE(a == d && b == c && a != b) << "corner " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace vexilo::generate
