#include "solver/solve_commands.h"

#include <gtest/gtest.h>

#include "model/log_commands.h"
#include "solve_fixtures.h"
#include "solver/answer_check.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::pictureLines;

// Clocks for the commands: one that advances a millisecond at every reading, and one that
// stops right after the boundary the commands wait for.
int64_t ticks = 0;
int64_t steppingTick() {
    return ticks++;
}
int64_t stoppedTick() {
    return ticks == 0 ? ticks++ : ticks;
}

// A frontend that also notes the cursor and whether drawing was off while it was waiting.
class CommandFrontend : public testing::RecordingFrontend {
  public:
    void setWaitCursor(bool waiting) override {
        cursorChanges.push_back(waiting);
        if (state != nullptr) drawingWhileWaiting.push_back(state->drawEnabled);
    }
    std::vector<bool> cursorChanges;
    std::vector<int> drawingWhileWaiting;
    PuzzleState* state = nullptr;
};

// Needs one trial pass; rated 3.
const std::vector<std::string> kPuzzle = {"-2-3", "----", "33--", "2--3"};

class SolveCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        ticks = 0;
        fe.state = &state;
        testing::setClues(state, kPuzzle);
    }
    std::string mainEdges() { return testing::edgeState(state, *state.mainBoard); }
    std::string workEdges() { return testing::edgeState(state, *state.workBoard); }
    void userPlays(const char* picture) {
        testing::appendPictureMoves(state, *state.mainBoard, pictureLines(picture));
        rebuildBoard(state, *state.mainBoard, *state.mainBoard);
    }

    CommandFrontend fe;
    PuzzleState state{fe};
};

TEST_F(SolveCommands, LevelCommandReplacesTheUsersMarksAsOneStep) {
    userPlays(R"(
+x+x+ + +
    |
+ + + + +

+ + + + +

+ + + + +

+ + + + +)");
    const std::string userPosition = mainEdges();
    const int repaints = fe.repaints;
    levelCommand(state, kLevel2, steppingTick);
    EXPECT_EQ(fe.messages, (std::vector<std::string>{"Level2\n 1 ms"}));
    EXPECT_EQ(mainEdges(), workEdges());
    EXPECT_EQ(fe.stepLabel, 1);
    EXPECT_TRUE(fe.undoEnabled);
    EXPECT_EQ(state.drawEnabled, 1);
    // Drawing was off for the whole solve: only the final rebuild painted.
    EXPECT_EQ(fe.repaints, repaints + 1);
    EXPECT_EQ(fe.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(fe.drawingWhileWaiting, (std::vector<int>{0, 0}));

    restoreMemorised(state);
    EXPECT_EQ(mainEdges(), userPosition);
}

TEST_F(SolveCommands, EachLevelShowsItsOwnMessage) {
    levelCommand(state, kLevel0, steppingTick);
    levelCommand(state, kLevel1, steppingTick);
    EXPECT_EQ(fe.messages, (std::vector<std::string>{"Level0\n 1 ms", "Level1\n 1 ms"}));
}

TEST_F(SolveCommands, LevelCommandWithNothingNewAddsNoStep) {
    levelCommand(state, kLevel1, steppingTick);
    const int entries = state.mainBoard->writePos;
    levelCommand(state, kLevel1, steppingTick);
    EXPECT_EQ(state.mainBoard->writePos, entries);
    EXPECT_EQ(fe.stepLabel, 1);
}

TEST_F(SolveCommands, LevelCommandTurnsAHeldRatingIntoABareOne) {
    state.difficulty.stored = 10003;
    levelCommand(state, kLevel0, steppingTick);
    EXPECT_EQ(state.difficulty.stored, 3);
    state.difficulty.stored = 9999;
    levelCommand(state, kLevel0, steppingTick);
    EXPECT_EQ(state.difficulty.stored, 9999);
}

TEST_F(SolveCommands, CommandsWithoutAPuzzleDoNothing) {
    state.puzzleWidth = 0;
    levelCommand(state, kLevel2, steppingTick);
    autoSolveCommand(state, steppingTick);
    EXPECT_TRUE(fe.messages.empty());
    EXPECT_EQ(state.difficulty.stored, -1);
    EXPECT_EQ(ticks, 0);
}

TEST_F(SolveCommands, AutoSolveRatesOnceAndThenOnlyShowsTheRating) {
    autoSolveCommand(state, steppingTick);
    EXPECT_EQ(state.difficulty.stored, 10003);
    EXPECT_EQ(fe.messages.back(), "難易度は3です。\n 1 ms");
    EXPECT_EQ(checkPosition(state, *state.mainBoard), AnswerResult::kCorrect);
    EXPECT_EQ(fe.stepLabel, 1);

    // The second click neither solves nor times; with the board untouched it logs nothing.
    const int entries = state.mainBoard->writePos;
    const int64_t ticksBefore = ticks;
    autoSolveCommand(state, steppingTick);
    EXPECT_EQ(fe.messages.back(), "難易度は3です。");
    EXPECT_EQ(ticks, ticksBefore);
    EXPECT_EQ(state.mainBoard->writePos, entries);

    // After the user has erased a line (a second line entry), the held result is
    // transferred again.
    userPlays(R"(
+-+ + + +

+ + + + +

+ + + + +

+ + + + +

+ + + + +)");
    ASSERT_EQ(state.mainBoard->at(2, 1) & 7, kUndecided);
    autoSolveCommand(state, steppingTick);
    EXPECT_EQ(state.mainBoard->at(2, 1), kLine);
    EXPECT_EQ(checkPosition(state, *state.mainBoard), AnswerResult::kCorrect);
    EXPECT_EQ(fe.stepLabel, 2);
}

TEST_F(SolveCommands, AutoSolveUnderAMillisecondShowsNoTime) {
    autoSolveCommand(state, stoppedTick);
    EXPECT_EQ(fe.messages, (std::vector<std::string>{"難易度は3です。"}));
}

TEST_F(SolveCommands, AutoSolveReportsAContradictionAndTriesAgainNextTime) {
    testing::setClues(state, {"03"});
    autoSolveCommand(state, steppingTick);
    EXPECT_EQ(fe.messages, (std::vector<std::string>{"エラーがあります。"}));
    EXPECT_EQ(state.difficulty.stored, 9999);
    EXPECT_EQ(state.mainBoard->writePos, 1);  // mainBoard is left as it was
    EXPECT_EQ(state.drawEnabled, 1);

    // 9999 is not a held rating: the next click solves (the clues now make sense).
    testing::setClues(state, kPuzzle);
    autoSolveCommand(state, steppingTick);
    EXPECT_EQ(state.difficulty.stored, 10003);
}

}  // namespace
}  // namespace vexilo
