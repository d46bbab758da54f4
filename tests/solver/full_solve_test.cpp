#include "solver/full_solve.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "solve_fixtures.h"
#include "solver/answer_check.h"
#include "solver/engine/colour_rules.h"
#include "solver/rating.h"
#include "solver/solve_levels.h"
#include "solver/trial_search.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::pictureLines;
using testing::TestState;

// Puzzles of the collection with their unique solutions.
const std::vector<std::string> kEasy5x5 = {"----1", "--220", "---22", "31-13", "-2---"};

const std::vector<std::string> kNeedsOneTrial = {"-2-3", "----", "33--", "2--3"};
constexpr const char* kNeedsOneTrialSolution = R"(
+-+-+-+-+
| x2x x3|
+-+-+x+-+
x x | | x
+-+x+x+x+
|3|3| | x
+x+-+x+-+
|2x x x3|
+-+-+-+-+)";

const std::vector<std::string> kOnes7x7 = {"-1-1--1", "1---11-", "--1-1-1", "-1-11--",
                                           "-1-1-1-", "----1-1", "1111-1-"};
constexpr const char* kOnes7x7Solution = R"(
+x+x+x+x+-+-+x+
x x1x x1| x |1x
+x+-+-+x+x+x+x+
x1| x | |1x1| x
+x+x+x+x+x+x+x+
x | x1| |1x |1x
+x+x+x+-+x+-+x+
x |1x x1x1| x x
+x+x+x+x+x+-+-+
x |1x x1x x1x |
+-+x+x+-+x+x+x+
| x x | |1x x1|
+-+-+-+x+x+x+x+
x1x1x1x1| x1x |
+x+x+x+x+-+-+-+)";

// A puzzle the solver cannot finish: where it stops, no single hypothesis fails.
const std::vector<std::string> kStuck5x5 = {"1---1", "-2---", "-2-2-", "-23--", "-3--1"};
constexpr const char* kStuck5x5Position = R"(
+x+ + + +x+
x1       1x
+ + + +-+ +
   2  x x
+ + +-+-+x+
   2x x2|
+ + +-+x+ +
x  2 3|
+x+ + + + +
x |3  x  1x
+x+-+ + +x+)";
constexpr const char* kStuck5x5Solution = R"(
+x+-+-+-+x+
x1| x x |1x
+x+x+-+-+x+
x |2| x x x
+x+x+-+-+x+
x |2x x2| x
+x+-+-+x+x+
x x2x3| | x
+x+-+-+x+x+
x |3x x |1x
+x+-+-+-+x+)";

// The picture without trailing blanks, as the test pictures are written.
std::vector<std::string> trimmedPicture(const PuzzleState& s, const Board& b) {
    std::vector<std::string> lines = latticePicture(s, b);
    for (auto& l : lines) l.erase(l.find_last_not_of(' ') + 1);
    return lines;
}

// The value a picture gives edge (x, y): 0, 2 or 3.
int pictureValue(const char* picture, int x, int y) {
    const std::string line = pictureLines(picture)[static_cast<size_t>(y - 1)];
    const char c =
        static_cast<size_t>(x - 1) < line.size() ? line[static_cast<size_t>(x - 1)] : ' ';
    if (c == 'x') return kCross;
    if (c == '-' || c == '|') return kLine;
    return 0;
}

// Runs a solve up to where the full solve first tries hypotheses: rules and colour rules
// to a standstill.
void solveToRest(PuzzleState& s) {
    prepareSolve(s);
    for (;;) {
        ASSERT_TRUE(propagateAll(s));
        if (runColourRules(s) != 1) return;
    }
}

class FullSolve : public ::testing::Test {
  protected:
    void load(const std::vector<std::string>& clues) {
        testing::setClues(*t, clues);
        t->drawEnabled = 0;
    }
    TestState t;
};

TEST_F(FullSolve, RulesAloneNeedNoTrialPass) {
    load(kEasy5x5);
    EXPECT_EQ(solveFull(*t), SolveOutcome::kSolved);
    EXPECT_EQ(checkAnswer(*t, *t->workBoard), AnswerResult::kCorrect);
    EXPECT_EQ(t->trialPasses, 0);
    EXPECT_EQ(t->effortBeforeTrials, t->effortScore);
    EXPECT_EQ(t->effortScore, 5);
    EXPECT_EQ(t->ruleUsage, 1);
    EXPECT_EQ(rateDifficulty(*t), 0);
}

TEST_F(FullSolve, OneTrialPassFinishesThePuzzle) {
    load(kNeedsOneTrial);
    EXPECT_EQ(solveFull(*t), SolveOutcome::kSolved);
    EXPECT_EQ(trimmedPicture(*t, *t->workBoard), pictureLines(kNeedsOneTrialSolution));
    EXPECT_EQ(t->trialPasses, 1);
    EXPECT_EQ(t->effortBeforeTrials, 5);
    EXPECT_EQ(t->effortScore, 6);
    EXPECT_EQ(t->ruleUsage, 3);
    EXPECT_EQ(rateDifficulty(*t), 3);
    EXPECT_EQ(t->workBoard->stepCount, 0);  // every hypothesis step was dropped
}

TEST_F(FullSolve, RuleWorkInsideHypothesesIsNotCounted) {
    load(kOnes7x7);
    EXPECT_EQ(solveFull(*t), SolveOutcome::kSolved);
    EXPECT_EQ(trimmedPicture(*t, *t->workBoard), pictureLines(kOnes7x7Solution));
    EXPECT_EQ(t->trialPasses, 5);
    EXPECT_EQ(t->effortBeforeTrials, 7);
    EXPECT_EQ(t->effortScore, 14);
    EXPECT_EQ(rateDifficulty(*t), 4);
}

TEST_F(FullSolve, StopsWhereNoHypothesisFails) {
    load(kStuck5x5);
    EXPECT_EQ(solveFull(*t), SolveOutcome::kStuck);
    EXPECT_EQ(checkAnswer(*t, *t->workBoard), AnswerResult::kOpen);
    EXPECT_EQ(trimmedPicture(*t, *t->workBoard), pictureLines(kStuck5x5Position));
    EXPECT_EQ(t->trialPasses, 2);
    EXPECT_EQ(t->effortScore, 4);
    EXPECT_EQ(t->effortBeforeTrials, 4);
    EXPECT_EQ(rateDifficulty(*t), 3);
}

TEST_F(FullSolve, ContradictoryCluesEndInZero) {
    load({"2"});  // a single cell can only be looped by all four sides
    EXPECT_EQ(solveFull(*t), SolveOutcome::kContradiction);
    load({"03"});
    EXPECT_EQ(solveFull(*t), SolveOutcome::kContradiction);
}

TEST_F(FullSolve, SolvesAgainFromScratchEachTime) {
    load(kNeedsOneTrial);
    EXPECT_EQ(solveFull(*t), SolveOutcome::kSolved);
    const std::vector<std::string> first = latticePicture(*t, *t->workBoard);
    const int entries = t->workBoard->writePos;
    EXPECT_EQ(solveFull(*t), SolveOutcome::kSolved);
    EXPECT_EQ(latticePicture(*t, *t->workBoard), first);
    EXPECT_EQ(t->workBoard->writePos, entries);
    EXPECT_EQ(t->trialPasses, 1);
}

// The first deduction of the trial search on a board at rest: one entry in the open step
// (step 0), agreeing with the solution.
class FirstDeduction : public FullSolve {
  protected:
    int32_t deduce(const std::vector<std::string>& clues) {
        load(clues);
        solveToRest(*t);
        EXPECT_EQ(checkAnswer(*t, *t->workBoard), AnswerResult::kOpen);
        const int before = t->workBoard->writePos;
        EXPECT_EQ(trialSearch(*t), RuleResult::kProgress);
        EXPECT_EQ(t->workBoard->writePos, before + 1);
        EXPECT_EQ(t->workBoard->stepCount, 0);
        return t->workBoard->moveLog[static_cast<size_t>(before)];
    }
};

TEST_F(FirstDeduction, ACrossedSideOfAThreeIsRefutedFirst) {
    const int32_t e = deduce(kNeedsOneTrial);
    EXPECT_EQ(e, moveEntry(8, 3, kLine));  // the bottom side of the 3 at (8, 2)
    EXPECT_EQ(pictureValue(kNeedsOneTrialSolution, 8, 3), kLine);
}

TEST_F(FirstDeduction, ALineOnASideOfAOneIsRefutedToACross) {
    const int32_t e = deduce(kOnes7x7);
    EXPECT_EQ(e, moveEntry(5, 6, kCross));  // between the 1 at (6, 6) and a blank
    EXPECT_EQ(pictureValue(kOnes7x7Solution, 5, 6), kCross);
}

TEST_F(FirstDeduction, OtherEdgesComeLastAndSkipSidesOfOnesAndThrees) {
    const int32_t e = deduce(kStuck5x5);
    EXPECT_EQ(e, moveEntry(7, 10, kCross));  // between two blank cells
    EXPECT_EQ(pictureValue(kStuck5x5Solution, 7, 10), kCross);
}

TEST_F(FullSolve, FruitlessSearchLeavesLatticeAndLogAsTheyWere) {
    load(kStuck5x5);
    EXPECT_EQ(solveFull(*t), SolveOutcome::kStuck);
    const Board& wb = *t->workBoard;
    const auto saved = std::make_unique<Board>(wb);  // a Board is too big for the stack
    const Board& before = *saved;
    EXPECT_EQ(trialSearch(*t), RuleResult::kUnchanged);
    EXPECT_EQ(wb.writePos, before.writePos);
    EXPECT_EQ(wb.stepCount, 0);
    for (int i = 0; i < before.writePos; ++i) ASSERT_EQ(wb.moveLog[i], before.moveLog[i]) << i;
    for (int y = 0; y <= 2 * t->H() + 2; ++y) {
        for (int x = 0; x <= 2 * t->W() + 2; ++x) {
            EXPECT_EQ(wb.at(x, y), before.at(x, y)) << x << ", " << y;
        }
    }
}

TEST_F(FullSolve, NoHypothesisWithoutRoomForItsStepMarker) {
    load(kNeedsOneTrial);
    solveToRest(*t);
    Board& wb = *t->workBoard;
    // Fill the log with copies of its last move (they name an edge already decided).
    fillMoveLog(wb, wb.lastEntry());
    const std::string edges = testing::edgeState(*t, wb);
    const int entries = wb.writePos;
    EXPECT_EQ(trialSearch(*t), RuleResult::kUnchanged);
    EXPECT_EQ(testing::edgeState(*t, wb), edges);
    EXPECT_EQ(wb.writePos, entries);
    EXPECT_EQ(wb.stepCount, 0);
    EXPECT_EQ(t.frontend.messages, std::vector<std::string>{kLogFullMessage});
}

TEST_F(FullSolve, RetractionUndoesTheStepAndUnsettlesAroundIt) {
    load(kNeedsOneTrial);
    solveToRest(*t);
    Board& wb = *t->workBoard;
    const std::string edgesBefore = testing::edgeState(*t, wb);
    const int entries = wb.writePos;
    openStep(wb, t->frontend);
    // A line on the first undecided edge; the rules draw on from it before the judgement.
    int hx = 0;
    int hy = 0;
    for (int y = 1; y <= 2 * t->H() + 1 && hx == 0; ++y) {
        for (int x = 1 + (y % 2); x <= 2 * t->W() + 1 && hx == 0; x += 2) {
            if (wb.at(x, y) == 0) hx = x, hy = y;
        }
    }
    ASSERT_NE(hx, 0);
    setEdge(*t, hx, hy, kLine);
    tryAndRetract(*t, hx, hy);
    EXPECT_EQ(testing::edgeState(*t, wb), edgesBefore);
    EXPECT_GT(wb.writePos, entries + 2);  // the step, with what the rules added, is still logged
    for (int slot = entries + 1; slot < wb.writePos; ++slot) {
        const int x = entryX(wb.moveLog[static_cast<size_t>(slot)]);
        const int y = entryY(wb.moveLog[static_cast<size_t>(slot)]);
        if (isVerticalEdge(x, y)) {
            EXPECT_EQ(wb.at(x, y - 1) & kSettled, 0);
            EXPECT_EQ(wb.at(x + 1, y + 2) & kSettled, 0);
        } else {
            EXPECT_EQ(wb.at(x + 1, y) & kSettled, 0);
            EXPECT_EQ(wb.at(x - 2, y + 1) & kSettled, 0);
        }
    }
    dropLastStep(wb);
    EXPECT_EQ(wb.writePos, entries);
}

}  // namespace
}  // namespace vexilo
