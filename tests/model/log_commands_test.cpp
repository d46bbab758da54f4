#include <gtest/gtest.h>

#include "model/log_commands.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

class LogCommands : public ::testing::Test {
protected:
    void SetUp() override { testing::setClues(*t, {"12", "3-"}); }
    void move(int x, int y, int v) {
        appendEntry(*t->mainBoard, moveEntry(x, y, v), t.frontend);
        rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
        refreshUndoButton(*t);
    }
    int edge(int x, int y) { return t->mainBoard->at(x, y) & 7; }
    TestState t;
};

TEST_F(LogCommands, MemoriseTwiceWithoutAMoveCountsOnce) {
    move(2, 1, 3);
    memorise(*t);
    memorise(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 1);
    EXPECT_EQ(t.frontend.stepLabel, 1);
}

TEST_F(LogCommands, MemoriseWithoutAnyMoveDoesNothing) {
    memorise(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 0);
    EXPECT_EQ(t->mainBoard->writePos, 1);
}

TEST_F(LogCommands, RestoreReturnsToEachMemorisedPositionInTurn) {
    move(2, 1, 3);
    memorise(*t);
    move(4, 1, 3);
    memorise(*t);
    move(1, 2, 2);
    restoreMemorised(*t);
    EXPECT_EQ(t.frontend.stepLabel, 1);
    EXPECT_EQ(edge(1, 2), 0);
    EXPECT_EQ(edge(4, 1), kLine);
    restoreMemorised(*t);
    EXPECT_EQ(t.frontend.stepLabel, 0);
    EXPECT_EQ(edge(4, 1), 0);
    EXPECT_EQ(edge(2, 1), kLine);
    // Nothing memorised any more: the moves since the start stay.
    restoreMemorised(*t);
    EXPECT_EQ(t.frontend.stepLabel, 0);
    EXPECT_EQ(edge(2, 1), kLine);
}

TEST_F(LogCommands, UndoRightAfterMemoriseUndoesNothingAndDisablesTheButton) {
    move(2, 1, 3);
    EXPECT_TRUE(t.frontend.undoEnabled);
    memorise(*t);
    undoOneMove(*t);
    EXPECT_FALSE(t.frontend.undoEnabled);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_EQ(t->mainBoard->stepCount, 1);
}

TEST_F(LogCommands, TwoLeftClicksCancelAndTwoUndosReturnToTheSameLook) {
    move(2, 1, 3);
    move(2, 1, 3);
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_EQ(t->mainBoard->writePos, 3);
    undoOneMove(*t);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_TRUE(t.frontend.undoEnabled);
    undoOneMove(*t);
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_FALSE(t.frontend.undoEnabled);
}

TEST_F(LogCommands, BackToStartAfterMemorisingShowsTheCluesOnlyAndRestoreDoesNothing) {
    move(2, 1, 3);
    memorise(*t);
    move(4, 1, 2);
    backToStart(*t);
    EXPECT_EQ(t.frontend.stepLabel, 0);
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_EQ(edge(4, 1), 0);
    EXPECT_EQ(t->mainBoard->writePos, 1);
    restoreMemorised(*t);
    EXPECT_EQ(t->mainBoard->writePos, 1);
    EXPECT_EQ(t->mainBoard->at(2, 2), 1);
}

TEST(LogCommandsWithoutPuzzle, MemoriseAndRestoreNeedAPuzzle) {
    TestState t;
    appendEntry(*t->mainBoard, moveEntry(2, 1, 3), t.frontend);
    memorise(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 0);
    openStep(*t->mainBoard, t.frontend);
    restoreMemorised(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 1);
}

}  // namespace
}  // namespace vexilo
