#include <gtest/gtest.h>

#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

// The live value of edge (x, y) after replaying mainBoard's log: 0 undecided, 2, 3.
int replayedValue(PuzzleState& s, int x, int y) {
    rebuildBoard(s, *s.mainBoard, *s.mainBoard);
    return s.mainBoard->at(x, y) & 7;
}

class ReplayTable : public ::testing::Test {
protected:
    void SetUp() override { testing::setClues(*t, {"--", "--"}); }
    int play(std::initializer_list<int> values) {
        resetMoveLog(*t->mainBoard);
        for (int v : values) appendEntry(*t->mainBoard, moveEntry(2, 3, v), t.frontend);
        return replayedValue(*t, 2, 3);
    }
    TestState t;
};

TEST_F(ReplayTable, TwoEqualEntriesCancelAndDifferingOlderEntriesAreIgnored) {
    EXPECT_EQ(play({3}), 3);
    EXPECT_EQ(play({3, 3}), 0);
    EXPECT_EQ(play({3, 3, 3}), 3);
    EXPECT_EQ(play({2, 3}), 3);
    EXPECT_EQ(play({2, 3, 3}), 2);
    EXPECT_EQ(play({3, 2, 3}), 0);
}

TEST_F(ReplayTable, StepMarkersArePassedOver) {
    Board& b = *t->mainBoard;
    appendEntry(b, moveEntry(2, 3, 3), t.frontend);
    openStep(b, t.frontend);
    appendEntry(b, moveEntry(2, 3, 3), t.frontend);
    openStep(b, t.frontend);
    EXPECT_EQ(replayedValue(*t, 2, 3), 0);
    appendEntry(b, moveEntry(2, 3, 3), t.frontend);
    EXPECT_EQ(replayedValue(*t, 2, 3), 3);
}

TEST_F(ReplayTable, ManyEdgesRevisitedKeepIndependentHistories) {
    Board& b = *t->mainBoard;
    // Interleave two edges: (2,1): line, cross, line -> undecided; (1,2): cross, cross, line.
    for (int32_t e : {moveEntry(2, 1, 3), moveEntry(1, 2, 2), moveEntry(2, 1, 2),
                      moveEntry(1, 2, 2), moveEntry(2, 1, 3), moveEntry(1, 2, 3)}) {
        appendEntry(b, e, t.frontend);
    }
    EXPECT_EQ(replayedValue(*t, 2, 1), 0);
    EXPECT_EQ(replayedValue(*t, 1, 2), 3);
}

TEST(MoveLog, ResetLeavesOnlyTheFirstMarker) {
    TestState t;
    Board& b = *t->mainBoard;
    appendEntry(b, moveEntry(2, 1, 3), t.frontend);
    openStep(b, t.frontend);
    resetMoveLog(b);
    EXPECT_EQ(b.writePos, 1);
    EXPECT_EQ(b.stepCount, 0);
    EXPECT_EQ(b.moveLog[0], kFirstMarker);
    EXPECT_EQ(b.moveLog[kLogSlots - 1], kEndSentinel);
}

TEST(MoveLog, DropLastStepReturnsToThePositionBeforeItsMarker) {
    TestState t;
    Board& b = *t->mainBoard;
    EXPECT_EQ(dropLastStep(b), 0);  // nothing memorised: no change
    EXPECT_EQ(b.writePos, 1);
    appendEntry(b, moveEntry(2, 1, 3), t.frontend);
    openStep(b, t.frontend);
    EXPECT_EQ(b.lastEntry(), kFirstMarker + 1);
    appendEntry(b, moveEntry(4, 1, 3), t.frontend);
    openStep(b, t.frontend);
    appendEntry(b, moveEntry(6, 1, 2), t.frontend);
    EXPECT_EQ(b.stepCount, 2);
    EXPECT_EQ(dropLastStep(b), 1);
    EXPECT_EQ(b.writePos, 4);  // slot 0, a move, marker 1, a move
    EXPECT_EQ(b.lastEntry(), moveEntry(4, 1, 3));
    EXPECT_EQ(dropLastStep(b), 0);
    EXPECT_EQ(b.writePos, 2);
    EXPECT_EQ(b.lastEntry(), moveEntry(2, 1, 3));
}

TEST(MoveLog, DroppingAStepThatEndsInItsMarkerLosesOnlyTheMarker) {
    TestState t;
    Board& b = *t->mainBoard;
    openStep(b, t.frontend);
    openStep(b, t.frontend);
    EXPECT_EQ(dropLastStep(b), 1);
    EXPECT_EQ(b.writePos, 2);
    EXPECT_EQ(dropLastStep(b), 0);
    EXPECT_EQ(b.writePos, 1);
}

TEST(MoveLog, AFullLogStoresItsLastEntryAndThenRefusesWithOneMessagePerCommand) {
    TestState t;
    testing::setClues(*t, {"---", "---"});
    Board& b = *t->mainBoard;
    for (int i = 0; i < kLogSlots - 3; ++i) ASSERT_TRUE(appendEntry(b, moveEntry(2, 1, 3), t.frontend));
    EXPECT_TRUE(t.frontend.messages.empty());
    EXPECT_TRUE(appendEntry(b, moveEntry(4, 1, 2), t.frontend));  // the 1,002,008th
    EXPECT_EQ(b.writePos, kLogSlots - 1);
    EXPECT_FALSE(appendEntry(b, moveEntry(6, 1, 2), t.frontend));
    EXPECT_FALSE(appendEntry(b, moveEntry(6, 1, 2), t.frontend));
    ASSERT_EQ(t.frontend.messages.size(), 1u);
    EXPECT_EQ(t.frontend.messages[0], "記憶領域がいっぱいです。");
    EXPECT_EQ(t.frontend.refusalsThisCommand, 2);
    t.frontend.beginCommand();
    EXPECT_FALSE(appendEntry(b, moveEntry(6, 1, 2), t.frontend));
    EXPECT_EQ(t.frontend.messages.size(), 2u);
    EXPECT_EQ(b.moveLog[kLogSlots - 1], kEndSentinel);
    // A step that cannot be written is not counted.
    openStep(b, t.frontend);
    EXPECT_EQ(b.stepCount, 0);
    // The full log still replays: an odd number of line entries on (2,1) leaves a line.
    EXPECT_EQ(replayedValue(*t, 2, 1), 3);
    EXPECT_EQ(replayedValue(*t, 4, 1), 2);
}

}  // namespace
}  // namespace vexilo
