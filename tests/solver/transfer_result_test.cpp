#include "solver/transfer_result.h"

#include <gtest/gtest.h>

#include "model/log_commands.h"
#include "model/move_log.h"
#include "solve_fixtures.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::logEntries;
using testing::pictureLines;
using testing::TestState;

// workBoard's position (the solver's) on a 2 x 1 board.
constexpr const char* kSolved = R"(
+-+-+
|   |
+-+-+)";

class Transfer : public ::testing::Test {
  protected:
    void SetUp() override { testing::startFromPicture(*t, kSolved); }
    // The user's marks, as moves on mainBoard, and mainBoard rebuilt.
    void userPlays(const char* picture) {
        testing::appendPictureMoves(*t, *t->mainBoard, pictureLines(picture));
        rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
    }
    std::string mainEdges() { return testing::edgeState(*t, *t->mainBoard); }
    TestState t;
};

TEST_F(Transfer, SolverEdgesArriveAsOneStepThatRestoreTakesBack) {
    userPlays(R"(
+x+-+
| x
+ + +)");
    const std::string userPosition = mainEdges();
    const int userEntries = t->mainBoard->writePos;
    transferResult(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 1);
    // Row by row: the user's cross at (2,1) is cancelled before the solver's line; the cross
    // at (3,2), which the solver left undecided, is only cancelled; equal edges are skipped.
    EXPECT_EQ(
        logEntries(*t->mainBoard, userEntries),
        (std::vector<int32_t>{kFirstMarker + 1, moveEntry(2, 1, kCross), moveEntry(2, 1, kLine),
                              moveEntry(3, 2, kCross), moveEntry(5, 2, kLine),
                              moveEntry(2, 3, kLine), moveEntry(4, 3, kLine)}));
    rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
    EXPECT_EQ(mainEdges(), testing::edgeState(*t, *t->workBoard));

    restoreMemorised(*t);
    EXPECT_EQ(mainEdges(), userPosition);
    EXPECT_EQ(t->mainBoard->writePos, userEntries);
}

TEST_F(Transfer, NothingToChangeAddsNoStep) {
    transferResult(*t);
    rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
    const int entries = t->mainBoard->writePos;
    transferResult(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 1);
    EXPECT_EQ(t->mainBoard->writePos, entries);
}

TEST_F(Transfer, UndecidedOnBothSidesIsLeftAlone) {
    // A solver that decided nothing, a user who marked nothing: no step.
    testing::startWorkBoard(*t);
    transferResult(*t);
    EXPECT_EQ(t->mainBoard->stepCount, 0);
    EXPECT_EQ(t->mainBoard->writePos, 1);
}

TEST_F(Transfer, FullLogKeepsTheUsersMemorisedStep) {
    Board& main = *t->mainBoard;
    userPlays(R"(
+x+

+ + +)");
    openStep(main, t->frontend);  // the user memorised
    // Fill the log up to the end sentinel.
    fillMoveLog(main, kFirstMarker + 1);
    const int entries = main.writePos;
    transferResult(*t);
    EXPECT_EQ(main.stepCount, 1);
    EXPECT_EQ(main.writePos, entries);
    EXPECT_FALSE(t.frontend.messages.empty());
    EXPECT_EQ(t.frontend.messages.front(), kLogFullMessage);
}

}  // namespace
}  // namespace vexilo
