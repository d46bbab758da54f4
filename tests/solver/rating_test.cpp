#include "solver/rating.h"

#include <gtest/gtest.h>

namespace vexilo {
namespace {

// A 10 x 10 board has no size floor; rate(score, usage) rates a solve without trials.
int rate(int score, int usage) {
    return rateDifficulty(10, 10, score, 0, 0, usage);
}
// A solve with trial passes on a small board, given passes and h (the score grown after the
// first trial pass is 2 (h - 1)).
int rateTrials(int passes, int h) {
    return rateDifficulty(10, 10, 100 + 2 * (h - 1), 100, passes, 1);
}

TEST(SizeFloor, BandsEndExactlyAtTheirUpperBound) {
    struct Case {
        int w, h, floor;
    };
    for (const Case& c : {Case{16, 16, 0}, Case{257, 1, 1}, Case{32, 32, 1}, Case{41, 25, 2},
                          Case{96, 96, 2}, Case{709, 13, 3}, Case{384, 384, 3}, Case{147457, 1, 4},
                          Case{500, 500, 4}, Case{1, 1, 0}}) {
        EXPECT_EQ(sizeFloor(c.w, c.h).floor, c.floor) << c.w << " x " << c.h;
    }
    // At the bounds the loop stops on exactly 2.0.
    for (int side : {16, 32, 96, 384}) EXPECT_EQ(sizeFloor(side, side).x, 2.0) << side;
}

TEST(Rating, ScoreBandsWithoutTrialPasses) {
    struct Case {
        int score, rating;
    };
    for (const Case& c :
         {Case{1, 0}, Case{14, 0}, Case{15, 1}, Case{108, 1}, Case{109, 2}, Case{806, 2},
          Case{807, 3}, Case{5960, 3}, Case{5961, 4}, Case{10003, 4}}) {
        EXPECT_EQ(rate(c.score, 1), c.rating) << "score " << c.score;
    }
}

TEST(Rating, UsageBonusByTheRulePassesThatMadeProgress) {
    const int expected[8] = {0, 0, 1, 1, 2, 1, 2, 2};
    for (int usage = 0; usage < 8; ++usage) {
        EXPECT_EQ(rate(1, usage), expected[usage]) << "usage " << usage;
        EXPECT_EQ(rate(15, usage), 1 + expected[usage]) << "usage " << usage;
    }
}

TEST(Rating, ZeroScoreFallsBackOnWhatTheSizeLoopLeft) {
    EXPECT_EQ(rateDifficulty(7, 9, 0, 0, 0, 0), 0);    // 63 cells
    EXPECT_EQ(rateDifficulty(8, 8, 0, 0, 0, 0), 1);    // 64 cells: x = 1.0
    EXPECT_EQ(rateDifficulty(16, 15, 0, 0, 0, 0), 1);  // 240 cells
    EXPECT_EQ(rateDifficulty(16, 16, 0, 0, 0, 0), 2);  // x = 2.0 exactly
    EXPECT_EQ(rateDifficulty(17, 16, 0, 0, 0, 0), 1);  // floor 1, x divided once
    EXPECT_EQ(rateDifficulty(16, 16, 0, 0, 0, 4), 4);  // plus the colour bonus
}

TEST(Rating, SizeFloorRaisesAnEasySolve) {
    EXPECT_EQ(rateDifficulty(16, 16, 14, 0, 0, 1), 0);
    EXPECT_EQ(rateDifficulty(20, 20, 14, 0, 0, 1), 1);
    EXPECT_EQ(rateDifficulty(100, 100, 14, 0, 0, 1), 3);
    EXPECT_EQ(rateDifficulty(500, 500, 1, 0, 0, 1), 4);
    EXPECT_EQ(rateDifficulty(500, 500, 10003, 0, 0, 7), 6);  // 4 + 2
}

TEST(Rating, TrialProductBands) {
    EXPECT_EQ(rateTrials(1, 1), 3);
    EXPECT_EQ(rateTrials(1, 3), 3);
    EXPECT_EQ(rateTrials(1, 4), 4);
    EXPECT_EQ(rateTrials(2, 2), 4);
    EXPECT_EQ(rateTrials(1, 48), 4);
    EXPECT_EQ(rateTrials(1, 49), 5);
    EXPECT_EQ(rateTrials(7, 7), 5);
    EXPECT_EQ(rateTrials(14, 14), 5);  // 196: trunc gives 6, cut to 5
    EXPECT_EQ(rateTrials(1, 528), 5);
    EXPECT_EQ(rateTrials(1, 529), 6);
    EXPECT_EQ(rateTrials(23, 23), 6);
    EXPECT_EQ(rateTrials(1, 1155), 6);
    EXPECT_EQ(rateTrials(4, 289), 6);  // 1156: 7 after the cut, bounded to 6
    EXPECT_EQ(rateTrials(1000, 5001), 6);
}

TEST(Rating, TrialScoreGrowthIsHalvedTowardZero) {
    // Growth 5 gives h = 5 / 2 + 1 = 3: product 3.
    EXPECT_EQ(rateDifficulty(10, 10, 105, 100, 1, 1), 3);
    // Growth 6 gives h = 4.
    EXPECT_EQ(rateDifficulty(10, 10, 106, 100, 1, 1), 4);
}

TEST(Rating, TrialBranchIgnoresTheBonusButKeepsTheFloor) {
    EXPECT_EQ(rateDifficulty(10, 10, 1, 0, 1, 7), 3);
    EXPECT_EQ(rateDifficulty(384, 384, 1, 1, 1, 7), 3);
    EXPECT_EQ(rateDifficulty(385, 384, 1, 1, 1, 7), 4);
}

}  // namespace
}  // namespace vexilo
